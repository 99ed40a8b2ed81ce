#include "favorites/FavoriteTree.h"

QString favoriteDisplayName(const QString& fileName) {
    QString name = fileName;
    return name.remove(QStringLiteral(".url"), Qt::CaseSensitive);
}
