// Process start until a mapped window shows the first page's title, for tarnvale and for the
// yardstick (one maximised QWebEngineView window, off the record and on a persistent profile),
// in interleaved runs on the same loopback page; then the memory of each program's processes
// with that one window. Run it under Xvfb with a window manager, as a user's desktop has:
//   xvfb-run -a -s "-screen 0 1280x800x24" tests/e2e/with-openbox.sh cold_start_bench 15
// Windows are found from the X server's events among the mapped ones only, and checked
// maximised: without a window manager, or with a state lost, a window may be timed that nobody
// sees.
#include "bench/ProcessMemory.h"
#include "bench/XWindowWatch.h"
#include "tests/support/LoopbackHttpServer.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <unistd.h>

namespace {
struct Sample {
    double ms = -1; // -1: no mapped, maximised window showed the caption
    qint64 rss = 0;
    qint64 pss = 0;
};

// Every run starts with a fresh HOME (holding the given user.reg, if any), so every program
// starts as cold as the others.
Sample measure(XWindowWatch& x, const QString& program, const QStringList& arguments,
               const QString& caption, const QString& home,
               const QByteArray& userReg = QByteArray()) {
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
    env.insert("XDG_RUNTIME_DIR", home + "/run");
    QDir().mkpath(home + "/run");
    QFile::setPermissions(home + "/run",
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (::geteuid() == 0)
        env.insert("QTWEBENGINE_DISABLE_SANDBOX", "1"); // the engine refuses root otherwise
    env.insert("QT_QPA_PLATFORM", "xcb");
    QProcess process;
    process.setProcessEnvironment(env);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    Sample sample;
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    if (const uint32_t window = x.waitForCaption(caption, 30000)) {
        const double ms = double(timer.nsecsElapsed()) / 1e6;
        if (x.isMaximised(window))
            sample.ms = ms;
        else
            std::fprintf(stderr, "%s: shown, but not maximised\n", qPrintable(caption));
    }
    // Memory once the page has settled, with that one window.
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 2000) {
        QCoreApplication::processEvents();
        QThread::msleep(20);
    }
    std::tie(sample.rss, sample.pss) = treeMemoryMiB(process.processId());
    process.terminate();
    if (!process.waitForFinished(5000))
        process.kill();
    process.waitForFinished(2000);
    return sample;
}

// Runs whose window never showed mapped and maximised are left out (and counted).
template <typename Field> double median(const QList<Sample>& samples, Field field) {
    QList<double> values;
    for (const Sample& sample : samples) {
        if (sample.ms >= 0)
            values << double(field(sample));
    }
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? -1 : values.at(values.size() / 2);
}

qsizetype shown(const QList<Sample>& samples) {
    return std::count_if(samples.begin(), samples.end(),
                         [](const Sample& sample) { return sample.ms >= 0; });
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
    XWindowWatch x;
    if (!x.isConnected()) {
        std::fprintf(stderr, "No X display: run it under xvfb-run with a window manager.\n");
        return 1;
    }
    QList<Sample> tarnvale;
    QList<Sample> offTheRecord;
    QList<Sample> persistent;
    for (int run = 0; run < runs; ++run) {
        tarnvale << measure(x, TARNVALE_EXECUTABLE, {}, "Alpha - Tarnvale", home, userReg);
        offTheRecord << measure(x, YARDSTICK_EXECUTABLE, {url}, "Alpha - Yardstick", home);
        persistent << measure(x, YARDSTICK_EXECUTABLE, {url, "--persistent"}, "Alpha - Yardstick",
                              home);
        std::fprintf(stderr,
                     "run %d: tarnvale %.0f ms, off the record %.0f ms, persistent %.0f ms\n",
                     run + 1, tarnvale.last().ms, offTheRecord.last().ms, persistent.last().ms);
    }
    const auto ms = [](const Sample& s) {
        return s.ms;
    };
    const auto rss = [](const Sample& s) {
        return s.rss;
    };
    const auto pss = [](const Sample& s) {
        return s.pss;
    };
    const double t = median(tarnvale, ms);
    std::printf("| program | shown mapped and maximised | start to title, median (ms) | "
                "tarnvale / this | RSS (MiB) | PSS (MiB) |\n|---|---:|---:|---:|---:|---:|\n");
    const auto row = [&](const char* name, const QList<Sample>& samples) {
        const double m = median(samples, ms);
        std::printf("| %s | %lld of %d | %.0f | %s | %.0f | %.0f |\n", name,
                    qlonglong(shown(samples)), runs, m,
                    &samples == &tarnvale ? "" : qPrintable(QString::number(t / m, 'f', 2)),
                    median(samples, rss), median(samples, pss));
    };
    row("tarnvale", tarnvale);
    row("yardstick, persistent profile", persistent);
    row("yardstick, off-the-record profile", offTheRecord);
    return 0;
}
