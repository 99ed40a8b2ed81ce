// What the page view supplies that a bare engine view lacks: downloads, script boxes,
// sign-in, permissions, a crash page, GBK pages. Silent means no dialog at all. (Full screen
// needs a user's click, which offscreen input cannot give: the end-to-end suite checks it.)
#include "EngineFixture.h"

#include "DownloadManager.h"
#include "GbkText.h"
#include "PageView.h"
#include "TestFiles.h"
#include "WebEnginePage.h"
#include "WebEnginePageView.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QNetworkProxy>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QWebEngineHistory>
#include <QWebEngineView>
#include <csignal>

namespace {

class HostingEngineTest : public EngineFixture {
protected:
    HostingEngineTest()
        : view(profile(), history.get(), &dialogs)
        , downloads(profile(), &dialogs) {
        view.resize(800, 600);
        view.show();
        QDir(DownloadManager::downloadFolder()).removeRecursively();
        QDir().mkpath(DownloadManager::downloadFolder());
    }

    // A path on the test's server, or a whole address.
    void load(const QString& pathOrUrl) {
        const QString path = pathOrUrl;
        QSignalSpy complete(&view, &PageView::DocumentComplete);
        view.Navigate(path.startsWith('/') ? server.url(path).toString() : path);
        ASSERT_TRUE(waitFor([&] { return !complete.isEmpty(); })) << path.toStdString();
    }

    bool titleBecomes(const QString& title) {
        return waitFor([&] { return view.LocationName() == title; });
    }

    LoopbackHttpServer::Response attachment(const QByteArray& body) {
        LoopbackHttpServer::Response response;
        response.contentType = "application/octet-stream";
        response.headers = {{"Content-Disposition", "attachment; filename=\"report.txt\""}};
        response.body = body;
        return response;
    }

    WebEnginePageView view;
    DownloadManager downloads;
};

// Whatever LANG says: the test programs start Chinese as the browser does.
TEST_F(HostingEngineTest, TheEnginesErrorPageAndContextMenuAreChinese) {
    load(QStringLiteral("http://127.0.0.1:1/"));
    QString markup;
    view.page()->toHtml([&markup](const QString& html) { markup = html; });
    ASSERT_TRUE(waitFor([&] { return !markup.isEmpty(); }));
    EXPECT_TRUE(markup.contains(QStringLiteral("无法访问此网站")));
    for (const auto item : {QWebEnginePage::Back, QWebEnginePage::Forward, QWebEnginePage::Reload,
                            QWebEnginePage::Copy, QWebEnginePage::SavePage,
                            QWebEnginePage::ViewSource, QWebEnginePage::InspectElement}) {
        const QString text = view.page()->action(item)->text();
        EXPECT_FALSE(text.contains(QRegularExpression(QStringLiteral("[A-Za-z]{2,}"))) ||
                     text.isEmpty())
            << text.toStdString();
    }
}

TEST_F(HostingEngineTest, SilentDownloadLandsCompleteUnderAFreshName) {
    const QByteArray body(200 * 1024, 'd');
    server.route("/report", attachment(body));
    QFile existing(DownloadManager::downloadFolder() + "/report.txt");
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("kept");
    existing.close();

    view.setSilent(true);
    QSignalSpy finished(&downloads, &DownloadManager::downloadFinished);
    view.Navigate(server.url("/report").toString());
    ASSERT_TRUE(waitFor([&] { return !finished.isEmpty(); }));
    const QString path = finished.first().first().toString();
    EXPECT_EQ(path, DownloadManager::downloadFolder() + "/report (1).txt");
    EXPECT_EQ(readFileBytes(path), body);
    EXPECT_EQ(readFileBytes(existing.fileName()), QByteArray("kept"));
    EXPECT_TRUE(QDir(DownloadManager::downloadFolder()).entryList({"*.part"}).isEmpty());
    EXPECT_TRUE(dialogs.asked.isEmpty());
    EXPECT_EQ(downloads.window()->count(), 1);
}

TEST_F(HostingEngineTest, NotSilentTheUserChoosesWhereOrCancels) {
    server.route("/report", attachment("content"));
    view.setSilent(false);
    dialogs.downloadPath = folder.path() + "/chosen.txt";
    QSignalSpy finished(&downloads, &DownloadManager::downloadFinished);
    view.Navigate(server.url("/report").toString());
    ASSERT_TRUE(waitFor([&] { return !finished.isEmpty(); }));
    EXPECT_EQ(finished.first().first().toString(), dialogs.downloadPath.value());
    EXPECT_EQ(readFileBytes(*dialogs.downloadPath), QByteArray("content"));
    EXPECT_EQ(dialogs.asked,
              QStringList{"download:" + DownloadManager::downloadFolder() + "/report.txt"});

    dialogs.downloadPath.reset();
    view.Navigate(server.url("/report").toString());
    ASSERT_TRUE(waitFor([&] { return dialogs.asked.size() == 2; }));
    waitFor([] { return false; }, 300);
    EXPECT_TRUE(QDir(DownloadManager::downloadFolder()).isEmpty());
}

TEST_F(HostingEngineTest, ACancelledDownloadLeavesNoFile) {
    LoopbackHttpServer::Response stalled = attachment(QByteArray(4 * 1024 * 1024, 'x'));
    stalled.sendOnly = 256 * 1024; // then nothing more arrives
    server.route("/report", stalled);
    view.setSilent(true);
    QSignalSpy failed(&downloads, &DownloadManager::downloadFailed);
    view.Navigate(server.url("/report").toString());
    ASSERT_TRUE(waitFor([&] { return downloads.window()->count() == 1; }));
    waitFor([] { return false; }, 500); // part of it arrived
    QPushButton* cancel = nullptr;
    for (QPushButton* button : downloads.window()->findChildren<QPushButton*>()) {
        if (button->text() == QStringLiteral("取消"))
            cancel = button;
    }
    ASSERT_NE(cancel, nullptr);
    cancel->click();
    ASSERT_TRUE(waitFor([&] { return !failed.isEmpty(); }));
    // The engine removes its own partial data a moment later.
    EXPECT_TRUE(waitFor([] {
        return QDir(DownloadManager::downloadFolder())
            .entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot)
            .isEmpty();
    }));
}

