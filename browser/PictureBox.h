#pragma once

#include "browser/SolidSurface.h"

// A plain surface holding other controls; reports double-clicks on itself (not on the
// controls it holds).
class PictureBox final : public SolidSurface {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);

Q_SIGNALS:
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};
