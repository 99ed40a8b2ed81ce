// Reading and writing one value of shortcut files as Windows writes them.
#include "GbkText.h"
#include "IniProfileFile.h"
#include "IniText.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

const QString kData = QStringLiteral(TARNVALE_TEST_DATA "/favorites/");

struct ReadCase {
    const char* file;
    QString url;
};

class ProfileReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ProfileReadTest, UrlOfInternetShortcut) {
    IniProfileFile profile;
    EXPECT_EQ(profile.readValue("InternetShortcut", "URL",
                                nativePath(kData + QLatin1String(GetParam().file)), 2048),
              GetParam().url);
}

INSTANTIATE_TEST_SUITE_P(
    WindowsFiles, ProfileReadTest,
    ::testing::Values(ReadCase{"windows-shortcut.url", "http://news.example.cn/新闻/"},
                      ReadCase{"utf8-bom.url", "http://例子.com/首页"},
                      ReadCase{"lf-line-ends.url", "http://lf.example/"},
                      ReadCase{"cr-line-ends.url", "http://cr.example/"},
                      ReadCase{"duplicate-keys.url", "http://first.example/"},
                      ReadCase{"spaced-and-quoted.url", "http://quoted.example/"},
                      ReadCase{"no-section.url", ""}, ReadCase{"no-url-key.url", ""},
                      ReadCase{"empty-url.url", ""}, ReadCase{"other-section-only.url", ""},
                      ReadCase{"missing.url", ""}),
    [](const auto& info) {
        std::string name = info.param.file;
        for (char& c : name)
            c = std::isalnum(uchar(c)) ? c : '_';
        return name;
    });

struct CutCase {
    const char* name;
    QByteArray value;
    bool utf8;
    QByteArray expected;
};

class CutValueTest : public ::testing::TestWithParam<CutCase> {};

