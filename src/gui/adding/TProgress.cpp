#include "adding/TProgress.h"

#include "catalogue/signature.h"
#include "codecs/bitmap.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace lumadex {
namespace {

constexpr int kImageSide = 105;

// The picture scaled to size by nearest samples: enough for a glance at what is being
// analysed, and cheap even for a photograph of many megapixels.
QImage StretchedImage(const Bitmap& picture, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        const int sourceY = int(qint64(y) * picture.height() / size.height());
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const Colour colour =
                picture.pixel(int(qint64(x) * picture.width() / size.width()), sourceY);
            line[x] = qRgb(RedOf(colour), GreenOf(colour), BlueOf(colour));
        }
    }
    return image;
}

QProgressBar* CellBar(const char* name) {
    auto* bar = new QProgressBar;
    bar->setObjectName(QString::fromLatin1(name));
    bar->setRange(0, kSignatureCells);
    bar->setValue(0);
    bar->setTextVisible(false);
    return bar;
}

QLabel* NamedLabel(const char* name, const QString& text) {
    auto* label = new QLabel(text);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

} // namespace

TProgress::TProgress(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("Progress"));
    setWindowTitle(QStringLiteral("Progress"));

    Image1 = NamedLabel("Image1", QString());
    Image1->setFixedSize(kImageSide, kImageSide);
    Image1->setAutoFillBackground(true);
    Label2 = NamedLabel("Label2", QStringLiteral("Picture"));
    ProgressBar1 = CellBar("ProgressBar1");
    Label1 = NamedLabel("Label1", QStringLiteral("Files"));
    ProgressBar2 = CellBar("ProgressBar2");
    Abort = new QPushButton(QStringLiteral("Abort"));
    Abort->setObjectName(QStringLiteral("Abort"));
    Abort->setAutoDefault(false);

    auto* bars = new QGridLayout;
    bars->addWidget(Label2, 0, 0);
    bars->addWidget(ProgressBar1, 0, 1);
    bars->addWidget(Label1, 1, 0);
    bars->addWidget(ProgressBar2, 1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Image1, 0, Qt::AlignHCenter);
    layout->addLayout(bars);
    layout->addWidget(Abort, 0, Qt::AlignHCenter);
    setMinimumWidth(320);

    connect(Abort, &QPushButton::clicked, this, &TProgress::AbortClick);
}

void TProgress::ShowPicture(const Bitmap& picture) {
    if (picture.isEmpty()) {
        ClearImage();
        return;
    }
    Image1->setPixmap(QPixmap::fromImage(StretchedImage(picture, Image1->size())));
}

void TProgress::ShowCellsDone(int cells) {
    ProgressBar1->setValue(cells);
}

void TProgress::ShowFilesDone(int started, int total) {
    ProgressBar2->setMaximum(total);
    ProgressBar2->setValue(started);
}

void TProgress::SetFilesBarVisible(bool visible) {
    ProgressBar2->setVisible(visible);
    Label1->setVisible(visible);
}

void TProgress::AbortClick() {
    work.Stop();
}

void TProgress::reject() {
    AbortClick();
}

void TProgress::showEvent(QShowEvent* event) {
    ProgressBar1->setValue(0);
    ProgressBar2->setValue(0);
    ClearImage();
    work.Start();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    QDialog::showEvent(event);
}

void TProgress::ClearImage() {
    Image1->clear();
}

} // namespace lumadex
