// Test support: the headless backend's in-memory peers and hand-driven clock.
#include "support/headless.h"

namespace orvenda::ui::headless {

namespace {

struct FormPeerImpl : FormPeer {
    explicit FormPeerImpl(WindowHandle h) : handle_(h) {}
    void geometryChanged() override {}
    void stateChanged() override {}
    WindowHandle handle() const override { return handle_; }
    const WindowHandle handle_;
};

}  // namespace

class HeadlessBackend::TimerPeer : public ControlPeer {
public:
    TimerPeer(HeadlessBackend& backend, Timer& timer) : backend_(backend), timer_(timer) {
        timer.peer = this;
        restart();
    }
    void modelChanged(Property) override { restart(); }
    void restart() { due = timer_.running() ? backend_.now_ + timer_.interval() : -1; }
    HeadlessBackend& backend_;
    Timer& timer_;
    std::int64_t due = -1;
};

namespace {

// The keyboard focus, and what the control's peer is told of.
struct FocusPeer : ControlPeer {
    FocusPeer(HeadlessBackend& backend, Control& control) : backend(backend), control(control) {}
    void modelChanged(Property what) override {
        backend.heard.push_back(what);
        if (focused() && !(control.visible() && control.enabled())) backend.focus = nullptr;
    }
    bool focused() const override { return backend.focus == &control; }
    void focus() override { backend.focus = &control; }
    HeadlessBackend& backend;
    Control& control;
};

}  // namespace

void HeadlessBackend::attach(Form& form) {
    form.peer = new FormPeerImpl(nextHandle_);
    nextHandle_ += 0x10;
    for (auto& control : form.controls())
        if (auto* timer = dynamic_cast<Timer*>(control.get()))
            timers_.push_back(new TimerPeer(*this, *timer));
        else
            control->peer = new FocusPeer(*this, *control);
}

void HeadlessBackend::detach(Form& form) {
    for (auto& control : form.controls()) {
        if (auto* peer = dynamic_cast<TimerPeer*>(control->peer)) std::erase(timers_, peer);
        if (focus == control.get()) focus = nullptr;
        delete control->peer;
        control->peer = nullptr;
    }
    delete form.peer;
    form.peer = nullptr;
}

void HeadlessBackend::advance(std::int64_t ms) {
    const std::int64_t target = now_ + ms;
    for (;;) {
        TimerPeer* next = nullptr;
        for (auto* t : timers_)
            if (t->due >= 0 && t->due <= target && (!next || t->due < next->due)) next = t;
        if (!next) break;
        now_ = next->due;
        Timer& timer = next->timer_;
        next->due += timer.interval();
        // The handler may restart the timer or unload its form (and with it
        // this peer); the next due time is already set either way.
        timer.fire();
    }
    now_ = target;
}

}  // namespace orvenda::ui::headless
