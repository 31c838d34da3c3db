// ui: form lifecycle (create on first use, show, modal show, unload) and the
// application's register of loaded forms.
#include "ui/form.h"

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <utility>

#include "ui/peer.h"

namespace orvenda::ui {

Form::Form(Application& app, std::string name, std::string caption, Border border,
           Bounds clientArea)
    : app_(app),
      name_(std::move(name)),
      caption_(std::move(caption)),
      border_(border),
      clientArea_(clientArea),
      geometry_{0, 0, clientArea.width, clientArea.height} {}

Form::~Form() = default;

void Form::setGeometry(Bounds outer) {
    geometry_ = outer;
    if (peer) peer->geometryChanged();
}

namespace {

bool overlaps(const Bounds& a, const Bounds& b) {
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
           b.top < a.top + a.height;
}

// Distance between two rectangles along both axes, zero where they overlap.
double gap(const Bounds& a, const Bounds& b) {
    double dx = std::max({0.0, double(b.left) - (a.left + a.width), double(a.left) - (b.left + b.width)});
    double dy = std::max({0.0, double(b.top) - (a.top + a.height), double(a.top) - (b.top + b.height)});
    return dx * dx + dy * dy;
}

float clampInto(float pos, float size, float start, float extent) {
    if (size >= extent) return start;
    return std::clamp(pos, start, start + extent - size);
}

}  // namespace

void Form::keepOnScreen() {
    auto monitors = app_.backend().windowManager().monitors();
    if (monitors.empty()) return;
    for (const auto& m : monitors)
        if (overlaps(geometry_, m.area)) return;
    const Monitor* nearest = &monitors.front();
    double best = std::numeric_limits<double>::max();
    for (const auto& m : monitors) {
        double d = gap(geometry_, m.area);
        if (d < best) best = d, nearest = &m;
    }
    const Bounds& work = nearest->workArea;
    setGeometry({clampInto(geometry_.left, geometry_.width, work.left, work.width),
                 clampInto(geometry_.top, geometry_.height, work.top, work.height), geometry_.width,
                 geometry_.height});
}

void Form::show() {
    shown_ = true;
    if (peer) peer->stateChanged();
    app_.backend().show(*this);
}

void Form::showModal(Form& owner) {
    shown_ = true;
    modal_ = true;
    owner_ = &owner;
    ++owner.modalChildren_;
    if (owner.peer) owner.peer->stateChanged();
    if (peer) peer->stateChanged();
    app_.backend().showModal(*this, owner);
}

void Form::bringToFront() { app_.backend().bringToFront(*this); }

void Form::unload() {
    if (!app_.loaded(name_) || app_.find(name_) != this) return;
    // A modal window over this one goes first, with its own unload steps.
    for (;;) {
        Form* child = nullptr;
        for (auto& [_, f] : app_.forms_)
            if (f->owner_ == this && f->modal_) child = f.get();
        if (!child) break;
        child->unload();
    }
    Form_Unload();
    if (owner_ && modal_) {
        --owner_->modalChildren_;
        if (owner_->peer) owner_->peer->stateChanged();
    }
    shown_ = false;
    owner_ = nullptr;
    Application& app = app_;  // outside any event, unloaded() destroys this form
    app.unloaded(*this);
    app.unloadUnseen();
}

WindowHandle Form::handle() const { return peer ? peer->handle() : 0; }

std::vector<Control*> Form::tabOrder() const {
    std::vector<Control*> order;
    for (const auto& c : controls_) order.push_back(c.get());
    const auto key = [](const Control* c) {
        const int t = c->look().tabIndex;
        return t < 0 ? std::numeric_limits<int>::max() : t;
    };
    std::stable_sort(order.begin(), order.end(), [&](auto* a, auto* b) { return key(a) < key(b); });
    return order;
}

void Form::focusLeaving(Control& control) {
    focusLeft_ = &control;
    if (app_.depth_ == 0)
        settleFocus();
    else
        app_.focusToSettle_.push_back(name_);
}

void Form::settleFocus() {
    Control* const left = std::exchange(focusLeft_, nullptr);
    if (!left) return;
    const std::vector<Control*> order = tabOrder();
    if (std::any_of(order.begin(), order.end(), [](Control* c) { return c->isTabStop() && c->hasFocus(); })) return;
    const std::size_t from = std::find(order.begin(), order.end(), left) - order.begin();
    for (std::size_t step = 1; step <= order.size(); ++step)
        if (Control* next = order[(from + step) % order.size()]; next->isTabStop()) return next->setFocus();
}

Control* Form::find(const std::string& name) const {
    auto it = byName_.find(name);
    return it == byName_.end() ? nullptr : it->second;
}

Control* Form::checked(const std::string& name) const {
    if (Control* c = find(name)) return c;
    throw std::out_of_range(name_ + " has no control " + name);
}

Application::Application(Backend& backend) : backend_(backend) {}

Application::~Application() {
    for (auto& [_, f] : forms_) backend_.detach(*f);
    for (auto& f : dying_) backend_.detach(*f);
}

void Application::define(const std::string& name, Factory factory) {
    factories_[name] = std::move(factory);
}

Form& Application::form(const std::string& name) {
    if (auto it = forms_.find(name); it != forms_.end()) return *it->second;
    auto factory = factories_.find(name);
    if (factory == factories_.end()) throw std::out_of_range("no window named " + name);
    auto created = factory->second(*this);
    Form& ref = *created;
    forms_[name] = std::move(created);
    // The load steps run on the model alone; the backend then builds the
    // window once, as they left it (placed, sized, hidden fields not made).
    ref.Form_Load();
    backend_.attach(ref);
    return ref;
}

bool Application::loaded(const std::string& name) const { return forms_.count(name) != 0; }

Form* Application::find(const std::string& name) const {
    auto it = forms_.find(name);
    return it == forms_.end() ? nullptr : it->second.get();
}

void Application::unloaded(Form& form) {
    auto it = forms_.find(form.name());
    if (it == forms_.end()) return;
    backend_.detach(form);
    dying_.push_back(std::move(it->second));
    forms_.erase(it);
    if (depth_ == 0) dying_.clear();
    if (forms_.empty()) backend_.quit();
}

// A window that is not on screen would keep the program running with
// nothing to see and nothing to close it by.
void Application::unloadUnseen() {
    for (const auto& [_, f] : forms_)
        if (f->shown()) return;
    while (!forms_.empty()) forms_.begin()->second->unload();
}

void Application::dispatch(const std::function<void()>& event) {
    ++depth_;
    try {
        event();
    } catch (...) {
        --depth_;
        throw;
    }
    if (--depth_ != 0) return;
    for (const std::string& name : std::exchange(focusToSettle_, {}))
        if (Form* f = find(name)) f->settleFocus();
    dying_.clear();
}

}  // namespace orvenda::ui
