// Time from DoAddNewWindow to the new window's DocumentComplete, against a second window of the
// yardstick (one maximised view on the same profile) opened in the same process, interleaved,
// and against the same view with the menus, buttons and text boxes a browser window has;
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
#include <QHBoxLayout>
#include <QIcon>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTemporaryDir>
#include <QToolButton>
#include <QVBoxLayout>
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

// What a browser window carries around its view: a menu bar of six menus and two submenus with
// forty items, a strip of six picture buttons and two text boxes above the view.
QWidget* withChrome(QMainWindow* window, QWebEngineView* view) {
    auto* client = new QWidget(window);
    auto* layout = new QVBoxLayout(client);
    auto* strip = new QWidget(client);
    auto* stripLayout = new QHBoxLayout(strip);
    for (const char* icon :
         {":/icons/back.svg", ":/icons/forward.svg", ":/icons/refresh.svg", ":/icons/stop.svg",
          ":/icons/search.svg", ":/icons/search-engine.svg"}) {
        auto* button = new QToolButton(strip);
        button->setIcon(QIcon(QString::fromLatin1(icon)));
        stripLayout->addWidget(button);
    }
    stripLayout->addWidget(new QLineEdit(strip), 3);
    stripLayout->addWidget(new QLineEdit(strip), 1);
    layout->addWidget(strip);
    layout->addWidget(view, 1);
    int item = 0;
    for (int m = 0; m < 8; ++m) {
        QMenu* menu = m < 6 ? window->menuBar()->addMenu(QStringLiteral("菜单%1(&%1)").arg(m))
                            : window->menuBar()->actions().at(2)->menu()->addMenu(
                                  QStringLiteral("子菜单%1").arg(m));
        for (int i = 0; i < 5; ++i, ++item) {
            QAction* action = menu->addAction(QStringLiteral("命令%1(&%2)").arg(item).arg(i));
            QObject::connect(action, &QAction::triggered, window, [] {});
        }
    }
    return client;
}

// The yardstick's second window: a main window with one view on the same profile (with a
// browser's chrome around it, or none), loaded and then shown maximised. Milliseconds until
// its page has loaded.
double yardstickWindow(QWebEngineProfile* profile, const QString& url, bool chrome) {
    QElapsedTimer timer;
    timer.start();
    auto* window = new QMainWindow;
    window->setAttribute(Qt::WA_DeleteOnClose);
    auto* view = new QWebEngineView(window);
    view->setPage(new QWebEnginePage(profile, view));
    window->setCentralWidget(chrome ? withChrome(window, view) : view);
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
    QList<double> chrome;
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
        yardstick << yardstickWindow(profile, url, false);
        chrome << yardstickWindow(profile, url, true);
    }
    const double bare = median(yardstick);
    const double dressed = median(chrome);
    std::printf("| new window | median of %d, to the page loaded (ms) | / yardstick | / yardstick "
                "with chrome |\n|---|---:|---:|---:|\n",
                runs);
    std::printf("| tarnvale, DoAddNewWindow to DocumentComplete | %.0f | %.2f | %.2f |\n",
                median(added), median(added) / bare, median(added) / dressed);
    std::printf("| yardstick, a second maximised view | %.0f | | |\n", bare);
    std::printf("| yardstick with a browser's chrome | %.0f | %.2f | |\n\n", dressed,
                dressed / bare);

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
