// How a window follows its page's events: caption, address box, keyboard focus, history
// buttons and new windows; on fake services.
#include "tests/support/FakeServices.h"

#include "browser/frmMain.h"

#include "browser/ImageButton.h"
#include "browser/TextBox.h"

#include <QAction>
#include <QApplication>
#include <QTest>

namespace {

class EventsTest : public BrowserFixture {
protected:
    static void typeInto(TextBox* box, const QString& text) {
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::keyClicks(box, text);
    }
};

TEST_F(EventsTest, TheCaptionFollowsTheTitleButNotAServerNotFound) {
    frmMain* window = openWindow();
    const QList<QPair<QString, QString>> rows = {
        {"A", "A - Tarnvale"},
        {"", " - Tarnvale"},
        {"<b>x</b>", "<b>x</b> - Tarnvale"},
        {"找不到服务器", "<b>x</b> - Tarnvale"},
        {"为何找不到服务器？", "为何找不到服务器？ - Tarnvale"}};
    for (const auto& [title, caption] : rows) {
        Q_EMIT page(window)->TitleChange(title);
        EXPECT_EQ(window->windowTitle(), caption);
    }
}

// Who has the keyboard after the page retitles itself or completes, and what the address box
// then shows. A page never takes a box the user is typing in.
TEST_F(EventsTest, PagesTakeTheFocusOnlyFromNobodyTyping) {
    const QString shown = QStringLiteral("http://top.example/Köln"); // readable, the top page's
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
    const struct {
        const char* name;
        std::function<void(frmMain*)> before; // what the user did
        bool complete;                        // DocumentComplete, else TitleChange
        QString focused;                      // object name afterwards
        QString address;                      // the address box afterwards
    } rows[] = {
        {"TitleWhenIdle", [](frmMain*) {}, false, "webMain", ""},
        {"TitleWhileTypingAnAddress", typeAddress, false, "txtURL", "half-typ"},
        {"TitleWhileTypingAKeyword", typeKeyword, false, "txtSearch", ""},
        {"TitleAfterAClickIntoTheBox",
         [](frmMain* w) { QTest::mouseClick(w->txtURL, Qt::LeftButton); }, false, "txtURL", ""},
        {"TitleAfterFocusFromCode", [](frmMain* w) { w->txtURL->setFocus(Qt::OtherFocusReason); },
         false, "webMain", ""},
        {"CompleteWhenIdle", [](frmMain*) {}, true, "webMain", shown},
        {"CompleteKeepsATypedAddress", typeAddress, true, "txtURL", "half-typ"},
        {"CompleteWhileTypingAKeyword", typeKeyword, true, "txtSearch", shown},
        {"CompleteOfTheEnteredAddress", enterAddress, true, "webMain", shown},
        {"CompleteAfterTypingAgain",
         [&](frmMain* w) {
             enterAddress(w);
             typeInto(w->txtSearch, QStringLiteral("next"));
         },
         true, "txtSearch", shown},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        frmMain* window = openWindow();
        page(window)->locationUrl = QStringLiteral("http://top.example/K%C3%B6ln");
        row.before(window);
        if (row.complete)
            Q_EMIT page(window)->DocumentComplete(QStringLiteral("http://frame.example/inner"));
        else
            Q_EMIT page(window)->TitleChange(QStringLiteral("T"));
        QWidget* focused = QApplication::focusWidget();
        EXPECT_EQ(focused ? focused->objectName() : "nothing", row.focused);
        EXPECT_EQ(window->txtURL->text(), row.address);
        // A document without address changes nothing.
        Q_EMIT page(window)->DocumentComplete(QString());
        EXPECT_EQ(window->txtURL->text(), row.address);
        window->close();
    }
}

TEST_F(EventsTest, HistoryButtonsFollowOnlyWhatThePageReports) {
    frmMain* window = openWindow();
    ImageButton* back = window->imgToolBar[1];
    ImageButton* forward = window->imgToolBar[2];
    EXPECT_TRUE(back->isEnabled() && forward->isEnabled());
    Q_EMIT page(window)->CommandStateChange(2, false);
    EXPECT_TRUE(!back->isEnabled() && forward->isEnabled());
    Q_EMIT page(window)->CommandStateChange(1, false);
    Q_EMIT page(window)->CommandStateChange(-1, true);
    EXPECT_FALSE(back->isEnabled() || forward->isEnabled());
    // A disabled button ignores clicks; the menu items are never switched off.
    page(window)->calls.clear();
    QTest::mouseClick(back, Qt::LeftButton);
    EXPECT_TRUE(page(window)->calls.isEmpty());
    EXPECT_TRUE(window->mnuMainViewGoForword->isEnabled());
}

TEST_F(EventsTest, NewWindow2LoadsANewWindowAndHandsOverItsPage) {
    frmMain* window = openWindow();
    setStartPage(QStringLiteral("http://newer-start.example/"));
    bool ran = false; // BeforeNavigate2 lets queued events run
    QMetaObject::invokeMethod(
        window, [&] { ran = true; }, Qt::QueuedConnection);
    Q_EMIT page(window)->BeforeNavigate2(QStringLiteral("http://x/"));
    EXPECT_TRUE(ran);

    PageView* target = page(window)->raiseNewWindow2();
    ASSERT_EQ(frmMain::openWindows().size(), 2);
    frmMain* opened = frmMain::openWindows().last();
    EXPECT_EQ(target, opened->webMain);
    EXPECT_TRUE(opened->isVisible() && (opened->windowState() & Qt::WindowMaximized));
    // Its whole load ran first, with the settings read again.
    EXPECT_EQ(page(opened)->calls, (QStringList{"setRegisterAsBrowser:true", "setSilent:true",
                                                "Navigate:http://newer-start.example/"}));
    // Unlike New, the focus is not put into the new address box.
    EXPECT_NE(opened->focusWidget(), opened->txtURL);
}

} // namespace
