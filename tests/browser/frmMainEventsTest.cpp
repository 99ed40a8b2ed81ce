// How a window follows its page: caption, address box, history buttons and new windows.
#include "BrowserTestWindow.h"

#include "ImageButton.h"
#include "TextBox.h"

#include <QAction>
#include <QApplication>
#include <QTest>

namespace {

class EventsTest : public BrowserFixture {};

struct TitleCase {
    const char* name;
    QString title;
    QString caption; // after "Earlier" was shown
};

class TitleTest : public BrowserFixture, public ::testing::WithParamInterface<TitleCase> {};

TEST_P(TitleTest, CaptionFollowsTheTitle) {
    frmMain* window = openWindow();
    Q_EMIT page(window)->TitleChange(QStringLiteral("Earlier"));
    Q_EMIT page(window)->TitleChange(GetParam().title);
    EXPECT_EQ(window->windowTitle(), GetParam().caption);
}

INSTANTIATE_TEST_SUITE_P(
    Titles, TitleTest,
    ::testing::Values(TitleCase{"Plain", "A", "A - Tarnvale"},
                      TitleCase{"Empty", "", " - Tarnvale"},
                      TitleCase{"ServerNotFoundKeepsCaption", "找不到服务器", "Earlier - Tarnvale"},
                      TitleCase{"ContainingTheWordsIsShown", "为何找不到服务器？",
                                "为何找不到服务器？ - Tarnvale"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EventsTest, TitleChangeTakesTheFocusFromTheAddressBox) {
    frmMain* window = openWindow();
    window->txtURL->setFocus();
    QTest::keyClicks(window->txtURL, QStringLiteral("half-typ"));
    Q_EMIT page(window)->TitleChange(QStringLiteral("T"));
    EXPECT_TRUE(window->webMain->hasFocus());
    EXPECT_EQ(window->txtURL->text(), QStringLiteral("half-typ"));

    // The title nobody shows leaves the focus where it is.
    window->txtSearch->setFocus();
    Q_EMIT page(window)->TitleChange(QStringLiteral("找不到服务器"));
    EXPECT_TRUE(window->txtSearch->hasFocus());
}

TEST_F(EventsTest, DocumentCompleteShowsTheTopLevelAddress) {
    frmMain* window = openWindow();
    page(window)->locationUrl = QStringLiteral("http://top.example/");
    window->txtURL->setFocus();
    QTest::keyClicks(window->txtURL, QStringLiteral("typing"));

    Q_EMIT page(window)->DocumentComplete(QString()); // nothing at all
    EXPECT_EQ(window->txtURL->text(), QStringLiteral("typing"));
    EXPECT_TRUE(window->txtURL->hasFocus());

    Q_EMIT page(window)->DocumentComplete(QStringLiteral("http://frame.example/inner"));
    EXPECT_EQ(window->txtURL->text(), QStringLiteral("http://top.example/"));
    EXPECT_TRUE(window->webMain->hasFocus());
}

TEST_F(EventsTest, HistoryButtonsFollowOnlyWhatThePageReports) {
    frmMain* window = openWindow();
    ImageButton* back = window->imgToolBar[1];
    ImageButton* forward = window->imgToolBar[2];
    EXPECT_TRUE(back->isEnabled());
    EXPECT_TRUE(forward->isEnabled());

    Q_EMIT page(window)->CommandStateChange(2, false);
    EXPECT_FALSE(back->isEnabled());
    EXPECT_TRUE(forward->isEnabled());
    Q_EMIT page(window)->CommandStateChange(1, false);
    EXPECT_FALSE(forward->isEnabled());
    Q_EMIT page(window)->CommandStateChange(-1, true);
    EXPECT_FALSE(back->isEnabled());
    EXPECT_FALSE(forward->isEnabled());
    Q_EMIT page(window)->CommandStateChange(2, true);
    EXPECT_TRUE(back->isEnabled());

    // The menu items are never switched off.
    EXPECT_TRUE(window->menuItem(QStringLiteral("mnuMainViewGoForword"))->isEnabled());
}

TEST_F(EventsTest, DisabledBackIgnoresClicks) {
    frmMain* window = openWindow();
    Q_EMIT page(window)->CommandStateChange(2, false);
    page(window)->calls.clear();
    QTest::mouseClick(window->imgToolBar[1], Qt::LeftButton);
    EXPECT_TRUE(page(window)->calls.isEmpty());
}

TEST_F(EventsTest, BeforeNavigate2LetsQueuedEventsRun) {
    frmMain* window = openWindow();
    bool ran = false;
    QMetaObject::invokeMethod(
        window, [&] { ran = true; }, Qt::QueuedConnection);
    Q_EMIT page(window)->BeforeNavigate2(QStringLiteral("http://x/"));
    EXPECT_TRUE(ran);
}

TEST_F(EventsTest, NewWindow2LoadsANewWindowAndHandsOverItsPage) {
    frmMain* window = openWindow();
    setStartPage(registry, QStringLiteral("http://newer-start.example/"));
    PageView* target = page(window)->raiseNewWindow2();

    ASSERT_EQ(frmMain::openWindows().size(), 2);
    frmMain* opened = frmMain::openWindows().last();
    EXPECT_EQ(target, opened->webMain);
    EXPECT_TRUE(opened->isVisible());
    EXPECT_TRUE(opened->windowState() & Qt::WindowMaximized);
    // Its whole load ran first, with the settings read again.
    EXPECT_EQ(page(opened)->calls, (QStringList{"setRegisterAsBrowser:true", "setSilent:true",
                                                "Navigate:http://newer-start.example/"}));
    EXPECT_TRUE(opened->txtURL->text().isEmpty());
    // Unlike New, the focus is not put into the new address box.
    EXPECT_NE(opened->focusWidget(), opened->txtURL);
    EXPECT_EQ(frmMain::defaultWindow(), window);
}

} // namespace
