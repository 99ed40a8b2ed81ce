#pragma once

#include <QLabel>

// One element of the tool bar image array: a picture that reports a click with its index.
// A disabled element receives no mouse input and so ignores clicks.
class ImageButton final : public QLabel {
    Q_OBJECT
public:
    ImageButton(int index, QWidget* parent = nullptr);

    int index() const { return m_index; }
    // Draws an SVG picture at the element's size in device pixels.
    void setPicture(const QString& svgPath, const QSize& size);

Q_SIGNALS:
    void clicked(int index);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int m_index;
};
