// Process start until a mapped window shows the first page's title, for tarnvale and for the
// yardstick (one maximised QWebEngineView window, off the record and on a persistent profile),
// in interleaved runs on the same loopback page; then the memory of each program's processes
// with that one window. Falkon, when installed, runs beside them, and then its memory with 1, 5
// and 20 tabs on the page. Run it under Xvfb with a window manager, as a user's desktop has:
//   xvfb-run -a -s "-screen 0 1280x800x24" tests/e2e/with-openbox.sh cold_start_bench [RUNS
//   [TABS...]]
// Windows are found from the X server's events among the mapped ones only, and checked
// maximised: without a window manager, or with a state lost, a window may be timed that nobody
// sees.
#include "bench/BenchProcess.h"
#include "bench/BenchSize.h"
#include "bench/FalkonTabs.h"
#include "bench/XWindowWatch.h"
#include "tests/support/LoopbackHttpServer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

namespace {
struct Sample {
    double ms = -1; // -1: no mapped, maximised window showed the caption
    qint64 rss = 0;
    qint64 pss = 0;
};

struct Program {
    QString path;
    QStringList arguments;
    QString caption; // of its window once the page has loaded
    QByteArray userReg;
    bool maximised = true;           // false: the program opens its windows at a size of its own
    bool drawnWithoutOpenGl = false; // Qt Quick's software back end asked for
};

// From the process's start to a mapped window showing the caption, then the memory once the
// page has settled.
Sample measure(XWindowWatch& x, const Program& program, const QString& home) {
    QProcessEnvironment environment = freshHome(home, program.userReg);
    if (program.drawnWithoutOpenGl)
        environment.insert("QT_QUICK_BACKEND", "software");
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    Sample sample;
    QElapsedTimer timer;
    timer.start();
    process.start(program.path, program.arguments);
    if (const uint32_t window = x.waitForCaption(program.caption, 30000)) {
        const double ms = double(timer.nsecsElapsed()) / 1e6;
        if (!program.maximised || x.isMaximised(window))
            sample.ms = ms;
        else
            std::fprintf(stderr, "%s: shown, but not maximised\n", qPrintable(program.caption));
    }
    std::tie(sample.rss, sample.pss) = settledMemoryMiB(process);
    stop(process);
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
    // cold_start_bench [RUNS [TABS...]]: fewer runs and Falkon tabs for a smoke run.
    const BenchSize size = benchSize(app.arguments(), 7, {1, 5, 20});
    const int runs = size.runs;
    const QList<int>& tabs = size.counts;
    const QString falkon = falkonExecutable();
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
    // Tarnvale draws pages without OpenGL where no device draws in hardware; the yardstick
    // keeps Qt's default, and runs once more drawn as Tarnvale may be.
    const Program programs[] = {
        {TARNVALE_EXECUTABLE, {}, "Alpha - Tarnvale", userReg},
        {YARDSTICK_EXECUTABLE, {url, "--persistent"}, "Alpha - Yardstick", {}},
        {YARDSTICK_EXECUTABLE, {url}, "Alpha - Yardstick", {}},
        {YARDSTICK_EXECUTABLE, {url, "--persistent"}, "Alpha - Yardstick", {}, true, true},
        {falkon, {url}, "Alpha - Falkon", {}, false},
    };
    const int measured = falkon.isEmpty() ? 4 : 5;
    QList<Sample> samples[5];
    for (int run = 0; run < runs; ++run) {
        for (int i = 0; i < measured; ++i) // interleaved: the machine's load changes
            samples[i] << measure(x, programs[i], home);
        std::fprintf(stderr, "run %d: tarnvale %.0f ms\n", run + 1, samples[0].last().ms);
    }
    const QList<Sample>& tarnvale = samples[0];
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
    row("yardstick, persistent profile", samples[1]);
    row("yardstick, off-the-record profile", samples[2]);
    row("yardstick, persistent profile, QT_QUICK_BACKEND=software", samples[3]);
    if (falkon.isEmpty()) {
        std::printf("\n(falkon is not installed: the peer is not measured)\n");
        return 0;
    }
    // Falkon opens its window at a size of its own, not maximised: it paints fewer pixels.
    row("falkon, one window at its own size", samples[4]);
    std::printf("\n");
    printFalkonTabsMemory(x, url, "Alpha - Falkon", home, tabs);
    return 0;
}
