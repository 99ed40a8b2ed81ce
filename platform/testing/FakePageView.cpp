#include "platform/testing/FakePageView.h"

#include <QKeyEvent>
#include <QTimer>

namespace {
QString flag(bool on) {
    return on ? QStringLiteral("true") : QStringLiteral("false");
}
} // namespace

FakePageView::FakePageView(QWidget* parent)
    : PageView(parent) {}

void FakePageView::Navigate(const QString& url) {
    calls << QStringLiteral("Navigate:") + url;
    if (onNavigate)
        onNavigate(url);
}

void FakePageView::GoBack() {
    calls << QStringLiteral("GoBack");
}

void FakePageView::GoForward() {
    calls << QStringLiteral("GoForward");
}

void FakePageView::Refresh() {
    calls << QStringLiteral("Refresh");
}

void FakePageView::Stop() {
    calls << QStringLiteral("Stop");
}

void FakePageView::setRegisterAsBrowser(bool on) {
    calls << QStringLiteral("setRegisterAsBrowser:") + flag(on);
    PageView::setRegisterAsBrowser(on);
}

void FakePageView::setSilent(bool on) {
    calls << QStringLiteral("setSilent:") + flag(on);
    PageView::setSilent(on);
}

void FakePageView::setOffline(bool on) {
    calls << QStringLiteral("setOffline:") + flag(on);
    PageView::setOffline(on);
}

void FakePageView::ExecWB(int cmdID, int cmdexecopt) {
    calls << QStringLiteral("ExecWB:%1").arg(cmdID) +
                 (cmdexecopt ? QStringLiteral(",%1").arg(cmdexecopt) : QString());
}

void FakePageView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape)
        Q_EMIT EscapePressed();
    event->accept();
}

void FakePageView::DocumentMarkup(QObject* context, MarkupCallback callback) {
    calls << QStringLiteral("DocumentMarkup");
    const std::optional<QString> answer = markup;
    QTimer::singleShot(0, context, [callback, answer] { callback(answer); });
}

PageView* FakePageView::raiseNewWindow2() {
    PageView* target = nullptr;
    Q_EMIT NewWindow2(&target);
    return target;
}
