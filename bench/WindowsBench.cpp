// Time from DoAddNewWindow, and from a page's window.open (NewWindow2), to the new window's
// DocumentComplete; and the memory of the browser process with its engine helpers while 1, 5
// and 20 windows are open. Real engine, offscreen, pages from loopback.
#include "EngineProfile.h"
#include "FakeMessageBoxes.h"
#include "FakePageDialogs.h"
#include "FakeRegistryStore.h"
#include "LoopbackHttpServer.h"
#include "PageView.h"
#include "SqliteUrlHistory.h"
#include "TextBox.h"
#include "WaitUntil.h"
#include "WebEnginePage.h"
#include "WebEnginePageView.h"
#include "frmMain.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QWebEngineProfile>
#include <algorithm>
#include <cstdio>
#include <unistd.h>

namespace {
double median(QList<double> values) {
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

// Kilobytes of one field ("Rss:", "Pss:") of a process's smaps_rollup.
qint64 memoryField(qint64 pid, const QByteArray& field) {
    QFile file(QStringLiteral("/proc/%1/smaps_rollup").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(field.size()).trimmed().split(' ').first().toLongLong();
    }
    return 0;
}

qint64 parentOf(qint64 pid) {
    QFile file(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray stat = file.readAll();
    const QList<QByteArray> after = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    return after.size() > 1 ? after.at(1).toLongLong() : -1;
}

// This process and every process below it (the engine's zygote, renderers, GPU).
QList<qint64> processTree() {
    QList<qint64> tree{qint64(getpid())};
    bool grew = true;
    const QStringList entries = QDir("/proc").entryList(QDir::Dirs);
    while (grew) {
        grew = false;
        for (const QString& entry : entries) {
            bool isPid = false;
            const qint64 pid = entry.toLongLong(&isPid);
            if (isPid && !tree.contains(pid) && tree.contains(parentOf(pid))) {
                tree << pid;
                grew = true;
            }
        }
    }
    return tree;
}

QPair<qint64, qint64> memoryMiB() {
    qint64 rss = 0;
    qint64 pss = 0;
    for (const qint64 pid : processTree()) {
        rss += memoryField(pid, "Rss:");
        pss += memoryField(pid, "Pss:");
    }
    return {rss / 1024, pss / 1024};
}

bool completed(frmMain* window, const QString& url) {
    return window->txtURL->text() == url;
}
} // namespace

int main(int argc, char* argv[]) {
    QTemporaryDir root;
    for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
        qputenv(name, (root.path() + "/" + name).toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    const int runs = 10;

    LoopbackHttpServer server;
    server.start();
    server.page("/page", "<title>Page</title><p>text</p>");
    const QString url = server.url("/page").toString();

    FakeRegistryStore registry;
    registry.setString(0x80000001u, "SOFTWARE\\Microsoft\\Internet Explorer\\Main", "Start Page",
                       url);
    FakeMessageBoxes boxes;
    FakePageDialogs dialogs;
    SqliteUrlHistory history(root.path() + "/history.sqlite");
    QWebEngineProfile* profile = createSharedProfile();
    Services services;
    services.registry = &registry;
    services.messageBoxes = &boxes;
    services.urlHistory = &history;
    services.createPageView = [&](QWidget* parent) {
        return new WebEnginePageView(profile, &history, &dialogs, parent);
    };

    auto* first = new frmMain(services);
    first->Show();
    waitUntil([&] { return completed(first, url); });

    QList<double> added;
    QList<double> scripted;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        first->DoAddNewWindow(url);
        frmMain* window = frmMain::openWindows().last();
        waitUntil([&] { return completed(window, url); });
        added << double(timer.nsecsElapsed()) / 1e6;
        window->close();

        const qsizetype before = frmMain::openWindows().size();
        timer.restart();
        static_cast<WebEnginePageView*>(first->webMain)
            ->page()
            ->runJavaScript(QStringLiteral("window.open('%1')").arg(url));
        waitUntil([&] {
            return frmMain::openWindows().size() > before &&
                   completed(frmMain::openWindows().last(), url);
        });
        scripted << double(timer.nsecsElapsed()) / 1e6;
        frmMain::openWindows().last()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    std::printf("| new window | median of %d, to DocumentComplete (ms) |\n|---|---:|\n", runs);
    std::printf("| DoAddNewWindow | %.0f |\n| NewWindow2 (window.open) | %.0f |\n\n", median(added),
                median(scripted));

    std::printf("| windows open | RSS, all processes (MiB) | PSS, all processes (MiB) |\n"
                "|---:|---:|---:|\n");
    for (const int count : {1, 5, 20}) {
        while (frmMain::openWindows().size() < count) {
            first->DoAddNewWindow(url);
            frmMain* window = frmMain::openWindows().last();
            waitUntil([&] { return completed(window, url); });
        }
        waitUntil([] { return false; }, 2000); // let the engine settle
        const auto [rss, pss] = memoryMiB();
        std::printf("| %d | %lld | %lld |\n", count, rss, pss);
    }
    while (frmMain* window = frmMain::defaultWindow())
        delete window;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    delete profile;
    return 0;
}
