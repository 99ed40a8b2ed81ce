// Import and export of the favorites: another browser's bookmarks into the favorites folder,
// and the favorites folder into a bookmark file; from the Favorites menu or the command line.
#include "favorites/modFavorite.h"

#include "favorites/BookmarkFiles.h"
#include "favorites/FavoriteFiles.h"
#include "favorites/ImportPlan.h"
#include "favorites/NetscapeBookmarks.h"
#include "platform/AddressText.h"
#include "platform/FavoriteDialogs.h"
#include "platform/FileChooser.h"
#include "platform/IniProfileFile.h"
#include "platform/MessageBoxes.h"
#include "platform/NoReplaceRename.h"
#include "platform/ShellFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>
#include <cerrno>
#include <sys/stat.h>

const QString modFavorite::kImportFolder = QStringLiteral("导入的收藏");

namespace {
const QString kSection = QStringLiteral("InternetShortcut");
const QString kKey = QStringLiteral("URL");
const QString kNoFolder = QStringLiteral("找不到收藏夹文件夹。");

// Other browsers read addresses in their encoded form.
FavoriteFolder withStoredAddresses(FavoriteFolder folder) {
    for (FavoriteEntry& entry : folder.entries)
        entry.url = storedAddress(entry.url);
    for (FavoriteFolder& child : folder.folders)
        child = withStoredAddresses(child);
    return folder;
}

bool isRealFolder(const QString& path) {
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISDIR(info.st_mode);
}
} // namespace

modFavorite::TransferResult modFavorite::ImportFavorites(const QString& strFile,
                                                         const QString& strFolder) {
    const QString root = GetFolderPath(ShellFolders::CSIDL_FAVORITES);
    if (root.isEmpty())
        return {false, kNoFolder};
    const BookmarkReading reading = readBookmarkFile(strFile);
    if (!reading.error.isEmpty())
        return {false, reading.error};
    // What lies below the favorites folder: a link, even to a folder, is no folder to go into.
    const ImportPlan plan = planImport(reading.tree, strFolder, [&](const QString& relative) {
        const QString path = root + QLatin1Char('/') + relative;
        struct stat info {};
        if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
            return ExistingEntry{errno == ENOENT ? ExistingEntry::Kind::None
                                                 : ExistingEntry::Kind::Other,
                                 QString()};
        if (S_ISDIR(info.st_mode))
            return ExistingEntry{ExistingEntry::Kind::Folder, QString()};
        return ExistingEntry{ExistingEntry::Kind::Other,
                             S_ISREG(info.st_mode) || S_ISLNK(info.st_mode)
                                 ? ReadIniValue(kSection, kKey, QString(), path)
                                 : QString()};
    });
    if (!plan.error.isEmpty())
        return {false, plan.error};

    for (qsizetype i = 0; i < plan.folders.size(); ++i) {
        const QFileInfo folder(root + QLatin1Char('/') + plan.folders[i]);
        errno = 0;
        if (favoriteFiles::createFolder(nativePath(folder.path()), folder.fileName(),
                                        nativePath(root)) ||
            (errno == EEXIST && isRealFolder(folder.filePath())))
            continue;
        const int error = errno ? errno : EPERM;
        if (i > 0)
            LoadAllFavorite();
        return {false, QStringLiteral("导入未完成：无法建立文件夹“%1”（%2）。没有导入任何收藏。")
                           .arg(folder.filePath(), fileErrorText(error))};
    }
    QList<QPair<QString, QString>> values;
    values.reserve(plan.shortcuts.size());
    for (const ImportPlan::Shortcut& shortcut : plan.shortcuts)
        values.append({root + QLatin1Char('/') + shortcut.path, shortcut.address});
    const ProfileFile::Written written = WriteIniValues(kSection, kKey, values);
    if (written.count > 0 || !plan.folders.isEmpty())
        LoadAllFavorite();
    if (written.error)
        return {false, QStringLiteral("导入未完成：无法写入“%1”（%2）。已导入 %3 个收藏。")
                           .arg(values[written.count].first, fileErrorText(written.error))
                           .arg(written.count)};
    return {true,
            QStringLiteral("已导入 %1 个收藏，跳过 %2 个").arg(written.count).arg(plan.skipped)};
}

modFavorite::TransferResult modFavorite::ExportFavorites(const QString& strFile) {
    if (m_shellFolders.folderPath(ShellFolders::CSIDL_FAVORITES).path.isEmpty())
        return {false, kNoFolder};
    LoadAllFavorite();
    if (!replaceFileAtomically(nativePath(strFile),
                               writeNetscapeBookmarks(withStoredAddresses(m_root))))
        return {false, QStringLiteral("无法导出收藏夹：无法写入“%1”（%2）。")
                           .arg(strFile, fileErrorText(errno))};
    return {true, QStringLiteral("已导出 %1 个收藏到“%2”").arg(mintFavoriteCount).arg(strFile)};
}

void modFavorite::DoImportExportDlg(QWidget* owner, FileChooser& files) {
    const auto choice = m_dialogs.importExport(owner, kImportFolder);
    if (!choice)
        return;
    const auto file =
        choice->exporting
            ? files.chooseFileToSave(owner, QStringLiteral("导出收藏夹"),
                                     QStringLiteral("网页文件 (*.html *.htm)"),
                                     QDir::home().filePath(QStringLiteral("bookmarks.html")))
            : files.chooseExistingFile(owner, QStringLiteral("导入收藏"),
                                       QStringLiteral("书签文件"), QDir::homePath());
    if (!file)
        return;
    const TransferResult result =
        choice->exporting ? ExportFavorites(*file) : ImportFavorites(*file, choice->folder);
    m_messageBoxes.inform(owner, QStringLiteral("提示"), result.message,
                          result.ok ? MessageBoxes::Icon::Information
                                    : MessageBoxes::Icon::Warning);
}

bool modFavorite::isFavoritesCommand(const QString& firstArgument) {
    return firstArgument == QLatin1String("--import-favorites") ||
           firstArgument == QLatin1String("--export-favorites");
}

int modFavorite::RunFavoritesCommand(const QStringList& arguments, QTextStream& out,
                                     QTextStream& err) {
    if (arguments.size() != 3 || !isFavoritesCommand(arguments.at(1))) {
        err << QStringLiteral("用法：tarnvale --import-favorites 文件\n"
                              "      tarnvale --export-favorites 文件\n");
        return 2;
    }
    const QString file = QFileInfo(arguments.at(2)).absoluteFilePath();
    const TransferResult result = arguments.at(1) == QLatin1String("--import-favorites")
                                      ? ImportFavorites(file, kImportFolder)
                                      : ExportFavorites(file);
    (result.ok ? out : err) << result.message << '\n';
    return result.ok ? 0 : 1;
}
