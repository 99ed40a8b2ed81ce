#pragma once

#include "platform/FavoriteDialogs.h"

#include <QStringList>
#include <functional>

// Answers the favorites dialogs as a test scripts them and records what was asked.
class FakeFavoriteDialogs final : public FavoriteDialogs {
public:
    std::optional<Added> addFavorite(QWidget* owner, const QString& favoritesFolder,
                                     const QString& proposedName) override;
    void organizeFavorites(QWidget* owner, const QString& favoritesFolder) override;

    std::optional<Added> addAnswer;        // nothing: cancelled
    std::function<void()> whileOrganizing; // what the "user" does in the organize dialog
    QStringList asked;                     // "add:<folder>|<name>", "organize:<folder>"
    QList<QWidget*> owners;
};
