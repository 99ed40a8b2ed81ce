// The address box's suggestions, the open dialog and the Favorites menu of a window; on fake
// services.
#include "tests/support/FakeServices.h"

#include "browser/FavoritesList.h"
#include "browser/FavoritesMenu.h"
#include "browser/frmOpen.h"
#include "browser/modcboAutoComplete.h"
#include "core/modMain.h"
#include "platform/ProgramFolder.h"
#include "search/SearchUrl.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QMenu>
#include <QPushButton>
#include <QStyle>

namespace {

class BoxesTest : public BrowserFixture {
protected:
    static QStringList suggestions(QCompleter* completer) {
        QStringList result;
        for (int row = 0; completer->setCurrentRow(row); ++row)
            result << completer->currentCompletion();
        return result;
    }
    frmOpen* open(frmMain* window) {
        window->mnuMainFileOpen->trigger();
        EXPECT_TRUE(waitActive(frmOpen::instance()));
        return frmOpen::instance();
    }
    // Captions after the template, "[sub]" for sub-menus with their items indented.
    static QStringList entries(QMenu* menu, const QString& indent = QString()) {
        Q_EMIT menu->aboutToShow(); // items are made as a menu opens
        QStringList result;
        bool after = !indent.isEmpty();
        for (QAction* action : menu->actions()) {
            if (!after) {
                after = action->objectName() == QLatin1String("mnuMainFavoriteUser(0)");
                continue;
            }
            result << indent + (action->menu() ? "[" + action->text() + "]" : action->text());
            if (action->menu())
                result << entries(action->menu(), indent + "  ");
        }
        return result;
    }
};

// Most recent first, readable, offered as visits happen, gone once removed from the history.
TEST_F(BoxesTest, TheAddressBoxSuggestsVisitedAddresses) {
    history.recordVisit(QStringLiteral("http://www.example.com/a"), QString());
    history.recordVisit(QStringLiteral("http://other.org/page"), QString());
    history.recordVisit(QStringLiteral("http://gone.example/"), QString());
    frmMain* window = openWindow();
    history.removeUrl(QStringLiteral("http://gone.example/"));
    page(window)->calls.clear();
    window->txtURL->setFocus();
    QTest::keyClicks(window->txtURL, QStringLiteral("example"));
    history.recordVisit(QStringLiteral("https://EXAMPLE.net/K%C3%B6ln"), QString());
    QCompleter* completer = window->txtURL->completer();
    EXPECT_EQ(suggestions(completer),
              (QStringList{"https://example.net/Köln", "http://www.example.com/a"}));
    ASSERT_TRUE(completer->popup()->isVisible());
    // Typing on after the list closed keeps the text (it used to select it all).
    QTest::keyClicks(completer->popup(), QStringLiteral("qr"));
    QTest::keyClicks(window->txtURL, QStringLiteral("st"));
    EXPECT_EQ(window->txtURL->text(), QStringLiteral("exampleqrst"));
    window->txtURL->clear();
    QTest::keyClicks(window->txtURL, QStringLiteral("other"));
    QTest::keyClick(completer->popup(), Qt::Key_Down);
    QTest::keyClick(completer->popup(), Qt::Key_Return);
    EXPECT_EQ(page(window)->calls, QStringList{"Navigate:http://other.org/page"});
}

// Words that make no address, and a word no host is named by, are looked up as the search box
// does.
TEST_F(BoxesTest, WordsInTheAddressBoxAreSearched) {
    frmMain* window = openWindow();
    page(window)->calls.clear();
    for (const char* typed : {"苹果 香蕉", "127.0.0.1:8080", "  ", "北京", "intranet", "北京。中国",
                              "例子.中国", "天气:80", "/家/页.html"}) {
        window->txtURL->setText(QString::fromUtf8(typed));
        QTest::keyClick(window->txtURL, Qt::Key_Return);
    }
    EXPECT_EQ(page(window)->calls,
              (QStringList{"Navigate:" + buildSearchUrl(gstrSearchURL, "苹果 香蕉"),
                           "Navigate:127.0.0.1:8080",
                           "Navigate:", "Navigate:" + buildSearchUrl(gstrSearchURL, "北京"),
                           "Navigate:intranet", "Navigate:北京。中国", "Navigate:例子.中国",
                           "Navigate:天气:80", "Navigate:/家/页.html"}));
}

// Escape in the address box first closes the suggestion list, then gives up what was typed or
// chosen there, showing the page's address, and then stops the page.
TEST_F(BoxesTest, EscapeInTheAddressBoxClosesRestoresThenStops) {
    history.recordVisit(QStringLiteral("http://suggested.example/"), QString());
    frmMain* window = openWindow();
    page(window)->locationUrl = QStringLiteral("http://top.example/K%C3%B6ln");
    window->txtURL->setFocus();
    QTest::keyClicks(window->txtURL, QStringLiteral("suggested"));
    QAbstractItemView* list = window->txtURL->completer()->popup();
    ASSERT_TRUE(list->isVisible());
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Escape);
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(window->txtURL->text(), QStringLiteral("http://suggested.example/"));
    QTest::keyClick(window->txtURL, Qt::Key_Escape);
    EXPECT_EQ(window->txtURL->text(), QStringLiteral("http://top.example/Köln"));
    EXPECT_EQ(window->txtURL->selectedText(), window->txtURL->text());
    EXPECT_FALSE(page(window)->calls.contains("Stop"));
    QTest::keyClick(window->txtURL, Qt::Key_Escape);
    EXPECT_TRUE(page(window)->calls.contains("Stop"));
}

