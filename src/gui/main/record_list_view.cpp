#include "main/record_list_view.h"

#include "main/record_list_model.h"

#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <algorithm>

namespace lumadex {

void RecordRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    const auto* model = static_cast<const RecordListModel*>(index.model());
    const bool selected = option.state & QStyle::State_Selected;
    painter->save();
    painter->fillRect(option.rect,
                      selected ? kSelectedRowBackground : option.palette.color(QPalette::Base));
    const int role =
        selected ? int(RecordListModel::SelectedForegroundRole) : int(Qt::ForegroundRole);
    painter->setPen(index.data(role).value<QColor>());
    painter->setClipRect(option.rect);
    // The row text points into the record's path; no copy of it is made for drawing.
    const QStringView text = model->RowText(index.row());
    const QString shown = QString::fromRawData(text.data(), text.size());
    painter->drawText(option.rect.adjusted(1, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, shown);
    painter->restore();
}

QSize RecordRowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
    return {1, option.fontMetrics.height() + 2};
}

RecordListView::RecordListView(QWidget* parent) : QTableView(parent) {
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setShowGrid(false);
    setWordWrap(false);
    // A row shows one text clipped to the list's width.
    horizontalHeader()->setStretchLastSection(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    FitRowHeightToFont();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setTabKeyNavigation(false);
    setItemDelegate(new RecordRowDelegate(this));
}

void RecordListView::FitRowHeightToFont() {
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 2);
}

void RecordListView::changeEvent(QEvent* event) {
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        FitRowHeightToFont();
}

void RecordListView::setRecordModel(RecordListModel* model) {
    model_ = model;
    setModel(model);
}

QList<int> RecordListView::SelectedRows() const {
    QList<int> rows;
    if (!selectionModel())
        return rows;
    for (const QModelIndex& index : selectionModel()->selectedIndexes())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

int RecordListView::FirstSelectedRow() const {
    const QList<int> rows = SelectedRows();
    return rows.isEmpty() ? -1 : rows.first();
}

Pdata* RecordListView::FirstSelectedRecord() const {
    return model_ ? model_->recordAt(FirstSelectedRow()) : nullptr;
}

void RecordListView::SelectRow(int row) {
    if (row < 0 || row >= model_->rowCount()) {
        selectionModel()->clearSelection();
        return;
    }
    const QModelIndex index = model_->index(row);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
}

QModelIndex RecordListView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    // One column: Home and End go to the first and last rows, as in any list.
    if (action == MoveHome || action == MoveEnd)
        modifiers |= Qt::ControlModifier;
    return QTableView::moveCursor(action, modifiers);
}

void RecordListView::keyPressEvent(QKeyEvent* event) {
    static constexpr int kPassedKeys[] = {Qt::Key_1, Qt::Key_3, Qt::Key_4,
                                          Qt::Key_6, Qt::Key_7, Qt::Key_9};
    if (passKeypadKeys_ && (event->modifiers() & Qt::KeypadModifier) &&
        std::find(std::begin(kPassedKeys), std::end(kPassedKeys), event->key()) !=
            std::end(kPassedKeys)) {
        event->ignore();
        return;
    }
    QTableView::keyPressEvent(event);
}

void RecordListView::mouseReleaseEvent(QMouseEvent* event) {
    QTableView::mouseReleaseEvent(event);
    Q_EMIT Clicked();
}

} // namespace lumadex
