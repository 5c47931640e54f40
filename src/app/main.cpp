#include "app/TMain.h"
#include "app/qt_user_questions.h"
#include "catalogue/picture_loader.h"
#include "document/document.h"

#include <QApplication>
#include <QFileInfo>

// The GUI program: one main window over one open database. The first argument names a
// database to open at start.
int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumadex Lite"));
    lumadex::QtUserQuestions questions;
    lumadex::Document document(lumadex::NativePictureLoader(), questions);
    lumadex::TMain window(document, questions);
    questions.setParent(&window);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1 && !arguments.at(1).isEmpty())
        window.setStartDatabase(QFileInfo(arguments.at(1)).absoluteFilePath());
    window.show();
    return application.exec();
}
