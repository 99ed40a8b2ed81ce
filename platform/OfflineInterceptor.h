#pragma once

#include <QWebEngineUrlRequestInterceptor>

// Blocks every request that would reach the network while offline; pages from file:, data:
// and qrc: still load. The engine has no cache-only mode, so cached copies are blocked too.
class OfflineInterceptor final : public QWebEngineUrlRequestInterceptor {
    Q_OBJECT
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;

    void setOffline(bool on) { m_offline = on; }
    bool offline() const { return m_offline; }
    void interceptRequest(QWebEngineUrlRequestInfo& info) override;

    static bool isNetworkScheme(const QString& scheme);

private:
    bool m_offline = false;
};
