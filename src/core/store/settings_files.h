#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace lumadex {

// Replaces the file's contents through a temporary file beside it that is renamed over the
// file once complete, so a failed write leaves the previous file as it was.
bool ReplaceFileContents(const QString& path, const QByteArray& bytes);

// Reads a UTF-8 text file's lines; CR LF, LF and CR all end a line. nullopt when the file
// cannot be read.
std::optional<QStringList> ReadTextLines(const QString& path);

// Writes the lines as UTF-8, each ending in CR LF, replacing the file as above.
bool WriteTextLines(const QString& path, const QStringList& lines);

} // namespace lumadex
