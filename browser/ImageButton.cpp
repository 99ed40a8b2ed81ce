#include "ImageButton.h"

#include <QMouseEvent>

ImageButton::ImageButton(int index, QWidget* parent)
    : QLabel(parent)
    , m_index(index) {
    setAlignment(Qt::AlignCenter);
}

void ImageButton::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) &&
        isEnabled())
        Q_EMIT clicked(m_index);
}
