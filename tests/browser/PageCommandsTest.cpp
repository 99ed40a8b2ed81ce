// The File and Edit page commands of a window hand exactly one request to the page view.
#include "BrowserTestWindow.h"

#include "TextBox.h"

#include <QAction>
#include <QApplication>

namespace {

class PageCommandsTest : public BrowserFixture {};

TEST_F(PageCommandsTest, EachCommandAsksThePageViewOnce) {
    frmMain* window = openWindow();
    const QList<QPair<QString, int>> commands = {
        {"mnuMainFileSaveAs", 4},  {"mnuMainFilePrint", 6},     {"mnuMainFilePrintPreView", 7},
        {"mnuMainFilePageSet", 8}, {"mnuMainFileProperty", 10}, {"mnuMainEditCut", 11},
        {"mnuMainEditCopy", 12},   {"mnuMainEditPaste", 13},    {"mnuMainEditSelectAll", 17}};
    for (const auto& [item, command] : commands) {
        page(window)->calls.clear();
        window->menuItem(item)->trigger();
        EXPECT_EQ(page(window)->calls, QStringList{QStringLiteral("ExecWB:%1").arg(command)})
            << item.toStdString();
    }
}

TEST_F(PageCommandsTest, WorkOfflineTwiceLeavesEverythingOff) {
    frmMain* window = openWindow();
    QAction* item = window->menuItem("mnuMainFileOffLine");
    page(window)->calls.clear();
    ASSERT_TRUE(window->webMain->Silent()); // set by the load

    item->trigger(); // as the menu does it
    EXPECT_TRUE(item->isChecked());
    EXPECT_TRUE(window->webMain->Offline());
    EXPECT_TRUE(window->webMain->Silent());
    window->mnuMainFileOffLine_Click(); // as another caller does it
    EXPECT_FALSE(item->isChecked());
    EXPECT_FALSE(window->webMain->Offline());
    EXPECT_FALSE(window->webMain->Silent());
    EXPECT_EQ(page(window)->calls, (QStringList{"setOffline:true", "setSilent:true",
                                                "setOffline:false", "setSilent:false"}));
}

TEST_F(PageCommandsTest, EachWindowHasItsOwnOfflineState) {
    frmMain* first = openWindow();
    first->mnuMainFileOffLine_Click();
    frmMain* second = openWindow();
    EXPECT_FALSE(second->menuItem("mnuMainFileOffLine")->isChecked());
    EXPECT_FALSE(second->webMain->Offline());
}

TEST_F(PageCommandsTest, FindSendsCtrlFToWhateverHasTheFocus) {
    frmMain* window = openWindow();
    window->webMain->setFocus();
    window->mnuMainEditFind_Click();
    EXPECT_TRUE(page(window)->keys.isEmpty()); // posted, not delivered at once
    QCoreApplication::processEvents();
    EXPECT_EQ(page(window)->keys, QStringList{"Ctrl+F"});

    window->txtURL->setText(QStringLiteral("http://a/"));
    window->txtURL->setFocus();
    window->menuItem("mnuMainEditFind")->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(page(window)->keys, QStringList{"Ctrl+F"});
    EXPECT_EQ(window->txtURL->text(), QStringLiteral("http://a/"));
}

} // namespace
