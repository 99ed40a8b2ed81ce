#pragma once

#include "platform/FavoriteDialogs.h"

class QtFavoriteDialogs final : public FavoriteDialogs {
public:
    std::optional<Added> addFavorite(QWidget* owner, const QString& favoritesFolder,
                                     const QString& proposedName) override;
    void organizeFavorites(QWidget* owner, const QString& favoritesFolder) override;
    std::optional<Transfer> importExport(QWidget* owner, const QString& proposedFolder) override;
};
