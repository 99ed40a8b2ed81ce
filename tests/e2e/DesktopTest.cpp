// The program on a user's desktop: openbox maximises every browser window, and what the user
// types is never taken away by a page.
#include "Desktop.h"
#include "BrowserProcess.h"
#include "LoopbackHttpServer.h"
#include "WaitUntil.h"

#include <gtest/gtest.h>

namespace {

class DesktopTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.start());
        server.page("/typed", "<title>Typed</title>");
    }

    QString startOn(const QString& path, const QString& title) {
        browser.writeUserReg(server.url(path).toString());
        return browser.start() ? Desktop::waitWindow("^" + title + " - Tarnvale$") : QString();
    }

    LoopbackHttpServer server;
    BrowserProcess browser;
};

TEST_F(DesktopTest, TheFirstWindowAndAPageRequestedWindowOpenMaximised) {
    server.page("/links", "<title>Links</title><a id='l' href='/opened' target='_blank'>new</a>"
                          "<script>document.getElementById('l').focus()</script>");
    server.page("/opened", "<title>Opened</title>");
    const QString first = startOn("/links", "Links");
    ASSERT_FALSE(first.isEmpty());
    EXPECT_TRUE(waitUntil([&] { return Desktop::isMaximised(first); }));
    Desktop::keys(first, {"Return"}); // the focused target=_blank link
    const QString opened = Desktop::waitWindow("^Opened - Tarnvale$");
    ASSERT_FALSE(opened.isEmpty());
    EXPECT_TRUE(waitUntil([&] { return Desktop::isMaximised(opened); }));
}

// After New the blank page completes and retitles itself while the user starts typing.
TEST_F(DesktopTest, AnAddressTypedRightAfterNewOpensInTheNewWindow) {
    server.page("/first", "<title>First</title>");
    const QString first = startOn("/first", "First");
    ASSERT_FALSE(first.isEmpty());
    Desktop::keys(first, {"alt+f", "n"});
    const QString blank = Desktop::waitWindow("^about:blank - Tarnvale$");
    ASSERT_FALSE(blank.isEmpty());
    EXPECT_TRUE(waitUntil([&] { return Desktop::isMaximised(blank); }));
    Desktop::type(blank, server.url("/typed").toString());
    Desktop::keys(blank, {"Return"});
    EXPECT_FALSE(Desktop::waitWindow("^Typed - Tarnvale$").isEmpty());
    EXPECT_EQ(Desktop::title(first), QStringLiteral("First - Tarnvale"));
}

TEST_F(DesktopTest, APageThatRetitlesItselfNeverTakesTheAddressBox) {
    server.page("/clock", "<title>0</title><script>var n = 0;"
                          "setInterval(function() { document.title = ++n; }, 300);</script>");
    const QString window = startOn("/clock", "0");
    ASSERT_FALSE(window.isEmpty());
    Desktop::enterAddress(window, server.url("/typed").toString());
    EXPECT_FALSE(Desktop::waitWindow("^Typed - Tarnvale$").isEmpty());
}

} // namespace
