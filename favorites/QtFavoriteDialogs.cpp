#include "favorites/QtFavoriteDialogs.h"

#include "favorites/AddFavoriteDialog.h"
#include "favorites/ImportExportDialog.h"
#include "favorites/OrganizeFavoritesDialog.h"

std::optional<FavoriteDialogs::Added> QtFavoriteDialogs::addFavorite(QWidget* owner,
                                                                     const QString& favoritesFolder,
                                                                     const QString& proposedName) {
    AddFavoriteDialog dialog(favoritesFolder, proposedName, owner);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return Added{dialog.chosenPath(), dialog.chosenName()};
}

void QtFavoriteDialogs::organizeFavorites(QWidget* owner, const QString& favoritesFolder) {
    OrganizeFavoritesDialog dialog(favoritesFolder, owner);
    dialog.exec();
}

std::optional<FavoriteDialogs::Transfer>
QtFavoriteDialogs::importExport(QWidget* owner, const QString& proposedFolder) {
    ImportExportDialog dialog(proposedFolder, owner);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return Transfer{dialog.exporting(), dialog.folder()};
}
