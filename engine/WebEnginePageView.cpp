#include "engine/WebEnginePageView.h"

#include "core/BrowserOptions.h"
#include "engine/FindBar.h"
#include "engine/PageRequestFilter.h"
#include "engine/WebEnginePage.h"
#include "platform/AddressText.h"
#include "platform/PageDialogs.h"
#include "platform/UrlHistory.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QPrinter>
#include <QRegularExpression>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebEngineHistory>
#include <QWebEngineNewWindowRequest>
#include <QWebEngineScript>
#include <QWebEngineView>

WebEnginePageView::WebEnginePageView(QWebEngineProfile* profile, UrlHistory* history,
                                     PageDialogs* dialogs, QWidget* parent, BrowserOptions* options)
    : PageView(parent)
    , m_view(new QWebEngineView(this))
    , m_history(history)
    , m_dialogs(dialogs)
    , m_options(options) {
    m_page = new WebEnginePage(profile, this, m_view);
    m_view->setPage(m_page);
    // Only the first page starts now, so that the renderer starts while the first window is
    // built. A later page starts with its first address, in the renderer its site already has,
    // rather than in a new one for an empty document.
    static bool firstPage = true;
    if (firstPage)
        startPage();
    firstPage = false;
    m_interceptor = new PageRequestFilter(this);
    connect(m_interceptor, &PageRequestFilter::mainFrameRequested, this,
            [this](const QUrl& url, const QByteArray& method) {
                m_postedPage = method == "POST" ? url : QUrl();
            });
    m_page->setUrlRequestInterceptor(m_interceptor);
    m_findBar = new FindBar(m_page, this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_findBar);
    setFocusProxy(m_view);
    // Ctrl+F reaches whichever widget of the engine has the focus; catch it on its way.
    qApp->installEventFilter(this);

    connectHostingDefaults();

    connect(m_page, &QWebEnginePage::titleChanged, this, &PageView::TitleChange);
    connect(m_page, &QWebEnginePage::urlChanged, this, &WebEnginePageView::reportHistoryState);
    connect(m_page, &QWebEnginePage::urlChanged, this, &PageView::locationChanged);
    connect(m_page, &QWebEnginePage::loadStarted, this, &WebEnginePageView::reportHistoryState);
    connect(m_page, &QWebEnginePage::loadFinished, this, &WebEnginePageView::documentLoaded);
    connect(m_page, &QWebEnginePage::newWindowRequested, this,
            &WebEnginePageView::openRequestedWindow);
    connect(m_page, &QWebEnginePage::linkHovered, this,
            [this](const QString& url) { Q_EMIT StatusTextChange(shownAddress(url)); });
    if (m_options)
        connect(m_options, &BrowserOptions::changed, this, &WebEnginePageView::applyHostLook);
    applyHostLook();
}

void WebEnginePageView::Navigate(const QString& url) {
    const QUrl target = typedAddress(url);
    if (!target.isValid())
        return;
    m_started = true;
    m_page->load(target);
}

void WebEnginePageView::startPage() {
    // Runs nothing, but gives the page its contents: an empty document.
    if (!m_started)
        m_page->runJavaScript(QString());
    m_started = true;
}

void WebEnginePageView::prepareSurface() {
    startPage();
}

void WebEnginePageView::GoBack() {
    m_page->triggerAction(QWebEnginePage::Back);
}

void WebEnginePageView::GoForward() {
    m_page->triggerAction(QWebEnginePage::Forward);
}

void WebEnginePageView::Refresh() {
    // Reloading a page of ours would show it again, not the address it stands for.
    if (const std::optional<QUrl> own = ownPageAddress()) {
        if (!Offline()) // offline it would only be refused again
            m_page->load(*own);
    } else if (!m_postedPage.isEmpty() && m_postedPage == m_page->url() && m_dialogs &&
               !m_dialogs->confirmResubmit(this)) {
        return; // the engine would send the form again without a word: an order, a payment
    } else {
        m_page->triggerAction(QWebEnginePage::Reload);
    }
}

void WebEnginePageView::Stop() {
    m_page->triggerAction(QWebEnginePage::Stop);
}

