#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <optional>

// A page's back and forward list: its addresses (the engine's encoded form), which of them
// shows (-1 before the first page has loaded), and the view's own record of the list (with
// what each page held: form fields, scroll position), which only the same build of the view
// reads back; empty when it keeps none.
struct PageHistory {
    QStringList urls;
    int current = -1;
    QByteArray viewState;
};

// The hosted page view of a browser window: the operations the window asks of it and the
// events it raises, with the names and meanings the window code is written against. One
// implementation runs on Qt WebEngine; a fake lets tests raise every event by hand.
class PageView : public QWidget {
    Q_OBJECT
public:
    // Command numbers carried by CommandStateChange.
    static constexpr int CSC_UPDATECOMMANDS = -1;
    static constexpr int CSC_NAVIGATEFORWARD = 1;
    static constexpr int CSC_NAVIGATEBACK = 2;

    // Document commands of ExecWB and the one execution option used with them.
    static constexpr int OLECMDID_SAVEAS = 4;
    static constexpr int OLECMDID_PRINT = 6;
    static constexpr int OLECMDID_PRINTPREVIEW = 7;
    static constexpr int OLECMDID_PAGESETUP = 8;
    static constexpr int OLECMDID_PROPERTIES = 10;
    static constexpr int OLECMDID_CUT = 11;
    static constexpr int OLECMDID_COPY = 12;
    static constexpr int OLECMDID_PASTE = 13;
    static constexpr int OLECMDID_SELECTALL = 17;
    static constexpr int OLECMDEXECOPT_DODEFAULT = 0;

    explicit PageView(QWidget* parent = nullptr);

    // Starts loading what a person would type into an address box.
    virtual void Navigate(const QString& url) = 0;
    // Each does nothing when there is nothing to do.
    virtual void GoBack() = 0;
    virtual void GoForward() = 0;
    virtual void Refresh() = 0;
    virtual void Stop() = 0;

    // Address and title of the top-level page.
    virtual QString LocationURL() const = 0;
    virtual QString LocationName() const = 0;

    virtual PageHistory pageHistory() const = 0;
    // Gives a view that has loaded nothing yet this list and loads its current page. Without a
    // view state it can read, the view opens the current address alone.
    virtual void restoreHistory(const PageHistory& history) = 0;

    // Called before the hosting window is shown: a view that has no document yet makes its
    // drawing surface now, so that the window is not made again once it is on the screen.
    virtual void prepareSurface() {}

    // Runs one document command with the view's own dialogs (save, print, page set-up,
    // preview, properties) or edit actions. Without a document, or for a command the view
    // does not know, nothing happens.
    virtual void ExecWB(int cmdID, int cmdexecopt) = 0;

    // The markup of the document's root element without its own tags (its innerHTML),
    // or nothing without a document or root element. It arrives later, never during this call,
    // and not at all once context is gone.
    using MarkupCallback = std::function<void(const std::optional<QString>& markup)>;
    virtual void DocumentMarkup(QObject* context, MarkupCallback callback) = 0;

    // The page's zoom in percent. Set, it is remembered for the page's host: every window, and
    // later runs, show that host at it.
    virtual int ZoomPercent() const = 0;
    virtual void setZoomPercent(int percent) = 0;
    // The text encoding of this host's pages that declare none; empty while it is detected.
    // Set (empty: detect again), it is remembered for the host and the page loads again.
    virtual QString TextEncoding() const = 0;
    virtual void setTextEncoding(const QString& encoding) = 0;

    // Named targets (target="name", window.open(url, "name")) may resolve to this view.
    bool RegisterAsBrowser() const { return m_registerAsBrowser; }
    virtual void setRegisterAsBrowser(bool on) { m_registerAsBrowser = on; }
    // The view shows no dialog box of its own while silent.
    bool Silent() const { return m_silent; }
    virtual void setSilent(bool on) { m_silent = on; }
    // Offline, the view makes no network requests.
    bool Offline() const { return m_offline; }
    virtual void setOffline(bool on) { m_offline = on; }

Q_SIGNALS:
    void CommandStateChange(int command, bool enable);
    void TitleChange(const QString& text);
    // Raised before every navigation, frames included; the navigation always proceeds.
    void BeforeNavigate2(const QString& url);
    // A page asks for a new window. A handler that opens one puts that window's view into
    // *ppDisp; the requested page then loads there. Left null, no window receives it. The
    // handler must not let other events run, and the view it gives must not have navigated.
    void NewWindow2(PageView** ppDisp);
    // A top-level document finished loading (also with an error page).
    void DocumentComplete(const QString& url);
    // The top-level address changed (a new page, Back, Forward, an anchor or a script's
    // history entry); the back and forward list may have changed with it.
    void locationChanged();
    // Esc was pressed in the page (not in its find bar); the page has the key as well.
    void EscapePressed();
    // The address of the link under the mouse, as the address box would show it; empty once
    // the mouse has left the link.
    void StatusTextChange(const QString& text);

protected:
    // A double-click inside the page belongs to the page, never to the surface around it.
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    bool m_registerAsBrowser = false;
    bool m_silent = false;
    bool m_offline = false;
};
