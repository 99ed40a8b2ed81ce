#pragma once

#include <QWebEnginePage>
#include <functional>

// The engine page behind a WebEnginePageView; it hands the engine's window and navigation
// requests and its script dialogs to the view through callbacks.
class WebEnginePage final : public QWebEnginePage {
    Q_OBJECT
public:
    explicit WebEnginePage(QWebEngineProfile* profile, QObject* parent = nullptr);

    std::function<QWebEnginePage*()> onCreateWindow;
    std::function<void(const QUrl&)> onNavigationRequest;
    std::function<bool()> isSilent;

protected:
    QWebEnginePage* createWindow(WebWindowType type) override;
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
    void javaScriptAlert(const QUrl& securityOrigin, const QString& msg) override;
    bool javaScriptConfirm(const QUrl& securityOrigin, const QString& msg) override;
    bool javaScriptPrompt(const QUrl& securityOrigin, const QString& msg,
                          const QString& defaultValue, QString* result) override;

private:
    bool silent() const { return isSilent && isSilent(); }
};
