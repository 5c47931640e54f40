#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

namespace lumadex {

// A captioned group of radio buttons whose value is the index of the checked item.
class OptionRadioGroup : public QGroupBox {
    Q_OBJECT
public:
    OptionRadioGroup(const QString& caption, const QStringList& items, QWidget* parent = nullptr);

    int ItemIndex() const;
    // Checks the item; an index outside the items leaves the group as it is.
    void SetItemIndex(int index);
    QRadioButton* Item(int index) const;

Q_SIGNALS:
    void ItemClicked(int index);

private:
    QButtonGroup* buttons_;
};

} // namespace lumadex
