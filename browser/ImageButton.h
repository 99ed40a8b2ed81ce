#pragma once

#include <QLabel>

// One element of the tool bar image array: a picture that reports a click with its index.
// A disabled element receives no mouse input and so ignores clicks.
class ImageButton final : public QLabel {
    Q_OBJECT
public:
    ImageButton(int index, QWidget* parent = nullptr);

    int index() const { return m_index; }

Q_SIGNALS:
    void clicked(int index);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int m_index;
};
