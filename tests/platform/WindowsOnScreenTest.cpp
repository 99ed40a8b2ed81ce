// A window larger than its screen (a small one, or a scaled one) is brought within it, title bar
// and buttons in reach; one that fits is left to the window manager.
#include "platform/WindowsOnScreen.h"

#include <QDialog>
#include <QScreen>

namespace {

TEST(WindowsOnScreenTest, AWindowLargerThanItsScreenIsBroughtWithinIt) {
    WindowsOnScreen filter;
    qApp->installEventFilter(&filter);
    QDialog large;
    const QRect available = large.screen()->availableGeometry();
    large.resize(available.width() * 2, available.height() + 300);
    large.move(available.left() - 80, available.top() - 100);
    large.show();
    EXPECT_TRUE(available.contains(large.geometry())) << large.geometry().width();
    EXPECT_GT(large.geometry().top(), available.top()); // room for its title bar

    QDialog small;
    small.resize(200, 100);
    small.move(available.left() + 30, available.top() + 40);
    const QRect before = small.geometry();
    small.show();
    EXPECT_EQ(small.size(), before.size());
    EXPECT_LE((small.geometry().topLeft() - before.topLeft()).manhattanLength(), 8); // its frame
    qApp->removeEventFilter(&filter);
}

} // namespace
