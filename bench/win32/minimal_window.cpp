// The yardsticks for start-up: a Win32 program that registers a class,
// creates one window, shows it and runs its message loop. Started with the
// argument "controls" it also creates the standard controls that the compose
// window shows at start (10 static texts, 11 edit fields of which 2 are
// multi-line, 6 check boxes, 7 push buttons, a group box and a status bar),
// with no behaviour behind them, the edits with the compose window's sunken
// edge: the floor for a window of those controls. With "fonts" as well, the
// controls get the compose window's fonts (the dialog face at 8 points, the
// title's bold 12 points) instead of the system font: the floor for the
// window the user sees. With "flat", the edits have a plain one-pixel line
// instead of the edge, which costs less under Wine (the yardstick of earlier
// figures).
#include <windows.h>
#include <commctrl.h>
#include <wchar.h>

static LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

static void addControls(HWND parent, HINSTANCE instance) {
    // The common controls only in this mode, so that the one-window program
    // loads no more than it needs.
    using Init = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES};
    if (HMODULE comctl = LoadLibraryW(L"comctl32.dll"))
        if (auto init = reinterpret_cast<Init>(reinterpret_cast<void*>(GetProcAddress(comctl, "InitCommonControlsEx"))))
            init(&icc);
    HFONT face = nullptr, title = nullptr;
    if (wcsstr(GetCommandLineW(), L"fonts")) {
        HDC screen = GetDC(nullptr);
        const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
        face = CreateFontW(-MulDiv(8, dpi, 72), 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                           L"MS Shell Dlg");
        title = CreateFontW(-MulDiv(12, dpi, 72), 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                            L"MS Shell Dlg");
    }
    // The edits' sunken edge, drawn by the visual style, is the compose
    // window's own; "flat" gives them a plain line instead.
    const DWORD edge = wcsstr(GetCommandLineW(), L"flat") ? 0 : WS_EX_CLIENTEDGE;
    auto add = [&](const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w, int h,
                   bool isTitle = false) {
        const bool edit = !lstrcmpW(cls, L"EDIT");
        if (edit && !edge) style |= WS_BORDER;
        HWND c = CreateWindowExW(edit ? edge : 0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                                 nullptr, instance, nullptr);
        if (face) SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(isTitle ? title : face), FALSE);
    };
    add(L"STATIC", L"Title", SS_CENTER, 4, 4, 60, 20, true);
    for (int i = 1; i < 10; ++i) add(L"STATIC", L"Label", SS_RIGHT, 4, 4 + 24 * i, 60, 20);
    for (int i = 0; i < 9; ++i) add(L"EDIT", L"text", WS_TABSTOP | ES_AUTOHSCROLL, 70, 4 + 24 * i, 300, 20);
    for (int i = 0; i < 2; ++i)
        add(L"EDIT", L"text", WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL, 4, 250 + 130 * i, 880, 120);
    for (int i = 0; i < 6; ++i) add(L"BUTTON", L"Tick", WS_TABSTOP | BS_CHECKBOX, 400, 4 + 24 * i, 100, 20);
    for (int i = 0; i < 7; ++i) add(L"BUTTON", L"Button", WS_TABSTOP | BS_PUSHBUTTON, 520, 4 + 30 * i, 100, 26);
    add(L"BUTTON", L"Frame", BS_GROUPBOX, 640, 4, 200, 60);
    add(STATUSCLASSNAMEW, L"Status", SBARS_SIZEGRIP, 0, 0, 0, 0);
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR args, int show) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"MinimalWindow";
    RegisterClassW(&wc);
    HWND hwnd = CreateWindowExW(0, L"MinimalWindow", L"Minimal", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                CW_USEDEFAULT, 905, 550, nullptr, nullptr, instance, nullptr);
    if (wcsstr(args, L"controls")) addControls(hwnd, instance);
    ShowWindow(hwnd, show);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
