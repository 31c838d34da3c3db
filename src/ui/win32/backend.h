// ui/win32: the Win32 backend. Puts any form of the model on screen as a
// top-level window with native controls (form_window.*, control_peers.cpp)
// and feeds what the user does back into the model; it holds no behaviour
// of its own and knows no window by name. How native windows are tied to
// model names: identity.h.
#pragma once

#include "ui/peer.h"

struct tagMSG;

namespace orvenda::ui::win32 {

// user32's window manager: the foreground window and its class, SetWindowPos, and the
// monitors in twips (at the system DPI, like window positions).
class Win32WindowManager : public WindowManager {
public:
    WindowHandle GetForegroundWindow() override;
    std::string windowClass(WindowHandle window) override;
    void SetWindowPos(WindowHandle window, WindowHandle insertAfter, int x, int y, int cx, int cy,
                      unsigned flags) override;
    std::vector<Monitor> monitors() override;
};

class Win32Backend : public Backend {
public:
    Win32Backend();
    ~Win32Backend() override;

    void attach(Form& form) override;
    void detach(Form& form) override;
    void show(Form& form) override;
    // Disables the owner (through the model), sets it as the native owner of
    // a tool window and runs a nested message loop until the form is unloaded.
    void showModal(Form& form, Form& owner) override;
    void bringToFront(Form& form) override;
    void quit() override;
    void reportFailure(const Form* owner, const std::string& text) override;
    WindowManager& windowManager() override { return wm_; }

    // Runs the message loop until quit(); returns the exit code.
    int run();
    // Handles one message as the loop does: dialog keys (Tab, arrows) for
    // the program's windows first, then the usual translate and dispatch.
    static void handleMessage(tagMSG& msg);

private:
    Win32WindowManager wm_;
};

}  // namespace orvenda::ui::win32
