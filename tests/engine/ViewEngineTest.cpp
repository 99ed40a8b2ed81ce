// The page view on the real engine: the events the window is written against, and what it
// supplies that a bare engine view lacks (questions only from windows that are not silent,
// denied permissions, GBK pages, a crash page, local pages kept local).
#include "tests/engine/EngineFixture.h"

#include "engine/WebEnginePage.h"

#include <QImage>
#include <QSet>
#include <QSignalSpy>
#include <csignal>

namespace {

using ViewEngineTest = EngineFixture;

TEST_F(ViewEngineTest, LoadsReportTheirAddressTitleAndHistory) {
    // The engine's own pages speak Chinese, whatever LANG says. (First, while no other load of
    // this view can still complete and cut the markup request short.)
    ASSERT_TRUE(load(QStringLiteral("http://127.0.0.1:1/")));
    QString markup;
    view.page()->toHtml([&markup](const QString& html) { markup = html; });
    ASSERT_TRUE(waitFor([&] { return !markup.isEmpty(); }));
    EXPECT_TRUE(markup.contains(QStringLiteral("无法访问此网站")));

    server.page("/one", "<title>One</title>");
    server.page("/two", "<title>Two</title>");
    QSignalSpy states(&view, &PageView::CommandStateChange);
    const QString one = server.url("/one").toString();
    ASSERT_TRUE(load(one));
    EXPECT_EQ(view.LocationURL(), one);
    EXPECT_TRUE(titleBecomes("One"));
    EXPECT_EQ(history.recentUrls(1), QStringList{one});
    ASSERT_TRUE(load("/two"));
    EXPECT_EQ(states.last(), (QVariantList{PageView::CSC_NAVIGATEBACK, true}));
    view.GoBack();
    ASSERT_TRUE(titleBecomes("One"));
    EXPECT_TRUE(waitFor([&] {
        return states.last() == QVariantList{PageView::CSC_NAVIGATEFORWARD, true};
    }));
    view.GoForward();
    EXPECT_TRUE(titleBecomes("Two"));
    view.Refresh();
    EXPECT_TRUE(waitFor([&] { return server.hits("/two") == 2; }));
    // The blank start page as stored, not the engine's refusal of an unknown name.
    view.Navigate("About:Blank");
    EXPECT_TRUE(waitFor([&] { return view.LocationURL() == "about:blank"; }))
        << view.LocationURL().toStdString();
}

// Script boxes, sign-in and certificate questions reach the person only from a window that is
// not silent; a silent one answers as if refused. The engine remembers an accepted certificate
// until the process ends, so this holds once per run of the test program.
TEST_F(ViewEngineTest, QuestionsReachThePersonOnlyWhenNotSilent) {
    server.page("/boxes", "<script>alert('hi'); var c = confirm('q'); var p = prompt('n', 'd');"
                          "document.title = c + ' ' + p;</script>");
    server.handle("/private", [](const QByteArray& request) {
        const bool known =
            request.contains("Authorization: Basic " + QByteArray("user:secret").toBase64());
        LoopbackHttpServer::Response response;
        response.status = known ? 200 : 401;
        response.headers = {{"WWW-Authenticate", "Basic realm=\"Tarnvale Test\""}};
        response.body = known ? "<title>Welcome</title>" : "<title>Denied</title>";
        return response;
    });
    LoopbackHttpServer secure(nullptr, true);
    ASSERT_TRUE(secure.start());
    secure.page("/secure", "<title>Secure</title>");
    const QString tls = secure.url("/secure").toString();
    for (const bool silent : {true, false}) {
        view.setSilent(silent);
        dialogs.promptAnswer = QStringLiteral("yes");
        dialogs.credentials = PageDialogs::Credentials{"user", "secret"};
        ASSERT_TRUE(load("/boxes"));
        EXPECT_TRUE(titleBecomes(silent ? "false null" : "true yes"));
        ASSERT_TRUE(load("/private"));
        EXPECT_TRUE(titleBecomes(silent ? "Denied" : "Welcome"));
        ASSERT_TRUE(load(tls));
        EXPECT_EQ(secure.hits("/secure"), 0);
    }
    dialogs.continueAnswer = true;
    ASSERT_TRUE(load(tls));
    EXPECT_TRUE(titleBecomes("Secure"));
    EXPECT_EQ(dialogs.asked, (QStringList{"alert:hi", "confirm:q +", "prompt:n +",
                                          "signIn:Tarnvale Test", "certificate", "certificate"}));
    // A page showing box after box can be stopped from its second box on, until it is left.
    server.page("/loop", "<script>var i = 0; while (i < 1000 && (++i, alert(i), true));"
                         "document.title = 'Done ' + i + ' ' + confirm('c') + ' ' +"
                         " prompt('p', 'd');</script>");
    dialogs.asked.clear();
    dialogs.noMoreAnswer = true;
    ASSERT_TRUE(load("/loop"));
    EXPECT_TRUE(titleBecomes("Done 1000 false null"));
    EXPECT_EQ(dialogs.asked, (QStringList{"alert:1", "alert:2 +"}));
    ASSERT_TRUE(load("/loop"));
    EXPECT_TRUE(titleBecomes("Done 1000 false null"));
    EXPECT_EQ(dialogs.asked.size(), 4);
    // The engine now trusts that certificate everywhere; a silent window still refuses it.
    WebEnginePageView silent(profile(), &history, &dialogs);
    silent.setSilent(true);
    QSignalSpy complete(&silent, &PageView::DocumentComplete);
    silent.Navigate(tls);
    ASSERT_TRUE(waitFor([&] { return !complete.isEmpty(); }));
    EXPECT_EQ(secure.hits("/secure"), 1);
}

// The engine loads a page a form sent data for again by sending the data again, without a
// word (an order placed twice): 刷新 asks first. A search form's page, or the page a server
// sent the browser on to after taking the data, loads again without a question.
TEST_F(ViewEngineTest, RefreshAsksBeforeSendingAFormAgain) {
    server.page("/form", "<title>Form</title>"
                         "<form method=post action=/post><input name=a value=1></form>"
                         "<form action=/get><input name=q value=2></form>"
                         "<form method=post action=/prg><input name=b value=3></form>");
    server.page("/post", "<title>Posted</title>");
    server.page("/get", "<title>Got</title>");
    server.page("/result", "<title>Result</title>");
    LoopbackHttpServer::Response seeOther;
    seeOther.status = 303;
    seeOther.headers = {{"Location", "/result"}};
    server.route("/prg", seeOther);
    // Until the page the form brought has completed (its title can come before its address).
    const auto submit = [&](int form, const QString& title) {
        if (!load("/form"))
            return false;
        QSignalSpy complete(&view, &PageView::DocumentComplete);
        evaluate(QStringLiteral("document.forms[%1].submit()").arg(form));
        return titleBecomes(title) && waitFor([&] { return !complete.isEmpty(); });
    };
    // Until the page loaded again has completed: a load started before would end early.
    const auto refreshed = [&](const QString& path) {
        QSignalSpy complete(&view, &PageView::DocumentComplete);
        view.Refresh();
        return waitFor([&] { return server.hits(path) == 2 && !complete.isEmpty(); });
    };
    ASSERT_TRUE(submit(0, "Posted"));
    view.Refresh(); // answered No
    EXPECT_EQ(dialogs.asked.value(dialogs.asked.size() - 1), "resubmit");
    dialogs.resubmitAnswer = true;
    EXPECT_TRUE(refreshed("/post"));
    const qsizetype asked = dialogs.asked.size();
    ASSERT_TRUE(submit(1, "Got"));
    EXPECT_TRUE(refreshed("/get"));
    ASSERT_TRUE(submit(2, "Result"));
    EXPECT_TRUE(refreshed("/result"));
    EXPECT_EQ(dialogs.asked.size(), asked);
    EXPECT_EQ(server.hits("/post"), 2);
}

TEST_F(ViewEngineTest, PermissionsAreDeniedAndPagesWithoutACharsetAreGbk) {
    server.page("/ask", "<script>navigator.geolocation.getCurrentPosition(function() {"
                        " document.title = 'granted'; }, function(e) {"
                        " Notification.requestPermission().then(function(p) {"
                        " document.title = 'geo ' + e.code + ' notify ' + p; }); });</script>");
    ASSERT_TRUE(load("/ask"));
    EXPECT_TRUE(titleBecomes("geo 1 notify denied"));
    LoopbackHttpServer::Response gbk;
    gbk.contentType = "text/html";
    gbk.body = "<title>" + toGbk(QStringLiteral("中文标题")) + "</title>";
    server.route("/gbk", gbk);
    ASSERT_TRUE(load("/gbk"));
    EXPECT_TRUE(titleBecomes(QStringLiteral("中文标题")));
}

TEST_F(ViewEngineTest, ACrashShowsOurPageThatReloads) {
    server.page("/first", "<title>First</title>");
    server.page("/doc", "<title>Doc</title>");
    ASSERT_TRUE(load("/first"));
    ASSERT_TRUE(load("/doc"));
    ASSERT_GT(view.page()->renderProcessPid(), 0);
    QSignalSpy complete(&view, &PageView::DocumentComplete);
    ::kill(pid_t(view.page()->renderProcessPid()), SIGKILL);
    ASSERT_TRUE(titleBecomes(QStringLiteral("页面已崩溃")));
    EXPECT_EQ(view.LocationURL(), server.url("/doc").toString());
    ASSERT_TRUE(waitFor([&] { return !complete.isEmpty(); }));
    EXPECT_EQ(history.entries().first().title, "Doc"); // our page is no visit
    view.page()->runJavaScript(QStringLiteral("document.getElementById('reload').click()"));
    ASSERT_TRUE(titleBecomes("Doc"));
    EXPECT_EQ(server.hits("/doc"), 2);
    ASSERT_TRUE(waitFor([&] { return complete.size() >= 2; }));
    EXPECT_EQ(history.entries().first().visitCount, 2); // the page again is a visit
    // Back still walks the history, past the crash, to the first page.
    for (int step = 0; step < 4 && view.LocationName() != QLatin1String("First"); ++step) {
        QSignalSpy complete(&view, &PageView::DocumentComplete);
        view.GoBack();
        ASSERT_TRUE(waitFor([&] { return !complete.isEmpty(); }));
    }
    EXPECT_EQ(view.LocationName(), QStringLiteral("First"));
}

TEST_F(ViewEngineTest, APageFromDiskShowsItsPicturesButReadsNoOtherFile) {
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(folder.path() + "/pic.png"));
    ASSERT_TRUE(writeFileBytes(folder.path() + "/secret.txt", "secret"));
    ASSERT_TRUE(writeFileBytes(
        folder.path() + "/page.html",
        "<title>Local</title><img src='pic.png' onload=\"document.title += ' img'\">"
        "<iframe src='secret.txt' onload=\"try { document.title += ' frame:' +"
        " this.contentDocument.body.innerText; } catch (e) { document.title += ' frame"
        " refused'; }\"></iframe>"
        "<script>var x = new XMLHttpRequest(); x.open('GET', 'secret.txt');"
        "x.onload = function() { document.title += ' xhr:' + x.responseText; };"
        "x.onerror = function() { document.title += ' xhr refused'; }; x.send();"
        "fetch('secret.txt').then(function(r) { return r.text(); })"
        ".then(function(t) { document.title += ' fetch:' + t; },"
        " function() { document.title += ' fetch refused'; });</script>"));
    ASSERT_TRUE(load(QUrl::fromLocalFile(folder.path() + "/page.html").toString()));
    ASSERT_TRUE(waitFor([&] { return view.LocationName().count(' ') >= 7; }));
    const QStringList parts = view.LocationName().split(' ');
    EXPECT_EQ(QSet<QString>(parts.begin(), parts.end()),
              (QSet<QString>{"Local", "img", "xhr", "fetch", "frame", "refused"}))
        << view.LocationName().toStdString();
}

} // namespace
