#include "platform/WindowsOnScreen.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>

namespace {
// The window's rectangle made to fit the available area with its frame around it: no larger
// than the area, and moved in where it reaches out.
QRect fitted(const QRect& window, const QMargins& frame, const QRect& available) {
    const QRect room = available.marginsRemoved(frame);
    QRect fit(window.topLeft(),
              QSize(qMin(window.width(), room.width()), qMin(window.height(), room.height())));
    if (fit.right() > room.right())
        fit.moveRight(room.right());
    if (fit.bottom() > room.bottom())
        fit.moveBottom(room.bottom());
    if (fit.left() < room.left())
        fit.moveLeft(room.left());
    if (fit.top() < room.top())
        fit.moveTop(room.top());
    return fit;
}
} // namespace

bool WindowsOnScreen::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Show || !watched->isWidgetType())
        return QObject::eventFilter(watched, event);
    auto* window = static_cast<QWidget*>(watched);
    const Qt::WindowType type = window->windowType();
    if (!window->isWindow() || (type != Qt::Window && type != Qt::Dialog) ||
        (window->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) || !window->screen())
        return QObject::eventFilter(watched, event);
    // Before the window manager has framed it, its frame is not known: room for a title bar.
    QMargins frame(window->geometry().left() - window->frameGeometry().left(),
                   window->geometry().top() - window->frameGeometry().top(),
                   window->frameGeometry().right() - window->geometry().right(),
                   window->frameGeometry().bottom() - window->geometry().bottom());
    if (frame.isNull())
        frame = QMargins(4, 2 * window->fontMetrics().height(), 4, 4);
    const QRect available = window->screen()->availableGeometry();
    const QRect room = available.marginsRemoved(frame);
    // One that fits is left where the window manager places it.
    if (window->width() <= room.width() && window->height() <= room.height())
        return QObject::eventFilter(watched, event);
    // The window itself, inside the room left for its frame: before the window manager has
    // framed it, a move would place the window, not the frame, and push the title bar off.
    window->setGeometry(fitted(window->geometry(), frame, available));
    return QObject::eventFilter(watched, event);
}
