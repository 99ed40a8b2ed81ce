#include "StartAddress.h"

#include "modFavorite.h"

#include <QFileInfo>

QString startAddress(const QStringList& arguments, modFavorite& favorites) {
    if (arguments.size() < 2)
        return QString();
    const QString given = arguments.at(1);
    if (given.endsWith(QLatin1String(".url"), Qt::CaseInsensitive) && QFileInfo(given).isFile())
        return favorites.ReadIniValue(QStringLiteral("InternetShortcut"), QStringLiteral("URL"),
                                      QString(), QFileInfo(given).absoluteFilePath());
    return given;
}
