#include "document/document.h"

#include <QDir>

namespace lumadex {
namespace {

DocumentObserver& SilentObserver() {
    static DocumentObserver silent;
    return silent;
}

} // namespace

QString EmergencyDatabasePath() {
    return QDir(QDir::homePath()).filePath(QStringLiteral("emergency.lx2"));
}

Document::Document(PictureLoader loader, UserQuestions& questions)
    : pictures_(std::move(loader)), questions_(questions), observer_(&SilentObserver()) {
    pictures_.SetListener(this);
    const QString allFiles = QStringLiteral("All (*)");
    openDialog_ = {QStringLiteral("lxb"),
                   QStringLiteral("*.lx2;*.lxb"),
                   {},
                   {QStringLiteral("Lumadex Database(ly2,lxb) (*.lx2 *.lxb)"), allFiles}};
    saveDialog_ = {QStringLiteral("lx2"),
                   {},
                   {},
                   {QStringLiteral("Lumadex2 Database(lx2) (*.lx2)"), allFiles}};
}

Document::~Document() {
    pictures_.SetListener(nullptr);
}

void Document::SetObserver(DocumentObserver* observer) {
    observer_ = observer ? observer : &SilentObserver();
}

void Document::ClearChangeFlags() {
    setDataChanged(false);
    optionsChanged_ = false;
    oldFormatRead_ = false;
}

int Document::selectedIndex() const {
    return catalogue().IndexOf(currentReference_);
}

QString Document::Title() const {
    QString title = databasePath_.isEmpty()
                        ? QStringLiteral("Lumadex Lite [New]")
                        : QStringLiteral("Lumadex Lite [") + databasePath_ + QStringLiteral("]");
    if (dataChanged())
        title += QLatin1Char('*');
    if (optionsChanged_)
        title += QLatin1Char('+');
    if (oldFormatRead_)
        title += QLatin1Char('!');
    return title;
}

void Document::UpdateTitle(bool changed) {
    if (changed)
        setDataChanged(true);
    if (!databasePath_.isEmpty())
        history_.add(databasePath_, options_.value(OptionId::HistoryCount));
    observer_->ShowCaption(Title());
    observer_->TitleUpdated();
}

bool Document::ClearAllData() {
    if (reading_)
        return false;
    if (dataChanged() &&
        questions_.Ask(QStringLiteral("Clear all entries?"), QStringLiteral("Confirm"),
                       MessageButtons::YesNo, MessageIcon::Question) != Answer::Yes)
        return false;
    observer_->ShowStatus(StatusField::Result, QStringLiteral("Clear List..."));
    ClearContents();
    ClearChangeFlags();
    observer_->ShowStatus(StatusField::Result, QString());
    databasePath_.clear();
    observer_->DataCleared();
    UpdateTitle(false);
    return true;
}

void Document::ClearContents() {
    // The lists let go of the records (through CatalogueClearing) before they are destroyed.
    pictures_.ClearRecords();
    // The memo slots and groups belong to the records just destroyed; a database read next
    // starts from an empty store.
    memos_.Clear();
    mismatchNumbers_.Clear();
}

void Document::ShowStatus(const QString& text) {
    if (listener_)
        listener_->ShowStatus(text);
}

void Document::ErrorHintChanged(const QString& hint) {
    if (listener_)
        listener_->ErrorHintChanged(hint);
}

void Document::RecordAnalysed(Pdata& record) {
    if (listener_)
        listener_->RecordAnalysed(record);
}

void Document::RecordRemoving(Pdata& record) {
    if (currentReference_ == &record)
        currentReference_ = nullptr;
    if (listener_)
        listener_->RecordRemoving(record);
}

void Document::CatalogueClearing() {
    currentReference_ = nullptr;
    if (listener_)
        listener_->CatalogueClearing();
}

} // namespace lumadex
