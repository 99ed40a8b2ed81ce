#include "WindowLayout.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

void expectRect(const TwipRect& r, float left, float top, float width, float height) {
    EXPECT_FLOAT_EQ(r.left, left);
    EXPECT_FLOAT_EQ(r.top, top);
    EXPECT_FLOAT_EQ(r.width, width);
    EXPECT_FLOAT_EQ(r.height, height);
}

TEST(WindowLayout, TwelveThousandByEightThousandTwips) {
    WindowGeometry g = designGeometry();
    layoutWindow(g, 12000, 8000);
    expectRect(g.picMainToolBar, 0, 0, 11995, 465);
    expectRect(g.picBar1, 870, 45, 6655, 420);
    expectRect(g.picBar2, 7525, 45, 4470, 420);
    EXPECT_FLOAT_EQ(g.imgStop.left, 6215);
    EXPECT_FLOAT_EQ(g.imgRefresh.left, 5925);
    expectRect(g.txtURL, 45, 30, 5820, 330);
    expectRect(g.picMainWeb, 0, 465, 11985, 7535);
    expectRect(g.webMain, 0, 0, 11980, 7535);
    // What the layout never moves.
    expectRect(g.imgBack, 75, 45, 360, 360);
    expectRect(g.imgSearchEngine, 4140, 90, 195, 195);
}

TEST(WindowLayout, NarrowWindowKeepsTheLastValidAddressWidth) {
    WindowGeometry g = designGeometry();
    layoutWindow(g, 7000, 5000);
    const float lastValid = g.txtURL.width; // 7000 - 6180
    EXPECT_FLOAT_EQ(lastValid, 820);
    layoutWindow(g, 6000, 5000);
    EXPECT_FLOAT_EQ(g.txtURL.width, lastValid);
    // The strips and buttons still follow the window.
    EXPECT_FLOAT_EQ(g.picBar1.width, 655);
    EXPECT_FLOAT_EQ(g.picBar2.left, 1525);
    EXPECT_FLOAT_EQ(g.imgStop.left, 215);
}

TEST(WindowLayout, MinimiseAndRestoreLeaveTheLayoutAsItWas) {
    WindowGeometry g = designGeometry();
    layoutWindow(g, 19200, 12000);
    const WindowGeometry before = g;
    layoutWindow(g, 0, 0);
    EXPECT_FLOAT_EQ(g.txtURL.width, before.txtURL.width);
    EXPECT_FLOAT_EQ(g.webMain.height, before.webMain.height);
    layoutWindow(g, 19200, 12000);
    EXPECT_EQ(std::memcmp(&g, &before, sizeof g), 0);
}

TEST(WindowLayout, PixelsAreFifteenTwips) {
    EXPECT_EQ(toPixels({75, 45, 360, 360}), QRect(5, 3, 24, 24));
}

} // namespace
