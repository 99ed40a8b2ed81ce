#include "favorites/FavoriteTree.h"

QString favoriteDisplayName(const QString& fileName) {
    QString name = fileName;
    return name.remove(QStringLiteral(".url"), Qt::CaseSensitive);
}

QString favoriteName(const QString& fileName) {
    return fileName.endsWith(QStringLiteral(".url"), Qt::CaseInsensitive) ? fileName.chopped(4)
                                                                          : fileName;
}
