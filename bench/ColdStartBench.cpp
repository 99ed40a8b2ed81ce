// Process start to the first page's title in the window caption, for tarnvale and for the
// minimal one-view program, in interleaved runs on the same loopback page. Needs an X display
// (run under xvfb-run); the caption is read with xdotool, the same way for both.
#include "LoopbackHttpServer.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

namespace {
bool windowShown(const QString& caption) {
    QProcess search;
    search.start("xdotool", {"search", "--name", "^" + caption + "$"});
    search.waitForFinished(2000);
    return !search.readAllStandardOutput().trimmed().isEmpty();
}

// Milliseconds from start to the caption, or -1. Every run starts with a fresh HOME (holding
// the given user.reg, if any), so both programs start as cold as each other.
double timeToCaption(const QString& program, const QStringList& arguments, const QString& caption,
                     const QString& home, const QByteArray& userReg = QByteArray()) {
    QDir(home).removeRecursively();
    QDir().mkpath(home + "/.config/tarnvale");
    if (!userReg.isEmpty()) {
        QFile file(home + "/.config/tarnvale/user.reg");
        if (file.open(QIODevice::WriteOnly))
            file.write(userReg);
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home);
    env.insert("XDG_CONFIG_HOME", home + "/.config");
    env.insert("XDG_DATA_HOME", home + "/.local/share");
    env.insert("XDG_CACHE_HOME", home + "/.cache");
    env.insert("XDG_CONFIG_DIRS", home + "/etc");
    env.insert("QTWEBENGINE_DISABLE_SANDBOX", "1");
    env.insert("QT_QPA_PLATFORM", "xcb");
    QProcess process;
    process.setProcessEnvironment(env);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    double result = -1;
    while (timer.elapsed() < 30000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (windowShown(caption)) {
            result = double(timer.nsecsElapsed()) / 1e6;
            break;
        }
    }
    process.terminate();
    if (!process.waitForFinished(5000))
        process.kill();
    process.waitForFinished(2000);
    return result;
}

// Runs that never showed the caption (-1) are left out.
double median(QList<double> values) {
    values.removeIf([](double value) { return value < 0; });
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? -1 : values.at(values.size() / 2);
}
} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const int runs = app.arguments().value(1, "7").toInt();
    LoopbackHttpServer server;
    server.start();
    server.page("/alpha",
                "<html><head><title>Alpha</title></head><body><h1>Alpha</h1></body></html>");
    QTemporaryDir root;
    const QString home = root.path() + "/home";
    const QString url = server.url("/alpha").toString();
    const QByteArray userReg = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Internet "
                               "Explorer\\Main]\r\n\"Start Page\"=\"" +
                               url.toUtf8() + "\"\r\n";
    QList<double> tarnvale;
    QList<double> minimal;
    QList<double> persistent;
    for (int run = 0; run < runs; ++run) {
        tarnvale << timeToCaption(TARNVALE_EXECUTABLE, {}, "Alpha - Tarnvale", home, userReg);
        minimal << timeToCaption(MINIMAL_EXECUTABLE, {url}, "Alpha - Minimal", home);
        persistent << timeToCaption(MINIMAL_EXECUTABLE, {url, "--persistent"}, "Alpha - Minimal",
                                    home);
        std::fprintf(stderr, "run %d: tarnvale %.0f ms, minimal %.0f ms, persistent %.0f ms\n",
                     run + 1, tarnvale.last(), minimal.last(), persistent.last());
    }
    const double t = median(tarnvale);
    const double m = median(minimal);
    const double p = median(persistent);
    std::printf("| program | median of %d (ms) | tarnvale / this |\n|---|---:|---:|\n", runs);
    std::printf("| tarnvale | %.0f | |\n", t);
    std::printf("| minimal QWebEngineView, persistent profile | %.0f | %.2f |\n", p, t / p);
    std::printf("| minimal QWebEngineView, off-the-record profile | %.0f | %.2f |\n", m, t / m);
    return 0;
}
