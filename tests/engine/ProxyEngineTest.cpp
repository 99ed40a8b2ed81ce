// The engine reads the proxy before its first request and keeps it, so this is a program of
// its own. The engine goes direct to loopback addresses whatever the proxy, so the page is
// asked for by a name only the proxy (a second loopback server) answers.
#include "tests/engine/EngineFixture.h"

#include <QNetworkProxy>

namespace {

class ProxyEngineTest : public EngineFixture {
protected:
    // Before the first view: a page view starts its engine page as it is made.
    static void SetUpTestSuite() {
        proxy = std::make_unique<LoopbackHttpServer>();
        ASSERT_TRUE(proxy->start());
        QNetworkProxyFactory::setUseSystemConfiguration(false);
        QNetworkProxy::setApplicationProxy(QNetworkProxy(
            QNetworkProxy::HttpProxy, QStringLiteral("127.0.0.1"), proxy->url("/").port()));
    }
    static void TearDownTestSuite() {
        QNetworkProxy::setApplicationProxy(QNetworkProxy(QNetworkProxy::NoProxy));
        proxy.reset();
    }
    static inline std::unique_ptr<LoopbackHttpServer> proxy;
};

TEST_F(ProxyEngineTest, ProxySignInOnlyWhenNotSilent) {
    const QString page = QStringLiteral("http://signin.test/private");
    proxy->handle(page, [](const QByteArray& request) {
        LoopbackHttpServer::Response response;
        if (request.contains("Proxy-Authorization: Basic " + QByteArray("agent:pass").toBase64())) {
            response.body = "<title>Through</title>";
            return response;
        }
        response.status = 407;
        response.headers = {{"Proxy-Authenticate", "Basic realm=\"Gateway\""}};
        response.body = "<title>Proxy says no</title>";
        return response;
    });
    view.setSilent(true);
    ASSERT_TRUE(load(page));
    EXPECT_EQ(view.LocationName(), QStringLiteral("Proxy says no"));
    EXPECT_TRUE(dialogs.asked.isEmpty());

    view.setSilent(false);
    dialogs.credentials = PageDialogs::Credentials{"agent", "pass"};
    ASSERT_TRUE(load(page));
    EXPECT_TRUE(titleBecomes("Through"));
    EXPECT_EQ(dialogs.asked, QStringList{"proxySignIn:127.0.0.1"});
}

} // namespace
