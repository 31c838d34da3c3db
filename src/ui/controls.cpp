// ui: control state and the rules for tickbox, button and label events.
#include "ui/controls.h"

#include "ui/form.h"

namespace orvenda::ui {

Control::Control(Form& form, std::string name, Kind kind, Look look)
    : form_(form), name_(std::move(name)), kind_(kind), look_(std::move(look)) {}

void Control::changed(Property what) {
    if (peer) peer->modelChanged(what);
}

void Control::setVisible(bool visible) {
    if (visible_ == visible) return;
    const bool losesFocus = !visible && hasFocus();
    visible_ = visible;
    changed(Property::Visible);
    if (losesFocus) form_.focusLeaving(*this);
}

void Control::setEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    const bool losesFocus = !enabled && hasFocus();
    enabled_ = enabled;
    changed(Property::Enabled);
    if (losesFocus) form_.focusLeaving(*this);
}

bool Control::isTabStop() const {
    return visible_ && enabled_ && (kind_ == Kind::TextBox || kind_ == Kind::TickBox || kind_ == Kind::Button);
}

TextBox::TextBox(Form& form, std::string name, Look look, std::string text, TextBoxStyle style)
    : Control(form, std::move(name), Kind::TextBox, std::move(look)),
      text_(std::move(text)),
      style_(style) {}

void TextBox::setText(std::string text) {
    text_ = std::move(text);
    changed(Property::Text);
}

TickBox::TickBox(Form& form, std::string name, Look look, std::string caption, std::int16_t value)
    : Control(form, std::move(name), Kind::TickBox, std::move(look)),
      caption_(std::move(caption)),
      value_(value) {}

void TickBox::setValue(std::int16_t value) {
    if (value_ == value) return;
    value_ = value;
    changed(Property::Value);
    if (onClick) onClick();
}

void TickBox::userClick() {
    if (!enabled() || !visible() || !form().acceptsInput()) return;
    form().app().dispatch([this] { setValue(value_ == 1 ? 0 : 1); });
}

Button::Button(Form& form, std::string name, Look look, std::string caption)
    : Control(form, std::move(name), Kind::Button, std::move(look)), caption_(std::move(caption)) {}

void Button::userClick() {
    if (!enabled() || !visible() || !form().acceptsInput() || !onClick) return;
    form().app().dispatch(onClick);
}

Label::Label(Form& form, std::string name, Look look, std::string caption, Align align)
    : Control(form, std::move(name), Kind::Label, std::move(look)),
      caption_(std::move(caption)),
      align_(align) {}

void Label::setCaption(std::string caption) {
    caption_ = std::move(caption);
    changed(Property::Text);
}

void Label::userClick() {
    if (visible() && form().acceptsInput() && onClick) form().app().dispatch(onClick);
}

void Label::userDoubleClick() {
    if (visible() && form().acceptsInput() && onDblClick) form().app().dispatch(onDblClick);
}

Frame::Frame(Form& form, std::string name, Look look, std::string caption)
    : Control(form, std::move(name), Kind::Frame, std::move(look)), caption_(std::move(caption)) {}

StatusBar::StatusBar(Form& form, std::string name, std::vector<PanelSpec> panels)
    : Control(form, std::move(name), Kind::StatusBar, Look{}), panels_(std::move(panels)) {}

Timer::Timer(Form& form, std::string name, int intervalMs, bool enabled)
    : Control(form, std::move(name), Kind::Timer, Look{}), interval_(intervalMs) {
    if (!enabled) setEnabled(false);
}

void Timer::setInterval(int ms) {
    interval_ = ms;
    changed(Property::Interval);
}

void Timer::fire() {
    if (running() && onTimer) form().app().dispatch(onTimer);
}

}  // namespace orvenda::ui
