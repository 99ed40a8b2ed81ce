#include "favorites/FavoriteFolderTree.h"

#include "favorites/FavoriteFiles.h"
#include "platform/FileNames.h"
#include "platform/PlainText.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QInputDialog>
#include <QMessageBox>
#include <functional>

namespace {
// Renames in place (F2) through the favorites rules: never over an existing entry, never a
// name that would hide the file or leave the folder. Shortcuts are listed by name, without
// their ".url" ending, and a name typed over the whole entry keeps that ending: the file stays
// an Internet shortcut for the desktop, `tarnvale FILE.url` and the add dialog's name checks.
class FavoritesModel final : public QFileSystemModel {
public:
    FavoritesModel(const QString& root, QObject* parent)
        : QFileSystemModel(parent)
        , m_root(root) {}

    QVariant data(const QModelIndex& index, int role) const override {
        if ((role == Qt::DisplayRole || role == Qt::EditRole) && isShortcut(index))
            return entryName(index).chopped(kEnding.size());
        return QFileSystemModel::data(index, role);
    }

    bool setData(const QModelIndex& index, const QVariant& value, int role) override {
        if (role != Qt::EditRole || !index.isValid())
            return QFileSystemModel::setData(index, value, role);
        QString name = fileNameFromTitle(value.toString(), QString());
        if (isShortcut(index) && !name.isEmpty())
            name += entryName(index).right(kEnding.size());
        if (name == entryName(index))
            return true;
        const QString renamed = QFileInfo(filePath(index)).absoluteDir().filePath(name);
        if (favoriteFiles::rename(filePath(index), name, m_root)) {
            if (onRenamed)
                onRenamed(renamed);
            return true;
        }
        plainText::ask(qobject_cast<QWidget*>(QObject::parent()), QMessageBox::Warning,
                       QStringLiteral("重命名"),
                       QStringLiteral("无法重命名为“%1”。").arg(value.toString()), QMessageBox::Ok);
        return false;
    }

    // The renamed entry's new path. The model learns of the new name only from the folder's
    // watcher, later: the old row then goes, and a selection on it would move to a neighbour.
    std::function<void(const QString&)> onRenamed;

private:
    static inline const QString kEnding = QStringLiteral(".url");
    // The name on disk (fileName() answers what the view shows).
    QString entryName(const QModelIndex& index) const {
        return QFileInfo(filePath(index)).fileName();
    }
    bool isShortcut(const QModelIndex& index) const {
        return index.isValid() && index.column() == 0 && !isDir(index) &&
               entryName(index).endsWith(kEnding, Qt::CaseInsensitive);
    }

    QString m_root;
};
} // namespace

FavoriteFolderTree::FavoriteFolderTree(const QString& root, bool withFiles, QWidget* parent)
    : QTreeView(parent)
    , m_model(new FavoritesModel(root, this))
    , m_root(root) {
    // After the editor has closed, so that the view keeps the renamed entry selected.
    static_cast<FavoritesModel*>(m_model)->onRenamed = [this](const QString& path) {
        QMetaObject::invokeMethod(
            this, [this, path] { selectPath(path); }, Qt::QueuedConnection);
    };
    // As in the Favorites menu, links to folders stay out: they may lead out of the folder, or
    // back up into it without end. A link that leads nowhere is listed, so that it can be
    // deleted (the model lists it as a "system" entry, with pipes and devices, which stay out).
    m_model->setFilter(withFiles ? QDir::AllDirs | QDir::Files | QDir::System | QDir::NoDotAndDotDot
                                 : QDir::AllDirs | QDir::NoDotAndDotDot);
    connect(m_model, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex& parent, int first, int last) {
                for (int row = first; row <= last; ++row) {
                    const QFileInfo entry = m_model->fileInfo(m_model->index(row, 0, parent));
                    const bool listed = entry.isSymLink() ? !entry.exists() || entry.isFile()
                                                          : entry.isDir() || entry.isFile();
                    setRowHidden(row, parent, !listed);
                }
            });
    m_model->setReadOnly(!withFiles);
    setModel(m_model);
    setRootIndex(m_model->setRootPath(root));
    for (int column = 1; column < m_model->columnCount(); ++column)
        hideColumn(column);
    header()->hide();
    setEditTriggers(QAbstractItemView::EditKeyPressed);
    setSelectionMode(QAbstractItemView::SingleSelection);
}

QString FavoriteFolderTree::selectedPath() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? m_model->filePath(current) : m_root;
}

QString FavoriteFolderTree::selectedFolder() const {
    const QString path = selectedPath();
    return QFileInfo(path).isDir() ? path : QFileInfo(path).absolutePath();
}

void FavoriteFolderTree::selectPath(const QString& path) {
    const QModelIndex index = m_model->index(path);
    if (index.isValid())
        setCurrentIndex(index);
}

QString FavoriteFolderTree::askToCreateFolder(const QString& askTitle,
                                              const QString& failureTitle) {
    bool ok = false;
    const QString name = fileNameFromTitle(
        QInputDialog::getText(window(), askTitle, QStringLiteral("文件夹名称："), QLineEdit::Normal,
                              QStringLiteral("新建文件夹"), &ok),
        QString());
    if (!ok || name.isEmpty())
        return QString();
    const QString parent = selectedFolder();
    if (!favoriteFiles::createFolder(parent, name, m_root)) {
        plainText::ask(window(), QMessageBox::Warning, failureTitle,
                       QStringLiteral("无法创建文件夹“%1”。").arg(name), QMessageBox::Ok);
        return QString();
    }
    return QDir(parent).filePath(name);
}
