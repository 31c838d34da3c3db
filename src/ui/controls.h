// ui: the controls of the form model.
//
// The model is the whole truth about a window's controls: every behaviour of
// the program reads and writes these objects, never native widgets. A platform
// peer (see peer.h) mirrors them on screen and reports user actions back
// through the `user...` entry points. Texts are UTF-8.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace orvenda::ui {

class Form;

// Positions and sizes in twips (1/1440 inch).
struct Bounds {
    float left = 0, top = 0, width = 0, height = 0;
    bool operator==(const Bounds&) const = default;
};

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

namespace colors {
inline constexpr Rgb black{0, 0, 0};
inline constexpr Rgb green{0, 255, 0};
inline constexpr Rgb lightCyan{128, 255, 255};
inline constexpr Rgb red{255, 0, 0};
}  // namespace colors

struct Font {
    std::string face = "MS Sans Serif";
    float points = 8.25f;
    bool bold = false;
};

enum class Kind { TextBox, TickBox, Button, Label, Frame, StatusBar, Timer };

enum class Property { Text, Value, Visible, Enabled, Interval };

// What a control tells its peer when the model changes under it.
class ControlPeer {
public:
    virtual ~ControlPeer() = default;
    virtual void modelChanged(Property what) = 0;
    // Whether the control holds the keyboard focus, or would get it back
    // when its window is next activated.
    virtual bool focused() const { return false; }
    // Gives it the keyboard focus (at once if its window is active).
    virtual void focus() {}
};

// Creation arguments shared by every visible control kind.
struct Look {
    Bounds bounds;
    int tabIndex = -1;  // -1: after every control that has one
    Font font;
    std::optional<Rgb> foreColor;
    std::optional<Rgb> backColor;
};

class Control {
public:
    Control(Form& form, std::string name, Kind kind, Look look);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& name() const { return name_; }
    Kind kind() const { return kind_; }
    Form& form() const { return form_; }
    const Look& look() const { return look_; }

    bool visible() const { return visible_; }
    void setVisible(bool visible);
    bool enabled() const { return enabled_; }
    // Disabling or hiding the control that has the focus hands the focus on
    // (Form::focusLeaving), so that the keyboard never falls into nothing.
    void setEnabled(bool enabled);

    bool hasFocus() const { return peer && peer->focused(); }
    void setFocus() {
        if (peer) peer->focus();
    }
    // Fields, tickboxes and buttons that are shown and usable.
    bool isTabStop() const;

    ControlPeer* peer = nullptr;

protected:
    void changed(Property what);

private:
    Form& form_;
    std::string name_;
    Kind kind_;
    Look look_;
    bool visible_ = true;
    bool enabled_ = true;
};

struct TextBoxStyle {
    bool multiLine = false;
    bool verticalScroll = false;
    bool password = false;  // every character shown as '*'
    bool readOnly = false;
};

class TextBox : public Control {
public:
    TextBox(Form& form, std::string name, Look look, std::string text, TextBoxStyle style = {});

    const std::string& text() const { return text_; }
    // Setting a text runs no handler.
    void setText(std::string text);
    // The peer reports what the native field now holds (typing, paste, a
    // message from another program); nothing is pushed back to the peer.
    void userEdited(std::string text) { text_ = std::move(text); }

    const TextBoxStyle& style() const { return style_; }

    // The name that screen readers give a field with no label beside it
    // ("Message"); set before the window is put on screen. A field with a
    // label is named by the label created just before it.
    const std::string& spokenName() const { return spokenName_; }
    void setSpokenName(std::string name) { spokenName_ = std::move(name); }

private:
    std::string text_;
    TextBoxStyle style_;
    std::string spokenName_;
};

class TickBox : public Control {
public:
    TickBox(Form& form, std::string name, Look look, std::string caption, std::int16_t value);

    const std::string& caption() const { return caption_; }
    std::int16_t value() const { return value_; }
    bool ticked() const { return value_ == 1; }
    // A different value runs the click handler before returning; the same
    // value runs nothing.
    void setValue(std::int16_t value);
    // A user's click: an enabled, visible tickbox toggles and runs its handler.
    void userClick();

    std::function<void()> onClick;

private:
    std::string caption_;
    std::int16_t value_;
};

class Button : public Control {
public:
    Button(Form& form, std::string name, Look look, std::string caption);
    const std::string& caption() const { return caption_; }
    // A user's click reaches the handler only while the button is usable.
    void userClick();
    std::function<void()> onClick;

private:
    std::string caption_;
};

enum class Align { Left, Center, Right };

class Label : public Control {
public:
    Label(Form& form, std::string name, Look look, std::string caption, Align align = Align::Left);
    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption);
    Align align() const { return align_; }
    void userClick();
    void userDoubleClick();
    std::function<void()> onClick;
    std::function<void()> onDblClick;

private:
    std::string caption_;
    Align align_;
};

// A captioned group box drawn around other controls; it holds no state.
class Frame : public Control {
public:
    Frame(Form& form, std::string name, Look look, std::string caption);
    const std::string& caption() const { return caption_; }

private:
    std::string caption_;
};

// A status bar along the bottom edge of its window. Date and time panels are
// kept current by the peer.
class StatusBar : public Control {
public:
    enum class Panel { Text, Date, Time };
    struct PanelSpec {
        Panel kind;
        std::string text;
        int widthTwips;  // 0: takes the rest
    };
    StatusBar(Form& form, std::string name, std::vector<PanelSpec> panels);
    const std::vector<PanelSpec>& panels() const { return panels_; }

private:
    std::vector<PanelSpec> panels_;
};

// Fires on the UI thread every `interval` ms while enabled. Enabling it or
// changing its interval starts a fresh interval.
class Timer : public Control {
public:
    Timer(Form& form, std::string name, int intervalMs, bool enabled);
    int interval() const { return interval_; }
    void setInterval(int ms);
    void setTimerEnabled(bool on) { setEnabled(on); }
    bool running() const { return enabled() && interval_ > 0; }
    void fire();
    std::function<void()> onTimer;

private:
    int interval_;
};

}  // namespace orvenda::ui
