#include "catalogue/record_list_store.h"
#include "catalogue/sort_key.h"
#include "cli/commands.h"
#include "cli/database_session.h"
#include "search/full_search.h"
#include "search/reference_search.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

namespace lumadex::cli {
namespace {

// Collects the records the full search lists into a Reference list.
class ReferenceListFiller : public FullSearchObserver {
public:
    explicit ReferenceListFiller(RecordListStore& list) : list_(list) {}
    void RecordListed(Pdata& record) override { list_.Add(&record); }

private:
    RecordListStore& list_;
};

struct ReferenceMatches {
    const Pdata* reference;
    std::vector<const Pdata*> matches; // in Target list order
};

} // namespace

int RunSimilar(const QStringList& arguments) {
    bool json = false;
    QStringList positional;
    for (const QString& argument : arguments) {
        if (argument == QLatin1String("--json"))
            json = true;
        else if (argument.startsWith(QLatin1String("--")))
            return UsageError(QStringLiteral("unknown option '%1'").arg(argument));
        else
            positional << argument;
    }
    if (positional.size() != 1)
        return UsageError(QStringLiteral("similar needs one database"));

    DatabaseSession session(positional.first());
    if (!session.Open(false))
        return kExitFailed;
    Document& document = session.document();
    const SortKeyFunction keyOf = ChooseSortKey(document.options());
    FullSearchSettings settings;
    settings.options = SearchOptionsFrom(document.options());
    settings.allowRobustOperation = false;

    RecordListStore referenceList(EqualKeys::Accept, ListKeyOrder(), keyOf);
    ReferenceListFiller filler(referenceList);
    ListSimilarPictures(document.catalogue(), settings, filler);

    std::vector<ReferenceMatches> results;
    for (int i = 0; i < referenceList.count(); ++i) {
        const Pdata& reference = *referenceList.recordAt(i);
        RecordListStore targetList(EqualKeys::OneEntryPerRecord, ListKeyOrder(), keyOf);
        targetList.AddAll(FindSimilarForReference(document.catalogue(), reference, settings.options,
                                                  settings.useSubIndex));
        ReferenceMatches entry{&reference, {}};
        for (int j = 0; j < targetList.count(); ++j)
            entry.matches.push_back(targetList.recordAt(j));
        results.push_back(std::move(entry));
    }

    if (json) {
        QJsonArray array;
        for (const ReferenceMatches& entry : results) {
            QJsonArray matches;
            for (const Pdata* match : entry.matches)
                matches.append(match->fileName);
            array.append(
                QJsonObject{{"reference", entry.reference->fileName}, {"matches", matches}});
        }
        std::fputs(QJsonDocument(array).toJson(QJsonDocument::Indented).constData(), stdout);
    } else {
        for (const ReferenceMatches& entry : results) {
            std::printf("%s\n", qUtf8Printable(entry.reference->fileName));
            for (const Pdata* match : entry.matches)
                std::printf("  %s\n", qUtf8Printable(match->fileName));
        }
    }
    return kExitOk;
}

} // namespace lumadex::cli
