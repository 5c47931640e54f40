#include "option_dialog/option_radio_group.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

namespace lumadex {

OptionRadioGroup::OptionRadioGroup(const QString& caption, const QStringList& items,
                                   QWidget* parent)
    : QGroupBox(caption, parent), buttons_(new QButtonGroup(this)) {
    auto* layout = new QVBoxLayout(this);
    for (qsizetype i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        buttons_->addButton(button, int(i));
        layout->addWidget(button);
    }
    connect(buttons_, &QButtonGroup::idClicked, this, &OptionRadioGroup::ItemClicked);
}

int OptionRadioGroup::ItemIndex() const {
    return buttons_->checkedId();
}

void OptionRadioGroup::SetItemIndex(int index) {
    if (QAbstractButton* button = buttons_->button(index))
        button->setChecked(true);
}

QRadioButton* OptionRadioGroup::Item(int index) const {
    return qobject_cast<QRadioButton*>(buttons_->button(index));
}

} // namespace lumadex
