// ui/win32: form and control peers over user32 and the common controls.
//
// A FormWindow is the native window of one form; it creates one small peer
// per control, in tab order, and routes the window's messages to them. Every
// user action enters the model through a `user...` method (which dispatches
// the event); every model change reaches the native control through
// ControlPeer::modelChanged.
#include "ui/win32/backend.h"  // before <windows.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <map>
#include <memory>
#include <optional>
#include <tuple>

#include "ui/win32/identity.h"
#include "platform/win32/text.h"
#include "ui/win32/units.h"
#include "ui/win32/widgets.h"

namespace orvenda::ui::win32 {

namespace {

constexpr wchar_t kFormProp[] = L"Orvenda.Form";
constexpr UINT_PTR kClockTimer = 1;  // keeps status bar dates and times current

COLORREF colorref(Rgb c) { return RGB(c.r, c.g, c.b); }

class FormWindow;

// What the form window needs from each control peer.
class PeerBase : public ControlPeer {
public:
    PeerBase(FormWindow& window, int id) : window_(window), id_(id) {}
    virtual Control& model() const = 0;
    // Creates the native control, if it is to exist now.
    virtual void create() = 0;
    virtual Widget* widget() { return nullptr; }
    // Bounds and font again, after a DPI change.
    virtual void layout() {}
    virtual void clockTick() {}
    virtual void timerTick() {}
    virtual void parentResized() {}
    // The colour of a control that covers the whole client area.
    virtual std::optional<Rgb> fillColor() const { return std::nullopt; }
    // WM_CTLCOLOR*: a brush when the control has colours of its own.
    virtual HBRUSH paint(HDC) { return nullptr; }
    int id() const { return id_; }
    HWND hwnd() { return widget() ? widget()->hwnd : nullptr; }

protected:
    FormWindow& window_;
    int id_;
};

class FormWindow : public FormPeer {
public:
    FormWindow(Form& form);
    ~FormWindow() override;

    void geometryChanged() override;
    void stateChanged() override;
    WindowHandle handle() const override { return reinterpret_cast<WindowHandle>(hwnd_); }

    HWND hwnd() const { return hwnd_; }
    Form& form() const { return form_; }
    unsigned dpi() const { return dpi_; }
    std::weak_ptr<int> token() const { return alive_; }

    // A window shown without activation leaves the input where it is.
    void show(bool activate);
    HFONT font(const Font& f);
    CreateArgs argsFor(const Control& c, std::wstring text);
    // A control created after the others goes to its place in z-order.
    void placeInZOrder(PeerBase& peer);

    static LRESULT CALLBACK proc(HWND, UINT, WPARAM, LPARAM);

private:
    LRESULT handle(UINT msg, WPARAM wp, LPARAM lp);
    PeerBase* peerOf(HWND child);
    RECT nativeOuter() const;
    void reportGeometry();
    void relayout(unsigned newDpi);

    Form& form_;
    HWND hwnd_ = nullptr;
    unsigned dpi_ = 96;
    bool destroying_ = false;
    bool shownOnce_ = false;
    SIZE stated_{};  // the outer size last set by the program, pixels
    HWND lastFocus_ = nullptr;
    std::vector<std::unique_ptr<PeerBase>> peers_;  // in creation (tab) order
    std::map<std::tuple<std::string, float, bool>, HFONT> fonts_;
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

// Common ground of the peers that own a native control.
template <class W>
class NativePeer : public PeerBase {
public:
    NativePeer(FormWindow& window, int id, Control& c) : PeerBase(window, id), control_(c) {
        if (c.look().backColor) brush_ = CreateSolidBrush(colorref(*c.look().backColor));
    }
    ~NativePeer() override {
        if (brush_) DeleteObject(brush_);
        if (atom_) GlobalDeleteAtom(atom_);
    }
    Control& model() const override { return control_; }
    Widget* widget() override { return &w; }
    void layout() override {
        w.setBounds(toPixels(control_.look().bounds, window_.dpi()));
        w.setFont(window_.font(control_.look().font));
        parentResized();
    }
    // A control laid out over the whole client area keeps covering it when
    // the window is sized.
    void parentResized() override {
        const Bounds& b = control_.look().bounds;
        const Bounds client = window_.form().clientArea();
        if (!w.hwnd || b != Bounds{0, 0, client.width, client.height}) return;
        RECT r{};
        GetClientRect(window_.hwnd(), &r);
        w.setBounds(r);
    }
    std::optional<Rgb> fillColor() const override {
        const Bounds client = window_.form().clientArea();
        if (control_.look().bounds != Bounds{0, 0, client.width, client.height}) return std::nullopt;
        return control_.look().backColor;
    }
    HBRUSH paint(HDC dc) override {
        const Look& look = control_.look();
        if (!look.foreColor && !look.backColor) return nullptr;
        if (look.foreColor) SetTextColor(dc, colorref(*look.foreColor));
        if (look.backColor) SetBkColor(dc, colorref(*look.backColor));
        return brush_ ? brush_ : GetSysColorBrush(COLOR_BTNFACE);
    }
    // Visible and Enabled, common to every kind.
    void modelChanged(Property what) override {
        if (what == Property::Visible) w.setVisible(control_.visible());
        if (what == Property::Enabled) w.setEnabled(control_.enabled());
    }

protected:
    // The model name, readable from any process (identity.h).
    void tag() {
        if (!w.hwnd || atom_) return;
        atom_ = GlobalAddAtomW(wide(control_.name()).c_str());
        SetPropW(w.hwnd, kControlNameProp, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(atom_)));
    }
    W w;
    Control& control_;
    HBRUSH brush_ = nullptr;
    ATOM atom_ = 0;
};

class TextBoxPeer : public NativePeer<Edit> {
public:
    TextBoxPeer(FormWindow& window, int id, TextBox& box) : NativePeer(window, id, box), box_(box) {}

