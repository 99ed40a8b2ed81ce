// Opening and closing windows: New, the default window, the end of the program.
#include "BrowserTestWindow.h"

#include "PictureBox.h"
#include "TextBox.h"

#include <QAction>
#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {

class WindowsTest : public BrowserFixture {};

TEST_F(WindowsTest, NewOpensASeparateBlankWindowWithTheFocusInItsAddressBox) {
    frmMain* first = openWindow();
    first->menuItem(QStringLiteral("mnuMainFileNewLabel"))->trigger();

    ASSERT_EQ(frmMain::openWindows().size(), 2);
    frmMain* opened = frmMain::openWindows().last();
    EXPECT_NE(opened, first);
    EXPECT_TRUE(opened->isVisible());
    EXPECT_EQ(page(opened)->calls.filter("Navigate:"), QStringList{"Navigate:about:blank"});
    EXPECT_EQ(opened->focusWidget(), opened->txtURL);
    // The blank page retitles and completes: the box stays ready for the user's typing.
    page(opened)->locationUrl = QStringLiteral("about:blank");
    Q_EMIT page(opened)->TitleChange(QStringLiteral("about:blank"));
    Q_EMIT page(opened)->DocumentComplete(QStringLiteral("about:blank"));
    EXPECT_EQ(opened->focusWidget(), opened->txtURL);
    EXPECT_EQ(opened->txtURL->selectedText(), QStringLiteral("about:blank"));

    // New from the second window is again a fresh window.
    opened->mnuMainFileNewLabel_Click();
    EXPECT_EQ(frmMain::openWindows().size(), 3);
}

TEST_F(WindowsTest, TheOldestOpenWindowIsTheDefaultWindow) {
    frmMain* first = openWindow();
    frmMain* second = openWindow();
    frmMain* third = openWindow();
    EXPECT_EQ(frmMain::defaultWindow(), first);

    first->close();
    EXPECT_EQ(frmMain::defaultWindow(), second);
    EXPECT_EQ(frmMain::openWindows(), (QList<frmMain*>{second, third}));
    third->close();
    EXPECT_EQ(frmMain::defaultWindow(), second);
}

TEST_F(WindowsTest, ClosingTheLastWindowEndsTheProgram) {
    frmMain* first = openWindow();
    frmMain* second = openWindow();
    QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
    int stillOpenAfterFirst = -1;
    QTimer::singleShot(0, first, [&] {
        first->menuItem(QStringLiteral("mnuMainFileExit"))->trigger();
        stillOpenAfterFirst = int(frmMain::openWindows().size());
        QTimer::singleShot(0, second, [&] { second->mnuMainFileExit_Click(); });
    });
    // The application's own event loop ends by itself; the watchdog only guards the test.
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    watchdog.start(10000);
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_EQ(stillOpenAfterFirst, 1);
    EXPECT_EQ(lastClosed.count(), 1);
    EXPECT_EQ(frmMain::defaultWindow(), nullptr);
}

TEST_F(WindowsTest, DoubleClickAroundThePageClosesInsideDoesNot) {
    frmMain* window = openWindow();
    QTest::mouseDClick(window->webMain, Qt::LeftButton);
    EXPECT_TRUE(window->isVisible());
    QTest::mouseDClick(window->picMainWeb, Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(frmMain::defaultWindow(), nullptr);
}

TEST_F(WindowsTest, ClosedWindowsAreDeleted) {
    frmMain* window = openWindow();
    QPointer<frmMain> guard(window);
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull());
}

} // namespace
