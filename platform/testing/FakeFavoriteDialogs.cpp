#include "platform/testing/FakeFavoriteDialogs.h"

std::optional<FavoriteDialogs::Added>
FakeFavoriteDialogs::addFavorite(QWidget* owner, const QString& folder, const QString& name) {
    asked << QStringLiteral("add:") + folder + QLatin1Char('|') + name;
    owners << owner;
    return addAnswer;
}

void FakeFavoriteDialogs::organizeFavorites(QWidget* owner, const QString& folder) {
    asked << QStringLiteral("organize:") + folder;
    owners << owner;
    if (whileOrganizing)
        whileOrganizing();
}
