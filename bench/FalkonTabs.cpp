#include "bench/FalkonTabs.h"

#include "bench/BenchProcess.h"
#include "bench/XWindowWatch.h"

#include <QProcess>
#include <QStandardPaths>
#include <algorithm>
#include <cstdio>

namespace {
bool xdotool(const QStringList& arguments) {
    return QProcess::execute(QStringLiteral("xdotool"), arguments) == 0;
}
} // namespace

QString falkonExecutable() {
    return QStandardPaths::findExecutable(QStringLiteral("falkon"));
}

void printFalkonTabsMemory(XWindowWatch& x, const QString& url, const QString& caption,
                           const QString& home, const QList<int>& counts) {
    std::printf("| falkon, tabs on one page | RSS, all processes (MiB) | PSS, all processes (MiB) "
                "|\n|---:|---:|---:|\n");
    QProcess process;
    process.setProcessEnvironment(freshHome(home));
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(falkonExecutable(), {url});
    const uint32_t window = x.waitForCaption(caption, 30000);
    const QString id = QString::number(window);
    const int most = counts.isEmpty() ? 0 : *std::max_element(counts.begin(), counts.end());
    for (int tabs = 1; window && tabs <= most; ++tabs) {
        if (tabs > 1) {
            // A new tab names the window "Falkon" until its page has a title.
            const bool loaded = xdotool({"key", "--window", id, "ctrl+t"}) &&
                                x.waitForCaption(QStringLiteral("Falkon"), 10000) &&
                                xdotool({"type", "--window", id, url}) &&
                                xdotool({"key", "--window", id, "Return"}) &&
                                x.waitForCaption(caption, 30000);
            if (!loaded) {
                std::printf("| (tab %d did not load) | | |\n", tabs);
                break;
            }
        }
        if (counts.contains(tabs)) {
            const auto [rss, pss] = settledMemoryMiB(process);
            std::printf("| %d | %lld | %lld |\n", tabs, rss, pss);
        }
    }
    if (!window)
        std::printf("| (no window showed \"%s\") | | |\n", qPrintable(caption));
    stop(process);
}
