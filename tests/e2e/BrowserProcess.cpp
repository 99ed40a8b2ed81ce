#include "BrowserProcess.h"

#include "GbkText.h"
#include "TestFiles.h"
#include "WaitUntil.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>

namespace {
QByteArray startPageReg(const char* root, const QString& url) {
    return toGbk(QStringLiteral("REGEDIT4\r\n\r\n[%1\\SOFTWARE\\Microsoft\\Internet Explorer\\Main]"
                                "\r\n\"Start Page\"=\"%2\"\r\n")
                     .arg(QLatin1String(root), url));
}
} // namespace

BrowserProcess::BrowserProcess() {
    QDir().mkpath(programFolder());
    QFile::copy(QStringLiteral(TARNVALE_EXECUTABLE), programFolder() + "/tarnvale");
    QFile::setPermissions(programFolder() + "/tarnvale",
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QFile::copy(QStringLiteral(TARNVALE_SOURCE_DIR "/assets/skin.skn"),
                programFolder() + "/skin.skn");
}

BrowserProcess::~BrowserProcess() {
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

void BrowserProcess::writeUserReg(const QString& startPage) {
    writeFileBytes(path("home/.config/tarnvale/user.reg"),
                   startPageReg("HKEY_CURRENT_USER", startPage));
}

void BrowserProcess::writeSystemReg(const QString& startPage) {
    writeFileBytes(path("etc/tarnvale/system.reg"), startPageReg("HKEY_LOCAL_MACHINE", startPage));
}

QString BrowserProcess::favoritesFolder() const {
    return path("home/.local/share/tarnvale/Favorites");
}

QString BrowserProcess::historyDatabase() const {
    return path("home/.local/share/tarnvale/history.sqlite");
}

int BrowserProcess::historyRows() const {
    int rows = -1;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "e2e-history");
        db.setDatabaseName(historyDatabase());
        if (db.open()) {
            QSqlQuery query(db);
            if (query.exec("SELECT COUNT(*) FROM history") && query.next())
                rows = query.value(0).toInt();
        }
    }
    QSqlDatabase::removeDatabase("e2e-history");
    return rows;
}

bool BrowserProcess::start() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", path("home"));
    env.insert("XDG_CONFIG_HOME", path("home/.config"));
    env.insert("XDG_DATA_HOME", path("home/.local/share"));
    env.insert("XDG_CACHE_HOME", path("home/.cache"));
    env.insert("XDG_CONFIG_DIRS", path("etc"));
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("QTWEBENGINE_DISABLE_SANDBOX", "1");
    env.remove("QT_IM_MODULE");
    m_process.setProcessEnvironment(env);
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.setWorkingDirectory(path("home"));
    QDir().mkpath(path("home"));
    m_process.start(programFolder() + "/tarnvale", {});
    return m_process.waitForStarted(10000);
}

int BrowserProcess::waitForExit(int timeoutMs) {
    waitUntil([this] { return m_process.state() == QProcess::NotRunning; }, timeoutMs);
    if (m_process.state() != QProcess::NotRunning)
        return -1;
    return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -2;
}
