#include "favorites/FavoriteEntriesModel.h"

#include "favorites/FavoriteFiles.h"
#include "favorites/FavoriteTree.h"
#include "platform/FileNames.h"
#include "platform/PlainText.h"
#include "platform/ProfileFile.h"

#include <QFile>
#include <QFileIconProvider>
#include <QMessageBox>
#include <cerrno>

namespace fs = std::filesystem;

namespace {
constexpr int kPathRole = Qt::UserRole + 1;
constexpr int kFolderRole = Qt::UserRole + 2;
const QByteArray kEnding = QByteArrayLiteral(".url");

bool isShortcutName(const QByteArray& name) {
    return name.size() > kEnding.size() && name.right(kEnding.size()).toLower() == kEnding;
}

// A folder the watcher can be given: its path survives the trip through text.
bool watchable(const QByteArray& path) {
    return QFile::encodeName(QFile::decodeName(path)) == path;
}
} // namespace

FavoriteEntriesModel::FavoriteEntriesModel(const fs::path& root, bool withFiles, QObject* parent)
    : QStandardItemModel(parent)
    , m_root(root)
    , m_withFiles(withFiles) {
    // Several changes from outside (a sync, a copy) come in a burst: read once after it.
    m_changedOutside.setSingleShot(true);
    m_changedOutside.setInterval(150);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, &m_changedOutside,
            qOverload<>(&QTimer::start));
    connect(&m_changedOutside, &QTimer::timeout, this, [this] {
        if (canReload && !canReload())
            m_changedOutside.start();
        else
            reload();
    });
    reload();
}

fs::path FavoriteEntriesModel::pathOf(const QModelIndex& index) const {
    return index.isValid() ? pathFromBytes(index.data(kPathRole).toByteArray()) : m_root;
}

QModelIndex FavoriteEntriesModel::indexOf(const fs::path& path) const {
    QStandardItem* item = m_items.value(nativeBytes(path.lexically_normal()));
    return item ? item->index() : QModelIndex();
}

bool FavoriteEntriesModel::isFolder(const QModelIndex& index) const {
    return !index.isValid() || index.data(kFolderRole).toBool();
}

void FavoriteEntriesModel::reload() {
    Q_EMIT aboutToReload();
    m_changedOutside.stop();
    clear();
    m_items.clear();
    if (!m_watcher.directories().isEmpty())
        m_watcher.removePaths(m_watcher.directories());
    // A tree of folders to choose from shows the favorites folder itself too, to be chosen.
    QStandardItem* top =
        m_withFiles ? invisibleRootItem()
                    : addEntry(invisibleRootItem(), m_root, QStringLiteral("收藏夹"), true);
    addFolder(top, m_root);
    Q_EMIT reloaded();
}

void FavoriteEntriesModel::addFolder(QStandardItem* parent, const fs::path& folder) {
    // Watched before it is listed: a change in between is not missed.
    if (watchable(nativeBytes(folder)))
        m_watcher.addPath(QFile::decodeName(nativeBytes(folder)));
    const FolderListing listing = listFolder(folder);
    for (const ListedName& sub : inListingOrder(listing.folders))
        addFolder(addEntry(parent, folder / sub.native.toStdString(), sub.name, true),
                  folder / sub.native.toStdString());
    if (!m_withFiles)
        return;
    for (const ListedName& file : inListingOrder(listing.files + listing.brokenLinks)) {
        const QString text = favoriteName(file.name);
        addEntry(parent, folder / file.native.toStdString(), text, false);
    }
}

QStandardItem* FavoriteEntriesModel::addEntry(QStandardItem* parent, const fs::path& path,
                                              const QString& text, bool folder) {
    static const QFileIconProvider icons;
    auto* item = new QStandardItem(
        icons.icon(folder ? QAbstractFileIconProvider::Folder : QAbstractFileIconProvider::File),
        text);
    item->setData(nativeBytes(path), kPathRole);
    item->setData(folder, kFolderRole);
    item->setEditable(m_withFiles);
    parent->appendRow(item);
    m_items.insert(nativeBytes(path.lexically_normal()), item);
    return item;
}

bool FavoriteEntriesModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid())
        return QStandardItemModel::setData(index, value, role);
    if (value.toString() == index.data(Qt::EditRole).toString())
        return true; // as listed: a name in GBK stays as it is
    const fs::path path = pathOf(index);
    const QByteArray oldName = nativeBytes(path.filename());
    QString name = fileNameFromTitle(value.toString(), QString());
    if (!isFolder(index) && isShortcutName(oldName) && !name.isEmpty())
        name += QString::fromLatin1(oldName.right(kEnding.size()));
    errno = 0;
    const bool done = favoriteFiles::rename(path, name, m_root);
    const int error = errno;
    if (done) {
        // After the editor has closed, so that the view keeps the renamed entry selected.
        const QByteArray renamedPath =
            nativeBytes(path.parent_path()) + '/' + QFile::encodeName(name);
        QMetaObject::invokeMethod(
            this,
            [this, renamedPath] {
                reload();
                Q_EMIT renamed(renamedPath);
            },
            Qt::QueuedConnection);
        return true;
    }
    plainText::ask(
        qobject_cast<QWidget*>(QObject::parent()), QMessageBox::Warning, QStringLiteral("重命名"),
        favoriteFiles::refusal(QStringLiteral("无法重命名为“%1”").arg(value.toString()), error),
        QMessageBox::Ok);
    return false;
}
