#pragma once

#include <QElapsedTimer>
#include <QWebEnginePage>

class WebEnginePageView;

// The engine page behind a WebEnginePageView: it hands the engine's window and navigation
// requests and its script dialogs to the view.
class WebEnginePage final : public QWebEnginePage {
    Q_OBJECT
public:
    WebEnginePage(QWebEngineProfile* profile, WebEnginePageView* view, QObject* parent);

    WebEnginePageView* view() const { return m_view; }

    // How long ago this page started its last download (a large value when it never did).
    qint64 msSinceLastDownload() const;
    void downloadStarted() { m_lastDownload.start(); }
    // Downloads url as the person asked, however soon after the page's last download.
    void downloadAsked(const QUrl& url);
    // Whether the download now starting is one the person asked for (each asking counts once).
    bool takeAskedDownload(const QUrl& url);
    // A click or a key of the person's in the page; each one lets one download through soon
    // after it, however soon after the page's last.
    void personActed() { m_personActed.start(); }
    bool takePersonsAction(qint64 withinMs);

    // The question the engine asks before a page that wants to be asked is left.
    static QString leavePageQuestion();

protected:
    // Never: the view answers newWindowRequested instead (see WebEnginePageView).
    QWebEnginePage* createWindow(WebWindowType type) override;
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
    void javaScriptAlert(const QUrl& securityOrigin, const QString& msg) override;
    bool javaScriptConfirm(const QUrl& securityOrigin, const QString& msg) override;
    bool javaScriptPrompt(const QUrl& securityOrigin, const QString& msg,
                          const QString& defaultValue, QString* result) override;

private:
    WebEnginePageView* m_view;
    QElapsedTimer m_lastDownload;
    QList<QUrl> m_askedDownloads; // asked for, not yet arrived
    QElapsedTimer m_personActed;
    // The script boxes since the last page loaded, and whether the person stopped the page's.
    bool askingAllowed();
    // Where a box says whether the person stopped the page's boxes: offered from the second on.
    bool* stopOffered();
    int m_boxesShown = 0;
    bool m_boxesStopped = false;
};
