// ui: windows of the form model and the application that owns them.
//
// A Form is one window kind, addressed by name. It is created on first use
// (its Form_Load runs, then the backend builds it, not shown), shown plainly
// or modally over an owner, and unloaded (which runs Form_Unload and then
// destroys it, and is the one place that says which windows close with it).
// The program ends when its last form is unloaded. Everything here is
// platform free; a Backend (peer.h) puts it on a screen (win32/), or keeps it
// in memory for the tests.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/controls.h"

namespace orvenda::ui {

class Application;
class Backend;
class FormPeer;

enum class Border {
    Sizable,      // ordinary top-level window with a taskbar button
    SizableTool,  // small caption, close box only, no taskbar button
    FixedTool,    // as SizableTool, without a sizing border
};

using WindowHandle = std::uintptr_t;

class Form {
public:
    Form(Application& app, std::string name, std::string caption, Border border,
         Bounds clientArea);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const std::string& name() const { return name_; }
    const std::string& caption() const { return caption_; }
    Border border() const { return border_; }
    // The laid-out client area; positions of controls are relative to it.
    Bounds clientArea() const { return clientArea_; }
    Application& app() const { return app_; }

    // Outer frame, twips. The peer keeps these current when the user moves
    // or sizes the window; for a minimized or maximized window they are its
    // restored rectangle.
    Bounds geometry() const { return geometry_; }
    float left() const { return geometry_.left; }
    float top() const { return geometry_.top; }
    float width() const { return geometry_.width; }
    float height() const { return geometry_.height; }
    void setGeometry(Bounds outer);
    // Moves a window that lies wholly outside every monitor onto the nearest
    // monitor's work area; any other geometry stays as it is.
    void keepOnScreen();
    // The peer reports a new outer rectangle (moved or sized by the user).
    void userMoved(Bounds outer) { geometry_ = outer; }
    // The frame, in twips, that the outer width and height above include:
    // the classic one, which stored sizes are written with (none until set).
    // The peer shows the client area they leave inside the frame its system
    // draws, and reports sizes back with this frame again.
    Bounds storedFrame() const { return storedFrame_; }
    void setStoredFrame(float width, float height) { storedFrame_ = {0, 0, width, height}; }

    bool shown() const { return shown_; }
    bool modal() const { return modal_; }
    // False while a modal window owned by this one is open.
    bool acceptsInput() const { return modalChildren_ == 0; }

    void show();
    void showModal(Form& owner);
    void bringToFront();
    // Unloads the modal windows over it, runs Form_Unload, and the form is
    // destroyed once the current event has been handled. If that leaves no
    // window on screen, the windows not on screen are unloaded too.
    void unload();

    WindowHandle handle() const;

    template <class T, class... Args>
    T& add(std::string name, Args&&... args) {
        auto control = std::make_unique<T>(*this, name, std::forward<Args>(args)...);
        T& ref = *control;
        byName_[std::move(name)] = control.get();
        controls_.push_back(std::move(control));
        return ref;
    }
    Control* find(const std::string& name) const;
    template <class T>
    T& get(const std::string& name) const {
        return dynamic_cast<T&>(*checked(name));
    }
    const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }
    // The order Tab follows: by tab index, controls without one last, in
    // order of creation where that leaves a tie.
    std::vector<Control*> tabOrder() const;
    // The focused control has just been disabled or hidden. Once the current
    // event has been handled, unless a handler has put the focus elsewhere,
    // it goes to the next tab stop after that control, wrapping around.
    void focusLeaving(Control& control);

    FormPeer* peer = nullptr;

protected:
    virtual void Form_Load() {}
    virtual void Form_Unload() {}

private:
    friend class Application;
    Control* checked(const std::string& name) const;
    void settleFocus();

    Application& app_;
    std::string name_;
    std::string caption_;
    Border border_;
    Bounds clientArea_;
    Bounds geometry_{};
    Bounds storedFrame_{};
    bool shown_ = false;
    bool modal_ = false;
    Form* owner_ = nullptr;
    int modalChildren_ = 0;
    Control* focusLeft_ = nullptr;
    std::vector<std::unique_ptr<Control>> controls_;
    std::map<std::string, Control*> byName_;
};

class Application {
public:
    using Factory = std::function<std::unique_ptr<Form>(Application&)>;

    explicit Application(Backend& backend);
    ~Application();

    Backend& backend() const { return backend_; }

    void define(const std::string& name, Factory factory);
    // Create on first use: a form that is not loaded is built, its Form_Load
    // runs, and it is attached to the backend; it is not shown.
    Form& form(const std::string& name);
    template <class T>
    T& form(const std::string& name) {
        return dynamic_cast<T&>(form(name));
    }
    bool loaded(const std::string& name) const;
    Form* find(const std::string& name) const;

    // Runs one event (a click, a timer tick, a close) and then destroys the
    // forms that the event unloaded.
    void dispatch(const std::function<void()>& event);

private:
    friend class Form;
    void unloaded(Form& form);
    void unloadUnseen();

    Backend& backend_;
    std::map<std::string, Factory> factories_;
    std::map<std::string, std::unique_ptr<Form>> forms_;
    std::vector<std::unique_ptr<Form>> dying_;
    std::vector<std::string> focusToSettle_;  // forms whose focused control went
    int depth_ = 0;
};

}  // namespace orvenda::ui