std::optional<QUrl> WebEnginePageView::ownPageAddress() const {
    const QUrl url = m_page->url();
    for (const auto& [mark, address] : m_ownPages) {
        if (mark == url)
            return address;
    }
    // Brought back in a window, a page of ours is its document of data: it names its address
    // in its reload link. (No page can open a document of data in a window, only the person.)
    if (url.scheme() != QLatin1String("data"))
        return std::nullopt;
    const QByteArray encoded = url.toEncoded();
    const QByteArray data = encoded.mid(encoded.indexOf(',') + 1);
    // Asked often: a document of data that is none of ours is not decoded whole.
    static const QByteArray start(kOwnPageStart);
    if (!QByteArray::fromPercentEncoding(data.left(3 * start.size())).startsWith(start))
        return std::nullopt;
    const QString html = QString::fromUtf8(QByteArray::fromPercentEncoding(data).mid(start.size()));
    static const QRegularExpression reload(
        QStringLiteral("^<title>[^<]*</title>.*<a id=\"reload\" href=\"([^\"]*)\">"));
    const QRegularExpressionMatch match = reload.match(html);
    if (!match.hasMatch())
        return std::nullopt;
    QString address = match.captured(1);
    address.replace(QLatin1String("&quot;"), QLatin1String("\""))
        .replace(QLatin1String("&lt;"), QLatin1String("<"))
        .replace(QLatin1String("&gt;"), QLatin1String(">"))
        .replace(QLatin1String("&amp;"), QLatin1String("&"));
    return QUrl(address);
}

QString WebEnginePageView::LocationURL() const {
    if (const std::optional<QUrl> own = ownPageAddress())
        return own->toString(QUrl::FullyEncoded);
    // A page of ours whose address is forgotten (older than the pages kept, or in a window
    // brought back) is a blank page to the person, not its mark.
    static const QRegularExpression mark(QStringLiteral("^about:blank#[0-9a-f]{32}$"));
    const QString address = m_page->url().toString(QUrl::FullyEncoded);
    return mark.match(address).hasMatch() ? QStringLiteral("about:blank") : address;
}

QString WebEnginePageView::LocationName() const {
    return m_page->title();
}

WebEnginePageView::~WebEnginePageView() {
    *m_whole = false;
    m_page->setUrlRequestInterceptor(nullptr);
    delete m_fullScreen; // holds the engine view while the page is full screen
}

void WebEnginePageView::showEvent(QShowEvent* event) {
    // A window shown without an address shows an empty document, as it always did.
    startPage();
    PageView::showEvent(event);
}

void WebEnginePageView::setOffline(bool on) {
    PageView::setOffline(on);
    m_interceptor->setOffline(on);
}

void WebEnginePageView::setSilent(bool on) {
    PageView::setSilent(on);
    m_interceptor->setSilent(on);
}

bool WebEnginePageView::eventFilter(QObject* watched, QEvent* event) {
    // Keys and the wheel reach whichever widget of the engine has them; catch them on their way.
    if (event->type() == QEvent::Wheel && watched->isWidgetType() &&
        m_view->isAncestorOf(static_cast<QWidget*>(watched)) && zoomByWheel(event))
        return true;
    if ((event->type() == QEvent::MouseButtonPress || event->type() == QEvent::KeyPress) &&
        watched->isWidgetType() && m_view->isAncestorOf(static_cast<QWidget*>(watched)))
        m_page->personActed();
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return PageView::eventFilter(watched, event);
    auto* target = static_cast<QWidget*>(watched);
    if (!isAncestorOf(target) || target == m_findBar || m_findBar->isAncestorOf(target))
        return PageView::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_F && key->modifiers() == Qt::ControlModifier) {
        m_findBar->open();
        return true;
    }
    if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier)
        Q_EMIT EscapePressed();
    return PageView::eventFilter(watched, event);
}

void WebEnginePageView::DocumentMarkup(QObject* context, MarkupCallback callback) {
    const QPointer<QObject> guard(context);
    if (m_page->url().isEmpty()) {
        QTimer::singleShot(0, context, [callback] { callback(std::nullopt); });
        return;
    }
    m_page->runJavaScript(
        QStringLiteral("document.documentElement ? document.documentElement.innerHTML : null"),
        QWebEngineScript::ApplicationWorld, [guard, callback](const QVariant& result) {
            if (!guard)
                return;
            if (result.isNull() || !result.isValid())
                callback(std::nullopt);
            else
                callback(result.toString());
        });
}

void WebEnginePageView::openRequestedWindow(QWebEngineNewWindowRequest& request) {
    PageView* target = nullptr;
    Q_EMIT NewWindow2(&target);
    auto* opened = qobject_cast<WebEnginePageView*>(target);
    if (!opened)
        return; // not handled: the engine drops the window
    request.openIn(opened->page());
    opened->adoptedContents();
}

void WebEnginePageView::adoptedContents() {
    // The engine replaced the page's contents with the opened window's: the filter belongs to
    // the contents, and must be set again before their first request.
    m_started = true;
    m_page->setUrlRequestInterceptor(m_interceptor);
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
    if (ok)
        detectEncoding();
    const QString url = LocationURL();
    const bool ownPage = ok && ownPageAddress();
    if (ok && !ownPage && m_history && isRecordableUrl(url))
        m_history->recordVisit(url, LocationName());
    Q_EMIT DocumentComplete(url);
}
