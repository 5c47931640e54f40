#pragma once

#include "long_work/window_progress.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace lumadex {

class Bitmap;

// The progress window of adding pictures: the picture being analysed, the cells of its
// signature, the files done of a chosen set, and the Abort button. It stays on top and is
// shown while the main window keeps working; the adding runs through `work`.
class TProgress : public QDialog {
    Q_OBJECT
public:
    explicit TProgress(QWidget* parent = nullptr);

    // Shows the picture stretched over Image1.
    void ShowPicture(const Bitmap& picture);
    // Cells of the signature computed so far (0 .. 16).
    void ShowCellsDone(int cells);
    // Files started of the chosen files; the bar's maximum becomes total.
    void ShowFilesDone(int started, int total);
    // Shows or hides ProgressBar2 with its label Label1.
    void SetFilesBarVisible(bool visible);

    QLabel* Image1;
    QLabel* Label2;
    QProgressBar* ProgressBar1;
    QLabel* Label1;
    QProgressBar* ProgressBar2;
    QPushButton* Abort;

    // The adding's events and stop flag: Abort stops it; each showing starts it afresh.
    // Analysis offers a safe point per column of samples, a few hundred per picture, and
    // events run at every one, so the bars move and Abort is taken within the cell.
    WindowProgress work{std::chrono::milliseconds(0)};

public Q_SLOTS:
    void AbortClick();
    // Escape asks to abort like the button, instead of hiding the window mid-analysis.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ClearImage();
};

} // namespace lumadex
