#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace lumadex {

class Pdata;

// Size and modification time of a picture file as the file system gives them now.
struct FileFacts {
    std::int64_t size = 0;
    std::int64_t time = 0; // seconds since 1970 UTC
};
// nullopt when the path names no readable file.
std::optional<FileFacts> FileStatusOf(const QString& path);
// Gives a record whose size is unknown (-1 or -2) the file's size and time; returns whether
// it did, so that the caller marks the data changed.
bool FillUnknownFileFacts(Pdata& record, const FileFacts& facts);

// A time as the C library's ctime writes it, in local time and English, without its closing
// line feed (a status panel shows one line): "Sun Dec  6 10:22:38 2026".
QString CtimeText(std::int64_t time);

// The status text of a selected record: prefix ("<= " or "=> " and the path), then the size
// and time of the file when it was found, else the stored ones.
QString SelectionStatusText(const QString& prefix, const std::optional<FileFacts>& found,
                            const Pdata& record);

// The info fields under the previews: " name", the stored size ("1.50K" from 1024 bytes on),
// the stored time in the locale's short date and time form.
QString InfoNameText(const Pdata& record);
QString InfoSizeText(std::int64_t size);
QString InfoDateText(std::int64_t time);

inline constexpr char kMultiplySelectedText[] = "Multiply selected";

// The hints the Crystal panel chooses from at start.
QStringList CrystalHints();

} // namespace lumadex
