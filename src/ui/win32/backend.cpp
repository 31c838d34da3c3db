// ui/win32: the process-level backend: the window manager's calls, the
// message loop and the modal loop, and the failure message box. The native
// windows themselves live in form_window.cpp.
#include "ui/win32/backend.h"

#include <windows.h>
#include <commctrl.h>

#include "platform/win32/text.h"
#include "ui/win32/form_window.h"
#include "ui/win32/units.h"

namespace orvenda::ui::win32 {

// --- Win32WindowManager ---

WindowHandle Win32WindowManager::GetForegroundWindow() {
    return reinterpret_cast<WindowHandle>(::GetForegroundWindow());
}

std::string Win32WindowManager::windowClass(WindowHandle window) {
    wchar_t name[256];
    const int n = ::GetClassNameW(reinterpret_cast<HWND>(window), name, 256);
    return narrow(std::wstring(name, n > 0 ? n : 0));
}

void Win32WindowManager::SetWindowPos(WindowHandle window, WindowHandle insertAfter, int x, int y,
                                      int cx, int cy, unsigned flags) {
    ::SetWindowPos(reinterpret_cast<HWND>(window), reinterpret_cast<HWND>(insertAfter), x, y, cx, cy,
                   flags);
}

// Monitors in the coordinate space of window positions (system DPI).
std::vector<Monitor> Win32WindowManager::monitors() {
    std::vector<std::pair<HMONITOR, MONITORINFO>> found;
    EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR m, HDC, LPRECT, LPARAM data) -> BOOL {
            MONITORINFO mi{};
            mi.cbSize = sizeof mi;
            if (GetMonitorInfoW(m, &mi))
                reinterpret_cast<std::vector<std::pair<HMONITOR, MONITORINFO>>*>(data)->push_back({m, mi});
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    std::vector<Monitor> out;
    for (const auto& [m, mi] : found) out.push_back({screenToTwips(mi.rcMonitor), screenToTwips(mi.rcWork)});
    return out;
}

// --- Win32Backend ---

Win32Backend::Win32Backend() {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
}

Win32Backend::~Win32Backend() = default;

void Win32Backend::attach(Form& form) { new FormWindow(form); }

void Win32Backend::detach(Form& form) { delete formWindow(form); }

// A tool window shown on its own (the "@" launcher) does not take the
// input from the window the user works in.
void Win32Backend::show(Form& form) {
    if (auto* w = formWindow(form)) w->show(form.border() == Border::Sizable);
}

void Win32Backend::showModal(Form& form, Form& owner) {
    auto* w = formWindow(form);
    auto* o = formWindow(owner);
    if (!w) return;
    HWND ownerHwnd = o ? o->hwnd() : nullptr;
    // An ordinary window (the compose window over "@") gets no native owner:
    // it would share the owner's topmost standing and cover every other
    // program's window. The model keeps the owner disabled all the same.
    if (ownerHwnd && form.border() != Border::Sizable)
        SetWindowLongPtrW(w->hwnd(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(ownerHwnd));
    w->show(true);
    std::weak_ptr<int> alive = w->token();
    MSG msg;
    while (!alive.expired()) {
        int r = GetMessageW(&msg, nullptr, 0, 0);
        if (r <= 0) {
            if (r == 0) PostQuitMessage(int(msg.wParam));  // for the outer loop
            break;
        }
        handleMessage(msg);
    }
    // Back to the owner, unless it has gone or waits on a window of its own
    // (IsWindowEnabled is false for both, and for no owner).
    if (IsWindowEnabled(ownerHwnd)) SetForegroundWindow(ownerHwnd);
}

void Win32Backend::bringToFront(Form& form) {
    auto* w = formWindow(form);
    if (!w) return;
    if (IsIconic(w->hwnd())) ShowWindow(w->hwnd(), SW_RESTORE);
    SetForegroundWindow(w->hwnd());
}

void Win32Backend::quit() { PostQuitMessage(0); }

void Win32Backend::reportFailure(const Form* owner, const std::string& text) {
    HWND parent = nullptr;
    std::wstring caption = L"ORVENDA";
    if (owner) {
        if (auto* w = formWindow(*owner)) parent = w->hwnd();
        caption = wide(owner->caption());
    }
    MessageBoxW(parent, wide(text).c_str(), caption.c_str(), MB_OK | MB_ICONERROR);
}

void Win32Backend::handleMessage(MSG& msg) {
    // A window of one of the program's forms runs FormWindow::proc with its
    // FormWindow in GWLP_USERDATA, both read in the process itself.
    HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    if (root && reinterpret_cast<WNDPROC>(GetWindowLongPtrW(root, GWLP_WNDPROC)) == &FormWindow::proc &&
        GetWindowLongPtrW(root, GWLP_USERDATA) && IsDialogMessageW(root, &msg))
        return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

int Win32Backend::run() {
    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) handleMessage(msg);
    return int(msg.wParam);
}

}  // namespace orvenda::ui::win32
