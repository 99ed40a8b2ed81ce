#include "FavoriteTree.h"

QString favoriteDisplayName(const QString& fileName) {
    QString name = fileName;
    return name.remove(QStringLiteral(".url"), Qt::CaseSensitive);
}

bool listsBefore(const QString& left, const QString& right) {
    const QString a = left.toUpper();
    const QString b = right.toUpper();
    return a == b ? left < right : a < b;
}
