// Time of one favorites rebuild (reading the folder and refreshing every window's Favorites
// menu): the first, which reads every shortcut, and a later one after one shortcut changed,
// against reading every file of the folder once with plain system calls in the same run; and
// of one window's menu popping up and being drawn the first time after a rebuild. Folders of
// 1,000, 10,000 and 32,767 shortcuts with 1 and 5 windows open.
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
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

namespace {
void write(const QString& folder, int i, const QString& address) {
    QFile file(QStringLiteral("%1/收藏 %2 - 示例网站的页面标题.url").arg(folder).arg(i));
    file.open(QIODevice::WriteOnly);
    file.write(QStringLiteral("[DEFAULT]\r\nBASEURL=%1\r\n[InternetShortcut]\r\n"
                              "URL=%1\r\nIconIndex=0\r\n")
                   .arg(address)
                   .toUtf8());
}

void fill(const QString& folder, int count) {
    for (int i = 0; i < count; ++i)
        write(folder, i, QStringLiteral("http://example.cn/%1").arg(i));
}

// Every file of the folder opened and read once: what no rebuild that reads them can beat.
double readEveryFileMs(const QString& folder) {
    QElapsedTimer timer;
    timer.start();
    DIR* dir = ::opendir(QFile::encodeName(folder).constData());
    char buffer[64 * 1024];
    while (dirent* entry = dir ? ::readdir(dir) : nullptr) {
        const int fd = ::openat(::dirfd(dir), entry->d_name, O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            continue;
        while (::read(fd, buffer, sizeof buffer) > 0) {
        }
        ::close(fd);
    }
    if (dir)
        ::closedir(dir);
    return double(timer.nsecsElapsed()) / 1e6;
}

double rebuildMs(modFavorite& favorites) {
    QElapsedTimer timer;
    timer.start();
    favorites.LoadAllFavorite();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return double(timer.nsecsElapsed()) / 1e6;
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
    std::printf("| shortcuts | windows | first rebuild, all windows (ms) | rebuild after one "
                "changed (ms) | reading every file (ms) | later / reading | first opening of one "
                "window's menu (ms) |\n|---:|---:|---:|---:|---:|---:|---:|\n");
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

            const double first = rebuildMs(favorites);
            QList<double> rebuilds;
            QList<double> reads;
            QList<double> openings;
            for (int run = 0; run < runs; ++run) {
                write(folder.path(), run, QStringLiteral("http://example.cn/changed/%1").arg(run));
                reads << readEveryFileMs(folder.path()); // interleaved: the same cache state
                rebuilds << rebuildMs(favorites);
                // As a person opens it: the menu pops up and is drawn.
                QMenu* menu = open.first()->mnuMainFavorite;
                QElapsedTimer timer;
                timer.start();
                menu->popup(QPoint(0, 0));
                QCoreApplication::processEvents();
                openings << double(timer.nsecsElapsed()) / 1e6;
                menu->hide();
            }
            std::printf("| %d | %d | %.0f | %.1f | %.1f | %.2f | %.0f |\n",
                        favorites.mintFavoriteCount, windows, first, medianMs(rebuilds),
                        medianMs(reads), medianMs(rebuilds) / medianMs(reads), medianMs(openings));
            qDeleteAll(open);
        }
    }
    return 0;
}
