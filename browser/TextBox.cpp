#include "browser/TextBox.h"

#include <QAbstractItemView>
#include <QColor>
#include <QCompleter>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>

namespace {
// The box never lost the focus to its own completion list or to another program.
bool keepsTheBox(Qt::FocusReason reason) {
    return reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason;
}
} // namespace

TextBox::TextBox(QWidget* parent)
    : QLineEdit(parent) {}

bool TextBox::event(QEvent* event) {
    // Qt's box claims Ctrl+U and Ctrl+E of the X11 habits ahead of the window's shortcuts, but
    // not Ctrl+K and Ctrl+D: those would go to the search box and to 添加到收藏夹 mid-typing.
    // Ctrl+D only while the person edits the box: over the page's address, as a new window
    // shows it, it adds the favorite, as in every browser, instead of deleting the address.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool addFavorite = key->key() == Qt::Key_D && !isModified();
        if (key->matches(QKeySequence::DeleteEndOfLine) ||
            (key->matches(QKeySequence::Delete) && !addFavorite)) {
            event->accept();
            return true;
        }
    }
    return QLineEdit::event(event);
}

void TextBox::setBackColor(const QColor& color) {
    setStyleSheet(QStringLiteral("TextBox { background-color: %1; }").arg(color.name()));
}

bool TextBox::isHeld() const {
    return m_held && window()->focusWidget() == this;
}

void TextBox::holdFocus() {
    m_held = true;
    setFocus(Qt::OtherFocusReason);
    // The window may not be active yet: its focus then arrives as a window activation, which
    // leaves the text as it is, so the selection is made here.
    selectAll();
}

void TextBox::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (keepsTheBox(event->reason()))
        return; // the text being typed stays as it is
    const Qt::FocusReason reason = event->reason();
    if (reason == Qt::MouseFocusReason || reason == Qt::TabFocusReason ||
        reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason)
        m_held = true;
    selectAll();
    // The click that brought the focus would put the caret at the mouse; keep the selection.
    m_selectAfterClick = reason == Qt::MouseFocusReason;
}

void TextBox::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (!keepsTheBox(event->reason()))
        m_held = false;
}

void TextBox::mousePressEvent(QMouseEvent* event) {
    m_held = true; // also when the box had the focus already
    QLineEdit::mousePressEvent(event);
}

void TextBox::mouseReleaseEvent(QMouseEvent* event) {
    QLineEdit::mouseReleaseEvent(event);
    if (m_selectAfterClick && !hasSelectedText())
        selectAll();
    m_selectAfterClick = false;
}

void TextBox::keyPressEvent(QKeyEvent* event) {
    m_held = true;
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        Q_EMIT enterPressed();
    // With the suggestion list open, Escape only closes the list.
    const bool listOpen = completer() && completer()->popup() && completer()->popup()->isVisible();
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && !listOpen)
        Q_EMIT escapePressed();
    QLineEdit::keyPressEvent(event);
}
