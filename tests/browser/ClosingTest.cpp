// A window may be closed at any moment, also while it, or the page that asked for it, is still
// letting other events run: its load, the check before a navigation, a new window's set-up.
// Nothing is used after it is freed (the sanitizer build runs these), and the rest keeps working.
#include "BrowserTestWindow.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>
#include <functional>

namespace {

class ClosingTest : public BrowserFixture {
protected:
    // Runs the step from the application's event loop, as every user action runs, and lets the
    // loop go on until nothing is left to delete.
    static void fromEventLoop(const std::function<void()>& step) {
        QEventLoop loop;
        QTimer::singleShot(0, &loop, [&] {
            step();
            QTimer::singleShot(0, &loop, &QEventLoop::quit);
        });
        loop.exec();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

TEST_F(ClosingTest, AWindowClosedWhileItLoads) {
    frmMain* window = newWindow("http://a.example/");
    const QPointer<frmMain> guard(window);
    page(window)->onNavigate = [window](const QString&) {
        window->close();
    };
    fromEventLoop([window] { window->Show(); });
    EXPECT_TRUE(guard.isNull());
    EXPECT_TRUE(frmMain::openWindows().isEmpty());
}

TEST_F(ClosingTest, AWindowClosedInsideTheCheckBeforeANavigation) {
    frmMain* window = openWindow();
    const QPointer<frmMain> guard(window);
    fromEventLoop([window] {
        QTimer::singleShot(0, window, [window] { window->close(); });
        Q_EMIT page(window)->BeforeNavigate2(QStringLiteral("http://b.example/"));
        window->NavigateTo(QStringLiteral("http://b.example/")); // still usable until it ends
    });
    EXPECT_TRUE(guard.isNull());
}

TEST_F(ClosingTest, TheOpenerClosedWhileTheNewWindowLoads) {
    frmMain* opener = openWindow();
    const QPointer<frmMain> openerGuard(opener);
    PageView* handedOver = nullptr;
    fromEventLoop([&] {
        // The new window's first navigation lets the opener's close run.
        QTimer::singleShot(0, opener, [opener] { opener->close(); });
        handedOver = page(opener)->raiseNewWindow2();
    });
    EXPECT_TRUE(openerGuard.isNull());
    ASSERT_EQ(frmMain::openWindows().size(), 1);
    EXPECT_EQ(handedOver, frmMain::openWindows().first()->webMain);
    EXPECT_TRUE(frmMain::openWindows().first()->isVisible());
}

TEST_F(ClosingTest, ANewWindowClosedWhileItLoadsTakesNoPage) {
    frmMain* opener = openWindow();
    PageView* handedOver = opener->webMain;
    fromEventLoop([&] {
        QTimer::singleShot(0, opener, [] {
            if (frmMain::openWindows().size() == 2)
                frmMain::openWindows().last()->close();
        });
        handedOver = page(opener)->raiseNewWindow2();
    });
    EXPECT_EQ(handedOver, nullptr);
    EXPECT_EQ(frmMain::openWindows(), QList<frmMain*>{opener});
    page(opener)->calls.clear();
    opener->NavigateTo(QStringLiteral("http://still.example/"));
    EXPECT_EQ(page(opener)->calls, QStringList{"Navigate:http://still.example/"});
}

} // namespace
