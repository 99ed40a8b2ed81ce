#include "search/SearchUrl.h"

#include "core/Trim.h"

#include <QUrl>

const QString kSearchPlaceholder = QStringLiteral("<searchstring>");

QString searchKeyword(const QString& boxText) {
    return trimCharacters(boxText, u" \u3000");
}

QString buildSearchUrl(const QString& searchTemplate, const QString& keyword) {
    const QString value = QString::fromLatin1(QUrl::toPercentEncoding(keyword));
    QString result;
    qsizetype from = 0;
    for (qsizetype at = searchTemplate.indexOf(kSearchPlaceholder); at >= 0;
         at = searchTemplate.indexOf(kSearchPlaceholder, from)) {
        result += QStringView(searchTemplate).mid(from, at - from);
        result += value;
        from = at + kSearchPlaceholder.size();
    }
    result += QStringView(searchTemplate).mid(from);
    return result;
}
