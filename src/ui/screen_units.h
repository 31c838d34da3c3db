// ui: a window's outer frame in twips to and from screen pixels, in one
// coordinate space for all monitors. Platform free; the Win32 peer and the
// window manager use it, and tests drive it with monitors of their own.
//
// With monitors of different scaling, a monitor's pixels are not the same
// size everywhere, but positions must still compare across monitors: left
// and top are converted with the system DPI (the primary monitor's), width
// and height with the DPI of the monitor the window is on, so a window keeps
// its physical size on the monitor where it was closed. Monitor rectangles
// are converted with the system DPI too, like positions.
#pragma once

#include "ui/controls.h"

namespace orvenda::ui {

struct PixelRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const PixelRect&) const = default;
};

// Nearest pixel; NaN reads as 0 and absurd values are clamped to what a
// window position or size can hold. 15 twips make a pixel at 96 DPI.
int twipsToPixels(float twips, unsigned dpi);
float pixelsToTwips(int pixels, unsigned dpi);

PixelRect framePixels(const Bounds& twips, unsigned systemDpi, unsigned windowDpi);
Bounds frameTwips(const PixelRect& pixels, unsigned systemDpi, unsigned windowDpi);

// A monitor's whole or work area.
Bounds screenAreaTwips(const PixelRect& pixels, unsigned systemDpi);

}  // namespace orvenda::ui
