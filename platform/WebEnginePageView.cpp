#include "WebEnginePageView.h"

#include "UrlHistory.h"
#include "WebEnginePage.h"

#include <QVBoxLayout>
#include <QWebEngineHistory>
#include <QWebEngineView>

WebEnginePageView::WebEnginePageView(QWebEngineProfile* profile, UrlHistory* history,
                                     QWidget* parent)
    : PageView(parent)
    , m_view(new QWebEngineView(this))
    , m_history(history) {
    m_page = new WebEnginePage(profile, m_view);
    m_view->setPage(m_page);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    setFocusProxy(m_view);

    m_page->onCreateWindow = [this] {
        return requestNewWindow();
    };
    m_page->onNavigationRequest = [this](const QUrl& url) {
        Q_EMIT BeforeNavigate2(url.toString());
    };
    m_page->isSilent = [this] {
        return Silent();
    };

    connect(m_page, &QWebEnginePage::titleChanged, this, &PageView::TitleChange);
    connect(m_page, &QWebEnginePage::urlChanged, this, &WebEnginePageView::reportHistoryState);
    connect(m_page, &QWebEnginePage::loadStarted, this, &WebEnginePageView::reportHistoryState);
    connect(m_page, &QWebEnginePage::loadFinished, this, &WebEnginePageView::documentLoaded);
}

void WebEnginePageView::Navigate(const QString& url) {
    // What people type into an address box: "www.example.com" becomes http, an absolute
    // path a file address, a complete URL stays as it is.
    const QUrl target = QUrl::fromUserInput(url);
    if (target.isValid())
        m_page->load(target);
}

void WebEnginePageView::GoBack() {
    m_page->triggerAction(QWebEnginePage::Back);
}

void WebEnginePageView::GoForward() {
    m_page->triggerAction(QWebEnginePage::Forward);
}

void WebEnginePageView::Refresh() {
    m_page->triggerAction(QWebEnginePage::Reload);
}

void WebEnginePageView::Stop() {
    m_page->triggerAction(QWebEnginePage::Stop);
}

QString WebEnginePageView::LocationURL() const {
    return m_page->url().toString();
}

QString WebEnginePageView::LocationName() const {
    return m_page->title();
}

QWebEnginePage* WebEnginePageView::requestNewWindow() {
    PageView* target = nullptr;
    Q_EMIT NewWindow2(&target);
    auto* engineTarget = qobject_cast<WebEnginePageView*>(target);
    return engineTarget ? engineTarget->page() : nullptr;
}

void WebEnginePageView::reportHistoryState() {
    const bool back = m_page->history()->canGoBack();
    const bool forward = m_page->history()->canGoForward();
    if (m_reportedBack != back) {
        m_reportedBack = back;
        Q_EMIT CommandStateChange(CSC_NAVIGATEBACK, back);
    }
    if (m_reportedForward != forward) {
        m_reportedForward = forward;
        Q_EMIT CommandStateChange(CSC_NAVIGATEFORWARD, forward);
    }
}

void WebEnginePageView::documentLoaded(bool ok) {
    reportHistoryState();
    const QString url = LocationURL();
    if (ok && m_history && isRecordableUrl(url))
        m_history->recordVisit(url, LocationName());
    Q_EMIT DocumentComplete(url);
}
