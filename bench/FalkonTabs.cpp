#include "bench/FalkonTabs.h"

#include "bench/BenchProcess.h"
#include "bench/XWindowWatch.h"

#include <QProcess>
#include <QStandardPaths>
#include <algorithm>
#include <cstdio>

namespace {
bool xdotool(const QStringList& arguments) {
    const bool ok = QProcess::execute(QStringLiteral("xdotool"), arguments) == 0;
    if (!ok)
        std::fprintf(stderr, "xdotool %s failed\n", qPrintable(arguments.join(' ')));
    return ok;
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
    // The address on the clipboard, served by xclip until the clipboard changes.
    QProcess clipboard;
    clipboard.start(QStringLiteral("xclip"), {"-selection", "clipboard"});
    clipboard.write(url.toUtf8());
    clipboard.closeWriteChannel();
    clipboard.waitForFinished(5000);
    const int most = counts.isEmpty() ? 0 : *std::max_element(counts.begin(), counts.end());
    for (int tabs = 1; window && tabs <= most; ++tabs) {
        if (tabs > 1) {
            // As a person does it, through the keyboard of the window in front (keys sent to
            // a window in the back may be dropped). A new tab names the window "Falkon" until
            // its page has a title; Ctrl+L then puts the address box in front, and the address
            // is pasted whole (typed key by key, a key could go to the suggestions that open
            // under the box).
            const bool loaded = xdotool({"windowactivate", "--sync", id}) &&
                                xdotool({"key", "--clearmodifiers", "ctrl+t"}) &&
                                x.waitForCaption(QStringLiteral("Falkon"), 10000) &&
                                xdotool({"key", "--clearmodifiers", "ctrl+l"}) &&
                                xdotool({"key", "--clearmodifiers", "ctrl+v"}) &&
                                xdotool({"key", "--clearmodifiers", "Return"}) &&
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
