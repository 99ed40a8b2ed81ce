#pragma once

#include "platform/PageView.h"

#include <QKeyEvent>
#include <QStringList>
#include <QTimer>
#include <functional>

// A page view that loads nothing: it records what was asked of it, and a test raises its
// events by emitting the PageView signals or through the helpers below.
class FakePageView final : public PageView {
    Q_OBJECT
public:
    explicit FakePageView(QWidget* parent = nullptr)
        : PageView(parent) {}
    static PageView* create(QWidget* parent) { return new FakePageView(parent); }

    void Navigate(const QString& url) override {
        calls << QStringLiteral("Navigate:") + url;
        if (onNavigate)
            onNavigate(url);
    }
    void GoBack() override { calls << QStringLiteral("GoBack"); }
    void GoForward() override { calls << QStringLiteral("GoForward"); }
    void Refresh() override { calls << QStringLiteral("Refresh"); }
    void Stop() override { calls << QStringLiteral("Stop"); }
    QString LocationURL() const override { return locationUrl; }
    QString LocationName() const override { return locationName; }
    PageHistory pageHistory() const override { return history; }
    void restoreHistory(const PageHistory& restored) override { history = restored; }
    void setRegisterAsBrowser(bool on) override {
        calls << QStringLiteral("setRegisterAsBrowser:") + flag(on);
        PageView::setRegisterAsBrowser(on);
    }
    void setSilent(bool on) override {
        calls << QStringLiteral("setSilent:") + flag(on);
        PageView::setSilent(on);
    }
    void setOffline(bool on) override {
        calls << QStringLiteral("setOffline:") + flag(on);
        PageView::setOffline(on);
    }
    void ExecWB(int cmdID, int cmdexecopt) override {
        calls << QStringLiteral("ExecWB:%1").arg(cmdID) +
                     (cmdexecopt ? QStringLiteral(",%1").arg(cmdexecopt) : QString());
    }
    int ZoomPercent() const override { return zoom; }
    void setZoomPercent(int percent) override {
        calls << QStringLiteral("setZoomPercent:%1").arg(percent);
        zoom = percent;
    }
    QString TextEncoding() const override { return encoding; }
    void setTextEncoding(const QString& name) override {
        calls << QStringLiteral("setTextEncoding:") + name;
        encoding = name;
    }
    void DocumentMarkup(QObject* context, MarkupCallback callback) override {
        calls << QStringLiteral("DocumentMarkup");
        QTimer::singleShot(0, context, [callback, answer = markup] { callback(answer); });
    }

    // Raises NewWindow2 as the engine would and returns the view the handler handed back.
    PageView* raiseNewWindow2() {
        PageView* target = nullptr;
        Q_EMIT NewWindow2(&target);
        return target;
    }

    QStringList calls;    // "Navigate:<url>", "GoBack", "setSilent:true", "ExecWB:6", ...
    QString locationUrl;  // answered by LocationURL()
    QString locationName; // answered by LocationName()
    PageHistory history;  // answered by pageHistory(), replaced by restoreHistory
    std::function<void(const QString&)> onNavigate; // runs inside Navigate
    std::optional<QString> markup; // answered by DocumentMarkup, after the call returns
    int zoom = 100;
    QString encoding;

protected:
    void keyPressEvent(QKeyEvent* event) override { // Escape, as the engine's view reports it
        if (event->key() == Qt::Key_Escape)
            Q_EMIT EscapePressed();
        event->accept();
    }

private:
    static QString flag(bool on) { return on ? QStringLiteral("true") : QStringLiteral("false"); }
};
