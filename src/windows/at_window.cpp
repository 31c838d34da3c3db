// windows: the launcher window's layout, load and close steps, the topmost
// step on every tick and the double click on "@".
#include "windows/at_window.h"

#include <string>

#include "settings/geometry.h"
#include "ui/peer.h"

namespace orvenda::windows {

namespace {

ui::Look atSignLook() {
    ui::Look look;
    look.bounds = {0, 0, 975, 495};
    look.font = ui::Font{"MS Sans Serif", 18, true};
    look.foreColor = ui::colors::green;
    look.backColor = ui::colors::black;
    return look;
}

}  // namespace

AtWindow::AtWindow(ui::Application& app, platform::Services& services)
    : ui::Form(app, kAtWindow, "ORVENDA", ui::Border::SizableTool, ui::Bounds{0, 0, 975, 495}),
      AT_SIGN_LABEL(add<ui::Label>("AT_SIGN_LABEL", atSignLook(), "@", ui::Align::Center)),
      AlwaysOnTopTimer(add<ui::Timer>("AlwaysOnTopTimer", 1000, false)),
      services_(services) {
    AT_SIGN_LABEL.onDblClick = [this] { AT_SIGN_LABEL_DblClick(); };
    AlwaysOnTopTimer.onTimer = [this] { AlwaysOnTopTimer_Timer(); };
}

void AtWindow::Form_Load() {
    auto& settings = services_.settings;
    namespace keys = settings::keys;
    settings::restoreGeometry(*this, settings, keys::AtWindow);
    AlwaysOnTopTimer.setInterval(1000);
    AlwaysOnTopTimer.setTimerEnabled(settings.read(keys::AlwaysOnTopTimer_TICKBOX) == 1);
}

// The topmost step: whenever another window (or none) has the user's input,
// that window loses any topmost standing and this one takes it. Neither call
// activates its window: the input stays wherever the user is typing. The
// taskbar keeps its standing when it has the input (a click on it, Win+T):
// taken away, windows would cover it, and an auto-hidden one would slide up
// behind them.
void AtWindow::AlwaysOnTopTimer_Timer() {
    using WM = ui::WindowManager;
    constexpr unsigned kFlags = WM::kNoSize | WM::kNoMove | WM::kNoActivate;
    WM& wm = app().backend().windowManager();
    const ui::WindowHandle foreground = wm.GetForegroundWindow();
    if (foreground == handle()) return;
    if (foreground) {
        const std::string kind = wm.windowClass(foreground);
        if (kind == "Shell_TrayWnd" || kind == "Shell_SecondaryTrayWnd") return;
    }
    wm.SetWindowPos(foreground, WM::kNotTopmost, 0, 0, 0, 0, kFlags);
    wm.SetWindowPos(handle(), WM::kTopmost, 0, 0, 0, 0, kFlags);
}

// Brings the compose window back: loaded again if it has been closed (its
// load steps run), shown modally over this window; one already on screen
// only comes to the front.
void AtWindow::AT_SIGN_LABEL_DblClick() {
    ui::Form& compose = app().form(names::kMainWindow);
    if (compose.shown()) {
        compose.bringToFront();
        return;
    }
    compose.showModal(*this);
}

void AtWindow::Form_Unload() {
    settings::storeGeometry(*this, services_.settings, settings::keys::AtWindow);
    AlwaysOnTopTimer.setTimerEnabled(false);
}

}  // namespace orvenda::windows
