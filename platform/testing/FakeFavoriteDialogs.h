#pragma once

#include "platform/FavoriteDialogs.h"

#include <QStringList>
#include <functional>

// Answers the favorites dialogs as a test scripts them and records what was asked.
class FakeFavoriteDialogs final : public FavoriteDialogs {
public:
    std::optional<Added> addFavorite(QWidget* owner, const QString& folder,
                                     const QString& name) override {
        asked << QStringLiteral("add:") + folder + QLatin1Char('|') + name;
        owners << owner;
        if (whileAdding)
            whileAdding();
        return addAnswer;
    }
    void organizeFavorites(QWidget* owner, const QString& folder) override {
        asked << QStringLiteral("organize:") + folder;
        owners << owner;
        if (whileOrganizing)
            whileOrganizing();
    }

    std::optional<Transfer> importExport(QWidget* owner, const QString& folder) override {
        asked << QStringLiteral("importExport:") + folder;
        owners << owner;
        return transferAnswer;
    }

    std::optional<Added> addAnswer;         // nothing: cancelled
    std::optional<Transfer> transferAnswer; // nothing: cancelled
    std::function<void()> whileAdding;      // what the window system does meanwhile
    std::function<void()> whileOrganizing;  // what the "user" does in the organize dialog
    // "add:<folder>|<name>", "organize:<folder>", "importExport:<proposed folder>"
    QStringList asked;
    QList<QWidget*> owners;
};
