#include "core/ApplicationProxy.h"

#include "core/BrowserOptions.h"

#include <QNetworkProxyFactory>

std::optional<QNetworkProxy> applicationProxyFor(const ProxyOption& option) {
    switch (option.mode) {
    case ProxyOption::Mode::System:
        break;
    case ProxyOption::Mode::None:
        return QNetworkProxy(QNetworkProxy::NoProxy);
    case ProxyOption::Mode::Manual:
        return QNetworkProxy(option.kind == ProxyOption::Kind::Socks5 ? QNetworkProxy::Socks5Proxy
                                                                      : QNetworkProxy::HttpProxy,
                             option.host, option.port);
    }
    return std::nullopt;
}

void applyProxyOption(const ProxyOption& option) {
    const auto proxy = applicationProxyFor(option);
    QNetworkProxyFactory::setUseSystemConfiguration(!proxy);
    if (proxy)
        QNetworkProxy::setApplicationProxy(*proxy);
}
