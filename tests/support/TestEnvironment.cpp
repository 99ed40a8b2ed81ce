#include "tests/support/TestEnvironment.h"

#include <QDir>
#include <QList>

namespace {
QString g_root;
QList<std::function<void()>>& cleanUps() {
    static QList<std::function<void()>> list;
    return list;
}
} // namespace

TestEnvironment::TestEnvironment() {
    g_root = m_root.path();
    const QString home = g_root + QStringLiteral("/home");
    QDir().mkpath(home);
    qputenv("HOME", home.toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home + QStringLiteral("/.config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", (home + QStringLiteral("/.local/share")).toLocal8Bit());
    qputenv("XDG_CACHE_HOME", (home + QStringLiteral("/.cache")).toLocal8Bit());
    qputenv("XDG_CONFIG_DIRS", (g_root + QStringLiteral("/etc/xdg")).toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

TestEnvironment::~TestEnvironment() = default;

QString TestEnvironment::root() {
    return g_root;
}

void TestEnvironment::beforeExit() {
    for (const auto& cleanUp : cleanUps())
        cleanUp();
    cleanUps().clear();
}

void TestEnvironment::atExit(std::function<void()> cleanUp) {
    cleanUps().append(std::move(cleanUp));
}
