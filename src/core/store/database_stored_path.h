#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace lumadex {

// Length of the folder part of a path: everything up to and including its last separator.
qsizetype FolderPartLength(QStringView path);

// Writes the text as UTF-8 to out, which has room for 3 bytes per UTF-16 unit; returns the
// number of bytes written.
std::size_t EncodeUtf8(QStringView text, std::uint8_t* out);

// Decides how each path is stored, record after record. A path whose folder part is exactly
// (byte for byte, letter case included) the folder of the last path stored whole is stored as
// its name alone; any other path is stored whole and its folder is kept from then on.
class PathShortener {
public:
    // The part of path to store.
    QStringView Shorten(QStringView path) const;
    // Notes that path was stored as the text Shorten gave for it.
    void Stored(QStringView path, QStringView storedText);

private:
    QString keptFolder_;
};

// Where an expanded path's leading folder came from: every path expanded under one generation
// begins with the same folder text of folderLength units.
struct PathOrigin {
    std::uint64_t folderGeneration = 0;
    qsizetype folderLength = 0;
};

// Undoes the shortening while reading: a stored text with a folder part is a whole path whose
// folder is kept; a text without one is a name, and the kept folder is put in front of it.
class PathExpander {
public:
    // The whole path of a stored text of UTF-8 bytes; nothing for a name met before any folder
    // (a writer never stores one, and a path without a folder could not be stored again).
    std::optional<QString> Expand(std::span<const std::uint8_t> storedText);
    // The origin of the path Expand returned last.
    PathOrigin origin() const { return {generation_, keptFolder_.size()}; }

private:
    std::vector<std::uint8_t> keptFolderBytes_;
    QString keptFolder_;
    std::uint64_t generation_ = 0;
};

} // namespace lumadex
