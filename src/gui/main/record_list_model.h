#pragma once

#include "catalogue/record_list_store.h"
#include "catalogue/sort_key.h"

#include <QAbstractListModel>
#include <QColor>

namespace lumadex {

class PictureCatalogue;

// The colours of a list row: newly added pictures stand out in red (yellow while selected),
// and a disabled Reference list is drawn greyed.
struct RowColours {
    QColor text;
    QColor selectedText;
};
RowColours RowColoursFor(bool newlyAdded, bool greyed);

// Background of a selected row in both lists.
inline const QColor kSelectedRowBackground{128, 128, 128};

// A virtual list over a RecordListStore: the view asks only for the rows it shows, so a list
// of a million records costs no more to show than a list of ten. The store is changed through
// this model so that the view and its selection follow.
class RecordListModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum Role {
        RecordRole = Qt::UserRole + 1, // the row's Pdata*
        SelectedForegroundRole,        // text colour while the row is selected
    };

    RecordListModel(RecordListStore& store, const PictureCatalogue& pictures,
                    QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    RecordListStore& store() { return store_; }
    Pdata* recordAt(int row) const;
    // The text a row shows: the full path, or the file name alone.
    QStringView RowText(int row) const;

    void setShowPathName(bool on);
    // A disabled list is drawn greyed.
    void setGreyed(bool on);

    // Adds one record in its sorted place as an inserted row, so that the selection stays.
    // Returns the row.
    int AddRecord(Pdata* record);
    // Adds many records at once; the view is rebuilt.
    void AddRecords(std::vector<Pdata*> records);
    // Sorts the rows again by new keys; the view is rebuilt.
    void Resort(SortKeyFunction keyOf);
    // Removes every row of record.
    void RemoveRecord(const Pdata* record);
    // Empties the list; records added later are sorted by keyOf.
    void Clear(SortKeyFunction keyOf);

private:
    void RepaintAll();

    RecordListStore& store_;
    const PictureCatalogue& pictures_;
    bool showPathName_ = false;
    bool greyed_ = false;
};

} // namespace lumadex
