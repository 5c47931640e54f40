#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace lumadex::test {

// What one run of the lumadex command gave.
struct CliResult {
    int exitCode = -1;
    QString out;
    QString err;
};

inline CliResult RunCli(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(LUMADEX_CLI_PATH), arguments);
    process.waitForFinished(120000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

} // namespace lumadex::test
