#pragma once

#include <QObject>
#include <QStringList>

class QMimeData;
class QWidget;

namespace lumadex {

class PictureAdder;

// The local files and folders a drag carries, in the order given; empty when it carries
// none (text, remote addresses).
QStringList DroppedLocalPaths(const QMimeData& data);

// Lets files and folders from the desktop be dropped on a window: the window accepts drags
// that carry local paths, and a drop hands them to the adder once the drag has ended, so the
// program the drag came from is not held while the pictures are analysed.
class PictureDropTarget : public QObject {
    Q_OBJECT
public:
    PictureDropTarget(QWidget& window, PictureAdder& adder);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    PictureAdder& adder_;
};

} // namespace lumadex
