#pragma once

#include "option_dialog/TOption.h"
#include "option_dialog/option_radio_group.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QSlider>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace lumadex::test {

// Brings the control's page to the front and clicks the control's box, as a user would.
inline void ClickControl(TOption& dialog, QAbstractButton* button) {
    ASSERT_NE(button, nullptr);
    QWidget* page = button;
    while (page != nullptr && dialog.PageControl1->indexOf(page) < 0)
        page = page->parentWidget();
    if (page != nullptr)
        dialog.PageControl1->setCurrentWidget(page);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

inline void ClickNamed(TOption& dialog, const char* name) {
    ClickControl(dialog, dialog.findChild<QAbstractButton*>(QString::fromLatin1(name)));
}

// The value an option's control shows, read the way its kind holds it.
inline int ShownValue(const TOption& dialog, OptionId id) {
    QWidget* control = dialog.ControlOf(id);
    switch (RowOf(id).kind) {
    case OptionKind::CheckBox:
    case OptionKind::RadioButton:
        return static_cast<QAbstractButton*>(control)->isChecked() ? 1 : 0;
    case OptionKind::TrackBar:
        return static_cast<QSlider*>(control)->value();
    case OptionKind::RadioGroup:
        return static_cast<OptionRadioGroup*>(control)->ItemIndex();
    case OptionKind::NumberEdit:
        return static_cast<QLineEdit*>(control)->text().toInt();
    }
    return -1;
}

inline std::string NameOf(OptionId id) {
    return std::string(RowOf(id).name);
}

} // namespace lumadex::test
