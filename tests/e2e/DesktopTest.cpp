// The program on a user's desktop: openbox maximises every browser window, and what the user
// types is never taken away by a page.
#include "tests/e2e/E2eFixture.h"
#include "tests/support/TestFiles.h"
#include "tests/support/WaitUntil.h"

namespace {

class DesktopTest : public E2eFixture {
protected:
    void SetUp() override {
        E2eFixture::SetUp();
        server.page("/typed", "<title>Typed</title>");
    }
};

TEST_F(DesktopTest, TheFirstWindowAndAPageRequestedWindowOpenMaximised) {
    // The page says when it has the keyboard: only then does Return reach its link.
    server.page("/links", "<title>Links</title><a id='l' href='/opened' target='_blank'>new</a>"
                          "<script>document.getElementById('l').focus(); function mark() {"
                          " document.title = 'Focused'; } window.onfocus = mark;"
                          " if (document.hasFocus()) mark();</script>");
    server.page("/opened", "<title>Opened</title>");
    const QString first = startOn("/links", "Focused");
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

// A normal user's browser keeps the engine's sandbox: its renderer runs under seccomp, and
// nothing turned the sandbox off. (As root, the browser is started as "nobody".)
TEST_F(DesktopTest, ANormalUsersPagesRunInTheEnginesSandbox) {
    server.page("/first", "<title>First</title>");
    browser.runAsNormalUser();
    ASSERT_FALSE(startOn("/first", "First").isEmpty());
    EXPECT_FALSE(readFileBytes(QStringLiteral("/proc/%1/environ").arg(browser.pid()))
                     .contains("QTWEBENGINE_DISABLE_SANDBOX"));
    // Renderers are forked from the engine's zygote, below the browser process.
    const auto sandboxedRenderer = [&] {
        for (const QString& pid : descendants(browser.pid())) {
            if (readFileBytes("/proc/" + pid + "/status").contains("Seccomp:\t2"))
                return true;
        }
        return false;
    };
    EXPECT_TRUE(waitUntil(sandboxedRenderer));
}

} // namespace
