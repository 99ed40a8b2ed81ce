#include "platform/ZoomSteps.h"

#include <iterator>

namespace {
constexpr int kSteps[] = {25,  33,  50,  67,  75,  80,  90,  100, 110,
                          125, 150, 175, 200, 250, 300, 400, 500};
} // namespace

int nextZoomStep(int currentPercent, int direction) {
    if (direction > 0) {
        for (const int step : kSteps) {
            if (step > currentPercent)
                return step;
        }
    } else if (direction < 0) {
        for (auto step = std::rbegin(kSteps); step != std::rend(kSteps); ++step) {
            if (*step < currentPercent)
                return *step;
        }
    }
    return currentPercent;
}
