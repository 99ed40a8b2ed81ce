#include "TextBox.h"

#include <QColor>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>

TextBox::TextBox(QWidget* parent)
    : QLineEdit(parent) {}

void TextBox::setBackColor(const QColor& color) {
    setStyleSheet(QStringLiteral("TextBox { background-color: %1; }").arg(color.name()));
}

void TextBox::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    // The box never lost the focus to its own completion list or to another program: the
    // text being typed stays as it is.
    if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason)
        return;
    selectAll();
    // The click that brought the focus would put the caret at the mouse; keep the selection.
    m_selectAfterClick = event->reason() == Qt::MouseFocusReason;
}

void TextBox::mouseReleaseEvent(QMouseEvent* event) {
    QLineEdit::mouseReleaseEvent(event);
    if (m_selectAfterClick && !hasSelectedText())
        selectAll();
    m_selectAfterClick = false;
}

void TextBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        Q_EMIT enterPressed();
    QLineEdit::keyPressEvent(event);
}
