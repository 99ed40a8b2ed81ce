#include "browser/WindowLayout.h"

#include <cmath>

namespace {
void assign(float& property, float value) {
    if (value >= 0)
        property = value;
}

int pixels(float twips) {
    return int(std::lround(twips / kTwipsPerPixel));
}
} // namespace

WindowGeometry designGeometry() {
    WindowGeometry g;
    g.picMainToolBar = {0, 0, 13515, 465};
    g.imgBack = {75, 45, 360, 360};
    g.imgForward = {510, 45, 360, 360};
    g.picBar1 = {1080, 0, 6720, 420};
    g.txtURL = {45, 30, 5775, 330};
    g.imgRefresh = {6075, 90, 240, 240};
    g.imgStop = {6390, 90, 240, 240};
    g.picBar2 = {8055, 0, 4470, 420};
    g.txtSearch = {90, 30, 3660, 330};
    g.imgSearch = {3825, 90, 240, 240};
    g.imgSearchEngine = {4140, 90, 195, 195};
    g.picMainWeb = {135, 630, 6360, 5595};
    g.webMain = {360, 1035, 5670, 3570};
    return g;
}

void layoutWindow(WindowGeometry& g, float W, float H) {
    assign(g.picMainToolBar.top, 0);
    assign(g.picMainToolBar.left, 0);
    assign(g.picMainToolBar.width, W - 5);
    assign(g.picBar1.top, g.imgBack.top);
    assign(g.picBar1.left, g.imgForward.left + g.imgForward.width);
    assign(g.picBar1.width,
           g.picMainToolBar.width - g.picBar2.width - g.imgForward.left - g.imgForward.width);
    assign(g.picBar2.top, g.picBar1.top);
    assign(g.picBar2.left, g.picBar1.left + g.picBar1.width);
    assign(g.imgStop.left, g.picBar1.width - g.imgStop.width - 200);
    assign(g.imgRefresh.left, g.imgStop.left - g.imgStop.width - 50);
    assign(g.txtURL.width, g.imgRefresh.left - g.txtURL.left - 60);
    assign(g.picMainWeb.top, g.picMainToolBar.top + g.picMainToolBar.height);
    assign(g.picMainWeb.left, 0);
    assign(g.picMainWeb.width, g.picMainToolBar.width - 10);
    assign(g.picMainWeb.height, H - g.picMainToolBar.height);
    assign(g.webMain.left, 0);
    assign(g.webMain.top, 0);
    assign(g.webMain.width, g.picMainWeb.width - 5);
    assign(g.webMain.height, g.picMainWeb.height);
}

QRect toPixels(const TwipRect& r) {
    return QRect(pixels(r.left), pixels(r.top), pixels(r.width), pixels(r.height));
}
