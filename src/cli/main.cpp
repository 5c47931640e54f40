#include "cli/commands.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

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
    if (command == QLatin1String("sign"))
        return RunSign(arguments);
    if (command == QLatin1String("convert"))
        return RunConvert(arguments);
    return UsageError(QStringLiteral("unknown command '%1'").arg(command));
}
