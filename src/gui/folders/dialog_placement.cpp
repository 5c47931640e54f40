#include "folders/dialog_placement.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace lumadex {

void PlaceDialogAtCursor(QWidget& dialog) {
    const QPoint pointer = QCursor::pos();
    QRect frame = dialog.frameGeometry();
    frame.moveCenter(pointer);
    if (const QScreen* screen = QGuiApplication::screenAt(pointer)) {
        const QRect available = screen->availableGeometry();
        frame.moveRight(qMin(frame.right(), available.right()));
        frame.moveBottom(qMin(frame.bottom(), available.bottom()));
        frame.moveLeft(qMax(frame.left(), available.left()));
        frame.moveTop(qMax(frame.top(), available.top()));
    }
    dialog.move(frame.topLeft());
}

} // namespace lumadex
