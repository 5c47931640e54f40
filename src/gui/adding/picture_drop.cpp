#include "adding/picture_drop.h"

#include "adding/picture_adder.h"

#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>

namespace lumadex {

QStringList DroppedLocalPaths(const QMimeData& data) {
    QStringList paths;
    if (!data.hasUrls())
        return paths;
    for (const QUrl& url : data.urls())
        if (url.isLocalFile())
            paths << QDir::toNativeSeparators(url.toLocalFile());
    return paths;
}

PictureDropTarget::PictureDropTarget(QWidget& window, PictureAdder& adder)
    : QObject(&window), adder_(adder) {
    window.setAcceptDrops(true);
    window.installEventFilter(this);
}

bool PictureDropTarget::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDropEvent*>(event);
        if (adder_.busy() || DroppedLocalPaths(*drag->mimeData()).isEmpty())
            return false;
        drag->setDropAction(Qt::CopyAction);
        drag->accept();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QStringList paths = DroppedLocalPaths(*drop->mimeData());
        if (paths.isEmpty())
            return false;
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        PictureAdder* adder = &adder_;
        QTimer::singleShot(0, adder, [adder, paths] { adder->AddDroppedPaths(paths); });
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}

} // namespace lumadex
