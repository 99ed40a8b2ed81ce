// How the engine page view shows a host's pages: the zoom and the text encoding of pages that
// declare none, both remembered per host in the options; undeclared UTF-8 is detected.
#include "core/BrowserOptions.h"
#include "engine/WebEnginePage.h"
#include "engine/WebEnginePageView.h"
#include "platform/EncodingGuess.h"
#include "platform/ZoomSteps.h"

#include <QPointer>
#include <QSet>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWheelEvent>

namespace {
// Sites (scheme, host and port) whose undeclared pages turned out to be UTF-8 in this run: their
// next pages are read so from the start, without loading twice.
QSet<QString>& utf8Sites() {
    static QSet<QString> sites;
    return sites;
}

QString asciiHost(const QUrl& url) {
    return url.host(QUrl::FullyEncoded).toLower();
}

QString siteOf(const QUrl& url) {
    return url
        .adjusted(QUrl::RemovePath | QUrl::RemoveQuery | QUrl::RemoveFragment |
                  QUrl::RemoveUserInfo)
        .toString(QUrl::FullyEncoded);
}

const QString kUtf8 = QStringLiteral("UTF-8");

constexpr int kDetectedSample = 64 * 1024; // characters of the document to judge by
} // namespace

const QString WebEnginePageView::kUndeclaredEncoding = QStringLiteral("GBK");

void WebEnginePageView::mainFrameNavigation(const QUrl& url, bool formSubmitted, bool inHistory) {
    m_historyNavigation = inHistory;
    m_saveTarget.reset(); // a save that brought no download is over once the page changes
    m_formSubmitted = formSubmitted;
    const QString host = asciiHost(url);
    if (host != m_host)
        m_chosenEncoding.clear();
    m_host = host;
    m_site = siteOf(url);
    applyHostLook();
}

void WebEnginePageView::applyHostLook() {
    const int zoom = m_options ? (m_options->hostZoom(m_host) ? m_options->hostZoom(m_host)
                                                              : m_options->defaultZoom())
                               : 100;
    if (m_page->zoomFactor() != zoom / 100.0)
        m_page->setZoomFactor(zoom / 100.0);
    QString encoding = TextEncoding();
    if (encoding.isEmpty()) {
        const QString fallback = m_options ? m_options->defaultEncoding() : QString();
        encoding = fallback.isEmpty() || fallback == BrowserOptions::kAutoEncoding
                       ? (utf8Sites().contains(m_site) ? kUtf8 : kUndeclaredEncoding)
                       : fallback;
    }
    // Setting even the same value sends every setting of the page to its renderer again.
    if (m_page->settings()->defaultTextEncoding() != encoding)
        m_page->settings()->setDefaultTextEncoding(encoding);
}

int WebEnginePageView::ZoomPercent() const {
    return qRound(m_page->zoomFactor() * 100);
}

void WebEnginePageView::setZoomPercent(int percent) {
    percent = qBound(BrowserOptions::kMinZoom, percent, BrowserOptions::kMaxZoom);
    m_page->setZoomFactor(percent / 100.0);
    if (m_options)
        m_options->setHostZoom(m_host, percent); // every window on the host follows
}

bool WebEnginePageView::zoomByWheel(QEvent* event) {
    auto* wheel = static_cast<QWheelEvent*>(event);
    if (!(wheel->modifiers() & Qt::ControlModifier))
        return false;
    // A notch is 120; touch pads send many small turns, which make a step together.
    m_wheelTurned += wheel->angleDelta().y();
    while (qAbs(m_wheelTurned) >= 120) {
        const int direction = m_wheelTurned > 0 ? 1 : -1;
        m_wheelTurned -= direction * 120;
        setZoomPercent(nextZoomStep(ZoomPercent(), direction));
    }
    return true;
}

QString WebEnginePageView::TextEncoding() const {
    if (m_options && !m_host.isEmpty())
        return m_options->hostEncoding(m_host);
    return m_chosenEncoding;
}

void WebEnginePageView::setTextEncoding(const QString& encoding) {
    if (m_options && !m_host.isEmpty())
        m_options->setHostEncoding(m_host, encoding);
    else
        m_chosenEncoding = encoding;
    if (encoding.isEmpty())
        utf8Sites().remove(m_site);
    applyHostLook();
    m_page->triggerAction(QWebEnginePage::Reload);
}

// A page read with the undeclared default whose text is UTF-8 read as GBK loads again as
// UTF-8, and the site's next pages are read so; one of them that is no UTF-8 after all (its
// text holds U+FFFD) loads again as GBK. Never for a form's answer, which would be sent again.
void WebEnginePageView::detectEncoding() {
    const QString current = m_page->settings()->defaultTextEncoding();
    const bool guessed = utf8Sites().contains(m_site);
    if (m_formSubmitted || (current != kUndeclaredEncoding && !(guessed && current == kUtf8)))
        return;
    const QString site = m_site;
    m_page->runJavaScript(QStringLiteral("[document.characterSet, document.documentElement ?"
                                         " document.documentElement.outerHTML.slice(0, %1) : '']")
                              .arg(kDetectedSample),
                          QWebEngineScript::ApplicationWorld,
                          [this, whole = m_whole, site, current, guessed](const QVariant& result) {
                              const QVariantList answer = result.toList();
                              // Read with the default: the page declared nothing of its own.
                              if (!*whole || m_site != site || answer.size() != 2 ||
                                  answer.at(0).toString().compare(current, Qt::CaseInsensitive) !=
                                      0)
                                  return;
                              const QString text = answer.at(1).toString();
                              if (!guessed && looksLikeUtf8ReadAsGbk(text))
                                  utf8Sites().insert(site);
                              else if (guessed && text.contains(QChar::ReplacementCharacter))
                                  utf8Sites().remove(site);
                              else
                                  return;
                              applyHostLook();
                              m_page->triggerAction(QWebEnginePage::Reload);
                          });
}
