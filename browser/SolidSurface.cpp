#include "browser/SolidSurface.h"

#include <QPaintEvent>
#include <QPainter>

SolidSurface::SolidSurface(QWidget* parent)
    : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SolidSurface::setBackColor(const QColor& color) {
    m_backColor = color;
    update();
}

void SolidSurface::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), m_backColor);
}
