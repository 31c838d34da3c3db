// ui/win32: unit conversions and DPI queries. The newer DPI functions are
// looked up at run time so that the program still starts where they are
// missing.
#include "ui/win32/units.h"

#include <algorithm>
#include <cmath>

namespace orvenda::ui::win32 {

namespace {

constexpr double kMaxPixels = 1'000'000;

template <class F>
F lookup(const wchar_t* module, const char* name) {
    HMODULE m = GetModuleHandleW(module);
    if (!m) m = LoadLibraryW(module);
    return m ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(m, name))) : nullptr;
}

}  // namespace

int toPixels(float twips, unsigned dpi) {
    double px = double(twips) * dpi / 1440.0;
    if (std::isnan(px)) return 0;
    return static_cast<int>(std::lround(std::clamp(px, -kMaxPixels, kMaxPixels)));
}

float toTwips(int pixels, unsigned dpi) {
    return static_cast<float>(pixels * 1440.0 / (dpi ? dpi : 96));
}

RECT toPixels(const Bounds& b, unsigned dpi) {
    int left = toPixels(b.left, dpi), top = toPixels(b.top, dpi);
    int width = std::max(0, toPixels(b.width, dpi)), height = std::max(0, toPixels(b.height, dpi));
    return RECT{left, top, left + width, top + height};
}

Bounds toTwips(const RECT& r, unsigned dpi) {
    return Bounds{toTwips(r.left, dpi), toTwips(r.top, dpi), toTwips(r.right - r.left, dpi),
                  toTwips(r.bottom - r.top, dpi)};
}

unsigned systemDpi() {
    static const unsigned dpi = [] {
        using Fn = UINT(WINAPI*)();
        if (auto f = lookup<Fn>(L"user32.dll", "GetDpiForSystem")) return unsigned(f());
        HDC dc = GetDC(nullptr);
        unsigned d = dc ? unsigned(GetDeviceCaps(dc, LOGPIXELSX)) : 96;
        if (dc) ReleaseDC(nullptr, dc);
        return d ? d : 96;
    }();
    return dpi;
}

unsigned windowDpi(HWND window) {
    using Fn = UINT(WINAPI*)(HWND);
    static const Fn f = lookup<Fn>(L"user32.dll", "GetDpiForWindow");
    unsigned dpi = f && window ? unsigned(f(window)) : 0;
    return dpi ? dpi : systemDpi();
}

unsigned monitorDpi(HMONITOR monitor) {
    using Fn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    static const Fn f = lookup<Fn>(L"shcore.dll", "GetDpiForMonitor");
    UINT x = 0, y = 0;
    if (f && monitor && SUCCEEDED(f(monitor, 0 /* MDT_EFFECTIVE_DPI */, &x, &y)) && x) return x;
    return systemDpi();
}

}  // namespace orvenda::ui::win32
