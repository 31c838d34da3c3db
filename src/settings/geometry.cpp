// settings: geometry keys of a window.
#include "settings/geometry.h"

namespace orvenda::settings {

void restoreGeometry(ui::Form& form, Settings& settings, const GeometryKeys& keys) {
    const ui::Bounds client = form.clientArea();
    form.setStoredFrame(keys.width.fallback - client.width, keys.height.fallback - client.height);
    ui::Bounds outer;
    outer.left = settings.read(keys.left);
    outer.top = settings.read(keys.top);
    outer.width = settings.read(keys.width);
    outer.height = settings.read(keys.height);
    form.setGeometry(outer);
    form.keepOnScreen();
}

void storeGeometry(const ui::Form& form, Settings& settings, const GeometryKeys& keys) {
    settings.write(keys.left, form.left());
    settings.write(keys.top, form.top());
    settings.write(keys.width, form.width());
    settings.write(keys.height, form.height());
}

}  // namespace orvenda::settings
