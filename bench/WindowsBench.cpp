// Time from DoAddNewWindow to the new window's DocumentComplete, against a second window of the
// yardstick (one maximised view on the same profile) opened in the same process, interleaved;
// and the memory of the browser process with its engine helpers while 1, 5 and 20 windows are
// open. Real engine, pages from loopback; run it on an X display with a window manager (RUNS
// and WINDOWS... make it smaller):
//   xvfb-run -a -s "-screen 0 1280x800x24" tests/e2e/with-openbox.sh windows_bench
#include "bench/BenchSize.h"
#include "bench/ProcessMemory.h"
#include "browser/TextBox.h"
#include "browser/frmMain.h"
#include "engine/EngineProfile.h"
#include "engine/EngineStartup.h"
#include "engine/WebEnginePage.h"
#include "engine/WebEnginePageView.h"
#include "platform/PageView.h"
#include "platform/SqliteUrlHistory.h"
#include "platform/testing/FakePageDialogs.h"
#include "tests/support/FakeServices.h"
#include "tests/support/LoopbackHttpServer.h"
#include "tests/support/WaitUntil.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QPointer>
#include <QTemporaryDir>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <algorithm>
#include <cstdio>
#include <unistd.h>

namespace {
double median(QList<double> values) {
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

bool completed(frmMain* window, const QString& url) {
    return window->txtURL->text() == url;
}

// Closes a window and deletes it and what its deletion leaves for later, then lets the engine
// settle, so that the next window timed, of either program, starts from a quiet event loop. Left
// to a benchmark run outside QApplication::exec(), the deletion would fall into the next window's
// first pass through the event loop and be timed as part of that window.
void closeAndSettle(QWidget* window) {
    const QPointer<QWidget> closing(window);
    window->close();
    delete closing.data();
    for (int pass = 0; pass < 3; ++pass)
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    waitUntil([] { return false; }, 300);
}

double elapsedMs(const QElapsedTimer& timer) {
    return double(timer.nsecsElapsed()) / 1e6;
}

// The yardstick's second window: a main window with one view on the same profile, loaded and
// then shown maximised. Milliseconds until its page has loaded.
double yardstickWindow(QWebEngineProfile* profile, const QString& url) {
    QElapsedTimer timer;
    timer.start();
    auto* window = new QMainWindow;
    window->setAttribute(Qt::WA_DeleteOnClose);
    auto* view = new QWebEngineView(window);
    view->setPage(new QWebEnginePage(profile, view));
    window->setCentralWidget(view);
    // Timed where the page reports it, not when a wait next looks: a wait's polling would add
    // up to its interval to each run.
    double ms = -1;
    QObject::connect(view, &QWebEngineView::loadFinished, window, [&] { ms = elapsedMs(timer); });
    view->load(QUrl(url));
    window->showMaximized();
    if (!waitUntil([&] { return ms >= 0; }))
        qFatal("the yardstick's page did not load");
    closeAndSettle(window);
    return ms;
}
} // namespace

int main(int argc, char* argv[]) {
    QTemporaryDir root;
    for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
        qputenv(name, (root.path() + "/" + name).toLocal8Bit());
    if (::geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1"); // the engine refuses root otherwise
    prepareEngine();                                 // as the browser starts it
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    // windows_bench [RUNS [WINDOWS...]]: fewer runs and windows for a smoke run.
    const BenchSize size = benchSize(app.arguments(), 10, {1, 5, 20});
    const int runs = size.runs;
    const QList<int>& counts = size.counts;

    LoopbackHttpServer server;
    server.start();
    server.page("/page", "<title>Page</title><p>text</p>");
    const QString url = server.url("/page").toString();

    FakeServices fake;
    fake.setStartPage(url);
    FakePageDialogs dialogs;
    SqliteUrlHistory history(root.path() + "/history.sqlite");
    QWebEngineProfile* profile = createSharedProfile();
    engineStarted();
    fake.services.urlHistory = &history;
    fake.services.createPageView = [&](QWidget* parent) {
        return new WebEnginePageView(profile, &history, &dialogs, parent);
    };

    frmMain* first = fake.newWindow();
    first->Show();
    waitUntil([&] { return completed(first, url); });

    QList<double> added;
    QList<double> yardstick;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        first->DoAddNewWindow(url);
        frmMain* window = frmMain::openWindows().last();
        double ms = completed(window, url) ? elapsedMs(timer) : -1;
        const QMetaObject::Connection timing =
            QObject::connect(window->webMain, &PageView::DocumentComplete, window, [&] {
                if (ms < 0 && completed(window, url))
                    ms = elapsedMs(timer);
            });
        if (!waitUntil([&] { return ms >= 0; }))
            qFatal("a new window's page did not load");
        QObject::disconnect(timing);
        added << ms;
        closeAndSettle(window);
        yardstick << yardstickWindow(profile, url);
    }
    std::printf("| new window | median of %d, to the page loaded (ms) | / yardstick |\n"
                "|---|---:|---:|\n",
                runs);
    std::printf("| tarnvale, DoAddNewWindow to DocumentComplete | %.0f | %.2f |\n", median(added),
                median(added) / median(yardstick));
    std::printf("| yardstick, a second maximised view | %.0f | |\n\n", median(yardstick));

    std::printf("| windows open | RSS, all processes (MiB) | PSS, all processes (MiB) |\n"
                "|---:|---:|---:|\n");
    for (const int count : counts) {
        while (frmMain::openWindows().size() < count) {
            first->DoAddNewWindow(url);
            frmMain* window = frmMain::openWindows().last();
            waitUntil([&] { return completed(window, url); });
        }
        waitUntil([] { return false; }, 2000); // let the engine settle
        const auto [rss, pss] = treeMemoryMiB(::getpid());
        std::printf("| %d | %lld | %lld |\n", count, rss, pss);
    }
    while (frmMain* window = frmMain::defaultWindow())
        delete window;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    delete profile;
    return 0;
}
