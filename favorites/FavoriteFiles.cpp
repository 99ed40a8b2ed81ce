#include "favorites/FavoriteFiles.h"

#include "platform/NoReplaceRename.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace favoriteFiles {
namespace {
QByteArray native(const QString& path) {
    return QFile::encodeName(path);
}

// The entry itself (a link is not followed) lies in a folder inside the root.
bool entryIsInside(const QString& path, const QString& root) {
    struct stat info {};
    return ::lstat(native(path).constData(), &info) == 0 &&
           folderIsInside(QFileInfo(path).absolutePath(), root) &&
           QFileInfo(path).fileName() != QLatin1String("..");
}

} // namespace

bool folderIsInside(const QString& folder, const QString& root) {
    const QString canonicalRoot = QFileInfo(root).canonicalFilePath();
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    if (canonicalRoot.isEmpty() || canonical.isEmpty() || !QFileInfo(canonical).isDir())
        return false;
    return canonical == canonicalRoot || canonical.startsWith(canonicalRoot + QLatin1Char('/'));
}

bool isPlainName(const QString& name) {
    return !name.isEmpty() && !name.contains(QLatin1Char('/')) && name != QLatin1String(".") &&
           name != QLatin1String("..") && !name.contains(QChar(0));
}

bool remove(const QString& path, const QString& root) {
    if (!entryIsInside(path, root) ||
        QFileInfo(path).absoluteFilePath() == QFileInfo(root).absoluteFilePath())
        return false;
    struct stat info {};
    if (::lstat(native(path).constData(), &info) != 0)
        return false;
    if (S_ISDIR(info.st_mode)) // a real folder: the links inside it go as links
        return QDir(path).removeRecursively();
    return ::unlink(native(path).constData()) == 0;
}

bool rename(const QString& path, const QString& newName, const QString& root) {
    if (!isPlainName(newName) || !entryIsInside(path, root))
        return false;
    return renameNoReplace(path, QFileInfo(path).absoluteDir().filePath(newName));
}

bool moveInto(const QString& path, const QString& folder, const QString& root) {
    if (!entryIsInside(path, root) || !folderIsInside(folder, root))
        return false;
    const QString target = QDir(folder).filePath(QFileInfo(path).fileName());
    if (QFileInfo(path).absoluteFilePath() == QFileInfo(target).absoluteFilePath())
        return true;
    const QString canonical = QFileInfo(path).canonicalFilePath();
    const QString into = QFileInfo(folder).canonicalFilePath() + QLatin1Char('/');
    if (!QFileInfo(path).isSymLink() && QFileInfo(path).isDir() &&
        into.startsWith(canonical + QLatin1Char('/')))
        return false; // a folder cannot go inside itself
    return renameNoReplace(path, target);
}

bool createFolder(const QString& parent, const QString& name, const QString& root) {
    if (!isPlainName(name) || !folderIsInside(parent, root))
        return false;
    return ::mkdir(native(QDir(parent).filePath(name)).constData(), 0777) == 0;
}

} // namespace favoriteFiles
