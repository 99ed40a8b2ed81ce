#include "WebEnginePage.h"

WebEnginePage::WebEnginePage(QWebEngineProfile* profile, QObject* parent)
    : QWebEnginePage(profile, parent) {}

QWebEnginePage* WebEnginePage::createWindow(WebWindowType) {
    return onCreateWindow ? onCreateWindow() : nullptr;
}

bool WebEnginePage::acceptNavigationRequest(const QUrl& url, NavigationType, bool) {
    if (onNavigationRequest)
        onNavigationRequest(url);
    return true;
}

// While silent, script boxes answer as if dismissed: alert closed, confirm and prompt refused.
void WebEnginePage::javaScriptAlert(const QUrl& securityOrigin, const QString& msg) {
    if (!silent())
        QWebEnginePage::javaScriptAlert(securityOrigin, msg);
}

bool WebEnginePage::javaScriptConfirm(const QUrl& securityOrigin, const QString& msg) {
    return !silent() && QWebEnginePage::javaScriptConfirm(securityOrigin, msg);
}

bool WebEnginePage::javaScriptPrompt(const QUrl& securityOrigin, const QString& msg,
                                     const QString& defaultValue, QString* result) {
    return !silent() && QWebEnginePage::javaScriptPrompt(securityOrigin, msg, defaultValue, result);
}
