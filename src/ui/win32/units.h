// ui/win32: twips (the model's unit) to and from pixels at a given DPI, and
// where the DPI comes from. 15 twips make a pixel at 96 DPI.
#pragma once

#include <windows.h>

#include "ui/controls.h"

namespace orvenda::ui::win32 {

// Nearest pixel; NaN reads as 0 and absurd values are clamped to what a
// window position or size can hold.
int toPixels(float twips, unsigned dpi);
float toTwips(int pixels, unsigned dpi);
// A rectangle in twips to left/top/right/bottom pixels, and back.
RECT toPixels(const Bounds& twips, unsigned dpi);
Bounds toTwips(const RECT& pixels, unsigned dpi);

// The DPI the window is drawn at (GetDpiForWindow where the system has it).
unsigned windowDpi(HWND window);
// The DPI of the primary screen, for windows that do not exist yet.
unsigned systemDpi();
unsigned monitorDpi(HMONITOR monitor);

}  // namespace orvenda::ui::win32
