#pragma once

#include <QStringList>

namespace lumadex::cli {

// Exit statuses shared by every command.
constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

// Each command takes the arguments after its name and returns the exit status.
int RunSign(const QStringList& arguments);
int RunConvert(const QStringList& arguments);
int RunAdd(const QStringList& arguments);
int RunSimilar(const QStringList& arguments);
int RunInfo(const QStringList& arguments);
int RunDump(const QStringList& arguments);
int RunMerge(const QStringList& arguments);
int RunRenameCsv(const QStringList& arguments);
int RunSet(const QStringList& arguments);

// Prints the usage text to standard output.
void PrintHelp();
// Prints "lumadex: <problem>" and a pointer to --help on standard error; returns kExitUsage.
int UsageError(const QString& problem);

} // namespace lumadex::cli
