// The Favorites menu of every window, its entries and the Add and Organize commands.
#include "BrowserTestWindow.h"
#include "FavoritesFixture.h"

#include "FavoritesList.h"
#include "FavoritesMenu.h"
#include "MenuTree.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

namespace {

class FavoritesMenuTest : public BrowserFixture, public FavoritesFixture {
protected:
    FavoritesMenuTest() { services.favorites = &favorites; }

    // Captions after the template, "[sub]" for sub-menus with their items indented.
    static QStringList entries(frmMain* window) { return list(window->menu("mnuMainFavorite")); }

    static QStringList list(QMenu* menu, const QString& indent = QString()) {
        Q_EMIT menu->aboutToShow(); // items are made as a menu opens
        QStringList result;
        bool after = indent.size() > 0;
        for (QAction* action : menu->actions()) {
            if (!after) {
                after = action->objectName() == kFavoriteUserTemplate;
                continue;
            }
            if (action->menu()) {
                result << indent + "[" + action->text() + "]";
                result << list(action->menu(), indent + "  ");
            } else {
                result << indent + action->text();
            }
        }
        return result;
    }
};

TEST_F(FavoritesMenuTest, EmptyFolderLeavesTheFixedItemsOnly) {
    frmMain* window = openWindow();
    QStringList visible;
    for (QAction* action : window->menu("mnuMainFavorite")->actions()) {
        if (action->isVisible())
            visible << (action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    EXPECT_EQ(visible, (QStringList{"添加到收藏夹", "整理收藏夹", "-"}));
}

TEST_F(FavoritesMenuTest, EveryWindowCarriesTheEntriesAndAClickNavigatesThatWindow) {
    shortcut("AT&T.url", "http://att/");
    shortcut("新闻/sina.url", "http://sina/");
    QDir(favoritesPath()).mkdir("空");
    frmMain* first = openWindow();
    frmMain* second = openWindow();
    const QStringList expected{"AT&&T", "[新闻]", "  sina", "[空]", "  (空)"};
    EXPECT_EQ(entries(first), expected);
    EXPECT_EQ(entries(second), expected);

    page(second)->calls.clear();
    QAction* sina = second->menu("mnuMainFavorite")->findChild<QAction*>("mnuMainFavoriteUser(2)");
    ASSERT_NE(sina, nullptr);
    sina->trigger();
    EXPECT_EQ(page(second)->calls, QStringList{"Navigate:http://sina/"});
    EXPECT_FALSE(page(first)->calls.contains("Navigate:http://sina/"));
}

TEST_F(FavoritesMenuTest, AnEntryOfAMenuNotOpenedYetStillNavigates) {
    shortcut("a/b/deep.url", "http://deep/");
    frmMain* window = openWindow();
    page(window)->calls.clear();
    window->mnuMainFavoriteUser_Click(1);
    window->mnuMainFavoriteUser_Click(2); // no such entry: nothing
    EXPECT_EQ(page(window)->calls, QStringList{"Navigate:http://deep/"});
}

TEST_F(FavoritesMenuTest, AddFromAnyWindowRebuildsEveryWindow) {
    frmMain* first = openWindow();
    frmMain* second = openWindow();
    page(second)->locationName = QString(32, 'T');
    page(second)->locationUrl = QStringLiteral("http://added/");
    const QString path = favoritesPath() + "/" + QString(32, 'T') + ".url";
    dialogs.addAnswer = FavoriteDialogs::Added{path, QString(32, 'T')};

    second->menuItem("mnuMainFavoriteAdd")->trigger();
    EXPECT_EQ(dialogs.owners, QList<QWidget*>{first}); // the default window owns the dialog
    const QStringList expected{QString(28, 'T') + "..."};
    EXPECT_EQ(entries(first), expected);
    EXPECT_EQ(entries(second), expected);
}

TEST_F(FavoritesMenuTest, CancelledAddChangesNothing) {
    shortcut("kept.url", "http://kept/");
    frmMain* window = openWindow();
    QSignalSpy rebuilt(&favorites, &modFavorite::favoritesRebuilt);
    window->mnuMainFavoriteAdd_Click();
    EXPECT_EQ(rebuilt.count(), 0);
    EXPECT_EQ(entries(window), QStringList{"kept"});
    EXPECT_EQ(QDir(favoritesPath()).entryList(QDir::Files), QStringList{"kept.url"});
}

TEST_F(FavoritesMenuTest, OrganizeAlwaysRebuilds) {
    shortcut("gone.url", "http://gone/");
    shortcut("stays.url", "http://stays/");
    frmMain* window = openWindow();
    QSignalSpy rebuilt(&favorites, &modFavorite::favoritesRebuilt);

    window->menuItem("mnuMainFavoriteModify")->trigger(); // closed without changes
    EXPECT_EQ(rebuilt.count(), 1);
    EXPECT_EQ(entries(window), (QStringList{"gone", "stays"}));

    dialogs.whileOrganizing = [&] {
        QFile::remove(favoritesPath() + "/gone.url");
    };
    window->mnuMainFavoriteModify_Click();
    EXPECT_EQ(dialogs.asked.last(), "organize:" + favoritesPath());
    EXPECT_EQ(dialogs.owners.last(), window);
    EXPECT_EQ(entries(window), QStringList{"stays"});

    shellFolders.favorites.clear(); // no folder: no dialog, still a rebuild
    window->mnuMainFavoriteModify_Click();
    EXPECT_EQ(rebuilt.count(), 3);
    EXPECT_TRUE(entries(window).isEmpty());
}

// Thousands of favorites in one folder: one scrolling list instead of thousands of items.
TEST_F(FavoritesMenuTest, AFolderOfManyFavoritesIsAListThatOpensThem) {
    for (int i = 0; i <= FavoritesMenu::kMaxMenuItems; ++i)
        shortcut(QStringLiteral("f%1.url").arg(i, 3, 10, QLatin1Char('0')),
                 QStringLiteral("http://f%1/").arg(i));
    frmMain* window = openWindow();
    QMenu* menu = window->menu("mnuMainFavorite");
    Q_EMIT menu->aboutToShow();
    auto* list = menu->findChild<FavoritesList*>();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->model()->rowCount(), FavoritesMenu::kMaxMenuItems + 1);
    list->setCurrentIndex(list->model()->index(200, 0));
    page(window)->calls.clear();
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(page(window)->calls, QStringList{"Navigate:http://f200/"});
}

TEST_F(FavoritesMenuTest, TheTemplateNeverShows) {
    shortcut("a.url", "http://a/");
    frmMain* window = openWindow();
    QAction* templateItem = window->menuItem(kFavoriteUserTemplate);
    EXPECT_FALSE(templateItem->isVisible());
    EXPECT_EQ(templateItem->text(), QStringLiteral("用户链接..."));
}

} // namespace