TEST_P(CutValueTest, NeverHalfACharacter) {
    EXPECT_EQ(ini::cutValue(GetParam().value, 2047, GetParam().utf8), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lengths, CutValueTest,
    ::testing::Values(CutCase{"Exactly2047", QByteArray(2047, 'a'), false, QByteArray(2047, 'a')},
                      CutCase{"Of2048", QByteArray(2048, 'a'), false, QByteArray(2047, 'a')},
                      CutCase{"GbkPairAcrossTheLimit", QByteArray(2046, 'a') + "\xD6\xD0", false,
                              QByteArray(2046, 'a')},
                      CutCase{"GbkPairInside", QByteArray(2045, 'a') + "\xD6\xD0x", false,
                              QByteArray(2045, 'a') + "\xD6\xD0"},
                      CutCase{"DanglingLeadByte", QByteArray("abc\xD6"), false, QByteArray("abc")},
                      CutCase{"Utf8AcrossTheLimit", QByteArray(2045, 'a') + "\xE4\xB8\xAD", true,
                              QByteArray(2045, 'a')}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProfileRead, LongAddressesThroughTheBuffer) {
    QTemporaryDir folder;
    const QString path = folder.path() + QStringLiteral("/long.url");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const QByteArray url = "http://long.example/?q=" + QByteArray(3000, 'x');
    file.write("[InternetShortcut]\r\nURL=" + url + "\r\n");
    file.close();
    IniProfileFile profile;
    EXPECT_EQ(profile.readValue("InternetShortcut", "URL", nativePath(path), 2048),
              QString::fromLatin1(url.left(2047)));
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

TEST_F(ProfileWriteTest, ChangesOnlyTheKeysLine) {
    const QString path = copy("windows-shortcut.url");
    const QByteArray before = readFileBytes(path);
    ASSERT_TRUE(
        profile.writeValue("InternetShortcut", "URL", "http://新.example/", nativePath(path)));
    QByteArray expected = before;
    expected.replace(toGbk("URL=http://news.example.cn/新闻/\r\nIDList"),
                     toGbk("URL=http://新.example/\r\nIDList"));
    EXPECT_EQ(readFileBytes(path), expected);
    EXPECT_EQ(profile.readValue("InternetShortcut", "URL", nativePath(path), 2048),
              QStringLiteral("http://新.example/"));
}

TEST_F(ProfileWriteTest, KeepsLineEndsAndTheByteOrderMark) {
    const QString lf = copy("lf-line-ends.url");
    ASSERT_TRUE(profile.writeValue("InternetShortcut", "IconIndex", "3", nativePath(lf)));
    EXPECT_EQ(readFileBytes(lf), QByteArray("; written on Linux\n[InternetShortcut]\n"
                                            "URL=http://lf.example/\nIconIndex=3\n"));

    const QString bom = copy("utf8-bom.url");
    ASSERT_TRUE(
        profile.writeValue("InternetShortcut", "URL", "http://改.example/", nativePath(bom)));
    EXPECT_EQ(readFileBytes(bom),
              "\xEF\xBB\xBF" + QStringLiteral("[InternetShortcut]\r\nURL=http://"
                                              "改.example/\r\nIconIndex=0\r\n")
                                   .toUtf8());
}

TEST_F(ProfileWriteTest, AddsKeySectionOrFile) {
    const QString noKey = copy("no-final-newline.url");
    ASSERT_TRUE(profile.writeValue("InternetShortcut", "URL", "http://a/", nativePath(noKey)));
    EXPECT_EQ(readFileBytes(noKey),
              QByteArray("[InternetShortcut]\r\nIconIndex=0\r\nURL=http://a/\r\n"));

    const QString noSection = copy("no-section.url");
    ASSERT_TRUE(profile.writeValue("InternetShortcut", "URL", "http://b/", nativePath(noSection)));
    EXPECT_EQ(readFileBytes(noSection), QByteArray("URL=http://nowhere.example/\r\n"
                                                   "[InternetShortcut]\r\nURL=http://b/\r\n"));

    const QString fresh = folder.path() + QStringLiteral("/新建.url");
    ASSERT_TRUE(profile.writeValue("InternetShortcut", "URL", "http://c/中", nativePath(fresh)));
    EXPECT_EQ(readFileBytes(fresh), "[InternetShortcut]\r\nURL=" + toGbk("http://c/中") + "\r\n");
    EXPECT_EQ(QFile(fresh).permissions() & QFileDevice::ReadOwner, QFileDevice::ReadOwner);
}

TEST_F(ProfileWriteTest, TheFirstOfDuplicatedKeysIsTheOneChanged) {
    const QString path = copy("duplicate-keys.url");
    ASSERT_TRUE(profile.writeValue("internetshortcut", "url", "http://new/", nativePath(path)));
    EXPECT_EQ(readFileBytes(path),
              QByteArray("[InternetShortcut]\r\nURL=http://new/\r\n"
                         "URL=http://second.example/\r\n"
                         "[InternetShortcut]\r\nURL=http://third.example/\r\n"));
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

TEST_F(ProfileWriteTest, ValuesStayOnOneLine) {
    const QString path = folder.path() + QStringLiteral("/x.url");
    ASSERT_TRUE(profile.writeValue("InternetShortcut", "URL", "http://a/\r\n[Evil]\r\nk=v",
                                   nativePath(path)));
    EXPECT_EQ(readFileBytes(path), QByteArray("[InternetShortcut]\r\nURL=http://a/[Evil]k=v\r\n"));
}

TEST(NativePaths, GbkNamesFromWindowsAreReadable) {
    QTemporaryDir folder;
    const QByteArray gbkName = toGbk(QStringLiteral("新闻.url"));
    const std::filesystem::path path =
        std::filesystem::path(QFile::encodeName(folder.path()).toStdString()) /
        std::string(gbkName.constData(), size_t(gbkName.size()));
    ASSERT_TRUE(replaceFileAtomically(path, "[InternetShortcut]\r\nURL=http://gbk/\r\n"));
    EXPECT_EQ(pathText(path.filename()), QStringLiteral("新闻.url"));
    EXPECT_EQ(pathText(std::filesystem::path("plain-utf8-名.url")),
              QStringLiteral("plain-utf8-名.url"));
    IniProfileFile profile;
    EXPECT_EQ(profile.readValue("InternetShortcut", "URL", path, 2048),
              QStringLiteral("http://gbk/"));
}

} // namespace
