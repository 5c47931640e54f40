#include "catalogue/adding_session.h"

#include "options/option_model.h"

namespace lumadex {

AddingOptions AddingOptionsFrom(const OptionModel& options, std::optional<int> depthLimit,
                                QString extensionMask) {
    AddingOptions adding;
    adding.sameName = SameNameRuleOf(options);
    adding.depthLimit = depthLimit;
    adding.refreshLists = !options.isChecked(OptionId::NotUpdateListatAction);
    adding.extensionMask = std::move(extensionMask);
    return adding;
}

bool AddingSession::StopRequested() {
    if (!observer.StopAsked())
        return false;
    observer.ShowStatus(StatusPanel::Result, kAbortedText);
    return true;
}

bool AddingSession::StopAtSafePoint() {
    if (!observer.ShouldStop())
        return false;
    observer.ShowStatus(StatusPanel::Result, kAbortedText);
    return true;
}

bool AddingSession::IsAcceptedFile(const QString& name) const {
    return IsAcceptedExtension(ExtensionOf(name), options.extensionMask);
}

std::optional<ItemResult> AddingSession::AddFile(const QString& path) {
    if (StopRequested())
        return ItemResult::Stopped;
    return AddUnderSameNameRule(pictures, path, options.sameName, observer);
}

void AddingSession::ShowCatalogueCount() {
    observer.ShowFileCount(QString::number(pictures.catalogue().count()) +
                           QStringLiteral(" Files"));
}

void AddingSession::ShowListCount() {
    observer.ShowFileCount(QString::number(referenceList.count()) + u'/' +
                           QString::number(pictures.catalogue().count()));
}

} // namespace lumadex
