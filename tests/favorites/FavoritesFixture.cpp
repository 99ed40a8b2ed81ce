#include "FavoritesFixture.h"

#include "ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

FavoritesFixture::FavoritesFixture()
    : favorites(shellFolders, profile, dialogs, boxes) {
    QDir(folder.path()).mkdir(QStringLiteral("Favorites"));
    QDir(folder.path()).mkdir(QStringLiteral("program"));
    shellFolders.favorites = favoritesPath();
    overrideProgramFolder(folder.path() + QStringLiteral("/program"));
}

FavoritesFixture::~FavoritesFixture() {
    overrideProgramFolder(QString());
}

void FavoritesFixture::shortcut(const QString& relativePath, const QString& url) {
    file(relativePath, "[InternetShortcut]\r\nURL=" + url.toUtf8() + "\r\n");
}

void FavoritesFixture::file(const QString& relativePath, const QByteArray& bytes) {
    const QString path = favoritesPath() + QLatin1Char('/') + relativePath;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile out(path);
    if (out.open(QIODevice::WriteOnly))
        out.write(bytes);
}

QByteArray FavoritesFixture::errorLog() const {
    QFile log(folder.path() + QStringLiteral("/program/KQLog.txt"));
    return log.open(QIODevice::ReadOnly) ? log.readAll() : QByteArray();
}

QStringList FavoritesFixture::describe(const FavoriteFolder& folder, const QString& indent) {
    QStringList lines;
    for (const FavoriteEntry& entry : folder.entries)
        lines << indent + entry.caption + QLatin1Char('=') + entry.url;
    for (const FavoriteFolder& child : folder.folders) {
        lines << indent + QLatin1Char('[') + child.caption + QLatin1Char(']');
        lines << describe(child, indent + QStringLiteral("  "));
    }
    return lines;
}
