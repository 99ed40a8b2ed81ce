#pragma once

#include <QColor>
#include <QWidget>

// A surface that paints its own back colour. Style sheets and palettes never repaint it, so
// no skin can change the colour the window sets.
class SolidSurface : public QWidget {
    Q_OBJECT
public:
    explicit SolidSurface(QWidget* parent = nullptr);

    void setBackColor(const QColor& color);
    QColor backColor() const { return m_backColor; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_backColor{Qt::white};
};
