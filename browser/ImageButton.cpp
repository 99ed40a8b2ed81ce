#include "browser/ImageButton.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPixmapCache>
#include <QSvgRenderer>

ImageButton::ImageButton(int index, QWidget* parent)
    : QLabel(parent)
    , m_index(index) {
    setAlignment(Qt::AlignCenter);
}

void ImageButton::setPicture(const QString& svgPath, const QSize& size) {
    // Drawn once per picture and size: every window's tool bar shares the same pixmaps.
    const qreal ratio = devicePixelRatioF();
    const QString key = QStringLiteral("ImageButton:%1:%2x%3@%4")
                            .arg(svgPath)
                            .arg(size.width())
                            .arg(size.height())
                            .arg(ratio);
    QPixmap pixmap;
    if (!QPixmapCache::find(key, &pixmap)) {
        QSvgRenderer renderer(svgPath);
        if (!renderer.isValid())
            return;
        pixmap = QPixmap(size * ratio);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        renderer.render(&painter);
        painter.end();
        pixmap.setDevicePixelRatio(ratio);
        QPixmapCache::insert(key, pixmap);
    }
    setPixmap(pixmap);
}

void ImageButton::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) &&
        isEnabled())
        Q_EMIT clicked(m_index);
}
