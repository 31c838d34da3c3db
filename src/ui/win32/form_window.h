// ui/win32: the native window of one form and what it needs of the peers
// of its controls. Shared by form_window.cpp (the window: class, placement,
// DPI, message routing, focus), control_peers.cpp (one small peer per
// control kind) and backend.cpp (the process: loops, message box).
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "platform/win32/text.h"
#include "ui/peer.h"
#include "ui/win32/widgets.h"

namespace orvenda::ui::win32 {

// This room's Win32 code converts texts with the platform's helpers.
using platform::win32::narrow;
using platform::win32::wide;

inline COLORREF colorref(Rgb c) { return RGB(c.r, c.g, c.b); }

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
    // Puts the model name on the native control, if there is one (identity.h).
    virtual void tag() {}
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
    // The control with the keyboard focus, or the one that gets it back
    // when the window is next activated.
    HWND focused() const;
    void focus(HWND child);
    HFONT font(const Font& f);
    CreateArgs argsFor(const Control& c, std::wstring text);
    // A control created after the others goes to its place in z-order, with
    // the window `lead` (its name for screen readers) just before it.
    void placeInZOrder(PeerBase& peer, HWND lead = nullptr);

    static LRESULT CALLBACK proc(HWND, UINT, WPARAM, LPARAM);

private:
    LRESULT handle(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    PeerBase* peerOf(HWND child);
    RECT nativeOuter() const;
    // The model's outer frame in twips to and from the native one.
    RECT outerPixels(Bounds outer) const;
    Bounds outerTwips(RECT native) const;
    SIZE nativeFrame() const;
    void reportGeometry();
    void relayout(unsigned newDpi);

    Form& form_;
    HWND hwnd_ = nullptr;
    unsigned dpi_ = 96;
    bool destroying_ = false;
    bool shownOnce_ = false;
    SIZE stated_{};  // the outer size last set by the program, pixels
    static inline FormWindow* beingMade_ = nullptr;  // during its CreateWindowExW, on the one UI thread
    HWND lastFocus_ = nullptr;
    std::vector<std::unique_ptr<PeerBase>> peers_;  // in creation (tab) order
    std::map<std::tuple<std::string, float, bool>, HFONT> fonts_;
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

// The peer of one control, by its kind.
std::unique_ptr<PeerBase> makePeer(FormWindow& w, int id, Control& c);

FormWindow* formWindow(const Form& form);

}  // namespace orvenda::ui::win32
