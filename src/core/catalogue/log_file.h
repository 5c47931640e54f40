#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

namespace lumadex {

// The analysis problem log, kept in the program folder.
inline constexpr char16_t kLogFileName[] = u"logfile.txt";

// One line of the log: the date in the locale's short format, a blank, the time in its long
// format, a blank, the text and a line feed.
QString LogFileLine(const QDateTime& when, const QString& text, const QLocale& locale = QLocale());

// Appends line (UTF-8) to the log file in programFolder, creating the file when needed. A log
// that cannot be written is passed over: logging never stops the work it reports on.
void AppendToLogFile(const QString& programFolder, const QString& line);

} // namespace lumadex
