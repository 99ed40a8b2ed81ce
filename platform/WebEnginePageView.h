#pragma once

#include "PageView.h"

#include <optional>

class QWebEnginePage;
class QWebEngineProfile;
class QWebEngineView;
class UrlHistory;
class WebEnginePage;

// PageView on Qt WebEngine. All views share one profile; top-level pages that finish
// loading are recorded in the URL history.
class WebEnginePageView final : public PageView {
    Q_OBJECT
public:
    WebEnginePageView(QWebEngineProfile* profile, UrlHistory* history, QWidget* parent = nullptr);
    Q_DISABLE_COPY_MOVE(WebEnginePageView)

    QWebEngineView* view() const { return m_view; }
    WebEnginePage* page() const { return m_page; }

    void Navigate(const QString& url) override;
    void GoBack() override;
    void GoForward() override;
    void Refresh() override;
    void Stop() override;
    QString LocationURL() const override;
    QString LocationName() const override;

private:
    QWebEnginePage* requestNewWindow();
    void reportHistoryState();
    void documentLoaded(bool ok);

    QWebEngineView* m_view = nullptr;
    WebEnginePage* m_page = nullptr;
    UrlHistory* m_history = nullptr;
    std::optional<bool> m_reportedBack;
    std::optional<bool> m_reportedForward;
};
