#pragma once

#include <QFileSystemWatcher>
#include <QHash>
#include <QStandardItemModel>
#include <QTimer>
#include <filesystem>
#include <functional>

// The favorites folder as a tree for the add and organize dialogs: its folders and, withFiles,
// its files, links that lead nowhere among them so that they can be deleted. Names are read as
// the Favorites menu reads them, native: one copied from Windows in GBK is listed as its Chinese
// text and can be renamed, moved and deleted. Links to folders stay out, as in the menu.
// Shortcuts are listed, and renamed in place (F2), by their names without the ".url" ending.
// Folders alone are listed below the favorites folder itself, which can be chosen too.
class FavoriteEntriesModel final : public QStandardItemModel {
    Q_OBJECT
public:
    FavoriteEntriesModel(const std::filesystem::path& root, bool withFiles,
                         QObject* parent = nullptr);

    std::filesystem::path pathOf(const QModelIndex& index) const;
    QModelIndex indexOf(const std::filesystem::path& path) const;
    bool isFolder(const QModelIndex& index) const;
    // Reads the folder again (changes from outside are read by themselves, a moment later,
    // once canReload allows: not while a name is being typed in place).
    void reload();
    std::function<bool()> canReload;

    // Renames through the favorites rules: never over an existing entry, never a name that would
    // hide the file or leave the folder; a shortcut keeps its ending. Tells a refusal to the view.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

Q_SIGNALS:
    void aboutToReload();
    void reloaded();
    // After the rename has been read again: the entry's new native path.
    void renamed(const QByteArray& path);

private:
    void addFolder(QStandardItem* parent, const std::filesystem::path& folder);
    QStandardItem* addEntry(QStandardItem* parent, const std::filesystem::path& path,
                            const QString& text, bool folder);

    std::filesystem::path m_root;
    bool m_withFiles;
    QHash<QByteArray, QStandardItem*> m_items; // by native path
    QFileSystemWatcher m_watcher;
    QTimer m_changedOutside;
};
