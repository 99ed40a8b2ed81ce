#include "BrowserProcess.h"

#include "GbkText.h"
#include "TestFiles.h"
#include "WaitUntil.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr int kNobody = 65534;

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
    // A locked program folder would keep its files from being removed with the rest.
    ::chmod(QFile::encodeName(programFolder()).constData(), 0755);
}

void BrowserProcess::setProgramFolderWritable(bool writable) {
    const QByteArray folder = QFile::encodeName(programFolder());
    if (geteuid() != 0) {
        ::chmod(folder.constData(), writable ? 0755 : 0555);
        return;
    }
    m_user = kNobody;
    ::chmod(folder.constData(), 0755);
    const int owner = writable ? kNobody : 0;
    if (::chown(folder.constData(), owner, owner) != 0)
        ADD_FAILURE() << "cannot hand the program folder over";
}

void BrowserProcess::prepareForUser() {
    namespace fs = std::filesystem;
    const fs::path program = QFile::encodeName(programFolder()).toStdString();
    const auto give = [this](const fs::path& path) {
        if (::lchown(path.c_str(), m_user, m_user) != 0)
            ADD_FAILURE() << "cannot hand " << path << " over";
    };
    give(m_root.path().toStdString());
    for (const auto& entry : fs::directory_iterator(m_root.path().toStdString())) {
        if (entry.path() == program)
            continue;
        give(entry.path());
        if (entry.is_directory() && !entry.is_symlink()) {
            for (const auto& inner : fs::recursive_directory_iterator(entry.path()))
                give(inner.path());
        }
    }
    // The program itself stays the test's: readable and runnable by everyone.
    for (const auto& inner : fs::directory_iterator(program))
        ::chmod(inner.path().c_str(), inner.path().filename() == "tarnvale" ? 0755 : 0644);
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
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.setWorkingDirectory(path("home"));
    QDir().mkpath(path("home"));
    QString program = programFolder() + "/tarnvale";
    QStringList arguments;
    if (m_user >= 0) {
        // The X server's key, where the other user can read it.
        const QString key = env.value("XAUTHORITY");
        if (!key.isEmpty()) {
            QFile::remove(path("home/.Xauthority"));
            QFile::copy(key, path("home/.Xauthority"));
            env.insert("XAUTHORITY", path("home/.Xauthority"));
        }
        prepareForUser();
        arguments = {QStringLiteral("--reuid=%1").arg(m_user),
                     QStringLiteral("--regid=%1").arg(m_user), "--clear-groups", "--", program};
        program = "setpriv";
    }
    m_process.setProcessEnvironment(env);
    m_process.start(program, arguments);
    return m_process.waitForStarted(10000);
}

int BrowserProcess::waitForExit(int timeoutMs) {
    waitUntil([this] { return m_process.state() == QProcess::NotRunning; }, timeoutMs);
    if (m_process.state() != QProcess::NotRunning)
        return -1;
    return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -2;
}
