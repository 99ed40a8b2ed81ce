// The start page as every window's load reads it: current user, then machine-wide, then the
// built-in default, from the user's and the machine's .reg files.
#include "core/modMain.h"
#include "core/modRegedit.h"
#include "platform/RegFileStore.h"

namespace {

// A REGEDIT4 file (GBK) with one value line under the start-page key.
QByteArray v4(const char* root, const QString& valueLine) {
    return toGbk(QStringLiteral("REGEDIT4\r\n\r\n[%1\\SOFTWARE\\Microsoft\\Internet Explorer\\Main]"
                                "\r\n%2\r\n")
                     .arg(QLatin1String(root), valueLine));
}

QString startPage(const QString& text) {
    return QStringLiteral("\"Start Page\"=\"") + text + QStringLiteral("\"");
}

const char* HKCU = "HKEY_CURRENT_USER";
const char* HKLM = "HKEY_LOCAL_MACHINE";
const QString kMachinePage = QStringLiteral("http://machine.example/");

class InitSettingsTest : public ::testing::Test {
protected:
    // The start page a first window reads from these files (empty: no file).
    QString read(const QByteArray& user, const QByteArray& system) {
        QFile::remove(userReg);
        QFile::remove(systemReg);
        if (!user.isEmpty())
            writeFileBytes(userReg, user);
        if (!system.isEmpty())
            writeFileBytes(systemReg, system);
        gstrStartPage.clear();
        InitSettings(store);
        return gstrStartPage;
    }

    QTemporaryDir folder;
    const QString userReg = folder.path() + "/user.reg";
    const QString systemReg = folder.path() + "/system.reg";
    const RegFileStore store{{{RegRoot::CurrentUser, userReg}, {RegRoot::LocalMachine, systemReg}}};
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
        {"LongerThanTheBuffer", v4(HKCU, startPage(QString(1024, 'a'))), machine, kMachinePage},
        {"GarbageUserFile", QByteArray("\x89PNG\r\n\x1a\n\0\0garbage", 17), machine, kMachinePage},
        {"OtherRootInTheUserFile", v4(HKLM, startPage("http://wrong-root/")), machine,
         kMachinePage},
    };
    for (const auto& row : rows)
        EXPECT_EQ(read(row.user, row.system), row.expected) << row.name;
    // A folder where the user's file should be cannot be read, even by root.
    QFile::remove(userReg);
    QDir().mkpath(userReg);
    gstrStartPage.clear();
    InitSettings(store);
    EXPECT_EQ(gstrStartPage, kMachinePage);
}

} // namespace
