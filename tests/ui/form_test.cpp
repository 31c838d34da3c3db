// ui: the form model's rules on the headless backend: clicks, what the peer
// hears, timers and the rule that brings back a window lost off every
// monitor. Uses src/ui only. Modal windows, unloading and the program's end
// are shown by the windows' own tests.
#include <gtest/gtest.h>

#include "ui/form.h"
#include "support/headless.h"

namespace orvenda::ui {

using Log = std::vector<std::string>;

// A window whose handlers write to one log.
struct Probe : Form {
    Probe(Application& app, const std::string& name, Log& log) : Form(app, name, name, Border::Sizable, {}), log(log) {
        box.onClick = [this] { note("click " + std::to_string(box.value())); };
        button.onClick = [this] { note("button"); };
        timer.onTimer = [this] { note("tick"); };
    }
    void note(const std::string& what) { log.push_back(name() + " " + what); }

    Log& log;
    TickBox& box = add<TickBox>("BOX", Look{}, "box", 0);
    Button& button = add<Button>("BUTTON", Look{}, "go");
    TextBox& text = add<TextBox>("TEXT", Look{}, "");
    Timer& timer = add<Timer>("TIMER", 1000, false);
};

struct FormModel : ::testing::Test {
    headless::HeadlessBackend backend;
    Application app{backend};
    Log log;
    FormModel() {
        app.define("ONE", [this](Application& a) { return std::make_unique<Probe>(a, "ONE", log); });
    }
    Probe& form(const char* name) { return app.form<Probe>(name); }
};

TEST_F(FormModel, UserClicksReachOnlyEnabledVisibleControlsAndTimersTickFromTheirStart) {
    auto& f = form("ONE");
    for (auto [enabled, visible] : {std::pair{true, true}, {true, true}, {false, true}, {true, false}}) {
        for (Control* c : std::initializer_list<Control*>{&f.box, &f.button}) {
            c->setEnabled(enabled);
            c->setVisible(visible);
        }
        f.box.userClick();
        f.button.userClick();
    }
    backend.advance(5000);  // a timer created stopped ticks once per interval from when it starts
    f.timer.setTimerEnabled(true);
    backend.advance(2999);
    EXPECT_EQ(log, (Log{"ONE click 1", "ONE button", "ONE click 0", "ONE button", "ONE tick", "ONE tick"}));
}

// The peer puts every change the program makes on screen; what the user
// typed is there already and is not echoed back.
TEST_F(FormModel, EveryChangeTheProgramMakesReachesThePeer) {
    auto& f = form("ONE");
    f.box.setValue(1);
    f.box.setEnabled(false);
    f.box.setVisible(false);
    f.text.setText("set by the program");
    f.text.userEdited("typed");
    EXPECT_EQ(backend.heard, (std::vector{Property::Value, Property::Enabled, Property::Visible, Property::Text}));
}

// Tab stops in an order other than that of creation, a label among them.
struct Ring : Form {
    explicit Ring(Application& app) : Form(app, "RING", "RING", Border::Sizable, {}) {}
    static Look at(int tabIndex) { return Look{{}, tabIndex, {}, {}, {}}; }
    TextBox& a = add<TextBox>("A", at(1), "");
    TickBox& b = add<TickBox>("B", at(3), "b", 0);
    Button& c = add<Button>("C", at(2), "c");
    Label& label = add<Label>("LABEL", at(0), "label");
};

// Disabling or hiding the focused control hands the focus to the next tab
// stop by tab index, wrapping around; an unfocused one moves nothing.
TEST_F(FormModel, TheKeyboardFocusMovesOnWhenItsControlIsDisabledOrHidden) {
    app.define("RING", [](Application& a) { return std::make_unique<Ring>(a); });
    auto& f = app.form<Ring>("RING");
    f.b.setEnabled(false);
    f.b.setEnabled(true);
    EXPECT_EQ(backend.focus, nullptr);
    f.a.setFocus();
    f.a.setEnabled(false);
    EXPECT_EQ(backend.focus, &f.c);  // past the label
    f.c.setVisible(false);
    EXPECT_EQ(backend.focus, &f.b);
    f.a.setEnabled(true);
    f.b.setEnabled(false);  // around past the end and the label
    EXPECT_EQ(backend.focus, &f.a);
}

TEST_F(FormModel, AWindowWhollyOffEveryMonitorMovesOntoTheNearestWorkArea) {
    // Beside the 28800 x 16200 twip monitor (work area 15600 high), a second
    // one of 19200 x 14400 to its right.
    backend.wm.screens.push_back({{28800, 0, 19200, 14400}, {28800, 0, 19200, 14400}});
    const std::pair<Bounds, Bounds> cases[] = {
        {{-2000, -2000, 3000, 3000}, {-2000, -2000, 3000, 3000}},  // partly on screen: stays
        {{-3000, 1000, 3000, 2000}, {0, 1000, 3000, 2000}},  // only touching an edge is off screen
        {{1000, -2000, 3000, 2000}, {1000, 0, 3000, 2000}},
        {{1000, 20000, 3000, 2000}, {1000, 13600, 3000, 2000}},  // onto the work area
        {{60000, 500, 4000, 3000}, {44000, 500, 4000, 3000}},  // the second monitor is nearer
        {{-90000, 0, 40000, 20000}, {0, 0, 40000, 20000}},  // larger than the work area
    };
    for (const auto& [stored, opened] : cases) {
        auto& f = form("ONE");
        f.setGeometry(stored);
        f.keepOnScreen();
        EXPECT_EQ(f.geometry(), opened) << stored.left << ", " << stored.top;
    }
}

}  // namespace orvenda::ui
