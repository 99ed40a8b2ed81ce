#include "browser/PictureBox.h"

#include <QMouseEvent>

PictureBox::PictureBox(QWidget* parent)
    : SolidSurface(parent) {}

void PictureBox::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    Q_EMIT doubleClicked();
}
