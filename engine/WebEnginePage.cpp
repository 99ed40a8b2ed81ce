#include "engine/WebEnginePage.h"

#include "engine/WebEnginePageView.h"
#include "platform/PageDialogs.h"

#include <QCoreApplication>
#include <limits>

WebEnginePage::WebEnginePage(QWebEngineProfile* profile, WebEnginePageView* view, QObject* parent)
    : QWebEnginePage(profile, parent)
    , m_view(view) {
    // Boxes are counted from the last page loaded, so that a page going nowhere (an answer
    // without content, a download) does not make its next box look like a first one.
    connect(this, &QWebEnginePage::loadFinished, this, [this](bool ok) {
        if (ok)
            m_boxesShown = 0;
    });
}

qint64 WebEnginePage::msSinceLastDownload() const {
    return m_lastDownload.isValid() ? m_lastDownload.elapsed() : std::numeric_limits<qint64>::max();
}

void WebEnginePage::downloadAsked(const QUrl& url) {
    m_askedDownloads.append(url);
    download(url);
}

bool WebEnginePage::takeAskedDownload(const QUrl& url) {
    return m_askedDownloads.removeOne(url);
}

bool WebEnginePage::takePersonsAction(qint64 withinMs) {
    const bool recent = m_personActed.isValid() && m_personActed.elapsed() < withinMs;
    m_personActed.invalidate();
    return recent;
}

QString WebEnginePage::leavePageQuestion() {
    // The engine asks it through javaScriptConfirm, in these words (translated or not).
    return QCoreApplication::translate(
        "QWebEnginePage",
        "Are you sure you want to leave this page? Changes that you made may not be saved.");
}

QWebEnginePage* WebEnginePage::createWindow(WebWindowType) {
    // A page returned here is handed its new contents after this returns, with nothing to
    // tell the view; the request filter would stay behind on the contents it replaced.
    return nullptr;
}

bool WebEnginePage::acceptNavigationRequest(const QUrl& url, NavigationType type,
                                            bool isMainFrame) {
    if (isMainFrame) {
        m_boxesStopped = false; // the page the person stopped is being left
        m_view->mainFrameNavigation(url, type == NavigationTypeFormSubmitted,
                                    type == NavigationTypeBackForward ||
                                        type == NavigationTypeReload);
    }
    Q_EMIT m_view->BeforeNavigate2(url.toString());
    return true;
}

// While silent, or once the person stopped the page's boxes, script boxes answer as if
// dismissed: alert closed, confirm and prompt refused, and a page asking before it is left is
// left.
bool WebEnginePage::askingAllowed() {
    return !m_view->Silent() && m_view->dialogs() && !m_boxesStopped;
}

bool* WebEnginePage::stopOffered() {
    return ++m_boxesShown > 1 ? &m_boxesStopped : nullptr;
}

void WebEnginePage::javaScriptAlert(const QUrl& securityOrigin, const QString& msg) {
    if (!askingAllowed())
        return;
    m_view->dialogs()->scriptAlert(m_view, securityOrigin, msg, stopOffered());
}

bool WebEnginePage::javaScriptConfirm(const QUrl& securityOrigin, const QString& msg) {
    const bool leaving = msg == leavePageQuestion();
    if (!askingAllowed())
        return leaving;
    if (leaving)
        return m_view->dialogs()->confirmLeavingPage(m_view);
    return m_view->dialogs()->scriptConfirm(m_view, securityOrigin, msg, stopOffered());
}

bool WebEnginePage::javaScriptPrompt(const QUrl& securityOrigin, const QString& msg,
                                     const QString& defaultValue, QString* result) {
    if (!askingAllowed())
        return false;
    const auto answer =
        m_view->dialogs()->scriptPrompt(m_view, securityOrigin, msg, defaultValue, stopOffered());
    if (answer && result)
        *result = *answer;
    return answer.has_value();
}
