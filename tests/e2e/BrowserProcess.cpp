#include "tests/e2e/BrowserProcess.h"

#include "platform/GbkText.h"
#include "tests/support/TestFiles.h"
#include "tests/support/WaitUntil.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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
    m_process.kill();
    m_process.waitForFinished(5000);
    for (QProcess& other : m_others) {
        other.kill();
        other.waitForFinished(5000);
    }
}

void BrowserProcess::runAsNormalUser() {
    if (geteuid() == 0)
        m_user = kNobody;
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

bool BrowserProcess::start(const QStringList& arguments) {
    return launch(m_process, arguments);
}

QProcess& BrowserProcess::startAnother(const QStringList& arguments) {
    m_others.emplace_back();
    launch(m_others.back(), arguments);
    return m_others.back();
}

bool BrowserProcess::launch(QProcess& process, const QStringList& given) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", path("home"));
    env.insert("XDG_CONFIG_HOME", path("home/.config"));
    env.insert("XDG_DATA_HOME", path("home/.local/share"));
    env.insert("XDG_CACHE_HOME", path("home/.cache"));
    env.insert("XDG_CONFIG_DIRS", path("etc"));
    env.insert("XDG_RUNTIME_DIR", path("runtime"));
    QDir().mkpath(path("runtime"));
    QFile::setPermissions(path("runtime"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    env.insert("QT_QPA_PLATFORM", "xcb");
    // The sandbox stays on unless the browser itself runs as root.
    env.remove("QTWEBENGINE_DISABLE_SANDBOX");
    if (m_user < 0 && ::geteuid() == 0)
        env.insert("QTWEBENGINE_DISABLE_SANDBOX", "1");
    env.remove("QT_IM_MODULE");
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.setWorkingDirectory(path("home"));
    QDir().mkpath(path("home"));
    QString program = programFolder() + "/tarnvale";
    QStringList arguments = given;
    if (m_user >= 0) {
        // The X server's key, where the other user can read it.
        const QString key = env.value("XAUTHORITY");
        if (!key.isEmpty()) {
            QFile::remove(path("home/.Xauthority"));
            QFile::copy(key, path("home/.Xauthority"));
            env.insert("XAUTHORITY", path("home/.Xauthority"));
        }
        prepareForUser();
        arguments =
            QStringList{QStringLiteral("--reuid=%1").arg(m_user),
                        QStringLiteral("--regid=%1").arg(m_user), "--clear-groups", "--", program} +
            given;
        program = "setpriv";
    }
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    return process.waitForStarted(10000);
}

int BrowserProcess::waitForExit(int timeoutMs) {
    return waitForExit(m_process, timeoutMs);
}

int BrowserProcess::waitForExit(QProcess& process, int timeoutMs) {
    waitUntil([&process] { return process.state() == QProcess::NotRunning; }, timeoutMs);
    if (process.state() != QProcess::NotRunning)
        return -1;
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
}
