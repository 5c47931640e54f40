#include "catalogue/log_file.h"

#include <QDir>
#include <QFile>

namespace lumadex {

QString LogFileLine(const QDateTime& when, const QString& text, const QLocale& locale) {
    return locale.toString(when.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
           locale.toString(when.time(), QLocale::LongFormat) + QLatin1Char(' ') + text +
           QLatin1Char('\n');
}

void AppendToLogFile(const QString& programFolder, const QString& line) {
    QFile file(QDir(programFolder).filePath(QString::fromUtf16(kLogFileName)));
    if (file.open(QIODevice::WriteOnly | QIODevice::Append))
        file.write(line.toUtf8());
}

} // namespace lumadex
