// Test support: the form model's backend without a screen, for the headless tests
// and the benchmark.
//
// Forms and controls live only in memory. Timers run on a clock that the
// caller advances by hand, modal shows return at once (the form stays modal
// until it is unloaded), failures are recorded instead of shown, and the
// window-manager calls are recorded with a foreground window the caller sets.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "ui/peer.h"

namespace orvenda::ui::headless {

class RecordingWindowManager : public WindowManager {
public:
    struct Call {
        WindowHandle window, insertAfter;
        int x, y, cx, cy;
        unsigned flags;
        bool operator==(const Call&) const = default;
    };

    WindowHandle foreground = 0;
    std::map<WindowHandle, std::string> classes;
    std::vector<Call> calls;
    // One 1920 x 1080 pixel monitor at 96 DPI, a 40-pixel task bar at the bottom.
    std::vector<Monitor> screens{{{0, 0, 28800, 16200}, {0, 0, 28800, 15600}}};

    WindowHandle GetForegroundWindow() override { return foreground; }
    std::string windowClass(WindowHandle w) override { return classes.count(w) ? classes[w] : "Other"; }
    void SetWindowPos(WindowHandle w, WindowHandle after, int x, int y, int cx, int cy,
                      unsigned flags) override {
        calls.push_back({w, after, x, y, cx, cy, flags});
    }
    std::vector<Monitor> monitors() override { return screens; }
};

class HeadlessBackend : public Backend {
public:
    void attach(Form& form) override;
    void detach(Form& form) override;
    void show(Form&) override {}
    void showModal(Form&, Form&) override {}
    void bringToFront(Form& form) override { broughtToFront.push_back(form.name()); }
    void quit() override { ended = true; }
    void reportFailure(const Form*, const std::string& text) override { failures.push_back(text); }
    WindowManager& windowManager() override { return wm; }

    // Moves the clock on, firing every timer that falls due on the way, in
    // order of due time.
    void advance(std::int64_t ms);
    std::int64_t now() const { return now_; }

    bool ended = false;
    // The control with the keyboard focus. As on Windows, disabling or
    // hiding it leaves no control focused.
    const Control* focus = nullptr;
    // Every change of a control's state the peers were told of, in order.
    std::vector<Property> heard;
    std::vector<std::string> failures;
    std::vector<std::string> broughtToFront;
    RecordingWindowManager wm;

    class TimerPeer;

private:
    friend class TimerPeer;
    std::int64_t now_ = 0;
    std::vector<TimerPeer*> timers_;
    WindowHandle nextHandle_ = 0x1000;
};

}  // namespace orvenda::ui::headless
