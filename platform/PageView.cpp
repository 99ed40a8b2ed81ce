#include "platform/PageView.h"

#include <QMouseEvent>

PageView::PageView(QWidget* parent)
    : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
}

void PageView::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
}
