// The real program facing broken and huge inputs: it starts, stays usable, and leaves the
// user's files as they were.
#include "tests/e2e/E2eFixture.h"

#include "tests/support/TestFiles.h"
#include "tests/support/WaitUntil.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
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
    QCryptographicHash hash(QCryptographicHash::Sha1);
    if (file.open(QIODevice::ReadOnly))
        hash.addData(&file);
    return hash.result();
}

class BadInputTest : public E2eFixture {
protected:
    void SetUp() override {
        E2eFixture::SetUp();
        server.page("/fallback", "<title>Fallback</title>");
        server.page("/next", "<title>Next</title>");
        browser.writeSystemReg(server.url("/fallback").toString());
    }

    // Starts, shows the machine-wide page, still navigates, and ends cleanly.
    void expectUsable() {
        ASSERT_TRUE(browser.start());
        const QString window = Desktop::waitWindow(captionOf("Fallback"), 60000);
        ASSERT_FALSE(window.isEmpty());
        Desktop::enterAddress(window, server.url("/next").toString());
        EXPECT_FALSE(Desktop::waitWindow(captionOf("Next")).isEmpty());
        EXPECT_EQ(closeAll(), 0);
    }
};

struct BadFile {
    const char* name;
    const char* path; // in the test's root folder
    std::function<bool(const QString&)> write;
};

class BadFileTest : public BadInputTest, public ::testing::WithParamInterface<BadFile> {};

TEST_P(BadFileTest, LeavesTheFileAsItWasAndTheBrowserUsable) {
    const QString file = browser.path(GetParam().path);
    ASSERT_TRUE(GetParam().write(file));
    const QByteArray before = digest(file);
    expectUsable();
    EXPECT_EQ(digest(file), before);
    EXPECT_FALSE(QFile::exists(browser.programFolder() + "/KQLog.txt"));
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadFileTest,
    ::testing::Values(
        BadFile{"GarbageRegistry", "home/.config/tarnvale/user.reg",
                [](const QString& path) {
                    return writeFileBytes(path, randomBytes(64 * 1024));
                }},
        BadFile{"GarbageSkin", "program/skin.skn",
                [](const QString& path) {
                    return writeFileBytes(path, randomBytes(4096));
                }},
        BadFile{"HundredMegabyteShortcut", "home/.local/share/tarnvale/Favorites/huge.url",
                [](const QString& path) {
                    return writeFileBytes(path, "[InternetShortcut]\r\nURL=http://huge/\r\n") &&
                           QFile(path).resize(100 * 1024 * 1024); // the rest zero bytes
                }},
        BadFile{"FortyThousandFavorites", "home/.local/share/tarnvale/Favorites/f0.url",
                [](const QString& path) {
                    for (int i = 0; i < 40000; ++i) {
                        if (!writeFileBytes(QString(path).replace("f0", "f" + QString::number(i)),
                                            "[InternetShortcut]\r\nURL=http://127.0.0.1:1/\r\n"))
                            return false;
                    }
                    return true;
                }},
        BadFile{"HundredThousandCharacterStartPage", "home/.config/tarnvale/user.reg",
                [](const QString& path) {
                    return writeFileBytes(
                        path, "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Internet "
                              "Explorer\\Main]\r\n\"Start Page\"=\"http://long/?q=" +
                                  QByteArray(100000, 'x') + "\"\r\n");
                }}),
    [](const auto& info) { return std::string(info.param.name); });

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
    const QString window = Desktop::waitWindow(captionOf("Fallback"), 60000);
    ASSERT_FALSE(window.isEmpty());
    Desktop::keys(window, {"alt+v", "o"});
    const QString source = browser.path("home/.cache/tarnvale/KQCode.txt");
    EXPECT_TRUE(
        waitUntil([&] { return readFileBytes(source).contains("<title>Fallback</title>"); }));
    EXPECT_EQ(closeAll(), 0);
    EXPECT_EQ(QDir(browser.programFolder()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{"skin.skn", "tarnvale"}));
}

} // namespace
