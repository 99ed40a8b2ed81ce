#include "platform/UrlHistory.h"

#include <QUrl>

bool isRecordableUrl(const QString& url) {
    const QString scheme = QUrl(url).scheme().toLower();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
           scheme == QLatin1String("file") || scheme == QLatin1String("ftp");
}
