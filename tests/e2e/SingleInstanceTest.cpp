// One browser per user: a second start (a link clicked in another program) hands its address
// to the running browser, and never starts a second page engine on the same profile.
#include "tests/e2e/E2eFixture.h"
#include "tests/support/TestFiles.h"
#include "tests/support/WaitUntil.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <csignal>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

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

TEST_F(SingleInstanceTest, ASocketAndALockLeftByAGoneBrowserAreReplaced) {
    // What a browser that was killed leaves behind: its socket and its lock file.
    QDir().mkpath(QFileInfo(browser.socketPath()).absolutePath());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray path = QFile::encodeName(browser.socketPath());
    ::strncpy(address.sun_path, path.constData(), sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
    ASSERT_TRUE(
        writeFileBytes(browser.path("home/.local/share/tarnvale/engine.lock"),
                       "2147483646\ntarnvale\n" + QSysInfo::machineHostName().toUtf8() + "\n"));

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
