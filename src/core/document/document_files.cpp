// The database file commands of the document: Save, Save As, Open, Import and the read.

#include "document/document.h"
#include "store/database_reader.h"
#include "store/database_stored_path.h"
#include "store/database_writer.h"

#include <QFile>
#include <QFileInfo>
#include <memory>
#include <new>
#include <optional>
#include <utility>

namespace lumadex {
namespace {

const char kSeriousError[] = "Serious Error";

// The file name without folder and extension.
QString BaseName(const QString& path) {
    return QFileInfo(path).completeBaseName();
}

// The folder part with its trailing separator.
QString FolderOf(const QString& path) {
    return path.left(FolderPartLength(path));
}

struct FileBytes {
    std::unique_ptr<std::uint8_t[]> data;
    std::size_t size = 0;

    std::span<const std::uint8_t> view() const { return {data.get(), size}; }
};

// The whole file in one buffer; nothing when it cannot be read.
std::optional<FileBytes> ReadWholeFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return std::nullopt;
    const qint64 size = file.size();
    if (size < 0)
        return std::nullopt;
    FileBytes bytes;
    try {
        bytes.data = std::make_unique_for_overwrite<std::uint8_t[]>(std::size_t(size));
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    char* const start = reinterpret_cast<char*>(bytes.data.get());
    qint64 got = 0;
    while (got < size) {
        const qint64 count = file.read(start + got, size - got);
        if (count < 0)
            return std::nullopt;
        if (count == 0)
            break;
        got += count;
    }
    bytes.size = std::size_t(got);
    return bytes;
}

ReadOutcome OutcomeOf(DatabaseReadStatus status) {
    switch (status) {
    case DatabaseReadStatus::NotDatabase:
        return ReadOutcome::NotDatabase;
    case DatabaseReadStatus::Broken:
        return ReadOutcome::Broken;
    case DatabaseReadStatus::Stopped:
        return ReadOutcome::Stopped;
    case DatabaseReadStatus::Complete:
        break;
    }
    return ReadOutcome::Complete;
}

} // namespace

class Document::WriteProgress : public DatabaseWriteObserver {
public:
    explicit WriteProgress(Document& document) : document_(document) {}

    void RecordsStarting(int recordCount) override {
        document_.observer_->ShowProgress(recordCount);
    }
    void RecordReached(int index) override { document_.observer_->SetProgress(index); }
    void RecordLeftOut(const Pdata& record) override {
        document_.pictures_.LogMessage(QStringLiteral("Path cannot be saved:") + record.fileName);
    }

private:
    Document& document_;
};

class Document::ReadProgress : public DatabaseReadObserver {
public:
    explicit ReadProgress(Document& document) : document_(document) {}

