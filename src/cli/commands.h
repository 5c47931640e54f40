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

// Prints the usage text to standard output.
void PrintHelp();
// Prints "lumadex: <problem>" and a pointer to --help on standard error; returns kExitUsage.
int UsageError(const QString& problem);

} // namespace lumadex::cli