TEST_F(HostingEngineTest, SignInOnlyWhenNotSilent) {
    server.handle("/private", [](const QByteArray& request) {
        LoopbackHttpServer::Response response;
        if (request.contains("Authorization: Basic " + QByteArray("user:secret").toBase64())) {
            response.body = "<title>Welcome</title>";
            return response;
        }
        response.status = 401;
        response.headers = {{"WWW-Authenticate", "Basic realm=\"Tarnvale Test\""}};
        response.body = "<title>Denied</title>";
        return response;
    });
    view.setSilent(true);
    load("/private");
    EXPECT_TRUE(titleBecomes("Denied"));
    EXPECT_TRUE(dialogs.asked.isEmpty());

    view.setSilent(false);
    dialogs.credentials = PageDialogs::Credentials{"user", "secret"};
    load("/private");
    EXPECT_TRUE(titleBecomes("Welcome"));
    EXPECT_EQ(dialogs.asked, QStringList{"signIn:Tarnvale Test"});
}

// The engine reads the proxy before its first request and keeps it, so this runs in a process
// of its own (ctest's engine_proxy_tests). The engine goes direct to loopback addresses whatever
// the proxy, so the page is asked for by a name only the proxy (a second loopback server)
// answers: nothing reaches the network.
class ProxyEngineTest : public HostingEngineTest {
protected:
    // Before the first view: a page view starts its engine page as it is made.
    static void SetUpTestSuite() {
        if (!qEnvironmentVariableIsSet("TARNVALE_PROXY_TEST"))
            return;
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
    static std::unique_ptr<LoopbackHttpServer> proxy;
};

std::unique_ptr<LoopbackHttpServer> ProxyEngineTest::proxy;

TEST_F(ProxyEngineTest, ProxySignInOnlyWhenNotSilent) {
    if (!qEnvironmentVariableIsSet("TARNVALE_PROXY_TEST"))
        GTEST_SKIP() << "needs a process of its own: run as ctest's engine_proxy_tests";
    proxy->handle("http://signin.test/private", [](const QByteArray& request) {
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
    load("http://signin.test/private");
    EXPECT_EQ(view.LocationName(), QStringLiteral("Proxy says no"));
    EXPECT_TRUE(dialogs.asked.isEmpty());
    EXPECT_EQ(proxy->hits("http://signin.test/private"), 1);

    view.setSilent(false);
    dialogs.credentials = PageDialogs::Credentials{"agent", "pass"};
    load("http://signin.test/private");
    EXPECT_TRUE(titleBecomes("Through"));
    EXPECT_EQ(dialogs.asked, QStringList{"proxySignIn:127.0.0.1"});
}

TEST_F(HostingEngineTest, ScriptBoxesGoToTheDialogsOnlyWhenNotSilent) {
    server.page("/boxes", "<script>alert('hi'); var c = confirm('q'); var p = prompt('n', 'd');"
                          "document.title = c + ' ' + p;</script>");
    view.setSilent(false);
    dialogs.promptAnswer = QStringLiteral("yes");
    load("/boxes");
    EXPECT_TRUE(titleBecomes("true yes"));
    EXPECT_EQ(dialogs.asked, (QStringList{"alert:hi", "confirm:q", "prompt:n"}));
}

TEST_F(HostingEngineTest, PermissionRequestsAreDenied) {
    server.page("/ask", "<script>"
                        "navigator.geolocation.getCurrentPosition(function() {"
                        " document.title = 'granted'; }, function(e) {"
                        " document.title = 'geo denied ' + e.code; });"
                        "</script>");
    load("/ask");
    EXPECT_TRUE(titleBecomes("geo denied 1"));
    server.page("/notify", "<script>Notification.requestPermission().then(function(p) {"
                           " document.title = 'notify ' + p; });</script>");
    load("/notify");
    EXPECT_TRUE(titleBecomes("notify denied"));
}

TEST_F(HostingEngineTest, PagesWithoutACharsetAreGbk) {
    LoopbackHttpServer::Response gbk;
    gbk.contentType = "text/html";
    gbk.body = "<html><head><title>" + toGbk(QStringLiteral("中文标题")) + "</title></head></html>";
    server.route("/gbk", gbk);
    load("/gbk");
    EXPECT_TRUE(titleBecomes(QStringLiteral("中文标题")));
}

TEST_F(HostingEngineTest, ACrashShowsOurPageThatReloads) {
    server.page("/first", "<title>First</title>");
    server.page("/doc", "<title>Doc</title>");
    load("/first");
    load("/doc");
    const qint64 pid = view.page()->renderProcessPid();
    ASSERT_GT(pid, 0);
    ::kill(pid_t(pid), SIGKILL);
    ASSERT_TRUE(titleBecomes(QStringLiteral("页面已崩溃")));
    EXPECT_EQ(view.LocationURL(), server.url("/doc").toString());

    const int before = server.hits("/doc");
    view.page()->runJavaScript(QStringLiteral("document.getElementById('reload').click()"));
    ASSERT_TRUE(titleBecomes("Doc"));
    EXPECT_EQ(server.hits("/doc"), before + 1);
    // Back still walks the history, past the crash, to the first page.
    for (int step = 0; step < 4 && view.LocationName() != QLatin1String("First"); ++step) {
        QSignalSpy complete(&view, &PageView::DocumentComplete);
        view.GoBack();
        ASSERT_TRUE(waitFor([&] { return !complete.isEmpty(); }));
    }
    EXPECT_EQ(view.LocationName(), QStringLiteral("First"));
}

// The engine remembers a certificate the user accepted until the process ends, so this test
// holds once per run of the test program.
TEST_F(HostingEngineTest, BadCertificatesAreRefusedUnlessTheUserContinues) {
    LoopbackHttpServer secure(nullptr, true);
    ASSERT_TRUE(secure.start());
    secure.page("/secure", "<title>Secure</title>");
    view.setSilent(true);
    load(secure.url("/secure").toString());
    EXPECT_NE(view.LocationName(), QStringLiteral("Secure"));
    EXPECT_EQ(secure.hits("/secure"), 0);
    EXPECT_TRUE(dialogs.asked.isEmpty());

    view.setSilent(false);
    dialogs.continueAnswer = false;
    load(secure.url("/secure").toString());
    EXPECT_EQ(dialogs.asked, QStringList{"certificate"});
    EXPECT_EQ(secure.hits("/secure"), 0);

    dialogs.continueAnswer = true;
    load(secure.url("/secure").toString());
    EXPECT_TRUE(titleBecomes("Secure"));
    EXPECT_EQ(secure.hits("/secure"), 1);

    // The engine now trusts that certificate everywhere; a silent window still refuses it.
    WebEnginePageView silent(profile(), history.get(), &dialogs);
    silent.setSilent(true);
    QSignalSpy complete(&silent, &PageView::DocumentComplete);
    silent.Navigate(secure.url("/secure").toString());
    ASSERT_TRUE(waitFor([&] { return !complete.isEmpty(); }));
    EXPECT_NE(silent.LocationName(), QStringLiteral("Secure"));
    EXPECT_EQ(secure.hits("/secure"), 1);
    EXPECT_EQ(dialogs.asked.size(), 2);
}

} // namespace
