#include "platform/XdgShellFolders.h"

#include "platform/PrivateFiles.h"
#include "platform/XdgPaths.h"

#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <filesystem>

QString XdgShellFolders::favoritesPath() {
    return xdg::appFolder(xdg::dataHome()) + QStringLiteral("/Favorites");
}

ShellFolders::Lookup XdgShellFolders::folderPath(int csidl) {
    Lookup lookup;
    if (csidl != CSIDL_FAVORITES) {
        lookup.errorNumber = EINVAL;
        lookup.description = QStringLiteral("不支持的文件夹标识 %1").arg(csidl);
        return lookup;
    }
    const QString path = favoritesPath();
    // The program's own folder is private; the favorites in it keep the person's umask, as
    // other programs share them.
    makePrivateFolder(xdg::appFolder(xdg::dataHome()));
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path.toStdString()), error);
    if (error || !QFileInfo(path).isDir()) {
        lookup.errorNumber = error ? error.value() : ENOTDIR;
        lookup.description = QString::fromLocal8Bit(std::strerror(lookup.errorNumber));
        return lookup;
    }
    lookup.path = path;
    return lookup;
}
