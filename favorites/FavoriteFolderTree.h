#pragma once

#include <QTreeView>

class QFileSystemModel;

// A tree of the favorites folder and what lies below it: folders only, or folders and files.
class FavoriteFolderTree final : public QTreeView {
    Q_OBJECT
public:
    FavoriteFolderTree(const QString& root, bool withFiles, QWidget* parent = nullptr);

    QString root() const { return m_root; }
    // The selected entry's path, or the root when nothing is selected.
    QString selectedPath() const;
    // The selected folder, or the folder of the selected file, or the root.
    QString selectedFolder() const;
    void selectPath(const QString& path);
    // Asks for a name and makes that folder in the selected one, telling a failure under
    // failureTitle; the new folder's path, or empty.
    QString askToCreateFolder(const QString& askTitle, const QString& failureTitle);

private:
    QFileSystemModel* m_model;
    QString m_root;
};
