// Time of one favorites rebuild (reading the folder and refreshing every window's Favorites
// menu), and of one window's menu popping up and being drawn the first time after it, for
// folders of 1,000, 10,000 and 32,767 shortcuts with 1 and 5 windows open.
// Windows use the fake page view: what is measured is the browser's own work.
#include "browser/frmMain.h"
#include "tests/support/FakeServices.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

namespace {
void fill(const QString& folder, int count) {
    for (int i = 0; i < count; ++i) {
        QFile file(QStringLiteral("%1/收藏 %2 - 示例网站的页面标题.url").arg(folder).arg(i));
        file.open(QIODevice::WriteOnly);
        file.write(
            QStringLiteral("[DEFAULT]\r\nBASEURL=http://example.cn/%1\r\n[InternetShortcut]\r\n"
                           "URL=http://example.cn/%1\r\nIconIndex=0\r\n")
                .arg(i)
                .toUtf8());
    }
}

// The offscreen platform reports every window operation it lacks; those lines hide the table.
void quiet(QtMsgType, const QMessageLogContext&, const QString&) {}

double medianMs(QList<double> samples) {
    std::sort(samples.begin(), samples.end());
    return samples.at(samples.size() / 2);
}
} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    qInstallMessageHandler(quiet);
    const int runs = 5;
    // A count given on the command line measures only that folder (for a profiler's run).
    QList<int> counts{1000, 10000, 32767};
    if (argc > 1)
        counts = {QString::fromLocal8Bit(argv[1]).toInt()};
    std::printf("| shortcuts | windows | rebuild, all windows (ms) | first opening of one window's "
                "menu (ms) |\n|---:|---:|---:|---:|\n");
    for (const int count : counts) {
        QTemporaryDir folder;
        fill(folder.path(), count);
        for (const int windows : {1, 5}) {
            FakeServices fake; // modFavorite reads the folder through its shell folders
            fake.shellFolders.favorites = folder.path();
            modFavorite& favorites = fake.favorites;
            QList<frmMain*> open;
            for (int i = 0; i < windows; ++i)
                open << fake.newWindow();

            QList<double> rebuilds;
            QList<double> openings;
            for (int run = 0; run < runs; ++run) {
                QElapsedTimer timer;
                timer.start();
                favorites.LoadAllFavorite();
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                rebuilds << double(timer.nsecsElapsed()) / 1e6;
                // As a person opens it: the menu pops up and is drawn.
                QMenu* menu = open.first()->mnuMainFavorite;
                timer.restart();
                menu->popup(QPoint(0, 0));
                QCoreApplication::processEvents();
                openings << double(timer.nsecsElapsed()) / 1e6;
                menu->hide();
            }
            std::printf("| %d | %d | %.0f | %.0f |\n", favorites.mintFavoriteCount, windows,
                        medianMs(rebuilds), medianMs(openings));
            qDeleteAll(open);
        }
    }
    return 0;
}