TEST_F(BoxesTest, TheOpenDialogAsDesignedBrowsesAndOutlivesTheWindows) {
    frmMain* first = openWindow();
    frmOpen* dialog = open(first);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("打开"));
    EXPECT_EQ(dialog->size(), QSize(353, 116));
    EXPECT_EQ(dialog->SkinLabel1->text(),
              QStringLiteral("键入文档或者文件夹的Internet地址，Tarnvale将为您打开它："));
    EXPECT_EQ(dialog->cmdOpen->geometry(), QRect(264, 81, 78, 25));
    EXPECT_EQ(QApplication::focusWidget(), dialog->cmdOpen);
    dialog->txtURL->setText(QStringLiteral("typed"));
    dialog->cmdOpen_Click(); // the chooser is cancelled
    EXPECT_EQ(dialog->txtURL->text(), QStringLiteral("typed"));
    EXPECT_EQ(fileChooser.asked, QStringList{"打开文件|所有文件|" + programFolder()});
    fileChooser.answer = QStringLiteral("/tmp/some file.html");
    QTest::keyClick(dialog->cmdOpen, Qt::Key_Return); // Enter on the focused button presses it
    EXPECT_EQ(open(openWindow()), dialog); // one dialog of the process, whichever window asks
    first->close(); // the dialog keeps the program alive and still opens windows
    QTest::mouseClick(dialog->cmdConfirm, Qt::LeftButton);
    EXPECT_EQ(frmOpen::instance(), nullptr);
    EXPECT_EQ(page(frmMain::openWindows().last())->calls.filter("Navigate"),
              QStringList{"Navigate:/tmp/some file.html"});
    frmOpen* again = open(frmMain::defaultWindow());
    EXPECT_TRUE(again->txtURL->text().isEmpty()); // a fresh dialog
    again->txtURL->setText(QStringLiteral("   "));
    again->cmdConfirm_Click();
    open(frmMain::defaultWindow())->cmdCancel_Click();
    EXPECT_EQ(frmMain::openWindows().size(), 2);
}

TEST_F(BoxesTest, EveryWindowsFavoritesMenuOpensItsEntriesThere) {
    frmMain* empty = openWindow();
    EXPECT_TRUE(entries(empty->mnuMainFavorite).isEmpty());
    shortcut("AT&T.url", "http://att/");
    shortcut("新闻/sina.url", "http://sina/");
    shortcut("a/b/deep.url", "http://deep/");
    QDir(favoritesPath()).mkdir("空");
    frmMain* first = openWindow();
    frmMain* second = openWindow();
    const QStringList expected{"AT&&T",  "[a]",    "  [b]", "    deep",
                               "[新闻]", "  sina", "[空]",  "  (空)"};
    EXPECT_EQ(entries(first->mnuMainFavorite), expected);
    EXPECT_EQ(entries(second->mnuMainFavorite), expected);
    page(second)->calls.clear();
    second->mnuMainFavorite->findChild<QAction*>("mnuMainFavoriteUser(3)")->trigger();
    first->mnuMainFavoriteUser_Click(9); // no such entry: nothing
    EXPECT_EQ(page(second)->calls, QStringList{"Navigate:http://sina/"});
    EXPECT_FALSE(page(first)->calls.contains("Navigate:http://sina/"));
}

