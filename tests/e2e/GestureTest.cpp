// What pages may only do after a person's click, which only a real display can give: ask
// before being left, go full screen.
#include "tests/e2e/E2eFixture.h"

#include "tests/support/WaitUntil.h"

namespace {

class GestureTest : public E2eFixture {
protected:
    // Starts on a page that draws and clicks into it until the page has seen a click: the
    // engine drops input until the page is ready for it, which no window event tells.
    QString startAndClick(const QString& path, const QByteArray& body) {
        const QString title = path.mid(1);
        server.page(path, "<title>" + title.toUtf8() + "</title>" + body + kDrawn + kSeen);
        const QString window = startOn(path, title + "+");
        if (!window.isEmpty())
            clickUntilSeen(window);
        return window;
    }
    static void clickUntilSeen(const QString& window) {
        EXPECT_TRUE(waitUntil([&] {
            Desktop::click(window, Desktop::kPageX, Desktop::kPageY);
            return waitUntil([&] { return Desktop::title(window).contains('*'); }, 500);
        }));
    }
    static constexpr const char* kSeen = "<script>document.addEventListener('mousedown',"
                                         " function() { document.title += '*'; }, true)</script>";
    void TearDown() override { EXPECT_EQ(closeAll(), 0); }
};

TEST_F(GestureTest, APageAskingBeforeItIsLeftIsLeftSilentlyOrAsked) {
    server.page("/other", "<title>Other</title>");
    const QString window = startAndClick(
        "/form", "<body style='height:100%'><script>window.onbeforeunload = function(e) {"
                 " e.preventDefault(); e.returnValue = ''; return ''; };</script></body>");
    ASSERT_FALSE(window.isEmpty());
    Desktop::enterAddress(window, server.url("/other").toString());
    EXPECT_FALSE(Desktop::waitWindow(captionOf("Other")).isEmpty());
    EXPECT_TRUE(Desktop::windows("^离开此页？$").isEmpty());

    // Work Offline on and off again: the window's own dialogs show from now on.
    Desktop::keys(window, {"alt+f", "w"});
    Desktop::keys(window, {"alt+f", "w"});
    Desktop::enterAddress(window, server.url("/form").toString());
    ASSERT_FALSE(Desktop::waitWindow(captionOf("form+")).isEmpty());
    clickUntilSeen(window);
    Desktop::enterAddress(window, server.url("/other").toString());
    const QString question = Desktop::waitWindow("^离开此页？$");
    ASSERT_FALSE(question.isEmpty());
    Desktop::keys(question, {"Return"});
    EXPECT_FALSE(Desktop::waitWindow(captionOf("Other")).isEmpty());
}

TEST_F(GestureTest, FullScreenCoversTheScreenAndEscapeLeaves) {
    const QString window = startAndClick(
        "/video", "<body style='height:100%'><script>document.onclick = function() {"
                  " document.documentElement.requestFullscreen(); };</script></body>");
    ASSERT_FALSE(window.isEmpty());
    const auto fullScreen = [] {
        return Desktop::windowsOfSize("tarnvale", 1280, 800);
    };
    ASSERT_TRUE(waitUntil([&] { return !fullScreen().isEmpty(); }));
    Desktop::keys(fullScreen().first(), {"Escape"});
    EXPECT_TRUE(waitUntil([&] { return fullScreen().isEmpty(); }));
}

} // namespace
