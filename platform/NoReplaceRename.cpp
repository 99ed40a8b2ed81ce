#include "platform/NoReplaceRename.h"

#include <QFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool renameNoReplace(const QString& from, const QString& to, RenameAt2 rename) {
    return renameNoReplace(std::filesystem::path(QFile::encodeName(from).toStdString()),
                           std::filesystem::path(QFile::encodeName(to).toStdString()), rename);
}

bool renameNoReplace(const std::filesystem::path& from, const std::filesystem::path& to,
                     RenameAt2 rename) {
    const char* source = from.c_str();
    const char* target = to.c_str();
    if ((rename ? rename : ::renameat2)(AT_FDCWD, source, AT_FDCWD, target, RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
        return false;
    // A hard link fails when the name is taken; a folder has none.
    struct stat info {};
    if (::lstat(source, &info) != 0)
        return false;
    if (S_ISDIR(info.st_mode)) {
        errno = EINVAL;
        return false;
    }
    if (::link(source, target) != 0)
        return false;
    return ::unlink(source) == 0;
}

QString fileErrorText(int error) {
    switch (error) {
    case EACCES:
    case EPERM:
        return QStringLiteral("没有权限");
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("磁盘空间不足");
    case EROFS:
        return QStringLiteral("只读文件系统");
    case EEXIST:
        return QStringLiteral("文件已存在");
    case ENOENT:
        return QStringLiteral("文件或文件夹不存在");
    default:
        return QStringLiteral("系统错误 %1：%2")
            .arg(error)
            .arg(QString::fromLocal8Bit(std::strerror(error)));
    }
}
