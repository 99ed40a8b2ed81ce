#include "favorites/FavoriteTree.h"

#include "platform/ProfileFile.h"

#include <algorithm>

QString favoriteDisplayName(const QString& fileName) {
    QString name = fileName;
    return name.remove(QStringLiteral(".url"), Qt::CaseSensitive);
}

QString favoriteName(const QString& fileName) {
    return fileName.endsWith(QStringLiteral(".url"), Qt::CaseInsensitive) ? fileName.chopped(4)
                                                                          : fileName;
}

QList<ListedName> inListingOrder(const QList<QByteArray>& names) {
    QList<ListedName> listed;
    listed.reserve(names.size());
    for (const QByteArray& native : names) {
        const QString name = nameText(native);
        listed.append({name, name.toUpper(), native});
    }
    std::sort(listed.begin(), listed.end(), [](const ListedName& a, const ListedName& b) {
        const int order = a.key.compare(b.key);
        return order == 0 ? a.name < b.name : order < 0;
    });
    return listed;
}
