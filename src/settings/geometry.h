// settings: a window's outer frame to and from its four geometry keys.
#pragma once

#include "settings/settings.h"
#include "ui/form.h"

namespace orvenda::settings {

// Reads left, top, width and height in that order and applies them; a
// window that would open wholly off every monitor is moved onto the nearest.
// The sizes are taken to hold the window's classic frame, its default size
// less its laid-out client area, whatever frame this system draws.
void restoreGeometry(ui::Form& form, Settings& settings, const GeometryKeys& keys);
// Writes left, top, width and height in that order.
void storeGeometry(const ui::Form& form, Settings& settings, const GeometryKeys& keys);

}  // namespace orvenda::settings
