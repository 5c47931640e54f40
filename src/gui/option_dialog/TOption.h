#pragma once

#include "options/option_model.h"
#include "options/option_rows.h"

#include <QDialog>
#include <QHash>
#include <array>

class QBoxLayout;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QTabWidget;

namespace lumadex {

class OptionRadioGroup;
class UserQuestions;

// The option dialog ("Option"): one control per option of the document's OptionModel. The
// model keeps the values and the rules that tie controls together; the controls show the
// model and every user change goes through it.
class TOption : public QDialog {
    Q_OBJECT
public:
    // Edits the document's option model in place (OK keeps, Cancel restores what it was when
    // the dialog opened).
    TOption(OptionModel& options, UserQuestions& questions, QWidget* parent = nullptr);

    // Shows the model's current values in the controls (called after a database header or
    // the defaults were applied to the model).
    void ShowOptions();

    // The defaults loading of the start-up: applies "default.lx2" (else "default.lxb") to the
    // model like the Load Default button, without marking the options changed. Without a
    // defaults file it only announces the menu language the model holds.
    void LoadStartDefaults();

    // The control of an option.
    QWidget* ControlOf(OptionId id) const { return controls_[std::size_t(id)]; }

    bool changed = false;       // set when the user changed any option; reset by the caller
    bool searchChanged = false; // set when an option affecting search results changed

    QTabWidget* PageControl1 = nullptr;
    QWidget* TabSheet1 = nullptr;  // "Main Window"
    QWidget* Method = nullptr;     // "Find"
    QWidget* TabSheet2 = nullptr;  // "File"
    QWidget* TabSheet4 = nullptr;  // "DataBase"
    QWidget* TabSheet3 = nullptr;  // "Fullsize View"
    QWidget* Memo = nullptr;       // "Memo Manager", hidden
    QWidget* JpegOption = nullptr; // "JPEG Option"
    QWidget* PNGOption = nullptr;  // "PNG Option"

    QCheckBox* AutoViewLeft = nullptr;
    QCheckBox* AutoViewRight = nullptr;
    QCheckBox* KeepAspectRatio = nullptr;
    QCheckBox* AllowRobustOperation = nullptr;
    QCheckBox* ShowMemoonPreview = nullptr;
    QCheckBox* UseJapneseMenu = nullptr;
    QCheckBox* TargetListDragDrop = nullptr;
    QGroupBox* Sortby = nullptr;
    QRadioButton* byName = nullptr;
    QRadioButton* byPathname = nullptr;
    QRadioButton* RadioButtonbyDate = nullptr;
    QRadioButton* RadioButtonbySize = nullptr;
    QRadioButton* bySimilarity = nullptr;
    QCheckBox* ShoePathName = nullptr;
    QCheckBox* SmartSort = nullptr;

    QCheckBox* NotStrict = nullptr;
    QSlider* TrackBar1 = nullptr;
    QCheckBox* DoubleCheck = nullptr;
    QSlider* TrackBar3 = nullptr;
    QCheckBox* ShowreferenceinTarget = nullptr;
    QCheckBox* CheckBoxSameSizeOnly = nullptr;
    QSlider* TrackBarSizeRange = nullptr;
    QCheckBox* ExcludeSameFolder = nullptr;

    QGroupBox* WhenTargetExists = nullptr;
    QRadioButton* OverWrite = nullptr;
    QRadioButton* Skip = nullptr;
    QRadioButton* Ask = nullptr;
    QCheckBox* ConfirmDelete = nullptr;
    QCheckBox* TrackMoveCopy = nullptr;
    QCheckBox* NotUpdateListatAction = nullptr;
    QCheckBox* SameDriveOnly = nullptr;
    QCheckBox* DeleteEmptyFolderafterFileMove = nullptr;
    QLabel* LabelHistoryCount = nullptr;
    QLineEdit* HistoryCount = nullptr;