    void HeaderRead(const DatabaseHeaderInfo& header) override {
        if (header.isOldFormat()) {
            document_.observer_->ShowStatus(StatusField::Progress,
                                            QString::fromLatin1(kReadingPreviousVersionText));
            document_.oldFormatRead_ = true;
        } else {
            document_.observer_->ShowProgress(header.recordCount);
        }
    }
    void RecordsAdded(int count) override {
        document_.observer_->ShowStatus(StatusField::Count,
                                        QString::number(count) + QStringLiteral(" Files"));
        document_.observer_->SetProgress(count);
    }
    void DuplicateDropped(int count) override { document_.observer_->SetProgress(count); }
    bool ShouldStop() override {
        return document_.options_.isChecked(OptionId::AllowRobustOperation) &&
               document_.observer_->ShouldStop();
    }

private:
    Document& document_;
};

SaveOutcome Document::Save() {
    if (reading_)
        return SaveOutcome::Cancelled;
    if (databasePath_.isEmpty())
        return SaveAs();
    const QFileInfo file(databasePath_);
    if (file.suffix().toLower() == QStringLiteral("lxb") &&
        questions_.Ask(QStringLiteral("Change file extension to 'lx2' ?"),
                       QStringLiteral("Confirm"), MessageButtons::YesNo,
                       MessageIcon::Question) == Answer::Yes) {
        saveDialog_.fileName = file.completeBaseName() + QStringLiteral(".lx2");
        saveDialog_.folder = FolderOf(databasePath_);
        return SaveAs();
    }
    const SaveOutcome outcome = WriteDatabase(databasePath_);
    UpdateTitle(false);
    return outcome;
}

SaveOutcome Document::SaveAs() {
    if (reading_)
        return SaveOutcome::Cancelled;
    const FileChoice choice = questions_.ChooseFileToSave(saveDialog_);
    switch (choice.status) {
    case FileChoiceStatus::Cancelled:
        observer_->ShowStatus(StatusField::Result, QStringLiteral("Save Canceled."));
        return SaveOutcome::Cancelled;
    case FileChoiceStatus::DialogFailed:
        databasePath_ = EmergencyDatabasePath();
        questions_.Ask(QStringLiteral("Can't execute Dialogbox.Data is save as <") + databasePath_ +
                           QStringLiteral(">"),
                       QString::fromLatin1(kSeriousError), MessageButtons::Ok, MessageIcon::Error);
        break;
    case FileChoiceStatus::Chosen:
        databasePath_ = choice.path;
        saveDialog_.fileName = QFileInfo(choice.path).fileName();
        saveDialog_.folder = FolderOf(choice.path);
        break;
    }
    const SaveOutcome outcome = WriteDatabase(databasePath_);
    UpdateTitle(false);
    return outcome;
}

SaveOutcome Document::WriteDatabase(const QString& path) {
    const DatabaseHeader header =
        BuildDatabaseHeader(options_, selectedIndex(), catalogue().count());
    observer_->SetBusy(true);
    observer_->ShowStatus(StatusField::Progress, QStringLiteral("Saving...."));
    WriteProgress progress(*this);
    const DatabaseWriteStatus status =
        WriteDatabaseFile(path, header, memos_, catalogue(), progress);
    observer_->HideProgress();
    observer_->SetBusy(false);
    switch (status) {
    case DatabaseWriteStatus::CantCreate:
        pictures_.LogMessage(QStringLiteral("Can't open ") + path);
        return SaveOutcome::Failed;
    case DatabaseWriteStatus::WriteFailed:
        pictures_.LogMessage(QStringLiteral("Write error. Disk full?"));
        questions_.Ask(QStringLiteral("Data is NOT saved completely.\nPlease check your disk and "
                                      "retry."),
                       QString::fromLatin1(kSeriousError), MessageButtons::Ok, MessageIcon::Error);
        return SaveOutcome::Failed;
    case DatabaseWriteStatus::Written:
        break;
    }
    ClearChangeFlags();
    observer_->ShowStatus(StatusField::Result, QStringLiteral("Save done."));
    return SaveOutcome::Saved;
}

void Document::Open() {
    if (reading_)
        return;
    if (hasUnsavedChanges()) {
        const Answer answer =
            questions_.Ask(QStringLiteral("Data changed. Save?"), BaseName(databasePath_),
                           MessageButtons::YesNoCancel, MessageIcon::Question);
        // Going on after a save that did not complete would clear the unsaved data.
        if (answer == Answer::Cancel || (answer == Answer::Yes && Save() != SaveOutcome::Saved)) {
            observer_->ShowStatus(StatusField::Result, QStringLiteral("Open Database Canceled."));
            return;
        }
    }
    setDataChanged(false);
    ClearAllData();
    observer_->ShowStatus(StatusField::Result, QStringLiteral("Data cleared."));
    ReadDatabase();
    setDataChanged(false);
    optionsChanged_ = false;
    UpdateTitle(false);
}

ReadOutcome Document::Import() {
    if (reading_)
        return ReadOutcome::Cancelled;
    const QString remembered = databasePath_;
    if (options_.isChecked(OptionId::AllowRobustOperation))
        observer_->ShowStopButton(true);
    mergeMode_ = true;
    const ReadOutcome outcome = ReadDatabase();
    const bool read = outcome == ReadOutcome::Complete || outcome == ReadOutcome::Broken ||
                      outcome == ReadOutcome::Stopped;
    // A new database has no name to combine with the imported one's, and a file that gave
    // nothing leaves the name as it was.
    if (read && options_.isChecked(OptionId::AutoRenameAtMerge) && !remembered.isEmpty())
        databasePath_ = FolderOf(remembered) + BaseName(remembered) + QLatin1Char('&') +
                        BaseName(databasePath_) + QStringLiteral(".lx2");
    else
        databasePath_ = remembered;
    UpdateTitle(false);
    mergeMode_ = false;
    observer_->ShowStopButton(false);
    return outcome;
}

ReadOutcome Document::ReadDatabase() {
    if (reading_)
        return ReadOutcome::Cancelled;
    QString path = std::exchange(pendingDatabasePath_, QString());
    if (path.isEmpty()) {
        const FileChoice choice = questions_.ChooseFileToOpen(openDialog_);
        if (choice.status != FileChoiceStatus::Chosen)
            return ReadOutcome::Cancelled;
        path = choice.path;
        openDialog_.fileName = QFileInfo(path).fileName();
        openDialog_.folder = FolderOf(path);
    }
    return ReadDatabaseFile(path);
}

ReadOutcome Document::ReadDatabaseFile(const QString& path) {
    const QString remembered = std::exchange(databasePath_, path);
    observer_->ShowStatus(StatusField::Progress, QStringLiteral("Reading DataBase..."));
    observer_->ShowCaption(QStringLiteral("Reading <") + QFileInfo(path).fileName() +
                           QStringLiteral(">"));
    observer_->SetBusy(true);

    ReadOutcome outcome = ReadOutcome::CantOpen;
    DatabaseHeaderInfo header;
    if (const std::optional<FileBytes> bytes = ReadWholeFile(path)) {
        ReadProgress progress(*this);
        reading_ = true;
        const DatabaseReadResult result = ReadDatabaseBytes(
            bytes->view(), {catalogue(), memos_, mismatchNumbers_, options_, mergeMode_}, progress);
        reading_ = false;
        if (result.changed)
            setDataChanged(true);
        header = result.header;
        outcome = OutcomeOf(result.status);
    }
    switch (outcome) {
    case ReadOutcome::CantOpen:
        pictures_.LogMessage(QStringLiteral("Can't open ") + path);
        databasePath_ = remembered;
        break;
    case ReadOutcome::NotDatabase:
        pictures_.LogMessage(
            QStringLiteral("File format error:This file is not Lumadex database."));
        databasePath_ = remembered;
        break;
    case ReadOutcome::Broken:
        pictures_.LogMessage(QStringLiteral("File read error:File is broken.SCANDISK NOW!!"));
        break;
    default:
        break;
    }

    observer_->HideProgress();
    observer_->SetBusy(false);
    const int selected = header.selectedIndex;
    Pdata* recordToSelect = !mergeMode_ && selected >= 0 && selected < catalogue().count()
                                ? &catalogue().at(selected)
                                : nullptr;
    observer_->DatabaseRead(recordToSelect, FolderOf(databasePath_));
    observer_->ShowStatus(StatusField::Result, QStringLiteral("Reading DataBase...Done"));
    return outcome;
}

} // namespace lumadex
