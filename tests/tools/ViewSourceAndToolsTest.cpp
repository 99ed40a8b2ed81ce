// The page source file and the programs the Tools and Help menus start, on fakes.
#include "ExternalTools.h"
#include "FakePageView.h"
#include "FakeProcessLauncher.h"
#include "GbkText.h"
#include "ProgramFolder.h"
#include "TestFiles.h"
#include "ViewSource.h"
#include "WaitUntil.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class ViewSourceTest : public ::testing::Test {
protected:
    ViewSourceTest() { overrideProgramFolder(folder.path() + QStringLiteral("/程序 目录")); }
    ~ViewSourceTest() override {
        overrideProgramFolder(QString());
        QFile::remove(fallbackPageSourcePath());
    }
    QString source() const { return programFolder() + QStringLiteral("/KQCode.txt"); }

    QTemporaryDir folder;
    FakePageView view;
    FakeProcessLauncher launcher;
};

TEST_F(ViewSourceTest, MarkupGoesToTheFileInGbkAndTheEditorOpensIt) {
    QDir(folder.path()).mkdir(QStringLiteral("程序 目录"));
    // Hangul and emoji are not in GBK.
    view.markup = QStringLiteral("<head></head><body>中文 \uD55C\U0001F600</body>");
    ShowPageSource(view, launcher, &view);
    EXPECT_TRUE(launcher.started.isEmpty()); // nothing before the markup arrives
    ASSERT_TRUE(waitUntil([&] { return !launcher.started.isEmpty(); }));
    EXPECT_EQ(readFileBytes(source()),
              "<head></head><body>" + toGbk("中文 ") + "?" + "?</body>\r\n");
    EXPECT_EQ(launcher.started[0].program, QStringLiteral("text-editor"));
    EXPECT_EQ(launcher.started[0].arguments, QStringList{source()}); // one argument, spaces kept
    EXPECT_EQ(launcher.started[0].workingFolder, programFolder());

    view.markup = QStringLiteral("<body>second</body>");
    ShowPageSource(view, launcher, &view);
    ASSERT_TRUE(waitUntil([&] { return launcher.started.size() == 2; }));
    EXPECT_EQ(readFileBytes(source()), QByteArray("<body>second</body>\r\n"));
}

TEST_F(ViewSourceTest, NoDocumentGivesALineEndAlone) {
    QDir(folder.path()).mkdir(QStringLiteral("程序 目录"));
    view.markup.reset();
    ShowPageSource(view, launcher, &view);
    ASSERT_TRUE(waitUntil([&] { return !launcher.started.isEmpty(); }));
    EXPECT_EQ(readFileBytes(source()), QByteArray("\r\n"));
}

// Mended: with an unwritable program folder the old file was opened as this page's source.
TEST_F(ViewSourceTest, UnwritableProgramFolderFallsBackToTheCacheFolder) {
    overrideProgramFolder(QStringLiteral("/proc")); // not writable, even for root
    view.markup = QStringLiteral("<body>fresh</body>");
    ShowPageSource(view, launcher, &view);
    ASSERT_TRUE(waitUntil([&] { return !launcher.started.isEmpty(); }));
    EXPECT_EQ(launcher.started[0].arguments, QStringList{fallbackPageSourcePath()});
    EXPECT_EQ(readFileBytes(fallbackPageSourcePath()), QByteArray("<body>fresh</body>\r\n"));
}

TEST_F(ViewSourceTest, NothingStartsWhenNoFileCanBeWritten) {
    overrideProgramFolder(QStringLiteral("/proc"));
    qputenv("XDG_CACHE_HOME", "/proc/none");
    view.markup = QStringLiteral("x");
    ShowPageSource(view, launcher, &view);
    waitUntil([] { return false; }, 100);
    qputenv("XDG_CACHE_HOME", (QDir::homePath() + "/.cache").toLocal8Bit());
    EXPECT_TRUE(launcher.started.isEmpty());
}

TEST_F(ViewSourceTest, AClosedWindowGetsNoSource) {
    auto* context = new QObject;
    view.markup = QStringLiteral("x");
    ShowPageSource(view, launcher, context);
    delete context;
    waitUntil([] { return false; }, 100);
    EXPECT_TRUE(launcher.started.isEmpty());
}

TEST(ExternalTools, StandInsWithTheirFolders) {
    FakeProcessLauncher launcher;
    StartNotepad(launcher);
    StartNotepad(launcher); // twice: two editors
    StartExplorer(launcher);
    StartInternetOptions(launcher);
    QStringList started;
    for (const auto& one : launcher.started)
        started << one.program + "(" + one.arguments.join(' ') + ")@" + one.workingFolder;
    EXPECT_EQ(started,
              (QStringList{"text-editor()@" + programFolder(), "text-editor()@" + programFolder(),
                           "file-manager()@" + programFolder(), "network-settings()@"}));
}

TEST(ExternalTools, AboutTextIsTwoLinesWithoutATrailingBreak) {
    EXPECT_EQ(AboutText(), QStringLiteral("塔文浏览器(Tarnvale) " TARNVALE_VERSION
                                          "\r\n软件主页：http://www.tarnvale.com"));
}

} // namespace
