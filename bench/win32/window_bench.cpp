// The compose window alone, in a process that is already running: built
// with its load steps, shown and painted until the message queue is empty,
// then closed; and in turn the limit's controls (the same standard controls
// with the same fonts, no behaviour) the same way. Without the process
// start-up around it, and taking the quickest tenth of many rounds, the cost
// of the window itself stands out of a busy machine's noise.
//
// usage: window_bench ROUNDS
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/program.h"
#include "names/window_names.h"
#include "platform/ansi_files.h"
#include "platform/launch.h"
#include "platform/services.h"
#include "settings/settings.h"
#include "ui/win32/backend.h"

using namespace orvenda;

namespace {

double nowMs() {
    static LARGE_INTEGER f = [] {
        LARGE_INTEGER q;
        QueryPerformanceFrequency(&q);
        return q;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return 1000.0 * double(t.QuadPart) / double(f.QuadPart);
}

// Everything queued, paints included, handled; a quit posted by the last
// unload ends nothing here.
void drain() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        if (msg.message != WM_QUIT) ui::win32::Win32Backend::handleMessage(msg);
}

LRESULT CALLBACK limitProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) { return DefWindowProcW(hwnd, msg, wp, lp); }

// As bench/win32/minimal_window.cpp with "controls fonts".
HWND limitWindow(HFONT face, HFONT title) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HWND parent = CreateWindowExW(0, L"LimitWindow", L"Limit", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                  905, 550, nullptr, nullptr, instance, nullptr);
    auto add = [&](const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w, int h, HFONT font) {
        const DWORD edge = lstrcmpW(cls, L"EDIT") ? 0 : WS_EX_CLIENTEDGE;
        HWND c = CreateWindowExW(edge, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent, nullptr,
                                 instance, nullptr);
        SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    };
    add(L"STATIC", L"Title", SS_CENTER, 4, 4, 60, 20, title);
    for (int i = 1; i < 10; ++i) add(L"STATIC", L"Label", SS_RIGHT, 4, 4 + 24 * i, 60, 20, face);
    for (int i = 0; i < 9; ++i) add(L"EDIT", L"text", WS_TABSTOP | ES_AUTOHSCROLL, 70, 4 + 24 * i, 300, 20, face);
    for (int i = 0; i < 2; ++i)
        add(L"EDIT", L"text", WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL, 4, 250 + 130 * i, 880, 120,
            face);
    for (int i = 0; i < 6; ++i) add(L"BUTTON", L"Tick", WS_TABSTOP | BS_CHECKBOX, 400, 4 + 24 * i, 100, 20, face);
    for (int i = 0; i < 7; ++i) add(L"BUTTON", L"Button", WS_TABSTOP | BS_PUSHBUTTON, 520, 4 + 30 * i, 100, 26, face);
    add(L"BUTTON", L"Frame", BS_GROUPBOX, 640, 4, 200, 60, face);
    add(STATUSCLASSNAMEW, L"Status", SBARS_SIZEGRIP, 0, 0, 0, 0, face);
    ShowWindow(parent, SW_SHOW);
    return parent;
}

double quantile(std::vector<double> v, double q) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[size_t(q * double(v.size() - 1))];
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 50;
    // The pointer out of both windows' way, in the screen's bottom left
    // corner: the compose window comes up at its stored place, under the
    // middle of the screen, the limit's at the system's default place, beside
    // it, and a window under the pointer gets the pointer's messages.
    SetCursorPos(0, GetSystemMetrics(SM_CYSCREEN) - 1);
    std::unique_ptr<settings::Store> store = settings::openUserStore();
    settings::Settings settings(*store);
    std::unique_ptr<platform::Launcher> launcher = platform::makeSystemLauncher();
    std::unique_ptr<platform::AnsiTextFiles> files = platform::makeSystemAnsiTextFiles();
    platform::Services services{settings, *launcher, *files};
    ui::win32::Win32Backend backend;

    WNDCLASSW wc{};
    wc.lpfnWndProc = limitProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"LimitWindow";
    RegisterClassW(&wc);
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    HFONT face = CreateFontW(-MulDiv(8, dpi, 72), 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                             L"MS Shell Dlg");
    HFONT title = CreateFontW(-MulDiv(12, dpi, 72), 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                              L"MS Shell Dlg");

    // "compose" or "limit" as a second argument builds only that window, each
    // round between two look-ups of atoms that a trace of Wine's server shows.
    const std::string only = argc > 2 ? argv[2] : "";
    auto mark = [](const wchar_t* what) { GlobalFindAtomW(what); };
    std::vector<double> compose, limit;
    for (int r = -2; r < rounds; ++r) {
        if (only != "limit") {
            mark(L"bench.compose.begin");
            ui::Application app(backend);
            app::defineWindows(app, services);
            const double t0 = nowMs();
            {
                const auto keptOpen = store->keepOpen();
                app::start(app);
            }
            drain();
            const double t1 = nowMs();
            if (r >= 0) compose.push_back(t1 - t0);
            mark(L"bench.compose.shown");
            app.dispatch([&app] { app.form(names::kMainWindow).unload(); });
            drain();
        }
        if (only == "compose") continue;
        mark(L"bench.limit.begin");
        const double t0 = nowMs();
        HWND w = limitWindow(face, title);
        drain();
        const double t1 = nowMs();
        if (r >= 0) limit.push_back(t1 - t0);
        mark(L"bench.limit.shown");
        DestroyWindow(w);
        drain();
    }
    if (!only.empty()) return 0;
    std::printf("%-28s %8s %8s %8s %8s\n", "ms per window, warm", "min", "q10", "q25", "median");
    for (auto [name, v] : {std::pair{"compose window", &compose}, std::pair{"limit's controls", &limit}})
        std::printf("%-28s %8.2f %8.2f %8.2f %8.2f\n", name, quantile(*v, 0), quantile(*v, 0.1), quantile(*v, 0.25),
                    quantile(*v, 0.5));
    std::printf("%-28s %8.3f %8.3f %8.3f %8.3f\n", "ratio", quantile(compose, 0) / quantile(limit, 0),
                quantile(compose, 0.1) / quantile(limit, 0.1), quantile(compose, 0.25) / quantile(limit, 0.25),
                quantile(compose, 0.5) / quantile(limit, 0.5));
    return 0;
}
