#include "browser/ImageButton.h"

#include <QMouseEvent>
#include <QPainter>
#include <QSvgRenderer>

ImageButton::ImageButton(int index, QWidget* parent)
    : QLabel(parent)
    , m_index(index) {
    setAlignment(Qt::AlignCenter);
}

void ImageButton::setPicture(const QString& svgPath, const QSize& size) {
    QSvgRenderer renderer(svgPath);
    if (!renderer.isValid())
        return;
    const qreal ratio = devicePixelRatioF();
    QPixmap pixmap(size * ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    painter.end();
    pixmap.setDevicePixelRatio(ratio);
    setPixmap(pixmap);
}

void ImageButton::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) &&
        isEnabled())
        Q_EMIT clicked(m_index);
}
