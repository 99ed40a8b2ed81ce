#include "engine/PageRequestFilter.h"

#include <QSet>
#include <QWebEngineUrlRequestInfo>

namespace {
QSet<QString>& exceptedHosts() {
    static QSet<QString> hosts;
    return hosts;
}
} // namespace

void PageRequestFilter::interceptRequest(QWebEngineUrlRequestInfo& info) {
    const QUrl url = info.requestUrl();
    if (info.resourceType() == QWebEngineUrlRequestInfo::ResourceTypeMainFrame)
        Q_EMIT mainFrameRequested(url, info.requestMethod());
    if (m_offline && isNetworkScheme(url.scheme()))
        info.block(true);
    else if (m_silent && isSecureScheme(url.scheme()) &&
             exceptedHosts().contains(url.host().toLower()))
        info.block(true);
    else if (url.isLocalFile() && info.initiator().scheme() == QLatin1String("file") &&
             !isShownResource(info.resourceType(), info.navigationType()))
        info.block(true);
}

bool PageRequestFilter::isShownResource(int type, int navigation) {
    switch (type) {
    case QWebEngineUrlRequestInfo::ResourceTypeMainFrame:
        // Every page from disk is one origin: a page that opens or navigates a window to
        // another local file could read it there. What the person asked for still opens.
        return navigation == QWebEngineUrlRequestInfo::NavigationTypeTyped ||
               navigation == QWebEngineUrlRequestInfo::NavigationTypeBackForward ||
               navigation == QWebEngineUrlRequestInfo::NavigationTypeReload;
    case QWebEngineUrlRequestInfo::ResourceTypeStylesheet:
    case QWebEngineUrlRequestInfo::ResourceTypeScript:
    case QWebEngineUrlRequestInfo::ResourceTypeImage:
    case QWebEngineUrlRequestInfo::ResourceTypeFontResource:
    case QWebEngineUrlRequestInfo::ResourceTypeMedia:
    case QWebEngineUrlRequestInfo::ResourceTypeFavicon:
        return true;
    default:
        return false;
    }
}

bool PageRequestFilter::isNetworkScheme(const QString& scheme) {
    const QString lower = scheme.toLower();
    return lower == QLatin1String("http") || lower == QLatin1String("https") ||
           lower == QLatin1String("ws") || lower == QLatin1String("wss") ||
           lower == QLatin1String("ftp");
}

bool PageRequestFilter::isSecureScheme(const QString& scheme) {
    const QString lower = scheme.toLower();
    return lower == QLatin1String("https") || lower == QLatin1String("wss");
}

void PageRequestFilter::certificateExceptionGranted(const QString& host) {
    exceptedHosts().insert(host.toLower());
}
