#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace lumadex {

// The About box: the program's name, its version and what it is for.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

    QLabel* ProgramIcon;
    QLabel* ProductName;
    QLabel* Version;
    QLabel* Comments;
    QPushButton* OKButton;
};

} // namespace lumadex
