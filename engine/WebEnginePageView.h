#pragma once

#include "platform/PageView.h"

#include <QUrl>

#include <memory>
#include <optional>

class BrowserOptions;
class FindBar;
class QAuthenticator;
class QWebEngineCertificateError;
class QWebEngineDownloadRequest;
class QWebEngineFullScreenRequest;
class QWebEngineNewWindowRequest;
class PageDialogs;
class PageRequestFilter;
class QPrinter;
class QWebEnginePage;
class QWebEngineProfile;
class QWebEngineView;
class UrlHistory;
class WebEnginePage;

// PageView on Qt WebEngine. All views share one profile; top-level pages that finish
// loading are recorded in the URL history. Ctrl+F inside the view opens its find bar. Each
// host gets the zoom and text encoding the options remember for it (none: the defaults).
class WebEnginePageView final : public PageView {
    Q_OBJECT
public:
    WebEnginePageView(QWebEngineProfile* profile, UrlHistory* history, PageDialogs* dialogs,
                      QWidget* parent = nullptr, BrowserOptions* options = nullptr);
    ~WebEnginePageView() override;
    Q_DISABLE_COPY_MOVE(WebEnginePageView)

    QWebEngineView* view() const { return m_view; }
    PageDialogs* dialogs() const { return m_dialogs; }
    WebEnginePage* page() const { return m_page; }
    FindBar* findBar() const { return m_findBar; }
    QPrinter* printer();
    bool isPrinting() const { return m_printing; }

    void Navigate(const QString& url) override;
    void GoBack() override;
    void GoForward() override;
    void Refresh() override;
    void Stop() override;
    QString LocationURL() const override;
    QString LocationName() const override;
    PageHistory pageHistory() const override;
    void restoreHistory(const PageHistory& restored) override;
    void prepareSurface() override;
    void ExecWB(int cmdID, int cmdexecopt) override;
    void DocumentMarkup(QObject* context, MarkupCallback callback) override;
    void setOffline(bool on) override;
    void setSilent(bool on) override;
    int ZoomPercent() const override;
    void setZoomPercent(int percent) override;
    QString TextEncoding() const override;
    void setTextEncoding(const QString& encoding) override;

    // A top-level page is about to load: its host's zoom and encoding apply from its start.
    void mainFrameNavigation(const QUrl& url, bool formSubmitted, bool inHistory = false);
    // The save-page download the engine's own menu started: asked where, as 另存为 asks.
    void acceptSavePage(QWebEngineDownloadRequest* download);
    // Where 另存为 was told to save the page at url, once: the engine downloads what it cannot
    // save as a web page (a PDF, a picture) instead.
    std::optional<QString> takeSaveTarget(const QUrl& url);
    // What pages that declare no charset are read as before anything is detected.
    static const QString kUndeclaredEncoding;

    bool isFullScreen() const { return m_fullScreen != nullptr; }

    // The page shown instead of a blank one when the page's process has died.
    static QString crashPageHtml(const QUrl& failedUrl);
    // The page shown for an address refused while the window works offline.
    static QString offlinePageHtml(const QUrl& refusedUrl);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void connectHostingDefaults();
    void startPage();
    void openRequestedWindow(QWebEngineNewWindowRequest& request);
    void adoptedContents();
    void signIn(const QUrl& url, QAuthenticator* authenticator, const QString& realmOrHost,
                bool proxy);
    void certificateError(const QWebEngineCertificateError& error);
    void fullScreenRequested(QWebEngineFullScreenRequest request);
    void renderProcessTerminated(int status);
    // Shows a page of ours in place of the address's, which it keeps; it is no visit.
    void showOwnPage(const QString& html, const QUrl& url);
    static QString ownPageHtml(const QString& title, const QString& text, const QUrl& url);
    static constexpr char kOwnPageStart[] = "<!DOCTYPE html><html><head><meta charset=\"utf-8\">";
    // The address the page shown stands for when it is one of ours.
    std::optional<QUrl> ownPageAddress() const;
    void reportHistoryState();
    void documentLoaded(bool ok);
    void applyHostLook();
    void detectEncoding();

    bool zoomByWheel(QEvent* event);
    void saveAs();
    void saveDocument(const QUrl& url, const QString& type); // type: document.contentType
    static constexpr int kTypeAnswerMs = 1000;
    void print();
    void printPreview();
    static constexpr int kPrintDpi = 300;   // the engine prints pictures of the sheets
    static constexpr int kPreviewDpi = 150; // and what is printed from the preview
    void showProperties();

    // Whether this view is still whole. The engine answers a page's pending scripts as the page
    // goes, which is after this view's own members are gone: answers check this first.
    std::shared_ptr<bool> m_whole = std::make_shared<bool>(true);
    QWebEngineView* m_view = nullptr;
    WebEnginePage* m_page = nullptr;
    UrlHistory* m_history = nullptr;
    PageDialogs* m_dialogs = nullptr;
    FindBar* m_findBar = nullptr;
    PageRequestFilter* m_interceptor = nullptr;
    BrowserOptions* m_options = nullptr;
    QString m_host;           // of the page being shown or loaded, in its ASCII form
    QString m_site;           // its scheme, host and port
    QString m_chosenEncoding; // the person's choice for this page when its host keeps none
    bool m_formSubmitted = false;
    // The address each page of ours stands for, by the page's own address (about:blank with a
    // mark of its own). Known from the address shown alone: the engine can finish one page's
    // load after the next navigation has begun, and Back need not ask before it shows a page.
    static constexpr qsizetype kMaxOwnPages = 64;
    QList<std::pair<QUrl, QUrl>> m_ownPages;              // (mark, address), oldest first
    bool m_historyNavigation = false;                     // Back, Forward or a reload is under way
    std::optional<std::pair<QUrl, QString>> m_saveTarget; // the page 另存为 saves, and where

    QUrl m_postedPage;     // the page last asked for, when a form sent data for it
    int m_wheelTurned = 0; // of a Ctrl+wheel turn, until a whole notch
    std::unique_ptr<QPrinter> m_printer;
    QWidget* m_fullScreen = nullptr;
    bool m_printing = false;
    bool m_started = false; // the page has contents: an address, a history or an empty one
    std::optional<bool> m_reportedBack;
    std::optional<bool> m_reportedForward;
};
