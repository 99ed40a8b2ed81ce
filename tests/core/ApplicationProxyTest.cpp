// The proxy the page engine gets for each choice of Internet 选项.
#include "core/ApplicationProxy.h"
#include "core/BrowserOptions.h"

#include <QNetworkProxyFactory>

namespace {

TEST(ApplicationProxy, EachChoiceReachesTheProcess) {
    using Mode = ProxyOption::Mode;
    using Kind = ProxyOption::Kind;
    const struct {
        const char* name;
        ProxyOption option;
        std::optional<QNetworkProxy> proxy; // nothing: the desktop's settings
    } rows[] = {
        {"None", {Mode::None, Kind::Http, {}, 0}, QNetworkProxy(QNetworkProxy::NoProxy)},
        {"Http",
         {Mode::Manual, Kind::Http, "代理.example", 3128},
         QNetworkProxy(QNetworkProxy::HttpProxy, "代理.example", 3128)},
        {"Socks5",
         {Mode::Manual, Kind::Socks5, "127.0.0.1", 1080},
         QNetworkProxy(QNetworkProxy::Socks5Proxy, "127.0.0.1", 1080)},
        {"System", {}, std::nullopt},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        applyProxyOption(row.option);
        EXPECT_EQ(QNetworkProxyFactory::usesSystemConfiguration(), !row.proxy);
        if (row.proxy) {
            EXPECT_EQ(QNetworkProxy::applicationProxy(), *row.proxy);
        }
    }
}

} // namespace