    // A hidden field is created when it is first shown.
    void create() override {
        if (w.hwnd || !box_.visible()) return;
        const TextBoxStyle& s = box_.style();
        w.create(window_.argsFor(box_, wide(box_.text())),
                 Edit::Style{s.multiLine, s.verticalScroll, s.password, s.readOnly});
        w.onChanged = [this] { box_.userEdited(narrow(w.text())); };
        tag();
    }
    void modelChanged(Property what) override {
        if (what == Property::Visible && !w.hwnd && box_.visible()) {
            create();
            window_.placeInZOrder(*this);
            return;
        }
        // A hidden field gets its text just before it is shown: a long text
        // costs the edit control a lot of line layout.
        if (what == Property::Visible && box_.visible()) push();
        NativePeer::modelChanged(what);
        if (what == Property::Text && w.shown()) push();
    }

private:
    // Only a real difference reaches the control: the selection stays and
    // nothing flickers while the text is unchanged.
    void push() {
        std::wstring text = wide(box_.text());
        if (w.text() != text) w.replaceText(text);
    }
    TextBox& box_;
};

class TickBoxPeer : public NativePeer<CheckBox> {
public:
    TickBoxPeer(FormWindow& window, int id, TickBox& box) : NativePeer(window, id, box), box_(box) {}
    void create() override {
        w.create(window_.argsFor(box_, wide(box_.caption())));
        w.setChecked(box_.ticked());
        w.onClicked = [this] { box_.userClick(); };
        tag();
    }
    void modelChanged(Property what) override {
        if (what == Property::Value) w.setChecked(box_.ticked());
        NativePeer::modelChanged(what);
    }

private:
    TickBox& box_;
};

class ButtonPeer : public NativePeer<PushButton> {
public:
    ButtonPeer(FormWindow& window, int id, Button& button)
        : NativePeer(window, id, button), button_(button) {}
    void create() override {
        w.create(window_.argsFor(button_, wide(button_.caption())));
        w.onClicked = [this] { button_.userClick(); };
        tag();
    }

private:
    Button& button_;
};

class LabelPeer : public NativePeer<StaticText> {
public:
    LabelPeer(FormWindow& window, int id, Label& label) : NativePeer(window, id, label), label_(label) {}
    void create() override {
        auto align = label_.align() == Align::Center  ? StaticText::Align::Center
                     : label_.align() == Align::Right ? StaticText::Align::Right
                                                      : StaticText::Align::Left;
        w.create(window_.argsFor(label_, wide(label_.caption())), align);
        w.onClicked = [this] { label_.userClick(); };
        w.onDoubleClicked = [this] { label_.userDoubleClick(); };
        tag();
    }
    void modelChanged(Property what) override {
        if (what == Property::Text) w.setText(wide(label_.caption()));
        NativePeer::modelChanged(what);
    }

private:
    Label& label_;
};

class FramePeer : public NativePeer<GroupBox> {
public:
    FramePeer(FormWindow& window, int id, Frame& frame) : NativePeer(window, id, frame), frame_(frame) {}
    void create() override {
        w.create(window_.argsFor(frame_, wide(frame_.caption())));
        tag();
    }

private:
    Frame& frame_;
};

class StatusBarPeer : public NativePeer<win32::StatusBar> {
public:
    StatusBarPeer(FormWindow& window, int id, ui::StatusBar& bar)
        : NativePeer(window, id, bar), bar_(bar) {}
    void create() override {
        CreateArgs args = window_.argsFor(bar_, L"");
        args.bounds = {};
        w.create(args, window_.form().border() != Border::FixedTool);
        widths();
        clockTick();
        tag();
    }
    void layout() override {
        w.setFont(window_.font(bar_.look().font));
        widths();
    }
    void parentResized() override { w.parentResized(); }
    void clockTick() override {
        SYSTEMTIME now;
        GetLocalTime(&now);
        const auto& panels = bar_.panels();
        for (size_t i = 0; i < panels.size(); ++i) {
            wchar_t buf[128] = L"";
            switch (panels[i].kind) {
            case ui::StatusBar::Panel::Text:
                w.setPartText(int(i), wide(panels[i].text));
                continue;
            case ui::StatusBar::Panel::Date:
                GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &now, nullptr, buf, 128, nullptr);
                break;
            case ui::StatusBar::Panel::Time:
                GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, TIME_NOSECONDS, &now, nullptr, buf, 128);
                break;
            }
            w.setPartText(int(i), buf);
        }
    }

private:
    void widths() {
        std::vector<int> px;
        for (const auto& p : bar_.panels())
            px.push_back(p.widthTwips ? std::max(1, toPixels(float(p.widthTwips), window_.dpi())) : 0);
        w.setParts(px);
    }
    ui::StatusBar& bar_;
};

