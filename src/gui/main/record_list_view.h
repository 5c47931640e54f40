#pragma once

#include <QStyledItemDelegate>
#include <QTableView>

namespace lumadex {

class Pdata;
class RecordListModel;

// Draws a row of a record list: one line of text, clipped to the row, one pixel right of its
// left edge, in the colours the model gives; selected rows on grey.
class RecordRowDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

// A list of picture records over a RecordListModel: a table of one column without headers or
// grid. Every row has the same fixed height, so the view places a million rows without
// laying out each (a list view would walk them all after every rebuild).
class RecordListView : public QTableView {
    Q_OBJECT
public:
    explicit RecordListView(QWidget* parent = nullptr);

    void setRecordModel(RecordListModel* model);
    RecordListModel* recordModel() const { return model_; }

    // Rows selected, in ascending order.
    QList<int> SelectedRows() const;
    int FirstSelectedRow() const;
    Pdata* FirstSelectedRecord() const;
    // Selects the one row (or nothing for -1) and shows it.
    void SelectRow(int row);

    // The numeric-keypad keys 1, 3, 4, 6, 7 and 9 go to the window instead of moving the list.
    void setPassKeypadKeys(bool on) { passKeypadKeys_ = on; }

Q_SIGNALS:
    void Clicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void FitRowHeightToFont();

    RecordListModel* model_ = nullptr;
    bool passKeypadKeys_ = false;
};

} // namespace lumadex
