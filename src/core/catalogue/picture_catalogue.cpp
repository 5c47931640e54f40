#include "catalogue/picture_catalogue.h"

#include "catalogue/log_file.h"
#include "catalogue/picture_preparation.h"

#include <QDateTime>
#include <QScopeGuard>
#include <algorithm>

namespace lumadex {
namespace {

// Largest decode buffer kept between analyses: a 40-megapixel colour photograph.
constexpr std::size_t kKeptDecodeBufferBytes = std::size_t(128) << 20;

CatalogueListener& SilentListener() {
    static CatalogueListener silent;
    return silent;
}

} // namespace

PictureCatalogue::PictureCatalogue(PictureLoader loader)
    : loader_(std::move(loader)), listener_(&SilentListener()) {}

void PictureCatalogue::SetListener(CatalogueListener* listener) {
    listener_ = listener ? listener : &SilentListener();
}

bool PictureCatalogue::IsNewlyAdded(const Pdata* record) const {
    return std::find(newAdded_.begin(), newAdded_.end(), record) != newAdded_.end();
}

void PictureCatalogue::LogMessage(const QString& text) {
    if (logToFile_)
        AppendToLogFile(programFolder_, LogFileLine(QDateTime::currentDateTime(), text));
    listener_->ShowStatus(text);
    errorHistory_.Add(text);
    listener_->ErrorHintChanged(errorHistory_.HintText());
}

ItemResult PictureCatalogue::AnalyseFile(const QString& path, AnalysisObserver& observer) {
    const QString reading = QStringLiteral("Reading ") + path;
    observer.ShowStatus(StatusPanel::Progress, reading);
    observer.ShowProgressCaption(reading);

    PreparedPicture picture = PreparePicture(path, loader_, std::move(decodeBuffer_));
    // The next analysis decodes into the same storage, unless it is unusually large.
    const auto keepBuffer = qScopeGuard([&] {
        if (picture.bitmap.capacity() <= kKeptDecodeBufferBytes)
            decodeBuffer_ = std::move(picture.bitmap);
    });
    if (!picture.ready()) {
        LogMessage(picture.failure);
        return ItemResult::Skipped;
    }
    observer.ShowPicture(picture.bitmap);
    observer.ShowStatus(StatusPanel::Progress, QStringLiteral("Analyzing"));
    observer.ShowProgressCaption(QStringLiteral("Analyzing ") + path);

    auto record = std::make_unique<Pdata>(path);
    const std::int32_t bits =
        ComputeSignature(picture.bitmap, *record, false, 0, 0, 0, 0, &observer);
    if (observer.StopAsked()) {
        observer.ShowStatus(StatusPanel::Result, QStringLiteral("Aborted"));
        return ItemResult::Stopped;
    }
    if (bits == -1) {
        LogMessage(QStringLiteral("Analyze error"));
        return ItemResult::Skipped;
    }
    record->fileSize = picture.fileSize;
    record->fileTime = picture.fileTime;
    AddAnalysedRecord(std::move(record));
    return ItemResult::Done;
}

void PictureCatalogue::AddAnalysedRecord(std::unique_ptr<Pdata> record) {
    Pdata& added = *record;
    catalogue_.AddRecord(std::move(record));
    newAdded_.push_back(&added);
    dataChanged_ = true;
    listener_->RecordAnalysed(added);
}

void PictureCatalogue::DeleteRecord(int index) {
    Pdata& record = catalogue_.at(index);
    listener_->RecordRemoving(record);
    std::erase(newAdded_, &record);
    catalogue_.RemoveAt(index);
    dataChanged_ = true;
}

void PictureCatalogue::ClearRecords() {
    listener_->CatalogueClearing();
    newAdded_.clear();
    catalogue_.Clear();
}

} // namespace lumadex
