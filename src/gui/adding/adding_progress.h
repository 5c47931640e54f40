#pragma once

#include "catalogue/adding_session.h"

namespace lumadex {

class PictureAdder;
class TProgress;

// Shows the core's adding on the windows: the picture, the signature's cells and the files in
// the progress window, the status texts through the adder's signals. Its safe points and stop
// flag are the progress window's.
class AddingProgress : public AddingObserver {
public:
    AddingProgress(TProgress& progress, PictureAdder& adder) : progress_(progress), adder_(adder) {}

    void ShowStatus(StatusPanel panel, const QString& text) override;
    void ShowProgressCaption(const QString& text) override;
    void ShowPicture(const Bitmap& picture) override;
    void Advanced(int cellsDone, int cells) override;
    bool ShouldStop() override;
    bool StopAsked() const override;
    void ShowFileCount(const QString& text) override;
    void ShowFilesProgress(int started, int total) override;
    void RefreshLists() override;

private:
    TProgress& progress_;
    PictureAdder& adder_;
};

} // namespace lumadex
