#pragma once

#include <QDialog>

class FavoriteFolderTree;

// Renames, moves and deletes the favorites and folders below the favorites folder, and makes
// new folders. Changes happen on disk at once; the dialog has only a close button.
class OrganizeFavoritesDialog final : public QDialog {
    Q_OBJECT
public:
    OrganizeFavoritesDialog(const QString& favoritesFolder, QWidget* parent = nullptr);

private:
    void createFolder();
    void rename();
    void move();
    void removeSelected();

    FavoriteFolderTree* m_tree;
};
