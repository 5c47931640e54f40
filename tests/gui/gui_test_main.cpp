#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Widget tests need one QApplication for the whole run. They never show a window on a real
// screen and never touch the user's settings: the offscreen platform and a private settings
// folder are set before the application starts.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir settingsFolder;
    if (qEnvironmentVariableIsEmpty("LUMADEX_HOME"))
        qputenv("LUMADEX_HOME", settingsFolder.path().toUtf8());
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
