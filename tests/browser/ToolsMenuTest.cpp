// The Tools and Help menus and View Source of a window, on fakes.
#include "BrowserTestWindow.h"

#include "ProgramFolder.h"

#include <QAction>
#include <QTemporaryDir>
#include <QTest>

namespace {

class ToolsMenuTest : public BrowserFixture {};

TEST_F(ToolsMenuTest, ClearingAsksFirstAndNoDeletesNothing) {
    frmMain* window = openWindow();
    urlCache.entries = {"http://a/"};
    boxes.answers = {false};
    window->menuItem("mnuMainToolHistoryClearExplorer")->trigger();
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].kind, QStringLiteral("question"));
    EXPECT_EQ(boxes.shown[0].title, QStringLiteral("提示"));
    EXPECT_EQ(boxes.shown[0].text, QStringLiteral("确实要删除所有IE记录吗？"));
    EXPECT_EQ(boxes.shown[0].icon, MessageBoxes::Icon::Question);
    EXPECT_TRUE(urlCache.calls.isEmpty());

    boxes.answers = {true};
    window->mnuMainToolHistoryClearExplorer_Click();
    EXPECT_TRUE(urlCache.entries.isEmpty());
    EXPECT_EQ(boxes.shown.last().text, QStringLiteral("已经清除成功!"));
}

TEST_F(ToolsMenuTest, ViewSourceOpensTheEditorOnTheMarkup) {
    QTemporaryDir folder;
    overrideProgramFolder(folder.path());
    frmMain* window = openWindow();
    page(window)->markup = QStringLiteral("<body>x</body>");
    window->menuItem("mnuMainViewSourceCode")->trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !launcher.started.isEmpty(); }, 2000));
    overrideProgramFolder(QString());
    ASSERT_EQ(launcher.started.size(), 1);
    EXPECT_EQ(launcher.started[0].arguments, QStringList{folder.path() + "/KQCode.txt"});
}

TEST_F(ToolsMenuTest, ToolsStartTheirPrograms) {
    frmMain* window = openWindow();
    window->menuItem("mnuMainToolEXENotepad")->trigger();
    window->menuItem("mnuMainToolEXEExplorer")->trigger();
    window->menuItem("mnuMainToolInternetOption")->trigger();
    QStringList programs;
    for (const auto& one : launcher.started)
        programs << one.program;
    EXPECT_EQ(programs, (QStringList{"text-editor", "file-manager", "network-settings"}));

    launcher.succeed = false; // a missing program shows nothing
    window->mnuMainToolEXENotepad_Click();
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST_F(ToolsMenuTest, HelpOpensTheHomePageInANewWindowAndShowsAbout) {
    frmMain* window = openWindow();
    page(window)->calls.clear();
    window->menuItem("mnuMainHelpSoftPage")->trigger();
    ASSERT_EQ(frmMain::openWindows().size(), 2);
    EXPECT_EQ(page(frmMain::openWindows().last())->calls.filter("Navigate"),
              QStringList{"Navigate:http://www.tarnvale.com/"});
    EXPECT_TRUE(page(window)->calls.isEmpty());

    window->menuItem("mnuMainHelpAbout")->trigger();
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].title, QStringLiteral("关于..."));
    EXPECT_EQ(boxes.shown[0].icon, MessageBoxes::Icon::Information);
    EXPECT_TRUE(boxes.shown[0].text.endsWith("\r\n软件主页：http://www.tarnvale.com"));
}

} // namespace
