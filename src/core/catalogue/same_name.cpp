#include "catalogue/same_name.h"

#include "catalogue/path_order.h"
#include "options/option_model.h"

namespace lumadex {
namespace {

// Destroys every record with the fresh record's path except the fresh record itself.
void DropReplacedRecords(PictureCatalogue& pictures, const Pdata& fresh) {
    const Catalogue& catalogue = pictures.catalogue();
    int index = catalogue.FindRecord(fresh.fileName);
    while (index >= 0 && index < catalogue.count() &&
           ComparePathKeys(catalogue.at(index).fileName, fresh.fileName) == 0) {
        if (&catalogue.at(index) == &fresh)
            ++index;
        else
            pictures.DeleteRecord(index);
    }
}

} // namespace

SameNameRule SameNameRuleOf(const OptionModel& options) {
    return SameNameRule(options.choice(RadioChoice::AddingSameFilename));
}

std::optional<ItemResult> AddUnderSameNameRule(PictureCatalogue& pictures, const QString& path,
                                               SameNameRule rule, AnalysisObserver& observer) {
    const bool known = pictures.catalogue().FindRecord(path) >= 0;
    if (known && rule == SameNameRule::DontAdd)
        return std::nullopt;
    const ItemResult result = pictures.AnalyseFile(path, observer);
    if (known && rule == SameNameRule::Replace && result == ItemResult::Done)
        DropReplacedRecords(pictures, *pictures.newAdded().back());
    return result;
}

} // namespace lumadex