TEST_F(BoxesTest, AddAndOrganizeFromAnyWindowRebuildEveryWindow) {
    shortcut("gone.url", "http://gone/");
    frmMain* first = openWindow();
    frmMain* second = openWindow();
    QSignalSpy rebuilt(&favorites, &modFavorite::favoritesRebuilt);
    second->mnuMainFavoriteAdd_Click(); // cancelled: nothing changes
    EXPECT_EQ(rebuilt.count(), 0);
    page(second)->locationName = QString(32, 'T');
    page(second)->locationUrl = QStringLiteral("http://added/");
    favoriteDialogs.addAnswer =
        FavoriteDialogs::Added{favoritesPath() + "/" + QString(32, 'T') + ".url", "T"};
    // The window manager raises the dialog's owner with it; the person goes on where they were.
    favoriteDialogs.whileAdding = [&] {
        first->activateWindow();
        ASSERT_TRUE(waitActive(first));
    };
    second->mnuMainFavoriteAdd->trigger();
    EXPECT_EQ(favoriteDialogs.owners.last(), first); // the default window owns the dialog
    EXPECT_TRUE(waitActive(second));
    EXPECT_EQ(entries(first->mnuMainFavorite), (QStringList{"gone", QString(28, 'T') + "..."}));

    favoriteDialogs.whileOrganizing = [&] {
        QFile::remove(favoritesPath() + "/gone.url");
    };
    second->mnuMainFavoriteModify->trigger();
    EXPECT_EQ(favoriteDialogs.asked.last(), "organize:" + favoritesPath());
    EXPECT_EQ(favoriteDialogs.owners.last(), second);
    EXPECT_EQ(entries(second->mnuMainFavorite), QStringList{QString(28, 'T') + "..."});
    shellFolders.favorites.clear(); // no folder: no dialog, still a rebuild
    second->mnuMainFavoriteModify_Click();
    EXPECT_EQ(rebuilt.count(), 3);
    EXPECT_TRUE(entries(first->mnuMainFavorite).isEmpty());
}

// Fewer than a list's worth scroll where they do not fit, in sub-menus too: in columns the
// last ones ran off a small screen.
TEST_F(BoxesTest, FavoritesThatDoNotFitScroll) {
    shortcut("sub/a.url", "http://a/");
    frmMain* window = openWindow();
    Q_EMIT window->mnuMainFavorite->aboutToShow();
    auto* sub = window->mnuMainFavorite->findChild<QMenu*>();
    ASSERT_NE(sub, nullptr);
    for (QMenu* menu : {window->mnuMainFavorite, sub})
        EXPECT_TRUE(menu->style()->styleHint(QStyle::SH_Menu_Scrollable, nullptr, menu));
}

// Thousands of favorites in one folder: one scrolling list instead of thousands of items.
TEST_F(BoxesTest, AFolderOfManyFavoritesIsAListThatOpensThem) {
    for (int i = 0; i <= FavoritesMenu::kMaxMenuItems; ++i)
        shortcut(QStringLiteral("f%1.url").arg(i, 3, 10, QLatin1Char('0')),
                 QStringLiteral("http://f%1/").arg(i));
    frmMain* window = openWindow();
    Q_EMIT window->mnuMainFavorite->aboutToShow();
    auto* list = window->mnuMainFavorite->findChild<FavoritesList*>();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->model()->rowCount(), FavoritesMenu::kMaxMenuItems + 1);
    list->setCurrentIndex(list->model()->index(200, 0));
    page(window)->calls.clear();
    QTest::keyClick(list, Qt::Key_Return);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualRect(list->model()->index(0, 0)).center());
    EXPECT_EQ(page(window)->calls, (QStringList{"Navigate:http://f200/", "Navigate:http://f0/"}));
}

} // namespace
