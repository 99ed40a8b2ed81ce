#include "PictureBox.h"

#include <QMouseEvent>

PictureBox::PictureBox(QWidget* parent)
    : QWidget(parent) {
    setAutoFillBackground(true);
}

void PictureBox::setBackColor(const QColor& color) {
    QPalette pal = palette();
    pal.setColor(QPalette::Window, color);
    setPalette(pal);
}

QColor PictureBox::backColor() const {
    return palette().color(QPalette::Window);
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    Q_EMIT doubleClicked();
}
