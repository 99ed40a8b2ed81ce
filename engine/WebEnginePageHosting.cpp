// What the page view does where a bare engine view would do nothing useful: sign-in,
// certificate errors, permission requests, full screen, and a page of its own when the page's
// process dies. While silent it shows no dialog box: sign-in is cancelled and a bad
// certificate refused.
#include "engine/PageRequestFilter.h"
#include "engine/WebEnginePage.h"
#include "engine/WebEnginePageView.h"
#include "platform/PageDialogs.h"

#include <QAuthenticator>
#include <QKeyEvent>
#include <QPointer>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <QUuid>
#include <QVBoxLayout>
#include <QWebEngineCertificateError>
#include <QWebEngineFullScreenRequest>
#include <QWebEngineLoadingInfo>
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
#include <QWebEnginePermission>
#endif
#include <QWebEngineView>

void WebEnginePageView::connectHostingDefaults() {
    connect(m_page, &QWebEnginePage::authenticationRequired, this,
            [this](const QUrl& url, QAuthenticator* authenticator) {
                signIn(url, authenticator, authenticator->realm(), false);
            });
    connect(m_page, &QWebEnginePage::proxyAuthenticationRequired, this,
            [this](const QUrl& url, QAuthenticator* authenticator, const QString& proxyHost) {
                signIn(url, authenticator, proxyHost, true);
            });
    connect(m_page, &QWebEnginePage::certificateError, this, &WebEnginePageView::certificateError);
    // Location, notifications, camera, microphone and the screen stay private.
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    connect(m_page, &QWebEnginePage::permissionRequested, this,
            [](QWebEnginePermission permission) { permission.deny(); });
#else
    connect(m_page, &QWebEnginePage::featurePermissionRequested, this,
            [this](const QUrl& origin, QWebEnginePage::Feature feature) {
                m_page->setFeaturePermission(origin, feature,
                                             QWebEnginePage::PermissionDeniedByUser);
            });
#endif
    connect(m_page, &QWebEnginePage::fullScreenRequested, this,
            &WebEnginePageView::fullScreenRequested);
    connect(m_page, &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status, int) {
                renderProcessTerminated(int(status));
            });
    // Offline, the engine's own page for a refused address says that "Chromium" blocked it.
    connect(m_page, &QWebEnginePage::loadingChanged, this,
            [this](const QWebEngineLoadingInfo& loading) {
                // Offline, a web address fails only because the filter refused it (the engine's
                // code for that differs between versions). Back, Forward and reloads keep the
                // engine's page: ours would be a new entry, and Back from it would come back.
                if (!Offline() || m_historyNavigation ||
                    loading.status() != QWebEngineLoadingInfo::LoadFailedStatus ||
                    !PageRequestFilter::isNetworkScheme(loading.url().scheme()))
                    return;
                const QUrl refused = loading.url();
                QTimer::singleShot(0, this, [this, refused] {
                    if (m_page->url() == refused)
                        showOwnPage(offlinePageHtml(refused), refused);
                });
            });
    // A script closing its window leaves the browser window alone: windowCloseRequested is
    // deliberately not answered.
}

void WebEnginePageView::signIn(const QUrl& url, QAuthenticator* authenticator,
                               const QString& realmOrHost, bool proxy) {
    std::optional<PageDialogs::Credentials> credentials;
    if (!Silent() && m_dialogs)
        credentials = m_dialogs->signIn(this, url, realmOrHost, proxy);
    if (!credentials) {
        // A null authenticator cancels: the server's own answer is shown.
        *authenticator = QAuthenticator();
        return;
    }
    authenticator->setUser(credentials->user);
    authenticator->setPassword(credentials->password);
}

