#include "main/screenshot.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPixmap>
#include <QWidget>

namespace lumadex {
namespace {

bool HasMoreThanOneColour(const QImage& image) {
    if (image.isNull())
        return false;
    const QRgb first = image.pixel(0, 0);
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (row[x] != first)
                return true;
        }
    }
    return false;
}

} // namespace

bool SaveScreenshot(QWidget& widget, const QString& filePath) {
    const QImage image = widget.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    if (image.isNull())
        return false;
    if (!QDir().mkpath(QFileInfo(filePath).absolutePath()))
        return false;
    const bool written = image.save(filePath, "PNG");
    return written && HasMoreThanOneColour(image);
}

} // namespace lumadex
