// The commands that change a database: merge, rename-csv and set.
#include "catalogue/csv_rename.h"
#include "cli/commands.h"
#include "cli/database_session.h"
#include "options/option_rows.h"

#include <QStringList>
#include <cstdio>

namespace lumadex::cli {

int RunMerge(const QStringList& arguments) {
    if (arguments.size() < 2)
        return UsageError(QStringLiteral("merge needs a database and at least one other"));
    DatabaseSession session(arguments.first());
    if (!session.Open(true))
        return kExitFailed;
    Document& document = session.document();
    bool allRead = true;
    for (const QString& other : arguments.mid(1)) {
        document.setPendingDatabasePath(other);
        allRead = document.Import() == ReadOutcome::Complete && allRead;
    }
    if (!session.Save())
        return kExitFailed;
    std::printf("%d records in %s\n", document.catalogue().count(),
                qUtf8Printable(document.databasePath()));
    return allRead ? kExitOk : kExitFailed;
}

int RunRenameCsv(const QStringList& arguments) {
    if (arguments.size() != 2)
        return UsageError(QStringLiteral("rename-csv needs a database and a CSV file"));
    DatabaseSession session(arguments[0]);
    if (!session.Open(false))
        return kExitFailed;
    const CsvRenameResult result = RenameFromCsvFile(session.document().pictures(), arguments[1]);
    if (result.invalid)
        std::fprintf(stderr, "%s\n", qUtf8Printable(kInvalidCsvMessage));
    if (result.changedCount > 0 && !session.Save())
        return kExitFailed;
    std::printf("%s\n", qUtf8Printable(result.StatusText()));
    return result.invalid ? kExitFailed : kExitOk;
}

int RunSet(const QStringList& arguments) {
    if (arguments.size() < 2)
        return UsageError(QStringLiteral("set needs a database and OPTION=VALUE"));
    struct Assignment {
        OptionId id;
        int value;
    };
    std::vector<Assignment> assignments;
    for (const QString& text : arguments.mid(1)) {
        const qsizetype equals = text.indexOf(QLatin1Char('='));
        bool isNumber = false;
        const int value = equals > 0 ? text.mid(equals + 1).toInt(&isNumber) : 0;
        const std::optional<OptionId> id =
            equals > 0 ? FindOption(text.left(equals).toStdString()) : std::nullopt;
        if (!id || !isNumber)
            return UsageError(
                QStringLiteral("'%1' is not OPTION=NUMBER with a known option").arg(text));
        assignments.push_back({*id, value});
    }
    DatabaseSession session(arguments.first());
    if (!session.Open(true))
        return kExitFailed;
    OptionModel& options = session.document().options();
    for (const Assignment& assignment : assignments) {
        if (!options.setValue(assignment.id, assignment.value))
            return UsageError(
                QStringLiteral("%1=%2 is out of range (%3..%4)")
                    .arg(QString::fromLatin1(RowOf(assignment.id).name.data(),
                                             qsizetype(RowOf(assignment.id).name.size())))
                    .arg(assignment.value)
                    .arg(options.minimum(assignment.id))
                    .arg(options.maximum(assignment.id)));
    }
    session.document().setOptionsChanged(true);
    return session.Save() ? kExitOk : kExitFailed;
}

} // namespace lumadex::cli
