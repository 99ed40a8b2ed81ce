#pragma once

#include <QLineEdit>

// A single-line box that selects its whole text whenever it gains the focus (by Tab, by a
// click or from code; not when its completion list or the window gets it back) and reports
// Enter, with any modifier, before handling the key itself.
class TextBox final : public QLineEdit {
    Q_OBJECT
public:
    explicit TextBox(QWidget* parent = nullptr);

    // The box's own rule wins over any rule of a skin applied to the window.
    void setBackColor(const QColor& color);

Q_SIGNALS:
    void enterPressed();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool m_selectAfterClick = false;
};
