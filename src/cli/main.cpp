#include "cli/commands.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>
#include <utility>

namespace lumadex::cli {

void PrintHelp() {
    std::fputs("Usage: lumadex COMMAND [ARGUMENTS]\n"
               "\n"
               "Commands:\n"
               "  sign [--region L,T,R,B] FILE...\n"
               "      Analyse each picture and print its signature as\n"
               "      'BBBBBBBB LLLLLLLL path' (brightness-order word and levels word in hex).\n"
               "      With --region the signature is taken from that rectangle of the picture\n"
               "      (pixels, right and bottom exclusive, clamped to the picture).\n"
               "      A refused file is reported on standard error with the reason.\n"
               "      Exit status: 0 every file signed, 1 some file refused, 2 usage error.\n"
               "\n"
               "  convert (--png NONE|STANDARD|SPEED|MINIMUM | --jpeg QUALITY [--gray]) IN OUT\n"
               "      Decode IN (JPEG, BMP or PNG) and write OUT as PNG with the given\n"
               "      compression, or as JPEG with QUALITY from 25 to 100, optionally grey.\n"
               "      Exit status: 0 written, 1 IN unreadable or OUT not written, 2 usage error.\n"
               "\n"
               "  add DB PATH... [--depth N]\n"
               "      Add picture files and folders (recursively, N levels deep at most) to the\n"
               "      database DB, creating it when missing, under the options stored in DB.\n"
               "      Prints each refused file's reason and a summary line.\n"
               "\n"
               "  similar DB [--json]\n"
               "      List every picture that has look-alikes, each followed by its matches\n"
               "      indented by two blanks, in the order the lists show them.\n"
               "\n"
               "  info DB\n"
               "      Show the format version, record count, selected index, memo counts and\n"
               "      every stored option as name=value.\n"
               "\n"
               "  dump DB\n"
               "      One tab-separated line per record: path, signature words, mismatch group,\n"
               "      size, time, memo links, regions (bits:levels:L,T,R,B).\n"
               "\n"
               "  merge DB OTHER...\n"
               "      Import the other databases into DB and save it.\n"
               "\n"
               "  rename-csv DB CSV\n"
               "      Rename stored paths from a CSV file of old name, folder, new name.\n"
               "\n"
               "  set DB OPTION=VALUE...\n"
               "      Change stored options (names as 'info' prints them).\n"
               "\n"
               "  Database commands exit 0 on success, 1 when a database is unreadable or\n"
               "  broken (the reason on standard error), 2 on a usage error.\n"
               "\n"
               "  --help\n"
               "      Show this text.\n",
               stdout);
}

int UsageError(const QString& problem) {
    std::fprintf(stderr, "lumadex: %s\nTry 'lumadex --help'.\n", qUtf8Printable(problem));
    return kExitUsage;
}

} // namespace lumadex::cli

int main(int argc, char* argv[]) {
    using namespace lumadex::cli;
    QCoreApplication application(argc, argv);
    QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.isEmpty())
        return UsageError(QStringLiteral("no command given"));

    const QString command = arguments.takeFirst();
    if (command == QLatin1String("--help") || command == QLatin1String("-h") ||
        command == QLatin1String("help")) {
        PrintHelp();
        return kExitOk;
    }
    using Command = int (*)(const QStringList&);
    const std::pair<const char*, Command> commands[] = {
        {"sign", RunSign},   {"convert", RunConvert},
        {"add", RunAdd},     {"similar", RunSimilar},
        {"info", RunInfo},   {"dump", RunDump},
        {"merge", RunMerge}, {"rename-csv", RunRenameCsv},
        {"set", RunSet},
    };
    for (const auto& [name, run] : commands)
        if (command == QLatin1String(name))
            return run(arguments);
    return UsageError(QStringLiteral("unknown command '%1'").arg(command));
}
