// How a window follows its page: caption, address box, history buttons and new windows.
#include "BrowserTestWindow.h"

#include "ImageButton.h"
#include "TextBox.h"

#include <QAction>
#include <QApplication>
#include <QTest>
#include <functional>

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

// Who has the keyboard after the page retitles itself or completes, and what the address box
// then shows. A page never takes a box the user is typing in.
struct FocusCase {
    const char* name;
    std::function<void(frmMain*)> before; // what the user did
    bool complete;                        // DocumentComplete, else TitleChange
    const char* focused;                  // "page", "txtURL" or "txtSearch" afterwards
    QString address;                      // the address box afterwards
};

class FocusTest : public BrowserFixture, public ::testing::WithParamInterface<FocusCase> {};

void typeInto(TextBox* box, const QString& text) {
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::keyClicks(box, text);
}

TEST_P(FocusTest, PagesTakeTheFocusOnlyFromNobodyTyping) {
    frmMain* window = openWindow();
    page(window)->locationUrl = QStringLiteral("http://top.example/");
    GetParam().before(window);
    if (GetParam().complete)
        Q_EMIT page(window)->DocumentComplete(QStringLiteral("http://frame.example/inner"));
    else
        Q_EMIT page(window)->TitleChange(QStringLiteral("T"));
    QWidget* focused = QApplication::focusWidget();
    EXPECT_EQ(focused ? focused->objectName().toStdString() : std::string("nothing"),
              std::string(GetParam().focused) == "page" ? "webMain" : GetParam().focused);
    EXPECT_EQ(window->txtURL->text(), GetParam().address);
}

const auto typeAddress = [](frmMain* w) {
    typeInto(w->txtURL, QStringLiteral("half-typ"));
};
const auto typeKeyword = [](frmMain* w) {
    typeInto(w->txtSearch, QStringLiteral("key"));
};
const auto enterAddress = [](frmMain* w) {
    typeInto(w->txtURL, QStringLiteral("entered"));
    QTest::keyClick(w->txtURL, Qt::Key_Return);
};

INSTANTIATE_TEST_SUITE_P(
    Boxes, FocusTest,
    ::testing::Values(
        FocusCase{"TitleFromAnIdleWindow", [](frmMain*) {}, false, "page", ""},
        FocusCase{"TitleWhileTypingAnAddress", typeAddress, false, "txtURL", "half-typ"},
        FocusCase{"TitleWhileTypingAKeyword", typeKeyword, false, "txtSearch", ""},
        FocusCase{"TitleAfterAClickIntoTheBox",
                  [](frmMain* w) { QTest::mouseClick(w->txtURL, Qt::LeftButton); }, false, "txtURL",
                  ""},
        FocusCase{"CompleteShowsTheTopLevelAddress", [](frmMain*) {}, true, "page",
                  "http://top.example/"},
        FocusCase{"CompleteKeepsATypedAddress", typeAddress, true, "txtURL", "half-typ"},
        FocusCase{"CompleteWhileTypingAKeyword", typeKeyword, true, "txtSearch",
                  "http://top.example/"},
        FocusCase{"CompleteOfTheEnteredAddress", enterAddress, true, "page", "http://top.example/"},
        FocusCase{"CompleteAfterTypingAgain",
                  [](frmMain* w) {
                      enterAddress(w);
                      typeInto(w->txtSearch, QStringLiteral("next"));
                  },
                  true, "txtSearch", "http://top.example/"},
        // The focus moved by code, not by the user: the page takes it as before.
        FocusCase{"TitleAfterTheBoxGotTheFocusFromCode",
                  [](frmMain* w) { w->txtURL->setFocus(Qt::OtherFocusReason); }, false, "page",
                  ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EventsTest, ADocumentWithoutAddressChangesNothing) {
    frmMain* window = openWindow();
    typeInto(window->txtURL, QStringLiteral("typing"));
    window->webMain->setFocus();
    Q_EMIT page(window)->DocumentComplete(QString());
    EXPECT_EQ(window->txtURL->text(), QStringLiteral("typing"));
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
