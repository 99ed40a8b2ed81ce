#include "OfflineInterceptor.h"

void OfflineInterceptor::interceptRequest(QWebEngineUrlRequestInfo& info) {
    if (m_offline && isNetworkScheme(info.requestUrl().scheme()))
        info.block(true);
}

bool OfflineInterceptor::isNetworkScheme(const QString& scheme) {
    const QString lower = scheme.toLower();
    return lower == QLatin1String("http") || lower == QLatin1String("https") ||
           lower == QLatin1String("ws") || lower == QLatin1String("wss") ||
           lower == QLatin1String("ftp");
}
