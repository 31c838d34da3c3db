// ui/win32: the control peers, one small class per control kind. Each
// creates its native control, pushes model changes to it and turns what the
// user does into the model's `user...` calls. Touches only its own control.
#include <windows.h>

#include <algorithm>
#include <iterator>
#include <utility>

#include "platform/win32/text.h"
#include "ui/win32/form_window.h"
#include "ui/win32/identity.h"
#include "ui/win32/units.h"

namespace orvenda::ui::win32 {

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
    bool focused() const override { return w.hwnd && window_.focused() == w.hwnd; }
    void focus() override {
        if (w.hwnd) window_.focus(w.hwnd);
    }
    // Visible and Enabled, common to every kind.
    void modelChanged(Property what) override {
        if (what == Property::Visible) w.setVisible(control_.visible());
        if (what == Property::Enabled) w.setEnabled(control_.enabled());
    }
    void tag() override {
        if (!w.hwnd || atom_) return;
        atom_ = GlobalAddAtomW(wide(control_.name()).c_str());
        SetPropW(w.hwnd, kControlNameProp, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(atom_)));
    }

protected:
    W w;
    Control& control_;
    HBRUSH brush_ = nullptr;
    ATOM atom_ = 0;
};

class TextBoxPeer : public NativePeer<Edit> {
public:
    TextBoxPeer(FormWindow& window, int id, TextBox& box) : NativePeer(window, id, box), box_(box) {}
    // The form's window, and with it the name, has gone before its peers.
    ~TextBoxPeer() override {
        if (!w.hwnd) name_.hwnd = nullptr;
    }

    // A hidden field is created when it is first shown. Screen readers name
    // a field after the nearest static text before it among its siblings: a
    // field with no label of its own gets one just before it, of no size,
    // so that it never takes the name of the label of a field before it.
    void create() override {
        if (w.hwnd || !box_.visible()) return;
        if (!box_.spokenName().empty() && !name_.hwnd) {
            CreateArgs args;
            args.parent = window_.hwnd();
            args.text = wide(box_.spokenName());
            args.id = -1;
            name_.create(args, StaticText::Align::Left);
        }
        const TextBoxStyle& s = box_.style();
        w.create(window_.argsFor(box_, wide(box_.text())),
                 Edit::Style{s.multiLine, s.verticalScroll, s.password, s.readOnly});
        w.onChanged = [this] { box_.userEdited(narrow(w.text())); };
    }
    void modelChanged(Property what) override {
        if (what == Property::Visible && !w.hwnd && box_.visible()) {
            create();
            window_.placeInZOrder(*this, name_.hwnd);
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
    StaticText name_;
};

class TickBoxPeer : public NativePeer<CheckBox> {
public:
    TickBoxPeer(FormWindow& window, int id, TickBox& box) : NativePeer(window, id, box), box_(box) {}
    void create() override {
        w.create(window_.argsFor(box_, wide(box_.caption())));
        w.setChecked(box_.ticked());
        w.onClicked = [this] { box_.userClick(); };
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
                GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &now, nullptr, buf, int(std::size(buf)), nullptr);
                break;
            case ui::StatusBar::Panel::Time:
                GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, TIME_NOSECONDS, &now, nullptr, buf, int(std::size(buf)));
                break;
            }
            w.setPartText(int(i), buf);
        }
    }

private:
    void widths() {
        std::vector<int> px;
        for (const auto& p : bar_.panels())
            px.push_back(p.widthTwips ? std::max(1, twipsToPixels(float(p.widthTwips), window_.dpi())) : 0);
        w.setParts(px);
    }
    ui::StatusBar& bar_;
};

class TimerPeer : public PeerBase {
public:
    TimerPeer(FormWindow& window, int id, Timer& timer) : PeerBase(window, id), timer_(timer) {}
    ~TimerPeer() override {
        if (set_) KillTimer(window_.hwnd(), UINT_PTR(id_));
    }
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
            set_ = SetTimer(window_.hwnd(), UINT_PTR(id_), UINT(timer_.interval()), nullptr) != 0;
        else if (std::exchange(set_, false))
            KillTimer(window_.hwnd(), UINT_PTR(id_));
    }
    Timer& timer_;
    bool set_ = false;  // no timer to kill before the first was set
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

}  // namespace orvenda::ui::win32
