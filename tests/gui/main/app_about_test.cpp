#include "gui/app_fixture.h"
#include "main/TAboutBox.h"

#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>

namespace lumadex::test {
namespace {

using AppAboutTest = AppTest;

TEST_F(AppAboutTest, AboutOpensWithTheProgramsNameAndVersionAndOkClosesIt) {
    Start();
    TAboutBox& about = windows->aboutBox();
    bool shown = false;
    QTimer::singleShot(0, &about, [&] {
        shown = about.isVisible();
        EXPECT_EQ(about.ProductName->text(), QStringLiteral("Lumadex Lite"));
        EXPECT_TRUE(about.Version->text().contains(
            QRegularExpression(QStringLiteral("^Version \\d+\\.\\d+"))))
            << about.Version->text().toStdString();
        EXPECT_FALSE(about.Comments->text().isEmpty());
        about.OKButton->click();
    });
    QAction* item = Main().MenuItem(QStringLiteral("About1"));
    ASSERT_TRUE(item->isEnabled());
    item->trigger();
    EXPECT_TRUE(shown);
    EXPECT_FALSE(about.isVisible());
}

} // namespace
} // namespace lumadex::test
