// ui: twips and screen pixels for outer frames and monitors.
#include "ui/screen_units.h"

#include <algorithm>
#include <cmath>

namespace orvenda::ui {

namespace {

constexpr double kMaxPixels = 1'000'000;

}  // namespace

int twipsToPixels(float twips, unsigned dpi) {
    const double px = double(twips) * dpi / 1440.0;
    if (std::isnan(px)) return 0;
    return static_cast<int>(std::lround(std::clamp(px, -kMaxPixels, kMaxPixels)));
}

float pixelsToTwips(int pixels, unsigned dpi) {
    return static_cast<float>(pixels * 1440.0 / (dpi ? dpi : 96));
}

PixelRect framePixels(const Bounds& b, unsigned systemDpi, unsigned windowDpi) {
    const int left = twipsToPixels(b.left, systemDpi), top = twipsToPixels(b.top, systemDpi);
    return {left, top, left + std::max(0, twipsToPixels(b.width, windowDpi)),
            top + std::max(0, twipsToPixels(b.height, windowDpi))};
}

Bounds frameTwips(const PixelRect& r, unsigned systemDpi, unsigned windowDpi) {
    return {pixelsToTwips(r.left, systemDpi), pixelsToTwips(r.top, systemDpi),
            pixelsToTwips(r.right - r.left, windowDpi), pixelsToTwips(r.bottom - r.top, windowDpi)};
}

Bounds screenAreaTwips(const PixelRect& r, unsigned systemDpi) { return frameTwips(r, systemDpi, systemDpi); }

}  // namespace orvenda::ui
