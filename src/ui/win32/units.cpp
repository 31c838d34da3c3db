// ui/win32: unit conversions and DPI queries. GetDpiForWindow,
// GetDpiForSystem and AdjustWindowRectExForDpi are looked up at run time so
// that the program still starts where they are missing.
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

RECT toPixels(const Bounds& b, unsigned dpi) { return rect(framePixels(b, dpi, dpi)); }

RECT frameToPixels(const Bounds& b, unsigned windowDpi) {
    return rect(framePixels(b, systemDpi(), windowDpi));
}

Bounds frameToTwips(const RECT& r, unsigned windowDpi) {
    return frameTwips(pixelRect(r), systemDpi(), windowDpi);
}

Bounds screenToTwips(const RECT& r) { return screenAreaTwips(pixelRect(r), systemDpi()); }

unsigned systemDpi() {
    // GetDpiForSystem where there is one (Windows 10): asking the screen
    // makes Wine look at every display first. Otherwise the screen's pixels
    // per inch, which for a DPI-aware program is the system DPI on every
    // version of Windows.
    static const unsigned dpi = [] {
        using Fn = UINT(WINAPI*)();
        if (const Fn f = lookup<Fn>(L"user32.dll", "GetDpiForSystem"))
            if (const UINT d = f()) return unsigned(d);
        HDC screen = GetDC(nullptr);
        const int d = GetDeviceCaps(screen, LOGPIXELSX);
        if (screen) ReleaseDC(nullptr, screen);
        return unsigned(d);
    }();
    return dpi;
}

SIZE frameSize(DWORD style, DWORD exStyle, unsigned dpi) {
    using Fn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static const Fn f = lookup<Fn>(L"user32.dll", "AdjustWindowRectExForDpi");
    RECT r{};
    if (!f || !f(&r, style, FALSE, exStyle, dpi)) AdjustWindowRectEx(&r, style, FALSE, exStyle);
    return {r.right - r.left, r.bottom - r.top};
}

unsigned windowDpi(HWND window) {
    using Fn = UINT(WINAPI*)(HWND);
    static const Fn f = lookup<Fn>(L"user32.dll", "GetDpiForWindow");
    if (f)
        if (const UINT dpi = f(window)) return dpi;  // 0 for no window
    return systemDpi();
}

}  // namespace orvenda::ui::win32
