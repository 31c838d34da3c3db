// ui/win32: twips (the model's unit) to and from pixels at a given DPI, and
// where the DPI comes from. 15 twips make a pixel at 96 DPI. The rule for
// outer frames and monitors is in ui/screen_units.h.
#pragma once

#include <windows.h>

#include "ui/screen_units.h"

namespace orvenda::ui::win32 {

// A rectangle in twips to left/top/right/bottom pixels.
RECT toPixels(const Bounds& twips, unsigned dpi);
// A window's outer frame in screen coordinates: left and top at the system
// DPI, width and height at the DPI of the monitor the window is on.
RECT frameToPixels(const Bounds& twips, unsigned windowDpi);
Bounds frameToTwips(const RECT& pixels, unsigned windowDpi);
// A monitor's area in the same coordinate space.
Bounds screenToTwips(const RECT& pixels);

// The frame the system draws around the client area of a window of this
// style at this DPI: width and height of the border, caption included.
SIZE frameSize(DWORD style, DWORD exStyle, unsigned dpi);

// The DPI the window is drawn at (GetDpiForWindow where the system has it).
unsigned windowDpi(HWND window);
// The DPI of the primary screen, for windows that do not exist yet.
unsigned systemDpi();

}  // namespace orvenda::ui::win32
