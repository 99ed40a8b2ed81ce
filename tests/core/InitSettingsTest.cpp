// The start page as every window's load reads it: current user, then machine-wide, then the
// built-in default, from .reg files in the test's own XDG folders.
#include "GbkText.h"
#include "RegFileStore.h"
#include "TestFiles.h"
#include "XdgPaths.h"
#include "modMain.h"
#include "modRegedit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

QString userReg() {
    return xdg::appFolder(xdg::configHome()) + QStringLiteral("/user.reg");
}

QString systemReg() {
    return xdg::appFolder(xdg::firstConfigDir()) + QStringLiteral("/system.reg");
}

void removeFiles() {
    for (const QString& path : {userReg(), systemReg()}) {
        QFile::remove(path);
        QDir(path).removeRecursively();
    }
}

QString mainKey(const char* root) {
    return QStringLiteral("[%1\\SOFTWARE\\Microsoft\\Internet Explorer\\Main]").arg(root);
}

// A REGEDIT4 file (GBK) with one value line under the start-page key.
QByteArray v4(const char* root, const QString& valueLine) {
    return toGbk(QStringLiteral("REGEDIT4\r\n\r\n") + mainKey(root) + QStringLiteral("\r\n") +
                 valueLine + QStringLiteral("\r\n"));
}

QByteArray utf16le(const QString& text) {
    QByteArray bytes;
    for (const QChar c : text) {
        bytes.append(char(c.unicode() & 0xFF));
        bytes.append(char(c.unicode() >> 8));
    }
    return bytes;
}

// A version 5 file (UTF-16LE with BOM) with one value line under the start-page key.
QByteArray v5(const char* root, const QString& valueLine) {
    return QByteArray("\xFF\xFE", 2) +
           utf16le(QStringLiteral("Windows Registry Editor Version 5.00\r\n\r\n") + mainKey(root) +
                   QStringLiteral("\r\n") + valueLine + QStringLiteral("\r\n"));
}

QString hexList(const QByteArray& bytes) {
    QStringList parts;
    for (const char b : bytes)
        parts << QStringLiteral("%1").arg(uchar(b), 2, 16, QLatin1Char('0'));
    return parts.join(QLatin1Char(','));
}

QString startPage(const QString& text) {
    return QStringLiteral("\"Start Page\"=\"") + text + QStringLiteral("\"");
}

const char* HKCU = "HKEY_CURRENT_USER";
const char* HKLM = "HKEY_LOCAL_MACHINE";
const QString kMachinePage = QStringLiteral("http://machine.example/");

struct StartPageCase {
    const char* name;
    QByteArray user;   // empty: no user.reg
    QByteArray system; // empty: no system.reg
    QString expected;
};

class StartPageTest : public ::testing::TestWithParam<StartPageCase> {
protected:
    void SetUp() override {
        removeFiles();
        gstrStartPage.clear();
    }
    void TearDown() override { removeFiles(); }
};

TEST_P(StartPageTest, InitSettingsPicksTheStartPage) {
    const StartPageCase& c = GetParam();
    if (!c.user.isEmpty()) {
        ASSERT_TRUE(writeFileBytes(userReg(), c.user));
    }
    if (!c.system.isEmpty()) {
        ASSERT_TRUE(writeFileBytes(systemReg(), c.system));
    }
    InitSettings(*RegFileStore::fromXdgFolders());
    EXPECT_EQ(gstrStartPage.toStdString(), c.expected.toStdString());
}

const QByteArray kMachine = v4(HKLM, startPage(kMachinePage));

