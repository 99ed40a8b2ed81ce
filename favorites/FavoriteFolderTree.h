#pragma once

#include <QTreeView>
#include <filesystem>

class FavoriteEntriesModel;

// A tree of the favorites folder and what lies below it: folders only, or folders and files.
// Paths are native, as the folder lists them.
class FavoriteFolderTree final : public QTreeView {
    Q_OBJECT
public:
    FavoriteFolderTree(const QString& root, bool withFiles, QWidget* parent = nullptr);

    QString root() const { return m_root; }
    const std::filesystem::path& rootPath() const { return m_rootPath; }
    // The selected entry, invalid when nothing is.
    QModelIndex chosen() const;
    // The selected entry's path, or the root when nothing is selected.
    std::filesystem::path selectedPath() const;
    // The selected folder, or the folder of the selected file, or the root.
    std::filesystem::path selectedFolder() const;
    // The selected entry as the tree lists it.
    QString selectedName() const;
    void selectPath(const std::filesystem::path& path);
    // Reads the folder again after a change, keeping what is open and selected.
    void reload();
    // Asks for a name and makes that folder in the selected one, telling a failure under
    // failureTitle; the new folder's path, or empty.
    std::filesystem::path askToCreateFolder(const QString& askTitle, const QString& failureTitle);

Q_SIGNALS:
    // Del on the tree, as in a file manager (not in a name typed in place: the editor has it).
    void deletePressed();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    FavoriteEntriesModel* m_model;
    QString m_root;
    std::filesystem::path m_rootPath;
    // Kept across a reload, by native path.
    QList<QByteArray> m_expanded;
    QByteArray m_current;
    QByteArray m_currentParent;
    int m_currentRow = -1;
    int m_scrolled = 0;
};
