// What pages may only do after a person's click, which only a real display can give: ask
// before being left, go full screen, choose a file to upload.
#include "tests/e2e/BrowserProcess.h"
#include "tests/e2e/Desktop.h"
#include "tests/support/LoopbackHttpServer.h"
#include "tests/support/WaitUntil.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

class GestureTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.start());
        server.page("/other", "<title>Other</title>");
    }

    QString startOn(const QString& path, const QString& title) {
        browser.writeUserReg(server.url(path).toString());
        if (!browser.start())
            return QString();
        const QString window = Desktop::waitWindow("^" + title + " - Tarnvale$");
        Desktop::pause(1000);
        return window;
    }

    void leaveFor(const QString& window, const QString& path) {
        Desktop::enterAddress(window, server.url(path).toString());
    }

    LoopbackHttpServer server;
    BrowserProcess browser;
};

TEST_F(GestureTest, APageAskingBeforeItIsLeftIsLeftSilentlyOrAsked) {
    server.page("/form", "<title>Form</title><body style='height:100%'><script>"
                         "window.onbeforeunload = function(e) { e.preventDefault();"
                         " e.returnValue = ''; return ''; };</script></body>");
    const QString window = startOn("/form", "Form");
    ASSERT_FALSE(window.isEmpty());
    Desktop::click(window, Desktop::kPageX,
                   Desktop::kPageY); // the page may ask only after a person used it
    leaveFor(window, "/other");
    EXPECT_FALSE(Desktop::waitWindow("^Other - Tarnvale$").isEmpty());
    EXPECT_TRUE(Desktop::windows("^离开此页？$").isEmpty());

    // Work Offline on and off again: the window's own dialogs show from now on.
    Desktop::keys(window, {"alt+f", "w"});
    Desktop::keys(window, {"alt+f", "w"});
    leaveFor(window, "/form");
    ASSERT_FALSE(Desktop::waitWindow("^Form - Tarnvale$").isEmpty());
    Desktop::pause(500);
    Desktop::click(window, Desktop::kPageX, Desktop::kPageY);
    leaveFor(window, "/other");
    const QString question = Desktop::waitWindow("^离开此页？$");
    ASSERT_FALSE(question.isEmpty());
    Desktop::keys(question, {"Return"});
    EXPECT_FALSE(Desktop::waitWindow("^Other - Tarnvale$").isEmpty());
    Desktop::keys(window, {"alt+f", "c"});
    EXPECT_EQ(browser.waitForExit(), 0);
}

TEST_F(GestureTest, FullScreenCoversTheScreenAndEscapeLeaves) {
    server.page("/video", "<title>Video</title><body style='height:100%'><script>"
                          "document.onclick = function() {"
                          " document.documentElement.requestFullscreen(); };</script></body>");
    const QString window = startOn("/video", "Video");
    ASSERT_FALSE(window.isEmpty());
    Desktop::click(window, Desktop::kPageX, Desktop::kPageY);
    ASSERT_TRUE(waitUntil([] { return !Desktop::windowsOfSize("tarnvale", 1280, 800).isEmpty(); }));
    const QString full = Desktop::windowsOfSize("tarnvale", 1280, 800).first();
    Desktop::keys(full, {"Escape"});
    EXPECT_TRUE(waitUntil([] { return Desktop::windowsOfSize("tarnvale", 1280, 800).isEmpty(); }));
    Desktop::keys(window, {"alt+f", "c"});
    EXPECT_EQ(browser.waitForExit(), 0);
}

TEST_F(GestureTest, AFileInputOpensAFileChooser) {
    server.page("/upload", "<title>Upload</title><input id='file' type='file' "
                           "style='position:absolute;left:0;top:0;width:800px;height:400px'>");
    const QString window = startOn("/upload", "Upload");
    ASSERT_FALSE(window.isEmpty());
    const int before = int(Desktop::windows(".").size());
    Desktop::click(window, 300, 200);
    ASSERT_TRUE(waitUntil([&] { return int(Desktop::windows(".").size()) > before; }));
    const QString chooser = Desktop::windows(".").last();
    Desktop::keys(chooser, {"Escape"});
    EXPECT_TRUE(waitUntil([&] { return int(Desktop::windows(".").size()) == before; }));
    Desktop::keys(window, {"alt+f", "c"});
    EXPECT_EQ(browser.waitForExit(), 0);
}

} // namespace
