#include "main/manual.h"
#include "support/files.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSet>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace lumadex {
namespace {

TEST(Manual, FoundInTheInstallationThenBesideTheProgramThenInTheDataFolders) {
    QTemporaryDir root;
    const QString bin = root.filePath("prefix/bin");
    const QString dataHome = root.filePath("data");
    const QByteArray savedHome = qgetenv("XDG_DATA_HOME");
    const QByteArray savedDirs = qgetenv("XDG_DATA_DIRS");
    qputenv("XDG_DATA_HOME", dataHome.toLocal8Bit());
    qputenv("XDG_DATA_DIRS", root.filePath("none").toLocal8Bit());
    // The data folders' lookup takes an empty variable for an unset one.
    const auto restore = qScopeGuard([&] {
        qputenv("XDG_DATA_HOME", savedHome);
        qputenv("XDG_DATA_DIRS", savedDirs);
    });
    const QStringList order = {root.filePath("prefix/share/lumadex-lite"), bin,
                               dataHome + "/lumadex-lite"};
    for (const QString& folder : order) {
        QDir().mkpath(folder);
        test::WriteFile(QDir(folder).filePath(kManualFileName), "<html></html>");
    }
    // Each row removes the manual found before, so the next place in the order answers.
    for (const QString& expected : order) {
        const QString found = FindManual(bin);
        EXPECT_EQ(found, QDir::toNativeSeparators(QDir(expected).filePath(kManualFileName)));
        QFile::remove(found);
    }
    EXPECT_TRUE(FindManual(bin).isEmpty());
}

// Stands in for the desktop's browser.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public Q_SLOTS:
    void open(const QUrl& url) { opened.append(url); }
};

// The build stages the manual in share/lumadex-lite: it opens in the browser, and every link
// within it has its target.
TEST(Manual, TheBuildTreesManualOpensWithTheBrowserAndItsLinksHaveTheirTargets) {
    const QString path = ManualPath();
    ASSERT_FALSE(path.isEmpty());
    UrlRecorder browser;
    QDesktopServices::setUrlHandler("file", &browser, "open");
    const bool opened = OpenManual();
    QDesktopServices::unsetUrlHandler("file");
    EXPECT_TRUE(opened);
    EXPECT_EQ(browser.opened, QList<QUrl>({QUrl::fromLocalFile(path)}));

    const QString html = QString::fromUtf8(test::ReadFile(path));
    EXPECT_TRUE(html.contains("<title>Lumadex Lite"));
    QSet<QString> ids;
    for (const auto& match : QRegularExpression(R"re(id="([^"]+)")re").globalMatch(html))
        ids.insert(match.captured(1));
    int links = 0;
    for (const auto& match : QRegularExpression(R"re(href="#([^"]+)")re").globalMatch(html)) {
        ++links;
        EXPECT_TRUE(ids.contains(match.captured(1))) << "#" << match.captured(1).toStdString();
    }
    EXPECT_GT(links, 0);
}

} // namespace
} // namespace lumadex

#include "manual_test.moc"
