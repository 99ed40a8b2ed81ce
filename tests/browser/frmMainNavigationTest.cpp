// Loading a window, the address box and the navigation commands, against a fake page view.
#include "BrowserTestWindow.h"

#include "ImageButton.h"
#include "TextBox.h"
#include "modMain.h"

#include <QAction>
#include <QCompleter>
#include <QTest>

namespace {

class NavigationTest : public BrowserFixture {};

TEST_F(NavigationTest, LoadSequenceRunsInOrder) {
    frmMain* window = newWindow();
    QStringList seenAtNavigate;
    page(window)->onNavigate = [&](const QString&) {
        seenAtNavigate = page(window)->calls;
        EXPECT_EQ(gstrStartPage, kStartPage);
        EXPECT_NE(window->txtURL->completer(), nullptr);
        EXPECT_TRUE(window->windowState() & Qt::WindowMaximized);
    };
    window->Show();

    EXPECT_EQ(seenAtNavigate, (QStringList{"setRegisterAsBrowser:true", "setSilent:true",
                                           "Navigate:" + kStartPage}));
    EXPECT_EQ(page(window)->calls.size(), 3);
    EXPECT_EQ(window->mstrURLNewWindow, kStartPage);
    // Caption and address box wait for the page's own events.
    EXPECT_EQ(window->windowTitle(), QStringLiteral("塔文浏览器(Tarnvale)"));
    EXPECT_TRUE(window->txtURL->text().isEmpty());
}

TEST_F(NavigationTest, AGivenAddressReplacesTheStartPage) {
    frmMain* window = newWindow(QStringLiteral("http://given.example/"));
    window->Load();
    window->Load(); // the sequence runs once
    EXPECT_EQ(page(window)->calls.filter("Navigate:"),
              QStringList{"Navigate:http://given.example/"});
    EXPECT_EQ(gstrStartPage, kStartPage);
    delete window;
}

struct EnterCase {
    const char* name;
    QString typed;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    QString navigated;
};

class AddressEnterTest : public BrowserFixture, public ::testing::WithParamInterface<EnterCase> {};

TEST_P(AddressEnterTest, NavigatesToTheTextTrimmedOfBlanks) {
    frmMain* window = openWindow();
    page(window)->calls.clear();
    window->txtURL->setText(GetParam().typed);
    QTest::keyClick(window->txtURL, GetParam().key, GetParam().modifiers);
    EXPECT_EQ(page(window)->calls, QStringList{"Navigate:" + GetParam().navigated});
}

INSTANTIATE_TEST_SUITE_P(
    Keys, AddressEnterTest,
    ::testing::Values(
        EnterCase{"Blanks", "  http://a.example/  ", Qt::Key_Return, {}, "http://a.example/"},
        EnterCase{"TabsStay", "\thttp://a.example/\t", Qt::Key_Return, {}, "\thttp://a.example/\t"},
        EnterCase{"CtrlEnter", " x ", Qt::Key_Return, Qt::ControlModifier, "x"},
        EnterCase{"ShiftEnter", " x ", Qt::Key_Return, Qt::ShiftModifier, "x"},
        EnterCase{"AltEnter", " x ", Qt::Key_Return, Qt::AltModifier, "x"},
        EnterCase{"KeypadEnter", " x ", Qt::Key_Enter, Qt::KeypadModifier, "x"},
        EnterCase{"OnlyBlanks", "   ", Qt::Key_Return, {}, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(NavigationTest, OtherKeysOnlyType) {
    frmMain* window = openWindow();
    page(window)->calls.clear();
    window->txtURL->setFocus();
    QTest::keyClicks(window->txtURL, QStringLiteral("abc"));
    EXPECT_EQ(window->txtURL->text(), QStringLiteral("abc"));
    EXPECT_TRUE(page(window)->calls.isEmpty());
}

TEST_F(NavigationTest, AddressBoxSelectsAllWheneverItGainsFocus) {
    frmMain* window = openWindow();
    window->txtURL->setText(QStringLiteral("http://selected.example/"));

    window->txtSearch->setFocus(Qt::OtherFocusReason);
    window->webMain->setFocus(Qt::TabFocusReason);
    QTest::keyClick(window->webMain, Qt::Key_Tab); // page -> address box
    ASSERT_TRUE(window->txtURL->hasFocus());
    EXPECT_EQ(window->txtURL->selectedText(), window->txtURL->text());

    window->webMain->setFocus();
    QTest::mouseClick(window->txtURL, Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_TRUE(window->txtURL->hasFocus());
    EXPECT_EQ(window->txtURL->selectedText(), window->txtURL->text());

    // Once focused, a click places the caret as usual.
    QTest::mouseClick(window->txtURL, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(window->txtURL->selectedText().isEmpty());
}

struct CommandCase {
    const char* name;
    const char* menuItem; // run through the menu
    int toolBarIndex;     // and through the tool bar (0: none)
    const char* call;
};

class CommandTest : public BrowserFixture, public ::testing::WithParamInterface<CommandCase> {};

TEST_P(CommandTest, MenuAndToolBarReachThePage) {
    frmMain* window = openWindow();
    page(window)->calls.clear();
    window->menuItem(QString::fromUtf8(GetParam().menuItem))->trigger();
    QStringList expected{QString::fromUtf8(GetParam().call)};
    if (GetParam().toolBarIndex) {
        QTest::mouseClick(window->imgToolBar[GetParam().toolBarIndex], Qt::LeftButton);
        expected << QString::fromUtf8(GetParam().call);
    }
    EXPECT_EQ(page(window)->calls, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, CommandTest,
    ::testing::Values(CommandCase{"Back", "mnuMainViewGoBack", 1, "GoBack"},
                      CommandCase{"Forward", "mnuMainViewGoForword", 2, "GoForward"},
                      CommandCase{"Stop", "mnuMainViewStop", 3, "Stop"},
                      CommandCase{"Refresh", "mnuMainViewRefresh", 4, "Refresh"},
                      CommandCase{"Home", "mnuMainViewGoHomePage", 0,
                                  "Navigate:http://start.example/"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(NavigationTest, ToolBarElementsWithoutACommandDoNothing) {
    frmMain* window = openWindow();
    page(window)->calls.clear();
    window->imgToolBar_Click(93);
    window->imgToolBar_Click(5);
    window->imgToolBar_Click(0);
    EXPECT_TRUE(page(window)->calls.isEmpty());
}

TEST_F(NavigationTest, HomeGoesToTheStartPageTheLatestWindowRead) {
    frmMain* first = openWindow();
    setStartPage(registry, QStringLiteral("http://changed.example/"));
    openWindow();
    page(first)->calls.clear();
    first->mnuMainViewGoHomePage_Click();
    EXPECT_EQ(page(first)->calls, QStringList{"Navigate:http://changed.example/"});
}

TEST_F(NavigationTest, NavigateToYieldsBeforeAndAfterNavigating) {
    frmMain* window = openWindow();
    QStringList order;
    page(window)->onNavigate = [&](const QString&) {
        order << "navigate";
    };
    QMetaObject::invokeMethod(
        window, [&] { order << "queued before"; }, Qt::QueuedConnection);
    window->NavigateTo(QStringLiteral("http://x/"));
    EXPECT_EQ(order, (QStringList{"queued before", "navigate"}));
}

} // namespace
