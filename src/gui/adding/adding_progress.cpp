#include "adding/adding_progress.h"

#include "adding/picture_adder.h"
#include "adding/TProgress.h"

namespace lumadex {

void AddingProgress::ShowStatus(StatusPanel panel, const QString& text) {
    if (panel == StatusPanel::Progress)
        adder_.ShowProgressText(text);
    else
        Q_EMIT adder_.ResultText(text);
}

void AddingProgress::ShowProgressCaption(const QString& text) {
    progress_.setWindowTitle(text);
}

void AddingProgress::ShowPicture(const Bitmap& picture) {
    progress_.ShowPicture(picture);
}

void AddingProgress::Advanced(int cellsDone, int /*cells*/) {
    progress_.ShowCellsDone(cellsDone);
}

bool AddingProgress::ShouldStop() {
    return progress_.work.ShouldStop();
}

bool AddingProgress::StopAsked() const {
    return progress_.work.StopAsked();
}

void AddingProgress::ShowFileCount(const QString& text) {
    Q_EMIT adder_.StatusText(PictureAdder::kCountPanel, text);
}

void AddingProgress::ShowFilesProgress(int started, int total) {
    progress_.ShowFilesDone(started, total);
}

void AddingProgress::RefreshLists() {
    Q_EMIT adder_.RefreshListsRequested();
}

} // namespace lumadex
