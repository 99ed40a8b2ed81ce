#pragma once

#include "platform/PageView.h"

#include <QStringList>
#include <functional>

// A page view that loads nothing: it records what was asked of it, and a test raises its
// events by emitting the PageView signals or through the helpers below.
class FakePageView final : public PageView {
    Q_OBJECT
public:
    explicit FakePageView(QWidget* parent = nullptr);

    void Navigate(const QString& url) override;
    void GoBack() override;
    void GoForward() override;
    void Refresh() override;
    void Stop() override;
    QString LocationURL() const override { return locationUrl; }
    QString LocationName() const override { return locationName; }
    void setRegisterAsBrowser(bool on) override;
    void setSilent(bool on) override;
    void setOffline(bool on) override;
    void ExecWB(int cmdID, int cmdexecopt) override;
    void DocumentMarkup(QObject* context, MarkupCallback callback) override;

    // Raises NewWindow2 as the engine would and returns the view the handler handed back.
    PageView* raiseNewWindow2();

    QStringList calls;    // "Navigate:<url>", "GoBack", "setSilent:true", "ExecWB:6", ...
    QString locationUrl;  // answered by LocationURL()
    QString locationName; // answered by LocationName()
    std::function<void(const QString&)> onNavigate; // runs inside Navigate
    std::optional<QString> markup; // answered by DocumentMarkup, after the call returns

protected:
    void keyPressEvent(QKeyEvent* event) override; // Escape, as the engine's view reports it
};
