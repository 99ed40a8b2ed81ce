// The real program facing broken and huge inputs: it starts, stays usable, and leaves the
// user's files as they were.
#include "tests/e2e/BrowserProcess.h"
#include "tests/e2e/Desktop.h"
#include "tests/support/LoopbackHttpServer.h"
#include "tests/support/TestFiles.h"
#include "tests/support/WaitUntil.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

QByteArray randomBytes(qsizetype size) {
    QByteArray bytes(size, '\0');
    QRandomGenerator generator(20261206);
    for (char& byte : bytes)
        byte = char(generator.bounded(256));
    return bytes;
}

QByteArray digest(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(&file);
    return hash.result();
}

class BadInputTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.start());
        server.page("/fallback", "<title>Fallback</title>");
        server.page("/next", "<title>Next</title>");
        browser.writeSystemReg(server.url("/fallback").toString());
    }

    // Starts, shows the machine-wide page, still navigates, and ends cleanly.
    void expectUsable() {
        ASSERT_TRUE(browser.start());
        const QString window = Desktop::waitWindow("^Fallback - Tarnvale$", 60000);
        ASSERT_FALSE(window.isEmpty());
        Desktop::pause(1000);
        Desktop::enterAddress(window, server.url("/next").toString());
        EXPECT_FALSE(Desktop::waitWindow("^Next - Tarnvale$").isEmpty());
        Desktop::keys(window, {"alt+f", "c"});
        EXPECT_EQ(browser.waitForExit(), 0);
    }

    LoopbackHttpServer server;
    BrowserProcess browser;
};

TEST_F(BadInputTest, GarbageRegistryHugeShortcutCrowdedFavoritesGarbageSkin) {
    const QString userReg = browser.path("home/.config/tarnvale/user.reg");
    ASSERT_TRUE(writeFileBytes(userReg, randomBytes(64 * 1024)));
    const QString huge = browser.favoritesFolder() + "/huge.url";
    ASSERT_TRUE(writeFileBytes(huge, "[InternetShortcut]\r\nURL=http://huge.example/\r\n"));
    ASSERT_TRUE(QFile(huge).resize(100 * 1024 * 1024)); // 100 MB, the rest zero bytes
    for (int i = 0; i < 40000; ++i) {
        QFile file(browser.favoritesFolder() + QStringLiteral("/f%1.url").arg(i));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[InternetShortcut]\r\nURL=http://127.0.0.1:1/\r\n");
    }
    ASSERT_TRUE(writeFileBytes(browser.programFolder() + "/skin.skn", randomBytes(4096)));
    const QByteArray userRegBefore = digest(userReg);
    const QByteArray hugeBefore = digest(huge);
    const QByteArray skinBefore = digest(browser.programFolder() + "/skin.skn");

    expectUsable();
    EXPECT_EQ(digest(userReg), userRegBefore);
    EXPECT_EQ(digest(huge), hugeBefore);
    EXPECT_EQ(digest(browser.programFolder() + "/skin.skn"), skinBefore);
    EXPECT_EQ(QDir(browser.favoritesFolder()).count(), 40001u + 2u); // ".", ".." counted
    EXPECT_FALSE(QFile::exists(browser.programFolder() + "/KQLog.txt"));
}

TEST_F(BadInputTest, AStartPageOfAHundredThousandCharacters) {
    browser.writeUserReg("http://long.example/?q=" + QString(100000, 'x'));
    expectUsable();
}

// An installed program's folder is not the user's to write: the page source goes to the
// user's cache instead, and an error log entry is lost without troubling anyone.
TEST_F(BadInputTest, AProgramFolderItMayNotWriteInto) {
    // A favorites folder that cannot be listed makes an error log entry at every start.
    const QString locked = browser.favoritesFolder() + "/Locked";
    ASSERT_TRUE(QDir().mkpath(locked));
    ASSERT_EQ(::chmod(QFile::encodeName(locked).constData(), 0), 0);
    const QString log = browser.programFolder() + "/KQLog.txt";
    browser.setProgramFolderWritable(true);
    expectUsable();
    ASSERT_TRUE(QFile::exists(log)) << "the locked folder should have made a log entry";
    ASSERT_TRUE(QFile::remove(log));

    browser.setProgramFolderWritable(false);
    ASSERT_TRUE(browser.start());
    const QString window = Desktop::waitWindow("^Fallback - Tarnvale$", 60000);
    ASSERT_FALSE(window.isEmpty());
    Desktop::pause(500);
    Desktop::keys(window, {"alt+v", "o"});
    const QString source = browser.path("home/.cache/tarnvale/KQCode.txt");
    EXPECT_TRUE(
        waitUntil([&] { return readFileBytes(source).contains("<title>Fallback</title>"); }));
    Desktop::keys(window, {"alt+f", "c"});
    EXPECT_EQ(browser.waitForExit(), 0);
    EXPECT_EQ(QDir(browser.programFolder()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{"skin.skn", "tarnvale"}));
}

} // namespace
