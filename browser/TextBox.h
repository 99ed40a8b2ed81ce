#pragma once

#include <QLineEdit>

// A single-line box that selects its whole text whenever it gains the focus (by Tab, by a
// click or from code; not when its completion list or the window gets it back) and reports
// Enter, with any modifier, before handling the key itself, and Escape alone while no suggestion
// list is open. Every editing key of the desktop's habits edits the text, before any shortcut of
// the window.
class TextBox final : public QLineEdit {
    Q_OBJECT
public:
    explicit TextBox(QWidget* parent = nullptr);

    // The box's own rule wins over any rule of a skin applied to the window.
    void setBackColor(const QColor& color);

    // The box is the user's for typing: they put the focus there (click, Tab, a key) or typed
    // in it, or the window handed it to them with holdFocus(), and it is still the window's
    // focus (also while another program is active).
    bool isHeld() const;
    // Gives the box the focus for the user to type into.
    void holdFocus();

Q_SIGNALS:
    void enterPressed();
    void escapePressed();

protected:
    bool event(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool m_selectAfterClick = false;
    bool m_held = false;
};
