// Benchmark reference: the smallest ordinary Win32 program with a window and
// a handful of standard controls, carrying the same manifest and icon as
// orvenda.exe. startup_bench compares the two programs' start-up.
#include <windows.h>

namespace {

LRESULT CALLBACK proc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(h, m, w, l);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE inst, HINSTANCE, PWSTR, int) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = inst;
    wc.lpszClassName = L"MINIMAL";
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    RegisterClassW(&wc);
    HWND h = CreateWindowW(L"MINIMAL", L"MINIMAL", WS_OVERLAPPEDWINDOW, 67, 67, 905, 550, nullptr,
                           nullptr, inst, nullptr);
    for (int i = 0; i < 8; ++i)
        CreateWindowW(L"EDIT", L"text", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10 + 25 * i, 200, 20, h,
                      nullptr, inst, nullptr);
    CreateWindowW(L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE, 300, 10, 80, 25, h, nullptr, inst, nullptr);
    ShowWindow(h, SW_SHOW);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