    QGroupBox* AddingSameFilename = nullptr;
    QRadioButton* Replace = nullptr;
    QRadioButton* NotCare = nullptr;
    QRadioButton* DontAdd = nullptr;
    QCheckBox* ConfirmClear = nullptr;
    QCheckBox* AutoRenameAtMerge = nullptr;

    QGroupBox* GroupBoxSlideShow = nullptr;
    QSlider* TrackBar2 = nullptr;
    QLabel* LabelInterval = nullptr;
    QCheckBox* WrapAround = nullptr;
    QCheckBox* Stretch = nullptr;
    QCheckBox* FixedPosition = nullptr;
    QCheckBox* FixedSize = nullptr;

    OptionRadioGroup* InitialStatus = nullptr;
    QCheckBox* AutoExpand = nullptr;
    QCheckBox* AutoSync = nullptr;

    QSlider* JpegQuality = nullptr;
    QLabel* LabelQual = nullptr;
    QCheckBox* GrayScale = nullptr;

    OptionRadioGroup* Compress = nullptr;

    QPushButton* OkButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QPushButton* SetDefault = nullptr;
    QPushButton* LoadDefault = nullptr;

public Q_SLOTS:
    // Cancel: the model, the flags and the controls return to what they were at opening.
    void reject() override;

Q_SIGNALS:
    void MenuLanguageChosen(bool japanese); // UseJapneseMenu clicked: menus switch at once
    void
    SortOrderChosen(int comboSortIndex); // a sort radio button clicked (0 Name .. 4 Similarity)
    // The long hint of the control under the mouse while Japanese menus and hints are chosen;
    // empty when the mouse leaves the control.
    void LongHintShown(const QString& hint);
    // A text for panel 0 of the main window's StatusBar1 (after old-format defaults).
    void StatusText(const QString& text);
    // The user changed an option (the list views repaint on ShoePathName, for example).
    void OptionEdited(lumadex::OptionId id);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The pages (option_pages.cpp).
    QWidget* BuildMainWindowPage();
    QWidget* BuildFindPage();
    QWidget* BuildFilePage();
    QWidget* BuildDataBasePage();
    QWidget* BuildFullsizeViewPage();
    QWidget* BuildMemoPage();
    QWidget* BuildJpegPage();
    QWidget* BuildPngPage();
    void BuildButtons(QBoxLayout& layout);

    // Creates the control of an option, named after it, wired to the model (option_pages.cpp).
    QCheckBox* AddCheckBox(OptionId id, const QString& caption, QBoxLayout& layout);
    QRadioButton* AddRadioButton(OptionId id, const QString& caption, QBoxLayout& layout);
    QSlider* AddTrackBar(OptionId id, QBoxLayout& layout);
    OptionRadioGroup* AddRadioGroup(OptionId id, const QString& caption, const QStringList& items,
                                    QBoxLayout& layout);
    QLineEdit* AddNumberEdit(OptionId id, QBoxLayout& layout);
    void Register(OptionId id, QWidget* control);
    void GiveHint(QWidget& control);

    void ShowControl(const OptionRow& row);
    // A user change of one option: the model takes it (or refuses it), the flags and signals
    // follow, and the controls show the model again.
    void ControlChanged(OptionId id, int value);
    // Sets searchChanged when an option affecting search results differs from before.
    void MarkSearchChange(const OptionModel& before);

    void SetDefaultClick();
    void LoadDefaultClick();
    // Applies the defaults file, shows it and announces the menu language, the sort order and
    // the status text; returns whether a file was applied.
    bool ApplyDefaultsFile();
    void EnableLoadDefault();

    OptionModel& options_;
    UserQuestions& questions_;
    OptionModel openedWith_;
    bool searchChangedWhenOpened_ = false;
    std::array<QWidget*, kOptionCount> controls_{};
    QHash<const QObject*, QString> longHints_;
};

} // namespace lumadex
