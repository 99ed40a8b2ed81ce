// One browser per user: a second start (a link clicked in another program) hands its address
// to the running browser, and never starts a second page engine on the same profile.
#include "tests/e2e/E2eFixture.h"
#include "tests/support/TestFiles.h"
#include "tests/support/WaitUntil.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <csignal>

namespace {

const QString kNotAnswering = QStringLiteral("^塔文浏览器\\(Tarnvale\\)$");

class SingleInstanceTest : public E2eFixture {
protected:
    void SetUp() override {
        E2eFixture::SetUp();
        server.page("/first", "<title>First</title>");
        server.page("/second", "<title>Second</title>");
    }
    QString startFirst() { return startOn("/first", "First"); }
};

TEST_F(SingleInstanceTest, ASecondStartOpensItsAddressInTheRunningBrowser) {
    ASSERT_FALSE(startFirst().isEmpty());
    QElapsedTimer took;
    took.start();
    QProcess& second = browser.startAnother({server.url("/second").toString()});
    EXPECT_EQ(BrowserProcess::waitForExit(second, 5000), 0);
    EXPECT_LT(took.elapsed(), 5000);
    const QString opened = Desktop::waitWindow("^Second - Tarnvale$");
    ASSERT_FALSE(opened.isEmpty());
    EXPECT_EQ(Desktop::pid(opened), browser.pid());
    EXPECT_TRUE(waitUntil([&] { return Desktop::isMaximised(opened); }));

    // Without an address: a new window on the start page.
    EXPECT_EQ(BrowserProcess::waitForExit(browser.startAnother({})), 0);
    EXPECT_TRUE(Desktop::waitWindowCount("^First - Tarnvale$", 2));
}

// A browser that was killed leaves its socket and its lock behind.
TEST_F(SingleInstanceTest, WhatAKilledBrowserLeftIsReplaced) {
    ASSERT_FALSE(startFirst().isEmpty());
    ASSERT_EQ(::kill(pid_t(browser.pid()), SIGKILL), 0);
    ASSERT_EQ(browser.waitForExit(), -2);
    ASSERT_TRUE(QFileInfo::exists(browser.socketPath()));
    ASSERT_FALSE(startFirst().isEmpty());
    EXPECT_EQ(BrowserProcess::waitForExit(browser.startAnother({server.url("/second").toString()})),
              0);
    EXPECT_FALSE(Desktop::waitWindow("^Second - Tarnvale$").isEmpty());
}

TEST_F(SingleInstanceTest, ABrowserThatDoesNotAnswerIsSaidAndNoSecondEngineStarts) {
    ASSERT_FALSE(startFirst().isEmpty());
    ASSERT_EQ(::kill(pid_t(browser.pid()), SIGSTOP), 0);
    QProcess& second = browser.startAnother({server.url("/second").toString()});
    const QString message = Desktop::waitWindow(kNotAnswering);
    ::kill(pid_t(browser.pid()), SIGCONT);
    ASSERT_FALSE(message.isEmpty());
    EXPECT_EQ(Desktop::pid(message), second.processId());
    EXPECT_TRUE(descendants(second.processId()).isEmpty()); // no engine of its own
    Desktop::keys(message, {"Return"});
    EXPECT_EQ(BrowserProcess::waitForExit(second), 1);
    EXPECT_TRUE(Desktop::windows("^Second - Tarnvale$").isEmpty());
}

} // namespace
