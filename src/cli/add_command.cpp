#include "catalogue/adding.h"
#include "cli/commands.h"
#include "cli/database_session.h"

#include <QStringList>
#include <cstdio>

namespace lumadex::cli {

int RunAdd(const QStringList& arguments) {
    std::optional<int> depth;
    QStringList positional;
    for (int i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("--depth")) {
            bool isNumber = false;
            depth = i + 1 < arguments.size() ? arguments[i + 1].toInt(&isNumber) : 0;
            if (!isNumber || *depth < 1)
                return UsageError(QStringLiteral("--depth needs a number from 1"));
            ++i;
        } else if (arguments[i].startsWith(QLatin1String("--"))) {
            return UsageError(QStringLiteral("unknown option '%1'").arg(arguments[i]));
        } else {
            positional << arguments[i];
        }
    }
    if (positional.size() < 2)
        return UsageError(QStringLiteral("add needs a database and at least one path"));

    DatabaseSession session(positional.takeFirst());
    if (!session.Open(true))
        return kExitFailed;
    Document& document = session.document();
    const int problemsBefore = session.problemsReported();

    RecordListStore referenceList(EqualKeys::Accept);
    AddingObserver observer;
    AddingSession adding{
        document.pictures(), referenceList,
        AddingOptionsFrom(document.options(), depth, QString::fromUtf16(kNativeExtensionMask)),
        observer};
    AddDroppedPaths(adding, positional);
    if (!session.Save())
        return kExitFailed;

    std::printf("%d pictures added, %d files refused, %d records in %s\n",
                int(document.pictures().newAdded().size()),
                session.problemsReported() - problemsBefore, document.catalogue().count(),
                qUtf8Printable(document.databasePath()));
    return kExitOk;
}

} // namespace lumadex::cli
