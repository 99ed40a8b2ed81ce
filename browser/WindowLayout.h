#pragma once

#include <QRect>

// Geometry of one control in twips (1/1440 inch), relative to its container.
struct TwipRect {
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
};

// The laid-out controls of a browser window.
struct WindowGeometry {
    TwipRect picMainToolBar;
    TwipRect imgBack;    // tool bar element 1
    TwipRect imgForward; // element 2
    TwipRect picBar1;
    TwipRect txtURL;
    TwipRect imgRefresh; // element 4
    TwipRect imgStop;    // element 3
    TwipRect picBar2;
    TwipRect txtSearch;
    TwipRect imgSearch;       // element 92
    TwipRect imgSearchEngine; // element 93
    TwipRect picMainWeb;
    TwipRect webMain;
};

constexpr float kTwipsPerPixel = 15.0f;

// The geometry the window is designed with.
WindowGeometry designGeometry();

// Lays the controls out again for a client area of width by height twips, step by step in
// single precision; each step reads what earlier steps wrote. A negative result is rejected
// and the control keeps its previous value, so a minimised window (0 x 0) changes nothing.
void layoutWindow(WindowGeometry& geometry, float width, float height);

QRect toPixels(const TwipRect& rect);
