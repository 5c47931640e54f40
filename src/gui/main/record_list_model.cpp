#include "main/record_list_model.h"

#include "catalogue/picture_catalogue.h"
#include "catalogue/sort_key.h"

namespace lumadex {

RowColours RowColoursFor(bool newlyAdded, bool greyed) {
    const QColor red(255, 0, 0);
    if (greyed)
        return {newlyAdded ? red : QColor(192, 192, 192), newlyAdded ? red : QColor(Qt::white)};
    if (newlyAdded)
        return {red, QColor(255, 255, 0)};
    return {QColor(Qt::black), QColor(Qt::white)};
}

RecordListModel::RecordListModel(RecordListStore& store, const PictureCatalogue& pictures,
                                 QObject* parent)
    : QAbstractListModel(parent), store_(store), pictures_(pictures) {}

int RecordListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : store_.count();
}

Pdata* RecordListModel::recordAt(int row) const {
    return row >= 0 && row < store_.count() ? store_.recordAt(row) : nullptr;
}

QStringView RecordListModel::RowText(int row) const {
    const QString& path = store_.recordAt(row)->fileName;
    return showPathName_ ? QStringView(path) : FileNameOf(path);
}

QVariant RecordListModel::data(const QModelIndex& index, int role) const {
    const Pdata* record = recordAt(index.row());
    if (!index.isValid() || !record)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return RowText(index.row()).toString();
    case Qt::ToolTipRole:
        return record->fileName;
    case RecordRole:
        return QVariant::fromValue(static_cast<void*>(const_cast<Pdata*>(record)));
    case Qt::ForegroundRole:
        return RowColoursFor(pictures_.IsNewlyAdded(record), greyed_).text;
    case SelectedForegroundRole:
        return RowColoursFor(pictures_.IsNewlyAdded(record), greyed_).selectedText;
    default:
        return {};
    }
}

void RecordListModel::setShowPathName(bool on) {
    if (showPathName_ == on)
        return;
    showPathName_ = on;
    RepaintAll();
}

void RecordListModel::setGreyed(bool on) {
    if (greyed_ == on)
        return;
    greyed_ = on;
    RepaintAll();
}

void RecordListModel::RepaintAll() {
    if (store_.count() > 0)
        Q_EMIT dataChanged(index(0), index(store_.count() - 1));
}

int RecordListModel::AddRecord(Pdata* record) {
    const RecordListStore::Place place = store_.PlaceOf(record);
    if (place.listed)
        return place.index;
    beginInsertRows(QModelIndex(), place.index, place.index);
    const int row = store_.Add(record);
    endInsertRows();
    return row;
}

void RecordListModel::AddRecords(std::vector<Pdata*> records) {
    beginResetModel();
    store_.AddAll(std::move(records));
    endResetModel();
}

void RecordListModel::Resort(SortKeyFunction keyOf) {
    beginResetModel();
    store_.Rekey(keyOf);
    endResetModel();
}

void RecordListModel::RemoveRecord(const Pdata* record) {
    const int row = store_.IndexOfRecord(record);
    if (row < 0)
        return;
    const bool onlyRow = [&] {
        for (int other = row + 1; other < store_.count(); ++other)
            if (store_.recordAt(other) == record)
                return false;
        return true;
    }();
    if (onlyRow)
        beginRemoveRows(QModelIndex(), row, row);
    else
        beginResetModel();
    store_.RemoveRecord(record);
    if (onlyRow)
        endRemoveRows();
    else
        endResetModel();
}

void RecordListModel::Clear(SortKeyFunction keyOf) {
    beginResetModel();
    store_.Clear();
    store_.Rekey(keyOf);
    endResetModel();
}

} // namespace lumadex
