#pragma once

#include "platform/PageView.h"

#include <memory>
#include <optional>

class FindBar;
class QAuthenticator;
class QWebEngineCertificateError;
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
// loading are recorded in the URL history. Ctrl+F inside the view opens its find bar.
class WebEnginePageView final : public PageView {
    Q_OBJECT
public:
    WebEnginePageView(QWebEngineProfile* profile, UrlHistory* history, PageDialogs* dialogs,
                      QWidget* parent = nullptr);
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
    void ExecWB(int cmdID, int cmdexecopt) override;
    void DocumentMarkup(QObject* context, MarkupCallback callback) override;
    void setOffline(bool on) override;
    void setSilent(bool on) override;

    bool isFullScreen() const { return m_fullScreen != nullptr; }

    // The page shown instead of a blank one when the page's process has died.
    static QString crashPageHtml(const QUrl& failedUrl);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectHostingDefaults();
    void openRequestedWindow(QWebEngineNewWindowRequest& request);
    void adoptedContents();
    void signIn(const QUrl& url, QAuthenticator* authenticator, const QString& realmOrHost,
                bool proxy);
    void certificateError(const QWebEngineCertificateError& error);
    void fullScreenRequested(QWebEngineFullScreenRequest request);
    void renderProcessTerminated(int status);
    void reportHistoryState();
    void documentLoaded(bool ok);
    void saveAs();
    void print();
    void printPreview();
    void showProperties();

    QWebEngineView* m_view = nullptr;
    WebEnginePage* m_page = nullptr;
    UrlHistory* m_history = nullptr;
    PageDialogs* m_dialogs = nullptr;
    FindBar* m_findBar = nullptr;
    PageRequestFilter* m_interceptor = nullptr;
    std::unique_ptr<QPrinter> m_printer;
    QWidget* m_fullScreen = nullptr;
    bool m_printing = false;
    std::optional<bool> m_reportedBack;
    std::optional<bool> m_reportedForward;
};