INSTANTIATE_TEST_SUITE_P(
    Registry, StartPageTest,
    ::testing::Values(
        StartPageCase{"UserPageWins", v4(HKCU, startPage("http://user.example/")), kMachine,
                      "http://user.example/"},
        StartPageCase{"UserAboutBlankFallsBackToMachine", v4(HKCU, startPage("about:blank")),
                      kMachine, kMachinePage},
        StartPageCase{"MixedCaseAboutBlankIsAPage", v4(HKCU, startPage("About:Blank")), kMachine,
                      "About:Blank"},
        StartPageCase{"BlanksAreAPage", v4(HKCU, startPage("   ")), kMachine, "   "},
        StartPageCase{"NoFilesGiveTheDefault", {}, {}, kDefaultStartPage},
        StartPageCase{"BothEmptyGiveTheDefault", v4(HKCU, startPage("")), v4(HKLM, startPage("")),
                      kDefaultStartPage},
        StartPageCase{"BothAboutBlankGiveTheDefault", v4(HKCU, startPage("about:blank")),
                      v5(HKLM, startPage("about:blank")), kDefaultStartPage},
        StartPageCase{"BinaryValueReadsEmpty", v4(HKCU, "\"Start Page\"=hex:68,74,74,70"), kMachine,
                      kMachinePage},
        StartPageCase{"MultiStringReadsEmpty", v4(HKCU, "\"Start Page\"=hex(7):61,00,00"), kMachine,
                      kMachinePage},
        StartPageCase{"DwordIsUnsignedDecimal", v4(HKCU, "\"Start Page\"=dword:80000001"), kMachine,
                      "2147483649"},
        StartPageCase{"ExpandStringStaysUnexpandedV4",
                      v4(HKCU, "\"Start Page\"=hex(2):" +
                                   hexList(QByteArray("%USERPROFILE%\\start.html", 25) +
                                           QByteArray(1, '\0'))),
                      kMachine, "%USERPROFILE%\\start.html"},
        StartPageCase{"ExpandStringStaysUnexpandedV5",
                      v5(HKCU, "\"Start Page\"=hex(2):" +
                                   hexList(utf16le(QStringLiteral("%USERPROFILE%\\首页.html")) +
                                           QByteArray(2, '\0'))),
                      kMachine, "%USERPROFILE%\\首页.html"},
        StartPageCase{"LongerThanTheBufferFallsBack",
                      v4(HKCU, startPage(QString(1024, QLatin1Char('a')))), kMachine, kMachinePage},
        StartPageCase{"ExactlyFillsTheBufferWithItsNul",
                      v4(HKCU, startPage(QString(1023, QLatin1Char('a')))), kMachine,
                      QString(1023, QLatin1Char('a'))},
        StartPageCase{"ChineseGbkText", v4(HKCU, startPage("http://例子.中国/首页")), kMachine,
                      "http://例子.中国/首页"},
        StartPageCase{"ChineseUnicodeFile", v5(HKCU, startPage("http://例子.中国/首页")), kMachine,
                      "http://例子.中国/首页"},
        StartPageCase{"GarbageUserFileFallsBack", QByteArray("\x89PNG\r\n\x1a\n\0\0garbage", 17),
                      kMachine, kMachinePage},
        StartPageCase{"DeletedKeyFallsBack",
                      v4(HKCU, startPage("http://gone/") + "\r\n[-HKEY_CURRENT_USER\\Software]"),
                      kMachine, kMachinePage},
        StartPageCase{"DeletedValueFallsBack",
                      v4(HKCU, startPage("http://gone/") + "\r\n\"Start Page\"=-"), kMachine,
                      kMachinePage},
        StartPageCase{"EscapedQuotesAndBackslashes",
                      v4(HKCU, startPage("file:///C:\\\\a \\\"b\\\".html")), kMachine,
                      "file:///C:\\a \"b\".html"},
        StartPageCase{
            "MalformedLineIsSkipped",
            v4(HKCU, "\"Broken\"=dword:xyz\r\nnonsense\r\n" + startPage("http://after-garbage/")),
            kMachine, "http://after-garbage/"},
        StartPageCase{"NamesMatchWhateverTheirCase",
                      toGbk("REGEDIT4\r\n[hkey_current_user\\software\\MICROSOFT\\internet "
                            "explorer\\MAIN]\r\n\"START PAGE\"=\"http://case/\"\r\n"),
                      kMachine, "http://case/"},
        StartPageCase{"UserFileOfOtherRootIsIgnored", v4(HKLM, startPage("http://wrong-root/")),
                      kMachine, kMachinePage}),
    [](const auto& info) { return std::string(info.param.name); });

class StartPageFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        removeFiles();
        gstrStartPage.clear();
    }
    void TearDown() override { removeFiles(); }
};

TEST_F(StartPageFileTest, UnreadableUserStoreFallsBackToMachine) {
    // A folder where the file should be cannot be read, even by root.
    QDir().mkpath(userReg());
    ASSERT_TRUE(writeFileBytes(systemReg(), kMachine));
    InitSettings(*RegFileStore::fromXdgFolders());
    EXPECT_EQ(gstrStartPage, kMachinePage);
}

// A string filling the whole 1,024-byte buffer without a NUL cannot be rendered: the step is
// skipped and the start page stays as the previous window's load left it.
TEST_F(StartPageFileTest, FullBufferWithoutNulKeepsThePreviousPage) {
    ASSERT_TRUE(writeFileBytes(
        userReg(), v4(HKCU, "\"Start Page\"=hex(1):" + hexList(QByteArray(1024, 'a')))));
    ASSERT_TRUE(writeFileBytes(systemReg(), kMachine));

    gstrStartPage = QStringLiteral("http://previous-window/");
    InitSettings(*RegFileStore::fromXdgFolders());
    EXPECT_EQ(gstrStartPage, QStringLiteral("http://previous-window/"));

    gstrStartPage.clear(); // the first window: nothing before, so the machine value
    InitSettings(*RegFileStore::fromXdgFolders());
    EXPECT_EQ(gstrStartPage, kMachinePage);
}

TEST_F(StartPageFileTest, ALaterWindowReadsTheChangedStartPage) {
    const auto store = RegFileStore::fromXdgFolders();
    ASSERT_TRUE(writeFileBytes(userReg(), v4(HKCU, startPage("http://first/"))));
    InitSettings(*store);
    EXPECT_EQ(gstrStartPage, QStringLiteral("http://first/"));
    ASSERT_TRUE(writeFileBytes(userReg(), v5(HKCU, startPage("http://second/"))));
    InitSettings(*store);
    EXPECT_EQ(gstrStartPage, QStringLiteral("http://second/"));
}

TEST_F(StartPageFileTest, SuffixAndSearchTemplateAreFixed) {
    gstrTitleSuffix = QStringLiteral("stale");
    gstrSearchURL = QStringLiteral("stale");
    InitSettings(*RegFileStore::fromXdgFolders());
    EXPECT_EQ(gstrTitleSuffix, QStringLiteral(" - Tarnvale"));
    EXPECT_EQ(gstrSearchURL,
              QStringLiteral("http://www.baidu.com/s?wd=<searchstring>&tn=mvrak_tp"));
}

} // namespace
