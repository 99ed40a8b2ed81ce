#include "favorites/modFavorite.h"

#include "core/modMain.h"
#include "platform/AddressText.h"
#include "platform/FavoriteDialogs.h"
#include "platform/FileNames.h"
#include "platform/MessageBoxes.h"
#include "platform/ProfileFile.h"
#include "platform/ShellFolders.h"

#include <QHash>

#include <algorithm>
#include <exception>
#include <system_error>
#include <utility>

namespace fs = std::filesystem;

namespace {
const QString kSection = QStringLiteral("InternetShortcut");
const QString kKey = QStringLiteral("URL");

void logError(const char* routine, const std::error_code& error) {
    WriteErrorLog(QString::fromLatin1(routine), error.value(),
                  QString::fromLocal8Bit(error.message().c_str()));
}

} // namespace

struct modFavorite::ListingOrder {
    QList<QByteArray> files; // as the file system listed them
    QList<QByteArray> folders;
    QList<ListedName> sortedFiles;
    QList<QByteArray> sortedNatives; // the files' names in menu order
    QList<ListedName> sortedFolders;
};

// By folder: what the rebuild before this one found, and what this one finds (so that folders
// gone are forgotten).
struct modFavorite::ListingOrders {
    QHash<QByteArray, ListingOrder> before;
    QHash<QByteArray, ListingOrder> now;
};

modFavorite::modFavorite(ShellFolders& shellFolders, ProfileFile& profile, FavoriteDialogs& dialogs,
                         MessageBoxes& messageBoxes, QObject* parent)
    : QObject(parent)
    , m_shellFolders(shellFolders)
    , m_profile(profile)
    , m_dialogs(dialogs)
    , m_messageBoxes(messageBoxes)
    , m_orders(std::make_unique<ListingOrders>()) {}

modFavorite::~modFavorite() = default;

QString modFavorite::GetFolderPath(qint32 nFolder) {
    const ShellFolders::Lookup lookup = m_shellFolders.folderPath(nFolder);
    if (lookup.path.isEmpty()) {
        WriteErrorLog(QStringLiteral("GetFolderPath"), lookup.errorNumber, lookup.description);
        return QString();
    }
    QString path = lookup.path;
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

QString modFavorite::ReadIniValue(const QString& strSection, const QString& strKey,
                                  const QString& strDefault, const QString& strFile) {
    return ReadIniValue(strSection, strKey, strDefault, nativePath(strFile));
}

QString modFavorite::ReadIniValue(const QString& strSection, const QString& strKey,
                                  const QString& strDefault, const std::filesystem::path& file) {
    const QString value = m_profile.readValue(strSection, strKey, file, kValueBufferSize);
    return value.isEmpty() ? strDefault : value;
}

bool modFavorite::WriteIniValue(const QString& strSection, const QString& strKey,
                                const QString& strValue, const QString& strFile) {
    return m_profile.writeValue(strSection, strKey, strValue, nativePath(strFile));
}

ProfileFile::Written modFavorite::WriteIniValues(const QString& strSection, const QString& strKey,
                                                 const QList<QPair<QString, QString>>& values) {
    QList<std::pair<fs::path, QString>> files;
    files.reserve(values.size());
    for (const auto& [file, value] : values)
        files.append({nativePath(file), value});
    return m_profile.writeValues(strSection, strKey, files);
}

QString modFavorite::AddFavorite(QString& strTitle, const QString& strURL, QWidget* owner) {
    const QString folder = m_shellFolders.folderPath(ShellFolders::CSIDL_FAVORITES).path;
    if (folder.isEmpty())
        return QString();
    const auto added =
        m_dialogs.addFavorite(owner, folder, fileNameFromTitle(strTitle, QStringLiteral("网页")));
    if (!added)
        return QString();
    strTitle = added->name;
    if (!WriteIniValue(kSection, kKey, shortcutAddress(strURL), added->path)) {
        // Saying nothing here would leave the user believing the favorite was kept.
        m_messageBoxes.inform(owner, QStringLiteral("提示"),
                              QStringLiteral("无法保存收藏夹项目：\n%1").arg(added->path),
                              MessageBoxes::Icon::Warning);
        return QString();
    }
    return added->path;
}

void modFavorite::DoOrganizeFavDlg(QWidget* owner, const QString& strPath) {
    m_dialogs.organizeFavorites(owner, strPath);
}

QString modFavorite::GetMenuCaption(const QString& strName) {
    if (strName.size() < 30)
        return strName;
    qsizetype cut = 28;
    if (strName.at(cut - 1).isHighSurrogate())
        --cut; // never half a character
    return strName.left(cut) + QStringLiteral("...");
}

void modFavorite::LoadAllFavorite() {
    m_root = FavoriteFolder();
    mintFavoriteCount = 0;
    m_orders->before = std::exchange(m_orders->now, {});
    try {
        // Without a favorites folder nothing is listed, never the root of the file system.
        const QString folder = GetFolderPath(ShellFolders::CSIDL_FAVORITES);
        if (!folder.isEmpty())
            LoadDirSubFavorite(nativePath(folder), m_root);
    } catch (const std::exception& error) {
        WriteErrorLog(QStringLiteral("LoadAllFavorite"), -1, QString::fromLocal8Bit(error.what()));
    }
    m_orders->before.clear();
    Q_EMIT favoritesRebuilt();
}

void modFavorite::LoadDirSubFavorite(const fs::path& folder, FavoriteFolder& into) {
    const FolderListing listing = listFolder(folder);
    if (listing.error) {
        logError("LoadDirSubFavorite", std::error_code(listing.error, std::generic_category()));
        if (listing.files.isEmpty() && listing.folders.isEmpty())
            return;
    }
    const QByteArray folderKey(folder.c_str());
    ListingOrder& order = m_orders->now[folderKey] = m_orders->before.take(folderKey);
    if (order.files != listing.files) {
        order.files = listing.files;
        order.sortedFiles = inListingOrder(listing.files);
        order.sortedNatives.clear();
        order.sortedNatives.reserve(order.sortedFiles.size());
        for (const ListedName& file : std::as_const(order.sortedFiles))
            order.sortedNatives << file.native;
    }
    if (order.folders != listing.folders) {
        order.folders = listing.folders;
        order.sortedFolders = inListingOrder(listing.folders);
    }
    // Copies: a sub-folder's visit below may grow the table that holds this folder's order.
    const QList<ListedName> files = order.sortedFiles;
    const QList<ListedName> folders = order.sortedFolders;
    const QStringList urls =
        m_profile.readValues(kSection, kKey, folder, order.sortedNatives, kValueBufferSize);
    for (qsizetype i = 0; i < files.size(); ++i) {
        if (urls.at(i).isEmpty())
            continue;
        if (mintFavoriteCount >= kMaxEntries)
            return; // the rest is left out
        ++mintFavoriteCount;
        into.entries.append({mintFavoriteCount, GetMenuCaption(favoriteDisplayName(files[i].name)),
                             urls.at(i), favoriteName(files[i].name)});
    }
    for (const ListedName& sub : folders) {
        FavoriteFolder child;
        child.caption = GetMenuCaption(sub.name);
        child.name = sub.name;
        LoadDirSubFavorite(folder / sub.native.toStdString(), child);
        into.folders.append(child);
    }
}
