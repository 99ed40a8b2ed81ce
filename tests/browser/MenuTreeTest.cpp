// The live menu bar of a window, as the user meets it.
#include "BrowserTestWindow.h"

#include "MenuTree.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {

class MenuBarTest : public BrowserFixture {};

TEST_F(MenuBarTest, SixMenusInOrderWithTheirAccessKeys) {
    frmMain* window = openWindow();
    QStringList captions;
    for (QAction* action : window->menuBar()->actions())
        captions << action->text();
    EXPECT_EQ(captions, (QStringList{"文件(&F)", "编辑(&E)", "查看(&V)", "收藏夹(&A)", "工具(&T)",
                                     "帮助(&H)"}));
}

TEST_F(MenuBarTest, EveryItemAsTheTableHasItAndUsable) {
    frmMain* window = openWindow();
    QStringList live;
    for (QAction* top : window->menuBar()->actions()) {
        live << top->objectName() + "=" + top->text();
        for (QAction* item : top->menu()->actions()) {
            live << item->objectName() + "=" + (item->isSeparator() ? "-" : item->text());
            EXPECT_TRUE(item->shortcut().isEmpty()) << item->objectName().toStdString();
            EXPECT_FALSE(item->isChecked()) << item->objectName().toStdString();
            // Qt reports a hidden action as disabled too; every shown item is enabled.
            const bool shown = item->objectName() != kFavoriteUserTemplate;
            EXPECT_EQ(item->isVisible(), shown);
            EXPECT_EQ(item->isEnabled(), shown) << item->objectName().toStdString();
        }
    }
    QStringList table;
    for (const MenuItemSpec& spec : menuTree())
        table << QString::fromUtf8(spec.name) + "=" + QString::fromUtf8(spec.caption);
    EXPECT_EQ(live, table);
    EXPECT_EQ(live.size(), 44);
    EXPECT_TRUE(window->menuItem("mnuMainFileOffLine")->isCheckable());
    // The View menu opens with Home, above Back and Forward; Favorites ends with the template.
    EXPECT_EQ(window->menu("mnuMainView")->actions().first()->text(), QStringLiteral("主页(&H)"));
    EXPECT_EQ(window->menu("mnuMainFavorite")->actions().last()->text(),
              QStringLiteral("用户链接..."));
}

} // namespace
