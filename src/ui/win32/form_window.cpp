// ui/win32: the native top-level window of one form: its class and frame,
// placement in twips at the window's DPI, the creation of its controls in
// tab order, focus, and the routing of its messages to the control peers.
// Every user action enters the model through a `user...` method.
#include "ui/win32/form_window.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/win32/text.h"
#include "ui/win32/identity.h"
#include "ui/win32/units.h"

namespace orvenda::ui::win32 {

namespace {

constexpr UINT_PTR kClockTimer = 1;  // keeps status bar dates and times current

struct FrameStyle {
    DWORD style, exStyle;
};

FrameStyle frameStyle(Border border) {
    switch (border) {
    case Border::SizableTool:
        return {WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, WS_EX_TOOLWINDOW};
    case Border::FixedTool:
        return {WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, WS_EX_TOOLWINDOW};
    case Border::Sizable:
    default:
        return {WS_OVERLAPPEDWINDOW, WS_EX_APPWINDOW};
    }
}

// One window class per form, named after it (identity.h).
void registerClass(const std::wstring& name, bool withIcon) {
    HINSTANCE inst = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (GetClassInfoExW(inst, name.c_str(), &wc)) return;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &FormWindow::proc;
    wc.hInstance = inst;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = name.c_str();
    // Both sizes from the one resource. Left to the system, the small one
    // is a copy that looks the resource up again (2 ms of a cold start).
    if (withIcon) {
        wc.hIcon = LoadIconW(inst, MAKEINTRESOURCEW(1));
        wc.hIconSm = static_cast<HICON>(LoadImageW(inst, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                   GetSystemMetrics(SM_CXSMICON),
                                                   GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    }
    RegisterClassExW(&wc);
}

// Offset of workspace coordinates (GetWindowPlacement) from screen
// coordinates on the monitor the window is on.
POINT workspaceOrigin(HWND hwnd) {
    if (GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) return {};
    MONITORINFO mi{};  // no offset if the call fails
    mi.cbSize = sizeof mi;
    GetMonitorInfoW(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &mi);
    return {mi.rcWork.left - mi.rcMonitor.left, mi.rcWork.top - mi.rcMonitor.top};
}

}  // namespace

FormWindow* formWindow(const Form& form) { return dynamic_cast<FormWindow*>(form.peer); }

FormWindow::FormWindow(Form& form) : form_(form) {
    form.peer = this;
    const std::wstring cls = wide(form.name());
    registerClass(cls, form.border() == Border::Sizable);
    const FrameStyle fs = frameStyle(form.border());
    // The load steps have run: the window is made where they left it before
    // any control is made, so nothing is laid out twice. Window positions are
    // in system DPI; on a monitor of other scaling the size is stated again.
    dpi_ = systemDpi();
    const RECT r = outerPixels(form.geometry());
    stated_ = {r.right - r.left, r.bottom - r.top};
    beingMade_ = this;
    hwnd_ = CreateWindowExW(fs.exStyle | WS_EX_CONTROLPARENT, cls.c_str(), wide(form.caption()).c_str(),
                            fs.style, r.left, r.top, stated_.cx, stated_.cy, nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    beingMade_ = nullptr;
    if (!hwnd_) return;
    if ((dpi_ = windowDpi(hwnd_)) != systemDpi()) geometryChanged();

    // Tab order is creation order.
    const auto& controls = form.controls();
    bool clock = false;
    for (Control* c : form.tabOrder()) {
        const auto at = std::find_if(controls.begin(), controls.end(), [&](auto& p) { return p.get() == c; });
        auto peer = makePeer(*this, kFirstControlId + int(at - controls.begin()), *c);
        c->peer = peer.get();
        peer->create();
        clock = clock || c->kind() == Kind::StatusBar;
        peers_.push_back(std::move(peer));
    }
    if (clock) SetTimer(hwnd_, kClockTimer, 1000, nullptr);
    reportGeometry();
}

FormWindow::~FormWindow() {
    destroying_ = true;
    for (auto& p : peers_) p->model().peer = nullptr;
    form_.peer = nullptr;
    if (hwnd_) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
    for (auto& p : peers_)
        if (Widget* w = p->widget()) w->hwnd = nullptr;
    peers_.clear();
    for (auto& [_, f] : fonts_) DeleteObject(f);
}

HFONT FormWindow::font(const Font& f) {
    auto key = std::make_tuple(f.face, f.points, f.bold);
    if (auto it = fonts_.find(key); it != fonts_.end()) return it->second;
    LOGFONTW lf{};
    lf.lfHeight = -std::max(1L, std::lround(double(f.points) * dpi_ / 72.0));
    lf.lfWeight = f.bold ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = DEFAULT_QUALITY;
    // The classic bitmap face does not scale. "MS Shell Dlg" is the
    // system's dialog face in its place: Microsoft Sans Serif on Windows,
    // Tahoma under Wine, which has neither Microsoft face.
    std::wstring face = f.face == "MS Sans Serif" ? L"MS Shell Dlg" : wide(f.face);
    lstrcpynW(lf.lfFaceName, face.c_str(), LF_FACESIZE);
    HFONT h = CreateFontIndirectW(&lf);
    fonts_[key] = h;
    return h;
}

CreateArgs FormWindow::argsFor(const Control& c, std::wstring text) {
    CreateArgs a;
    a.parent = hwnd_;
    a.text = std::move(text);
    a.bounds = toPixels(c.look().bounds, dpi_);
    const auto& all = form_.controls();
    const auto at = std::find_if(all.begin(), all.end(), [&](auto& p) { return p.get() == &c; });
    a.id = kFirstControlId + int(at - all.begin());
    a.font = font(c.look().font);
    a.visible = c.visible();
    a.enabled = c.enabled();
    return a;
}

void FormWindow::placeInZOrder(PeerBase& peer, HWND lead) {
    HWND after = HWND_TOP;
    for (auto& p : peers_) {
        if (p.get() == &peer) break;
        if (p->hwnd()) after = p->hwnd();
    }
    for (HWND h : {lead, peer.hwnd()}) {
        if (!h) continue;
        SetWindowPos(h, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        after = h;
    }
}

PeerBase* FormWindow::peerOf(HWND child) {
    if (!child) return nullptr;
    for (auto& p : peers_)
        if (p->hwnd() == child) return p.get();
    return nullptr;
}

RECT FormWindow::nativeOuter() const {
    RECT r{};
    if (IsIconic(hwnd_) || IsZoomed(hwnd_)) {
        WINDOWPLACEMENT wp{};
        wp.length = sizeof wp;
        GetWindowPlacement(hwnd_, &wp);
        r = wp.rcNormalPosition;
        POINT o = workspaceOrigin(hwnd_);
        OffsetRect(&r, o.x, o.y);
    } else {
        GetWindowRect(hwnd_, &r);
    }
    return r;
}

// The model's sizes include the frame they were stored with; the window
// keeps their client area inside the frame this system draws at its DPI
// (thicker on Windows 10 and 11 than the classic one), so that nothing laid
// out is cut off. Left and top are the outer rectangle's either way.
RECT FormWindow::outerPixels(Bounds outer) const {
    outer.width -= form_.storedFrame().width;
    outer.height -= form_.storedFrame().height;
    RECT r = frameToPixels(outer, dpi_);
    const SIZE frame = nativeFrame();
    r.right += frame.cx;
    r.bottom += frame.cy;
    return r;
}

Bounds FormWindow::outerTwips(RECT r) const {
    const SIZE frame = nativeFrame();
    r.right -= frame.cx;
    r.bottom -= frame.cy;
    Bounds outer = frameToTwips(r, dpi_);
    outer.width += form_.storedFrame().width;
    outer.height += form_.storedFrame().height;
    return outer;
}

SIZE FormWindow::nativeFrame() const {
    const FrameStyle fs = frameStyle(form_.border());
    return frameSize(fs.style, fs.exStyle, dpi_);
}

// The model learns the native rectangle only where it differs from what
// the model's twips map to, so an untouched window keeps its exact values.
void FormWindow::reportGeometry() {
    RECT native = nativeOuter();
    RECT mapped = outerPixels(form_.geometry());
    if (!EqualRect(&native, &mapped)) form_.userMoved(outerTwips(native));
}

void FormWindow::geometryChanged() {
    if (!hwnd_) return;
    RECT r = outerPixels(form_.geometry());
    stated_ = {r.right - r.left, r.bottom - r.top};
    if (IsIconic(hwnd_) || IsZoomed(hwnd_)) {
        WINDOWPLACEMENT wp{};
        wp.length = sizeof wp;
        GetWindowPlacement(hwnd_, &wp);
        POINT o = workspaceOrigin(hwnd_);
        OffsetRect(&r, -o.x, -o.y);
        wp.rcNormalPosition = r;
        wp.showCmd = IsIconic(hwnd_) ? SW_SHOWMINNOACTIVE : SW_SHOWMAXIMIZED;
        SetWindowPlacement(hwnd_, &wp);
    } else {
        SetWindowPos(hwnd_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void FormWindow::stateChanged() {
    if (!hwnd_) return;
    const bool accepts = form_.acceptsInput();
    if ((IsWindowEnabled(hwnd_) != FALSE) != accepts) EnableWindow(hwnd_, accepts);
}

void FormWindow::show(bool activate) {
    if (!shownOnce_) {
        shownOnce_ = true;
        // The caret starts in the first tab stop.
        lastFocus_ = GetNextDlgTabItem(hwnd_, nullptr, FALSE);
    }
    if (!activate) {
        ShowWindow(hwnd_, IsIconic(hwnd_) ? SW_SHOWMINNOACTIVE : SW_SHOWNOACTIVATE);
        return;
    }
    ShowWindow(hwnd_, IsIconic(hwnd_) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(hwnd_);
    if (lastFocus_ && GetForegroundWindow() == hwnd_) SetFocus(lastFocus_);
}

// While the window is not the active one, the system keeps no focus for it:
// the control that gets the focus back on activation stands for it.
// A window not on screen cannot be the active one; asking costs a round
// trip to the window system (to Wine's server), which the load steps' many
// tickbox and visibility changes would each pay.
HWND FormWindow::focused() const {
    if (!IsWindowVisible(hwnd_)) return lastFocus_;
    return GetActiveWindow() == hwnd_ ? GetFocus() : lastFocus_;
}

void FormWindow::focus(HWND child) {
    lastFocus_ = child;
    if (GetActiveWindow() == hwnd_) SetFocus(child);
}

void FormWindow::relayout(unsigned newDpi) {
    dpi_ = newDpi;
    auto old = std::move(fonts_);
    fonts_.clear();
    for (auto& p : peers_) p->layout();
    for (auto& [_, f] : old) DeleteObject(f);
}

LRESULT CALLBACK FormWindow::proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    // The window's first message (WM_GETMINMAXINFO, before WM_NCCREATE)
    // already keeps the stated size.
    if (!self && beingMade_) {
        self = std::exchange(beingMade_, nullptr);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->hwnd_ = hwnd;
    }
    if (!self || self->destroying_) return DefWindowProcW(hwnd, msg, wp, lp);
    return self->handle(hwnd, msg, wp, lp);
}

// Handlers that enter the model may unload the form, and with it this
// object: after that call, only `hwnd` may be used (default processing).
LRESULT FormWindow::handle(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    static const UINT nameControls = RegisterWindowMessageW(kNameControlsMessage);
    if (msg == nameControls && msg) {
        for (auto& p : peers_) p->tag();
        return TRUE;
    }
    switch (msg) {
    case WM_COMMAND:
        // Enter: the dialog manager sends IDOK, with no control, where no
        // button is the default one, as here on Windows. Enter on a focused
        // push button presses it; Enter anywhere else presses nothing.
        if (LOWORD(wp) == IDOK && !lp) {
            PeerBase* p = peerOf(GetFocus());
            if (p && p->model().kind() == Kind::Button && IsWindowEnabled(p->hwnd()))
                p->widget()->command(BN_CLICKED);
            return 0;
        }
        if (PeerBase* p = peerOf(reinterpret_cast<HWND>(lp)))
            if (Widget* w = p->widget()) w->command(HIWORD(wp));
        return 0;
    case WM_TIMER:
        if (wp == kClockTimer) {
            for (auto& p : peers_) p->clockTick();
            return 0;
        }
        for (auto& p : peers_)
            if (UINT_PTR(p->id()) == wp && p->model().kind() == Kind::Timer) {
                p->timerTick();
                return 0;
            }
        return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
        if (PeerBase* p = peerOf(reinterpret_cast<HWND>(lp)))
            if (HBRUSH b = p->paint(reinterpret_cast<HDC>(wp))) return reinterpret_cast<LRESULT>(b);
        break;
    case WM_CLOSE: {
        Form& f = form_;
        f.app().dispatch([&f] { f.unload(); });
        return 0;
    }
    case WM_ENDSESSION:
        if (wp) {
            Form& f = form_;
            f.app().dispatch([&f] { f.unload(); });
        }
        break;
    case WM_ACTIVATE:
        if (LOWORD(wp) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(hwnd_, focus)) lastFocus_ = focus;
        } else if (lastFocus_ && IsWindow(lastFocus_) && !IsIconic(hwnd_)) {
            SetFocus(lastFocus_);
            return 0;
        }
        break;
    case WM_SIZE:
        for (auto& p : peers_) p->parentResized();
        break;
    // The window system's least tracking size would clamp a small stated
    // size (a tool window to about 116 px wide): any size the program sets
    // is allowed, and the user sizes down to it or to the system's least.
    case WM_GETMINMAXINFO: {
        LRESULT r = DefWindowProcW(hwnd_, msg, wp, lp);
        auto* mm = reinterpret_cast<MINMAXINFO*>(lp);
        mm->ptMinTrackSize.x = std::min(mm->ptMinTrackSize.x, stated_.cx);
        mm->ptMinTrackSize.y = std::min(mm->ptMinTrackSize.y, stated_.cy);
        return r;
    }
    case WM_ERASEBKGND:
        for (auto& p : peers_)
            if (auto fill = p->fillColor()) {
                RECT r{};
                GetClientRect(hwnd_, &r);
                HBRUSH b = CreateSolidBrush(colorref(*fill));
                FillRect(reinterpret_cast<HDC>(wp), &r, b);
                DeleteObject(b);
                return TRUE;
            }
        break;
    case WM_WINDOWPOSCHANGED: {
        LRESULT r = DefWindowProcW(hwnd_, msg, wp, lp);
        reportGeometry();
        return r;
    }
    // Moved onto a monitor of other scaling: the window takes the rectangle
    // the system suggests (another would move it back and forth between the
    // two monitors) and lays its controls out at the new DPI. It never takes
    // the input, maximised or not.
    case WM_DPICHANGED: {
        relayout(HIWORD(wp));
        const RECT r = *reinterpret_cast<const RECT*>(lp);
        stated_ = {r.right - r.left, r.bottom - r.top};
        SetWindowPos(hwnd_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    // The common controls draw with system colours they keep themselves.
    case WM_SYSCOLORCHANGE:
        for (auto& p : peers_)
            if (HWND child = p->hwnd()) SendMessageW(child, msg, wp, lp);
        break;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}


}  // namespace orvenda::ui::win32
