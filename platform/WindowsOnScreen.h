#pragma once

#include <QObject>

// Keeps every window that is shown, but not maximised or full screen, within its screen: a
// dialog sized for a desktop (the history list, Qt's own file dialog) would reach past a small or
// scaled screen and put its title bar or buttons out of reach. Install on the application.
class WindowsOnScreen final : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override;
};
