#include "bench/BenchProcess.h"

#include "bench/ProcessMemory.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <unistd.h>

QProcessEnvironment freshHome(const QString& home, const QByteArray& userReg) {
    QDir(home).removeRecursively();
    QDir().mkpath(home + "/.config/tarnvale");
    if (!userReg.isEmpty()) {
        QFile file(home + "/.config/tarnvale/user.reg");
        if (file.open(QIODevice::WriteOnly))
            file.write(userReg);
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home);
    env.insert("XDG_CONFIG_HOME", home + "/.config");
    env.insert("XDG_DATA_HOME", home + "/.local/share");
    env.insert("XDG_CACHE_HOME", home + "/.cache");
    env.insert("XDG_CONFIG_DIRS", home + "/etc");
    env.insert("XDG_RUNTIME_DIR", home + "/run");
    QDir().mkpath(home + "/run");
    QFile::setPermissions(home + "/run",
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (::geteuid() == 0)
        env.insert("QTWEBENGINE_DISABLE_SANDBOX", "1"); // the engine refuses root otherwise
    env.insert("QT_QPA_PLATFORM", "xcb");
    return env;
}

QPair<qint64, qint64> settledMemoryMiB(const QProcess& process) {
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 2000) {
        QCoreApplication::processEvents();
        QThread::msleep(20);
    }
    return treeMemoryMiB(process.processId());
}

void stop(QProcess& process) {
    process.terminate();
    if (!process.waitForFinished(5000))
        process.kill();
    process.waitForFinished(2000);
}
