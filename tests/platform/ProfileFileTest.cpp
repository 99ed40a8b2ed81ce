// Reading and writing one value of shortcut files as Windows writes them.
#include "platform/IniProfileFile.h"
#include "platform/IniText.h"

#include <unistd.h>

namespace {

const QString kData = QStringLiteral(TARNVALE_TEST_DATA "/favorites/");

TEST(ProfileRead, UrlsOfShortcutsAsWindowsAndOthersWriteThem) {
    const QList<QPair<const char*, QString>> rows = {
        {"windows-shortcut.url", "http://news.example.cn/新闻/"},
        {"utf8-bom.url", "http://例子.com/首页"},
        {"lf-line-ends.url", "http://lf.example/"},
        {"cr-line-ends.url", "http://cr.example/"},
        {"duplicate-keys.url", "http://first.example/"},
        {"spaced-and-quoted.url", "http://quoted.example/"},
        {"no-url-key.url", ""},
        {"missing.url", ""}};
    IniProfileFile profile;
    for (const auto& [file, url] : rows)
        EXPECT_EQ(profile.readValue("InternetShortcut", "URL", nativePath(kData + file), 2048), url)
            << file;
    // Long values come through the buffer cut, never half a character.
    QTemporaryDir folder;
    const QByteArray url = "http://long.example/?q=" + QByteArray(3000, 'x');
    ASSERT_TRUE(writeFileBytes(folder.path() + "/long.url", "[InternetShortcut]\r\nURL=" + url));
    EXPECT_EQ(
        profile.readValue("InternetShortcut", "URL", nativePath(folder.path() + "/long.url"), 2048),
        QString::fromLatin1(url.left(2047)));
    EXPECT_EQ(ini::cutValue(QByteArray(2046, 'a') + "\xD6\xD0", 2047, false),
              QByteArray(2046, 'a'));
    EXPECT_EQ(ini::cutValue(QByteArray(2045, 'a') + "\xD6\xD0x", 2047, false),
              QByteArray(2045, 'a') + "\xD6\xD0");
    EXPECT_EQ(ini::cutValue(QByteArray(2045, 'a') + "\xE4\xB8\xAD", 2047, true),
              QByteArray(2045, 'a'));
}

class ProfileWriteTest : public ::testing::Test {
protected:
    QString copy(const char* name) {
        const QString target = folder.path() + QLatin1Char('/') + QLatin1String(name);
        QFile::copy(kData + QLatin1String(name), target);
        return target;
    }
    QTemporaryDir folder;
    IniProfileFile profile;
};

TEST_F(ProfileWriteTest, KeepsTheFileAsItWasAroundTheValue) {
    const QList<std::tuple<const char*, const char*, QByteArray>> rows = {
        {"lf-line-ends.url", "IconIndex",
         "; written on Linux\n[InternetShortcut]\nURL=http://lf.example/\nIconIndex=3\n"},
        {"utf8-bom.url", "URL", "\xEF\xBB\xBF[InternetShortcut]\r\nURL=3\r\nIconIndex=0\r\n"},
        {"no-section.url", "URL", "URL=http://nowhere.example/\r\n[internetshortcut]\r\nURL=3\r\n"},
        {"duplicate-keys.url", "url",
         "[InternetShortcut]\r\nURL=3\r\nURL=http://second.example/\r\n"
         "[InternetShortcut]\r\nURL=http://third.example/\r\n"}};
    for (const auto& [file, key, expected] : rows) {
        const QString path = copy(file);
        ASSERT_TRUE(profile.writeValue("internetshortcut", key, "3", nativePath(path)));
        EXPECT_EQ(readFileBytes(path), expected) << file;
    }
    const QString fresh = folder.path() + QStringLiteral("/新建.url");
    ASSERT_TRUE(profile.writeValue("InternetShortcut", "URL", "http://c/中", nativePath(fresh)));
    EXPECT_EQ(readFileBytes(fresh), "[InternetShortcut]\r\nURL=" + toGbk("http://c/中") + "\r\n");
    // Values stay on one line.
    ASSERT_TRUE(profile.writeValue("InternetShortcut", "URL", "http://a/\r\n[Evil]\r\nk=v",
                                   nativePath(fresh)));
    EXPECT_EQ(readFileBytes(fresh), QByteArray("[InternetShortcut]\r\nURL=http://a/[Evil]k=v\r\n"));
}

TEST_F(ProfileWriteTest, AFailedWriteReportsItAndLeavesTheOldFile) {
    // A folder that cannot take new files, even for root.
    const QString path = geteuid() == 0 ? QStringLiteral("/proc/tarnvale-test.url")
                                        : folder.path() + QStringLiteral("/ro/x.url");
    if (geteuid() != 0) {
        QDir(folder.path()).mkdir("ro");
        QFile::setPermissions(folder.path() + "/ro",
                              QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    }
    EXPECT_FALSE(profile.writeValue("InternetShortcut", "URL", "http://x/", nativePath(path)));
    EXPECT_FALSE(QFile::exists(path));

    // Something that is not a file is never replaced.
    QDir(folder.path()).mkdir("folder.url");
    EXPECT_FALSE(profile.writeValue("InternetShortcut", "URL", "http://x/",
                                    nativePath(folder.path() + "/folder.url")));
    EXPECT_TRUE(QFileInfo(folder.path() + "/folder.url").isDir());
    // No temporary file is left behind.
    EXPECT_TRUE(QDir(folder.path()).entryList(QDir::Hidden | QDir::Files).isEmpty());
}

} // namespace
