#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

// The X display the real browser runs on, driven and read the way a person's desktop would:
// xdotool for keys, clicks and window titles, xclip for the clipboard.
class Desktop {
public:
    // Where a browser window's controls are, relative to the window: the tool bar strip lies
    // under the menu bar; the search box keeps its width at the right end of it.
    static constexpr int kAddressX = 150;
    static constexpr int kSearchFromRight = 170;
    static constexpr int kStripY = 38;

    // Clicks into the window's address box, types the address and presses Enter.
    static void enterAddress(const QString& window, const QString& address);

    // Window ids whose title matches the regular expression.
    static QStringList windows(const QString& titlePattern);
    static QString title(const QString& window);
    static qint64 pid(const QString& window);
    // Waits for a window with a matching title; empty when none came.
    static QString waitWindow(const QString& titlePattern, int timeoutMs = 20000);
    static bool waitWindowCount(const QString& titlePattern, int count, int timeoutMs = 20000);
    static void focus(const QString& window);
    // Keys in xdotool's names ("alt+v", "Return"), one after the other.
    static void keys(const QString& window, const QStringList& keys);
    static void type(const QString& window, const QString& text);
    // Puts the text on the clipboard and pastes it with Ctrl+V: Chinese text comes from an
    // input method or the clipboard, never from the keyboard map that "type" has to bend.
    static void paste(const QString& window, const QString& text);
    static void click(const QString& window, int x, int y);
    static QString clipboard();
    static QSize size(const QString& window);
    static int searchX(const QString& window) { return size(window).width() - kSearchFromRight; }
    // Mapped and maximised both ways, as the window manager reports it.
    static bool isMaximised(const QString& window);

private:
    static QString run(const QString& program, const QStringList& arguments);
};