void WebEnginePageView::certificateError(const QWebEngineCertificateError& error) {
    if (Silent() || !m_dialogs || !error.isOverridable()) {
        QWebEngineCertificateError(error).rejectCertificate();
        return;
    }
    // The question is modal: ask it after the engine's own event has returned.
    QWebEngineCertificateError pending = error;
    pending.defer();
    const QPointer<WebEnginePageView> guard(this);
    QTimer::singleShot(0, this, [guard, pending]() mutable {
        if (guard && guard->m_dialogs &&
            guard->m_dialogs->continueDespiteCertificateError(guard, pending.url(),
                                                              pending.description())) {
            PageRequestFilter::certificateExceptionGranted(pending.url().host());
            pending.acceptCertificate();
        } else
            pending.rejectCertificate();
    });
}

void WebEnginePageView::fullScreenRequested(QWebEngineFullScreenRequest request) {
    if (request.toggleOn() == isFullScreen()) {
        request.accept();
        return;
    }
    request.accept();
    if (request.toggleOn()) {
        // The view moves into a window of its own that covers the screen; Esc leaves.
        m_fullScreen = new QWidget(nullptr, Qt::Window);
        m_fullScreen->setAttribute(Qt::WA_DeleteOnClose, false);
        auto* layout = new QVBoxLayout(m_fullScreen);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(m_view);
        auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), m_fullScreen);
        connect(escape, &QShortcut::activated, this,
                [this] { m_page->triggerAction(QWebEnginePage::ExitFullScreen); });
        if (QScreen* screen = window()->screen())
            m_fullScreen->setGeometry(screen->geometry()); // also without a window manager
        m_fullScreen->showFullScreen();
        m_view->setFocus();
        return;
    }
    auto* pageLayout = static_cast<QVBoxLayout*>(layout());
    pageLayout->insertWidget(0, m_view, 1);
    m_view->show();
    delete m_fullScreen;
    m_fullScreen = nullptr;
    m_view->setFocus();
}

QString WebEnginePageView::ownPageHtml(const QString& title, const QString& text, const QUrl& url) {
    const QString address = url.toString().toHtmlEscaped();
    return QString::fromLatin1(kOwnPageStart) +
           QStringLiteral("<title>%1</title>"
                          "<style>body{font-family:sans-serif;margin:3em;color:#333}"
                          "h1{font-size:1.4em}</style></head><body><h1>%1</h1>"
                          "<p>%2</p><p><a id=\"reload\" href=\"%3\">重新加载</a>（或按 F5）"
                          "</p><p style=\"color:#888\">%3</p></body></html>")
               .arg(title, text, address);
}

QString WebEnginePageView::crashPageHtml(const QUrl& failedUrl) {
    return ownPageHtml(QStringLiteral("页面已崩溃"), QStringLiteral("显示此网页的进程意外终止。"),
                       failedUrl);
}

QString WebEnginePageView::offlinePageHtml(const QUrl& refusedUrl) {
    return ownPageHtml(QStringLiteral("脱机工作"),
                       QStringLiteral("脱机工作时不能打开网络上的网页。要打开它，请取消“文件”"
                                      "菜单中的“脱机工作”，再重新加载。"),
                       refusedUrl);
}

void WebEnginePageView::showOwnPage(const QString& html, const QUrl& url) {
    // Not under the address itself: with every site in a process of its own, the engine ends
    // the whole program on a page of data that claims a web site's address. A mark no page can
    // guess keeps a page from passing for one of ours by going to about:blank.
    const QUrl own(QStringLiteral("about:blank#") + QUuid::createUuid().toString(QUuid::Id128));
    m_ownPages.append({own, url});
    if (m_ownPages.size() > kMaxOwnPages) // older than any entry the engine keeps
        m_ownPages.removeFirst();
    m_page->setHtml(html, own);
}

void WebEnginePageView::renderProcessTerminated(int status) {
    if (status == QWebEnginePage::NormalTerminationStatus)
        return;
    const QUrl failed = ownPageAddress().value_or(m_page->url());
    // Out of the engine's event: loading from inside it is not safe.
    QTimer::singleShot(0, this, [this, failed] { showOwnPage(crashPageHtml(failed), failed); });
}
