#include "favorites/FavoriteFiles.h"

#include "platform/NoReplaceRename.h"

#include <QFile>
#include <algorithm>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace favoriteFiles {
namespace {
fs::path nativeName(const QString& name) {
    return fs::path(QFile::encodeName(name).toStdString());
}

// The path made absolute, "." dropped; empty when it holds "..", which the system works out
// after following links: by name it could stand for another entry than the one checked.
fs::path plain(const fs::path& path) {
    for (const fs::path& part : path)
        if (part == "..")
            return fs::path();
    std::error_code error;
    const fs::path absolute = fs::absolute(path, error);
    return error ? fs::path() : absolute.lexically_normal();
}

// The entry itself (a link is not followed) lies in a folder inside the root; entry is plain.
bool entryIsInside(const fs::path& entry, const fs::path& root) {
    const fs::path name = entry.filename();
    struct stat info {};
    return !name.empty() && name != "." && ::lstat(entry.c_str(), &info) == 0 &&
           folderIsInside(entry.parent_path(), root);
}

bool isBelow(const fs::path& path, const fs::path& folder) {
    const auto [inFolder, inPath] =
        std::mismatch(folder.begin(), folder.end(), path.begin(), path.end());
    return inFolder == folder.end();
}
} // namespace

bool folderIsInside(const fs::path& folder, const fs::path& root) {
    std::error_code error;
    const fs::path canonicalRoot = fs::canonical(root, error);
    if (error)
        return false;
    const fs::path canonical = fs::canonical(folder, error);
    return !error && fs::is_directory(canonical, error) && isBelow(canonical, canonicalRoot);
}

bool isPlainName(const QString& name) {
    return !name.isEmpty() && !name.contains(QLatin1Char('/')) && name != QLatin1String(".") &&
           name != QLatin1String("..") && !name.contains(QChar(0));
}

QString refusal(const QString& what, int error) {
    return error ? QStringLiteral("%1（%2）。").arg(what, fileErrorText(error))
                 : what + QStringLiteral("。");
}

bool remove(const fs::path& path, const fs::path& root) {
    const fs::path entry = plain(path);
    if (!entryIsInside(entry, root) || entry == plain(root))
        return false;
    struct stat info {};
    if (::lstat(entry.c_str(), &info) != 0)
        return false;
    if (S_ISDIR(info.st_mode)) { // a real folder: the links inside it go as links
        std::error_code error;
        fs::remove_all(entry, error);
        return !error;
    }
    return ::unlink(entry.c_str()) == 0;
}

bool rename(const fs::path& path, const QString& newName, const fs::path& root) {
    const fs::path entry = plain(path);
    if (!isPlainName(newName) || !entryIsInside(entry, root))
        return false;
    return renameNoReplace(entry, entry.parent_path() / nativeName(newName));
}

bool moveInto(const fs::path& path, const fs::path& folder, const fs::path& root) {
    const fs::path entry = plain(path);
    const fs::path into = plain(folder);
    if (into.empty() || !entryIsInside(entry, root) || !folderIsInside(into, root))
        return false;
    const fs::path target = into / entry.filename();
    if (entry == target)
        return true;
    std::error_code error;
    if (!fs::is_symlink(entry, error) && fs::is_directory(entry, error)) {
        const fs::path canonical = fs::canonical(entry, error);
        const fs::path canonicalInto = fs::canonical(into, error);
        if (error || isBelow(canonicalInto, canonical))
            return false; // a folder cannot go inside itself
    }
    return renameNoReplace(entry, target);
}

bool createFolder(const fs::path& parent, const QString& name, const fs::path& root) {
    const fs::path folder = plain(parent);
    if (!isPlainName(name) || folder.empty() || !folderIsInside(folder, root))
        return false;
    return ::mkdir((folder / nativeName(name)).c_str(), 0777) == 0;
}

} // namespace favoriteFiles
