// The page view on the real engine: the events the window is written against, and what it
// supplies that a bare engine view lacks (script boxes, sign-in, permissions, GBK pages, a
// crash page, certificate questions), each silent when the window is.
#include "tests/engine/EngineFixture.h"

#include "engine/WebEnginePage.h"
#include "platform/GbkText.h"
#include "platform/QtPageDialogs.h"
#include "tests/support/ModalAnswers.h"
#include "tests/support/TestFiles.h"

#include <QAction>
#include <QImage>
#include <QLabel>
#include <QRegularExpression>
#include <QSet>
#include <QSignalSpy>
#include <csignal>
#include <sys/stat.h>

namespace {

using ViewEngineTest = EngineFixture;

TEST_F(ViewEngineTest, LoadsReportTheirAddressTitleAndHistory) {
    server.page("/one", "<title>One</title>");
    server.page("/two", "<title>Two</title>");
    QSignalSpy before(&view, &PageView::BeforeNavigate2);
    QSignalSpy complete(&view, &PageView::DocumentComplete);
    QSignalSpy states(&view, &PageView::CommandStateChange);
    auto enabled = [&](int command) { // the last state reported, -1 for none
        for (qsizetype i = states.size() - 1; i >= 0; --i) {
            if (states.at(i).at(0).toInt() == command)
                return int(states.at(i).at(1).toBool());
        }
        return -1;
    };
    const QString one = server.url("/one").toString();
    ASSERT_TRUE(load(one));
    EXPECT_EQ(before.first().at(0).toString(), one);
    EXPECT_EQ(complete.first().at(0).toString(), one);
    EXPECT_EQ(view.LocationURL(), one);
    EXPECT_TRUE(titleBecomes("One"));
    EXPECT_EQ(history.recentUrls(1), QStringList{one});
    EXPECT_EQ(enabled(PageView::CSC_NAVIGATEBACK), 0);

    ASSERT_TRUE(load("/two"));
    EXPECT_EQ(enabled(PageView::CSC_NAVIGATEBACK), 1);
    EXPECT_EQ(enabled(PageView::CSC_NAVIGATEFORWARD), 0);
    view.GoBack();
    ASSERT_TRUE(titleBecomes("One"));
    EXPECT_TRUE(waitFor([&] { return enabled(PageView::CSC_NAVIGATEFORWARD) == 1; }));
    view.GoForward();
    EXPECT_TRUE(titleBecomes("Two"));
    view.Refresh();
    EXPECT_TRUE(waitFor([&] { return server.hits("/two") == 2; }));

    // Typed like into an address box: a file path with a space, an address without scheme.
    ASSERT_TRUE(writeFileBytes(folder.path() + "/local page.html", "<title>Local</title>"));
    view.Navigate(folder.path() + "/local page.html");
    EXPECT_TRUE(titleBecomes("Local"));
    view.Navigate(server.url("/one").toString().mid(7));
    EXPECT_TRUE(waitFor([&] { return server.hits("/one") == 2; }));
}

TEST_F(ViewEngineTest, ScriptBoxesGoToTheDialogsOnlyWhenNotSilent) {
    server.page("/boxes", "<script>alert('hi'); var c = confirm('q'); var p = prompt('n', 'd');"
                          "document.title = c + ' ' + p;</script>");
    view.setSilent(true);
    ASSERT_TRUE(load("/boxes"));
    EXPECT_TRUE(titleBecomes("false null"));
    EXPECT_TRUE(dialogs.asked.isEmpty());

    view.setSilent(false);
    dialogs.promptAnswer = QStringLiteral("yes");
    ASSERT_TRUE(load("/boxes"));
    EXPECT_TRUE(titleBecomes("true yes"));
    EXPECT_EQ(dialogs.asked, (QStringList{"alert:hi", "confirm:q", "prompt:n"}));
}

TEST_F(ViewEngineTest, SignInOnlyWhenNotSilent) {
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
    ASSERT_TRUE(load("/private"));
    EXPECT_TRUE(titleBecomes("Denied"));
    EXPECT_TRUE(dialogs.asked.isEmpty());

    view.setSilent(false);
    dialogs.credentials = PageDialogs::Credentials{"user", "secret"};
    ASSERT_TRUE(load("/private"));
    EXPECT_TRUE(titleBecomes("Welcome"));
    EXPECT_EQ(dialogs.asked, QStringList{"signIn:Tarnvale Test"});
}

TEST_F(ViewEngineTest, PermissionsAreDeniedAndPagesWithoutACharsetAreGbk) {
    server.page("/ask", "<script>navigator.geolocation.getCurrentPosition(function() {"
                        " document.title = 'granted'; }, function(e) {"
                        " document.title = 'geo denied ' + e.code; });</script>");
    ASSERT_TRUE(load("/ask"));
    EXPECT_TRUE(titleBecomes("geo denied 1"));
    server.page("/notify", "<script>Notification.requestPermission().then(function(p) {"
                           " document.title = 'notify ' + p; });</script>");
    ASSERT_TRUE(load("/notify"));
    EXPECT_TRUE(titleBecomes("notify denied"));

    LoopbackHttpServer::Response gbk;
    gbk.contentType = "text/html";
    gbk.body = "<title>" + toGbk(QStringLiteral("中文标题")) + "</title>";
    server.route("/gbk", gbk);
    ASSERT_TRUE(load("/gbk"));
    EXPECT_TRUE(titleBecomes(QStringLiteral("中文标题")));
}

// Whatever LANG says: the test programs start Chinese as the browser does.
TEST_F(ViewEngineTest, TheEnginesErrorPageAndContextMenuAreChinese) {
    ASSERT_TRUE(load(QStringLiteral("http://127.0.0.1:1/")));
    QString markup;
    view.page()->toHtml([&markup](const QString& html) { markup = html; });
    ASSERT_TRUE(waitFor([&] { return !markup.isEmpty(); }));
    EXPECT_TRUE(markup.contains(QStringLiteral("无法访问此网站")));
    for (const auto item : {QWebEnginePage::Back, QWebEnginePage::Reload, QWebEnginePage::Copy,
                            QWebEnginePage::SavePage, QWebEnginePage::ViewSource}) {
        const QString text = view.page()->action(item)->text();
        EXPECT_FALSE(text.isEmpty() || text.contains(QRegularExpression("[A-Za-z]{2,}")))
            << text.toStdString();
    }
}

TEST_F(ViewEngineTest, ACrashShowsOurPageThatReloads) {
    server.page("/first", "<title>First</title>");
    server.page("/doc", "<title>Doc</title>");
    ASSERT_TRUE(load("/first"));
    ASSERT_TRUE(load("/doc"));
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
TEST_F(ViewEngineTest, BadCertificatesAreRefusedUnlessTheUserContinues) {
    LoopbackHttpServer secure(nullptr, true);
    ASSERT_TRUE(secure.start());
    secure.page("/secure", "<title>Secure</title>");
    const QString address = secure.url("/secure").toString();
    view.setSilent(true);
    ASSERT_TRUE(load(address));
    EXPECT_EQ(secure.hits("/secure"), 0);
    EXPECT_TRUE(dialogs.asked.isEmpty());

    view.setSilent(false);
    dialogs.continueAnswer = false;
    ASSERT_TRUE(load(address));
    EXPECT_EQ(dialogs.asked, QStringList{"certificate"});
    EXPECT_EQ(secure.hits("/secure"), 0);

    dialogs.continueAnswer = true;
    ASSERT_TRUE(load(address));
    EXPECT_TRUE(titleBecomes("Secure"));

    // The engine now trusts that certificate everywhere; a silent window still refuses it.
    WebEnginePageView silent(profile(), &history, &dialogs);
    silent.setSilent(true);
    QSignalSpy complete(&silent, &PageView::DocumentComplete);
    silent.Navigate(address);
    ASSERT_TRUE(waitFor([&] { return !complete.isEmpty(); }));
    EXPECT_EQ(secure.hits("/secure"), 1);
    EXPECT_EQ(dialogs.asked.size(), 2);
}

// A FIFO in the markup: were the text read as rich text, Qt would open it and hang for good.
TEST_F(ViewEngineTest, MarkupInATitleOrAnAlertShowsAsText) {
    const QString fifo = folder.path() + "/fifo";
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString markup = "<img src='" + fifo + "'>";
    server.page("/markup", "<title>" + markup.toUtf8() + "</title>");
    QtPageDialogs realDialogs;
    WebEnginePageView shown(profile(), &history, &realDialogs);
    shown.setSilent(false);
    QSignalSpy complete(&shown, &PageView::DocumentComplete);
    shown.Navigate(server.url("/markup").toString());
    ASSERT_TRUE(waitFor([&] { return !complete.isEmpty(); }));

    QStringList plain;
    auto read = [&](QWidget* dialog) {
        for (const QLabel* label : dialog->findChildren<QLabel*>()) {
            if (label->text().contains(QLatin1String("<img")))
                plain << label->text() + (label->textFormat() == Qt::PlainText ? "" : " (rich)");
        }
        ModalAnswers::accept(dialog);
    };
    ModalAnswers answers({read, read});
    shown.ExecWB(PageView::OLECMDID_PROPERTIES, PageView::OLECMDEXECOPT_DODEFAULT);
    shown.page()->runJavaScript("alert(document.title); document.title = 'alerted'");
    ASSERT_TRUE(waitFor([&] { return shown.LocationName() == "alerted"; }));
    EXPECT_EQ(plain, QStringList(2, markup));
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