class TimerPeer : public PeerBase {
public:
    TimerPeer(FormWindow& window, int id, Timer& timer) : PeerBase(window, id), timer_(timer) {}
    ~TimerPeer() override { KillTimer(window_.hwnd(), UINT_PTR(id_)); }
    Control& model() const override { return timer_; }
    void create() override { apply(); }
    // Enabling or a new interval starts a fresh interval.
    void modelChanged(Property what) override {
        if (what == Property::Enabled || what == Property::Interval) apply();
    }
    void timerTick() override { timer_.fire(); }

private:
    void apply() {
        if (timer_.running())
            SetTimer(window_.hwnd(), UINT_PTR(id_), UINT(timer_.interval()), nullptr);
        else
            KillTimer(window_.hwnd(), UINT_PTR(id_));
    }
    Timer& timer_;
};

std::unique_ptr<PeerBase> makePeer(FormWindow& w, int id, Control& c) {
    switch (c.kind()) {
    case Kind::TextBox: return std::make_unique<TextBoxPeer>(w, id, static_cast<TextBox&>(c));
    case Kind::TickBox: return std::make_unique<TickBoxPeer>(w, id, static_cast<TickBox&>(c));
    case Kind::Button: return std::make_unique<ButtonPeer>(w, id, static_cast<Button&>(c));
    case Kind::Label: return std::make_unique<LabelPeer>(w, id, static_cast<Label&>(c));
    case Kind::Frame: return std::make_unique<FramePeer>(w, id, static_cast<Frame&>(c));
    case Kind::StatusBar: return std::make_unique<StatusBarPeer>(w, id, static_cast<ui::StatusBar&>(c));
    case Kind::Timer: return std::make_unique<TimerPeer>(w, id, static_cast<Timer&>(c));
    }
    return nullptr;
}

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
    if (withIcon) {
        wc.hIcon = static_cast<HICON>(LoadImageW(inst, MAKEINTRESOURCEW(1), IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                                 GetSystemMetrics(SM_CYICON), LR_DEFAULTCOLOR));
        wc.hIconSm = static_cast<HICON>(LoadImageW(inst, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                   GetSystemMetrics(SM_CXSMICON),
                                                   GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    }
    RegisterClassExW(&wc);
}

// Offset of workspace coordinates (GetWindowPlacement) from screen
// coordinates on the monitor the window is on.
POINT workspaceOrigin(HWND hwnd) {
    if (GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) return {0, 0};
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    if (!GetMonitorInfoW(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &mi)) return {0, 0};
    return {mi.rcWork.left - mi.rcMonitor.left, mi.rcWork.top - mi.rcMonitor.top};
}

FormWindow* formWindow(const Form& form) { return dynamic_cast<FormWindow*>(form.peer); }

FormWindow::FormWindow(Form& form) : form_(form) {
    form.peer = this;
    const std::wstring cls = wide(form.name());
    registerClass(cls, form.border() == Border::Sizable);
    const FrameStyle fs = frameStyle(form.border());
    // First placement by the system, sized to hold the laid-out client
    // area; the form's load steps normally move it at once.
    dpi_ = systemDpi();
    RECT r = toPixels(Bounds{0, 0, form.clientArea().width, form.clientArea().height}, dpi_);
    AdjustWindowRectEx(&r, fs.style, FALSE, fs.exStyle);
    stated_ = {r.right - r.left, r.bottom - r.top};
    hwnd_ = CreateWindowExW(fs.exStyle | WS_EX_CONTROLPARENT, cls.c_str(), wide(form.caption()).c_str(),
                            fs.style, CW_USEDEFAULT, CW_USEDEFAULT, r.right - r.left,
                            r.bottom - r.top, nullptr, nullptr, GetModuleHandleW(nullptr), this);
    if (!hwnd_) return;
    SetPropW(hwnd_, kFormProp, reinterpret_cast<HANDLE>(1));
    dpi_ = windowDpi(hwnd_);

    // Tab order is creation order: by tab index, stable, unindexed last.
    const auto& controls = form.controls();
    std::vector<size_t> order(controls.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    auto key = [&](size_t i) {
        int t = controls[i]->look().tabIndex;
        return t < 0 ? INT_MAX : t;
    };
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return key(a) < key(b); });
    bool clock = false;
    for (size_t i : order) {
        Control& c = *controls[i];
        auto peer = makePeer(*this, kFirstControlId + int(i), c);
        c.peer = peer.get();
        peer->create();
        clock = clock || c.kind() == Kind::StatusBar;
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
        RemovePropW(hwnd_, kFormProp);
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
    a.id = kFirstControlId + int(std::find_if(form_.controls().begin(), form_.controls().end(),
                                              [&](auto& p) { return p.get() == &c; }) -
                                 form_.controls().begin());
    a.font = font(c.look().font);
    a.visible = c.visible();
    a.enabled = c.enabled();
    return a;
}

void FormWindow::placeInZOrder(PeerBase& peer) {
    HWND after = HWND_TOP;
    for (auto& p : peers_) {
        if (p.get() == &peer) break;
        if (p->hwnd()) after = p->hwnd();
    }
    SetWindowPos(peer.hwnd(), after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
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

// The model learns the native rectangle only where it differs from what
// the model's twips map to, so an untouched window keeps its exact values.
void FormWindow::reportGeometry() {
    RECT native = nativeOuter();
    RECT mapped = frameToPixels(form_.geometry(), dpi_);
    if (!EqualRect(&native, &mapped)) form_.userMoved(frameToTwips(native, dpi_));
}

void FormWindow::geometryChanged() {
    if (!hwnd_) return;
    RECT r = frameToPixels(form_.geometry(), dpi_);
    stated_ = {r.right - r.left, r.bottom - r.top};
    if (IsIconic(hwnd_) || IsZoomed(hwnd_)) {
        WINDOWPLACEMENT wp{};
        wp.length = sizeof wp;
        GetWindowPlacement(hwnd_, &wp);
        POINT o = workspaceOrigin(hwnd_);
        OffsetRect(&r, -o.x, -o.y);
        wp.rcNormalPosition = r;
        wp.flags = 0;
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

void FormWindow::relayout(unsigned newDpi) {
    dpi_ = newDpi;
    auto old = std::move(fonts_);
    fonts_.clear();
    for (auto& p : peers_) p->layout();
    for (auto& [_, f] : old) DeleteObject(f);
}

LRESULT CALLBACK FormWindow::proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (msg == WM_NCDESTROY) SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    if (!self || self->destroying_ || !self->hwnd_) return DefWindowProcW(hwnd, msg, wp, lp);
    return self->handle(msg, wp, lp);
}

// Handlers that enter the model may unload the form, and with it this
// object: each returns at once after calling into the model.
LRESULT FormWindow::handle(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_COMMAND:
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
        return 0;
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
        mm->ptMinTrackSize.x = std::min<LONG>(mm->ptMinTrackSize.x, std::max<LONG>(1, stated_.cx));
        mm->ptMinTrackSize.y = std::min<LONG>(mm->ptMinTrackSize.y, std::max<LONG>(1, stated_.cy));
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
                return 1;
            }
        break;
    case WM_WINDOWPOSCHANGED: {
        LRESULT r = DefWindowProcW(hwnd_, msg, wp, lp);
        reportGeometry();
        return r;
    }
    case WM_DPICHANGED:
        // The window keeps its place and its size in twips at the new DPI.
        relayout(HIWORD(wp));
        geometryChanged();
        return 0;
    }
    return DefWindowProcW(hwnd_, msg, wp, lp);
}

}  // namespace

// --- Win32WindowManager ---

WindowHandle Win32WindowManager::GetForegroundWindow() {
    return reinterpret_cast<WindowHandle>(::GetForegroundWindow());
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
    if (ownerHwnd) SetWindowLongPtrW(w->hwnd(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(ownerHwnd));
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
    if (ownerHwnd && IsWindow(ownerHwnd) && IsWindowEnabled(ownerHwnd)) SetForegroundWindow(ownerHwnd);
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
    HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    if (root && GetPropW(root, kFormProp) && IsDialogMessageW(root, &msg)) return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

int Win32Backend::run() {
    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) handleMessage(msg);
    return int(msg.wParam);
}

}  // namespace orvenda::ui::win32
