// ui/win32: unit conversions and DPI queries. The newer DPI functions are
// looked up at run time so that the program still starts where they are
// missing.
#include "ui/win32/units.h"

namespace orvenda::ui::win32 {

namespace {

template <class F>
F lookup(const wchar_t* module, const char* name) {
    HMODULE m = GetModuleHandleW(module);
    if (!m) m = LoadLibraryW(module);
    return m ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(m, name))) : nullptr;
}

RECT rect(const PixelRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
PixelRect pixelRect(const RECT& r) { return PixelRect{r.left, r.top, r.right, r.bottom}; }

}  // namespace

int toPixels(float twips, unsigned dpi) { return twipsToPixels(twips, dpi); }

float toTwips(int pixels, unsigned dpi) { return pixelsToTwips(pixels, dpi); }

RECT toPixels(const Bounds& b, unsigned dpi) { return rect(framePixels(b, dpi, dpi)); }

Bounds toTwips(const RECT& r, unsigned dpi) { return frameTwips(pixelRect(r), dpi, dpi); }

RECT frameToPixels(const Bounds& b, unsigned windowDpi) {
    return rect(framePixels(b, systemDpi(), windowDpi));
}

Bounds frameToTwips(const RECT& r, unsigned windowDpi) {
    return frameTwips(pixelRect(r), systemDpi(), windowDpi);
}

Bounds screenToTwips(const RECT& r) { return screenAreaTwips(pixelRect(r), systemDpi()); }

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

}  // namespace orvenda::ui::win32
