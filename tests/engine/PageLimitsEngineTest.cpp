// What a page may do on the real engine: its text shows as text, its downloads need a person
// once the first is done, and a page from disk reads no other local file.
#include "EngineFixture.h"

#include "DownloadManager.h"
#include "PageView.h"
#include "QtPageDialogs.h"
#include "TestFiles.h"
#include "WebEnginePage.h"
#include "WebEnginePageView.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QSignalSpy>
#include <QTimer>
#include <QUrl>
#include <sys/stat.h>

namespace {

class PageLimitsEngineTest : public EngineFixture {
protected:
    PageLimitsEngineTest() {
        view.resize(800, 600);
        view.show();
    }

    bool load(const QString& address) {
        QSignalSpy complete(&view, &PageView::DocumentComplete);
        view.Navigate(address);
        return waitFor([&] { return !complete.isEmpty(); });
    }

    QtPageDialogs realDialogs;
    WebEnginePageView view{profile(), history.get(), &realDialogs};
};

// A FIFO in the markup: were the text read as rich text, Qt would open it and hang for good.
TEST_F(PageLimitsEngineTest, MarkupInATitleOrAnAlertShowsAsText) {
    const QString fifo = folder.path() + "/fifo";
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString markup = "<img src='" + fifo + "'>";
    server.page("/markup", "<title>" + markup.toUtf8() + "</title>");
    view.setSilent(false);
    ASSERT_TRUE(load(server.url("/markup").toString()));

    // Each dialog as it opens: what its labels show, then it is closed.
    QStringList shown;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&shown] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog)
            return;
        for (const QLabel* label : dialog->findChildren<QLabel*>()) {
            if (label->text().contains(QLatin1String("<img")))
                shown << label->text() +
                             (label->textFormat() == Qt::PlainText ? "|plain" : "|rich");
        }
        dialog->close();
    });
    watcher.start(20);
    view.ExecWB(PageView::OLECMDID_PROPERTIES, PageView::OLECMDEXECOPT_DODEFAULT);
    ASSERT_TRUE(waitFor([&] { return shown.size() == 1; }));
    view.page()->runJavaScript("alert(document.title); document.title = 'alerted'");
    ASSERT_TRUE(waitFor([&] { return view.LocationName() == "alerted"; }));
    EXPECT_EQ(shown, QStringList(2, markup + "|plain"));
}

TEST_F(PageLimitsEngineTest, APageGetsOneAutomaticDownloadNotThree) {
    QDir(DownloadManager::downloadFolder()).removeRecursively();
    DownloadManager downloads(profile(), &dialogs);
    LoopbackHttpServer::Response file;
    file.contentType = "application/octet-stream";
    file.headers = {{"Content-Disposition", "attachment; filename=\"fill.bin\""}};
    file.body = "data";
    server.route("/fill", file);
    server.page("/three", "<title>Three</title><body><script>for (var i = 0; i < 3; ++i) {"
                          " var f = document.createElement('iframe'); f.src = '/fill?' + i;"
                          " document.body.appendChild(f); }</script></body>");
    view.setSilent(true);
    QSignalSpy finished(&downloads, &DownloadManager::downloadFinished);
    QSignalSpy blocked(&downloads, &DownloadManager::downloadBlocked);
    ASSERT_TRUE(load(server.url("/three").toString()));
    ASSERT_TRUE(waitFor([&] { return finished.size() == 1 && blocked.size() == 2; }));
    EXPECT_EQ(QDir(DownloadManager::downloadFolder()).entryList(QDir::Files | QDir::Hidden),
              QStringList{"fill.bin"});
    EXPECT_EQ(downloads.window()->count(), 3);
    EXPECT_TRUE(dialogs.asked.isEmpty());
}

TEST_F(PageLimitsEngineTest, APageFromDiskShowsItsPicturesButReadsNoOtherFile) {
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
    ASSERT_TRUE(waitFor([&] { return view.LocationName().count(' ') >= 7; }))
        << view.LocationName().toStdString();
    const QString title = view.LocationName();
    EXPECT_TRUE(title.contains(" img")) << title.toStdString();
    EXPECT_TRUE(title.contains(" xhr refused")) << title.toStdString();
    EXPECT_TRUE(title.contains(" fetch refused")) << title.toStdString();
    EXPECT_TRUE(title.contains(" frame refused")) << title.toStdString();
}

} // namespace
