// ui: what a platform must provide to carry the form model.
//
// A Backend gives each form a FormPeer and each control a ControlPeer when the
// form is created, shows forms, runs the modal wait, reports failures to the
// user and offers the window-manager calls. The Win32 backend renders native
// windows; the headless backend keeps everything in memory for tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ui/form.h"

namespace orvenda::ui {

class FormPeer {
public:
    virtual ~FormPeer() = default;
    virtual void geometryChanged() = 0;
    // Shown state, or whether the form takes input, has changed.
    virtual void stateChanged() = 0;
    virtual WindowHandle handle() const = 0;
};

struct Monitor {
    Bounds area;      // the whole monitor, twips
    Bounds workArea;  // without task bars, twips
};

// The window-manager calls, as the platform names them. The constants carry
// the platform's values under names of their own, so this header and the
// platform's headers can be included in any order.
class WindowManager {
public:
    // Insert-after values of SetWindowPos.
    static constexpr WindowHandle kTopmost = static_cast<WindowHandle>(-1);
    static constexpr WindowHandle kNotTopmost = static_cast<WindowHandle>(-2);
    // Flags of SetWindowPos.
    static constexpr unsigned kNoSize = 0x1;
    static constexpr unsigned kNoMove = 0x2;
    static constexpr unsigned kNoActivate = 0x10;

    virtual ~WindowManager() = default;
    virtual WindowHandle GetForegroundWindow() = 0;
    // GetClassName: the window's class ("Shell_TrayWnd" for the taskbar).
    virtual std::string windowClass(WindowHandle window) = 0;
    virtual void SetWindowPos(WindowHandle window, WindowHandle insertAfter, int x, int y,
                              int cx, int cy, unsigned flags) = 0;
    virtual std::vector<Monitor> monitors() = 0;
};

class Backend {
public:
    virtual ~Backend() = default;
    // Gives the form and its controls their peers; the form is not shown.
    virtual void attach(Form& form) = 0;
    // Takes the peers away and destroys whatever stood for the form.
    virtual void detach(Form& form) = 0;
    virtual void show(Form& form) = 0;
    // Shows the form over its owner; the Win32 backend returns only when the
    // form has been unloaded, the headless backend at once.
    virtual void showModal(Form& form, Form& owner) = 0;
    virtual void bringToFront(Form& form) = 0;
    // The last form has been unloaded: the program ends.
    virtual void quit() = 0;
    // Tells the user that something failed (a file or launch operation).
    virtual void reportFailure(const Form* owner, const std::string& text) = 0;
    virtual WindowManager& windowManager() = 0;
};

}  // namespace orvenda::ui
