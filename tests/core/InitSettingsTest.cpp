// The start page as every window's load reads it: current user, then machine-wide, then the
// built-in default, from .reg files in the test's own XDG folders.
#include "core/modMain.h"
#include "core/modRegedit.h"
#include "platform/RegFileStore.h"
#include "platform/XdgPaths.h"

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

// A REGEDIT4 file (GBK) with one value line under the start-page key.
QByteArray v4(const char* root, const QString& valueLine) {
    return toGbk(QStringLiteral("REGEDIT4\r\n\r\n[%1\\SOFTWARE\\Microsoft\\Internet Explorer\\Main]"
                                "\r\n%2\r\n")
                     .arg(QLatin1String(root), valueLine));
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

class InitSettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        removeFiles();
        gstrStartPage.clear();
    }
    void TearDown() override { removeFiles(); }

    // The start page a first window reads from these files (empty: no file).
    static QString read(const QByteArray& user, const QByteArray& system) {
        removeFiles();
        if (!user.isEmpty())
            writeFileBytes(userReg(), user);
        if (!system.isEmpty())
            writeFileBytes(systemReg(), system);
        gstrStartPage.clear();
        InitSettings(*RegFileStore::fromXdgFolders());
        return gstrStartPage;
    }
};

TEST_F(InitSettingsTest, TheUsersPageThenTheMachinesThenTheDefault) {
    const QByteArray machine = v4(HKLM, startPage(kMachinePage));
    const struct {
        const char* name;
        QByteArray user;
        QByteArray system;
        QString expected;
    } rows[] = {
        {"UserPageWins", v4(HKCU, startPage("http://user.example/")), machine,
         "http://user.example/"},
        {"UserAboutBlank", v4(HKCU, startPage("about:blank")), machine, kMachinePage},
        {"NoFiles", {}, {}, kDefaultStartPage},
        {"BothAboutBlank", v4(HKCU, startPage("about:blank")), v4(HKLM, startPage("about:blank")),
         kDefaultStartPage},
        {"DwordIsUnsignedDecimal", v4(HKCU, "\"Start Page\"=dword:80000001"), machine,
         "2147483649"},
        {"LongerThanTheBuffer", v4(HKCU, startPage(QString(1024, 'a'))), machine, kMachinePage},
        {"GarbageUserFile", QByteArray("\x89PNG\r\n\x1a\n\0\0garbage", 17), machine, kMachinePage},
        {"OtherRootInTheUserFile", v4(HKLM, startPage("http://wrong-root/")), machine,
         kMachinePage},
    };
    for (const auto& row : rows)
        EXPECT_EQ(read(row.user, row.system), row.expected) << row.name;
    // A folder where the user's file should be cannot be read, even by root.
    QDir().mkpath(userReg());
    writeFileBytes(systemReg(), machine);
    InitSettings(*RegFileStore::fromXdgFolders());
    EXPECT_EQ(gstrStartPage, kMachinePage);
}

// A string filling the whole 1,024-byte buffer without a NUL cannot be rendered: the step is
// skipped and the start page stays as the previous window's load left it.
TEST_F(InitSettingsTest, EveryWindowReadsAgainAndAFullBufferKeepsThePreviousPage) {
    const auto store = RegFileStore::fromXdgFolders();
    ASSERT_TRUE(writeFileBytes(userReg(), v4(HKCU, startPage("http://first/"))));
    InitSettings(*store);
    EXPECT_EQ(gstrStartPage, QStringLiteral("http://first/"));
    ASSERT_TRUE(writeFileBytes(
        userReg(), v4(HKCU, "\"Start Page\"=hex(1):" + hexList(QByteArray(1024, 'a')))));
    ASSERT_TRUE(writeFileBytes(systemReg(), v4(HKLM, startPage(kMachinePage))));
    InitSettings(*store);
    EXPECT_EQ(gstrStartPage, QStringLiteral("http://first/"));
    gstrStartPage.clear(); // the first window: nothing before, so the machine value
    InitSettings(*store);
    EXPECT_EQ(gstrStartPage, kMachinePage);
}

} // namespace
