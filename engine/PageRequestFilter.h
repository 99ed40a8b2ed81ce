#pragma once

#include <QWebEngineUrlRequestInterceptor>

// Decides which requests of one page go out.
// - Offline: nothing that would reach the network; pages from file:, data: and qrc: still load.
//   The engine has no cache-only mode, so cached copies are blocked too.
// - A page from disk shows the pictures, styles, scripts, fonts and media beside it, but reads
//   no other local file: no XMLHttpRequest or fetch, no frame, object or worker, and no page
//   of a window it opens or navigates (what the person typed, chose or went back to opens).
//   (The engine's own switch for this would hide its pictures too.)
// - Silent: no secure request to a host whose bad certificate a person let through in another
//   window.
//   The engine keeps such an exception for the profile until Tarnvale exits and would load the
//   host here without a word; a silent window refuses bad certificates.
class PageRequestFilter final : public QWebEngineUrlRequestInterceptor {
    Q_OBJECT
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;

    void setOffline(bool on) { m_offline = on; }
    bool offline() const { return m_offline; }
    void setSilent(bool on) { m_silent = on; }
    void interceptRequest(QWebEngineUrlRequestInfo& info) override;

    static bool isNetworkScheme(const QString& scheme);
    static bool isSecureScheme(const QString& scheme); // the ones with certificates
    // What a page from disk may load of another local file: what it shows rather than reads
    // (QWebEngineUrlRequestInfo::ResourceType and NavigationType).
    static bool isShownResource(int type, int navigation);
    // The engine accepts this host's bad certificate from now on, in every window.
    static void certificateExceptionGranted(const QString& host);

Q_SIGNALS:
    // A request for the page itself, with its method ("POST" for a form that sends data).
    void mainFrameRequested(const QUrl& url, const QByteArray& method);

private:
    bool m_offline = false;
    bool m_silent = false;
};
