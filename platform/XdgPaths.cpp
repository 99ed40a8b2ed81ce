#include "platform/XdgPaths.h"

#include <QDir>

namespace {
QString absoluteOr(const char* variable, const QString& fallback) {
    const QString value = qEnvironmentVariable(variable);
    if (!value.isEmpty() && QDir::isAbsolutePath(value))
        return QDir::cleanPath(value);
    return fallback;
}
} // namespace

namespace xdg {
QString configHome() {
    return absoluteOr("XDG_CONFIG_HOME", QDir::homePath() + QStringLiteral("/.config"));
}

QString firstConfigDir() {
    const QStringList dirs =
        qEnvironmentVariable("XDG_CONFIG_DIRS").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString& dir : dirs) {
        if (QDir::isAbsolutePath(dir))
            return QDir::cleanPath(dir);
    }
    return QStringLiteral("/etc/xdg");
}

QString dataHome() {
    return absoluteOr("XDG_DATA_HOME", QDir::homePath() + QStringLiteral("/.local/share"));
}

QString cacheHome() {
    return absoluteOr("XDG_CACHE_HOME", QDir::homePath() + QStringLiteral("/.cache"));
}

QString runtimeDir() {
    return absoluteOr("XDG_RUNTIME_DIR", QString());
}

QString appFolder(const QString& base) {
    return base + QStringLiteral("/tarnvale");
}
} // namespace xdg
