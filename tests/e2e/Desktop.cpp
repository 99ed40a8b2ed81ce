#include "tests/e2e/Desktop.h"

#include "tests/support/WaitUntil.h"

#include <QProcess>
#include <QRegularExpression>

QString Desktop::run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(10000);
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

QStringList Desktop::windows(const QString& titlePattern) {
    return run("xdotool", {"search", "--onlyvisible", "--name", titlePattern})
        .split('\n', Qt::SkipEmptyParts);
}

QString Desktop::title(const QString& window) {
    return run("xdotool", {"getwindowname", window});
}

qint64 Desktop::pid(const QString& window) {
    return run("xdotool", {"getwindowpid", window}).toLongLong();
}

QString Desktop::waitWindow(const QString& titlePattern, int timeoutMs) {
    QString found;
    waitUntil(
        [&] {
            const QStringList matching = windows(titlePattern);
            found = matching.isEmpty() ? QString() : matching.last();
            return !found.isEmpty();
        },
        timeoutMs);
    return found;
}

bool Desktop::waitWindowCount(const QString& titlePattern, int count, int timeoutMs) {
    return waitUntil([&] { return windows(titlePattern).size() == count; }, timeoutMs);
}

void Desktop::focus(const QString& window) {
    run("xdotool", {"windowactivate", "--sync", window});
}

QSize Desktop::size(const QString& window) {
    const QString info = run("xwininfo", {"-id", window});
    const QRegularExpression width(QStringLiteral("Width: (\\d+)"));
    const QRegularExpression height(QStringLiteral("Height: (\\d+)"));
    return QSize(width.match(info).captured(1).toInt(), height.match(info).captured(1).toInt());
}

bool Desktop::isMaximised(const QString& window) {
    const QString state = run("xprop", {"-id", window, "_NET_WM_STATE"});
    return run("xwininfo", {"-id", window}).contains(QStringLiteral("IsViewable")) &&
           state.contains(QStringLiteral("_NET_WM_STATE_MAXIMIZED_VERT")) &&
           state.contains(QStringLiteral("_NET_WM_STATE_MAXIMIZED_HORZ"));
}

void Desktop::keys(const QString& window, const QStringList& keys) {
    focus(window);
    for (const QString& key : keys) {
        run("xdotool", {"key", "--clearmodifiers", key});
        // The X server hands each key to the window that holds the keyboard when the key
        // arrives. A menu or dialog a key opens must take it first, and nothing outside the
        // program tells when it has: this is the one wait on time in these tests.
        waitUntil([] { return false; }, 250);
    }
}

void Desktop::type(const QString& window, const QString& text) {
    focus(window);
    run("xdotool", {"type", "--delay", "30", text});
}

void Desktop::paste(const QString& window, const QString& text) {
    QProcess xclip;
    xclip.start("xclip", {"-selection", "clipboard", "-i"});
    xclip.write(text.toUtf8());
    xclip.closeWriteChannel();
    xclip.waitForFinished(10000);
    waitUntil([&] { return clipboard() == text; });
    keys(window, {"ctrl+v"});
}

void Desktop::click(const QString& window, int x, int y) {
    focus(window);
    run("xdotool",
        {"mousemove", "--window", window, QString::number(x), QString::number(y), "click", "1"});
}

void Desktop::enterAddress(const QString& window, const QString& address) {
    click(window, kAddressX, kStripY);
    type(window, address);
    keys(window, {"Return"});
}

QString Desktop::clipboard() {
    return run("xclip", {"-selection", "clipboard", "-o"});
}
