#include "main/TMain.h"
#include "main/main_windows.h"
#include "main/qt_user_questions.h"

#include <QApplication>
#include <QFileInfo>

// The GUI program: the main window and its windows over one open database. The first argument
// names a database to open at start.
int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumadex Lite"));
    auto questions = std::make_unique<lumadex::QtUserQuestions>();
    lumadex::QtUserQuestions& dialogs = *questions;
    const QStringList arguments = QApplication::arguments();
    const QString startDatabase = arguments.size() > 1 && !arguments.at(1).isEmpty()
                                      ? QFileInfo(arguments.at(1)).absoluteFilePath()
                                      : QString();
    lumadex::MainWindows windows(std::move(questions), startDatabase);
    dialogs.setParent(&windows.main());
    windows.main().show();
    return application.exec();
}
