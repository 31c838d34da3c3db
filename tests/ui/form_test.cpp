// The form model's rules, on the headless backend: tickbox clicks, create on
// first use, modal show, unload, the end of the program, and timers.
#include <gtest/gtest.h>

#include "ui/form.h"
#include "ui/headless/headless.h"

namespace orvenda {
namespace {

using namespace ui;

struct Probe : Form {
    Probe(Application& app, const std::string& name, std::vector<std::string>& log)
        : Form(app, name, name, Border::Sizable, Bounds{0, 0, 3000, 2000}),
          box(add<TickBox>("BOX", Look{}, "box", 0)),
          button(add<Button>("BUTTON", Look{}, "go")),
          label(add<Label>("LABEL", Look{}, "@")),
          timer(add<Timer>("TIMER", 1000, false)),
          log_(log) {
        box.onClick = [this] { log_.push_back(this->name() + " click " + std::to_string(box.value())); };
        button.onClick = [this] { log_.push_back(this->name() + " button"); };
        label.onDblClick = [this] { log_.push_back(this->name() + " dblclick"); };
        timer.onTimer = [this] { log_.push_back(this->name() + " tick"); };
    }
    void Form_Load() override { log_.push_back(name() + " load"); }
    void Form_Unload() override { log_.push_back(name() + " unload"); }

    TickBox& box;
    Button& button;
    Label& label;
    Timer& timer;
    std::vector<std::string>& log_;
};

struct FormModel : ::testing::Test {
    headless::HeadlessBackend backend;
    Application app{backend};
    std::vector<std::string> log;

    FormModel() {
        for (const char* name : {"ONE", "TWO"})
            app.define(name, [this, name](Application& a) { return std::make_unique<Probe>(a, name, log); });
    }
    Probe& form(const char* name) { return app.form<Probe>(name); }
};

TEST_F(FormModel, AssigningATickValueRunsTheClickOnlyWhenItChanges) {
    auto& f = form("ONE");
    log.clear();
    f.box.setValue(0);
    EXPECT_TRUE(log.empty());
    f.box.setValue(1);
    f.box.setValue(1);
    f.box.setValue(2);  // grey
    EXPECT_EQ(log, (std::vector<std::string>{"ONE click 1", "ONE click 2"}));
}

TEST_F(FormModel, UserClicksToggleOnlyEnabledVisibleTickboxes) {
    auto& f = form("ONE");
    log.clear();
    f.box.userClick();
    f.box.userClick();
    f.box.setEnabled(false);
    f.box.userClick();
    f.box.setEnabled(true);
    f.box.setVisible(false);
    f.box.userClick();
    EXPECT_EQ(log, (std::vector<std::string>{"ONE click 1", "ONE click 0"}));
    EXPECT_EQ(f.box.value(), 0);
}

TEST_F(FormModel, CreateOnFirstUseLoadsWithoutShowingAndOnlyOnce) {
    auto& f = form("ONE");
    EXPECT_FALSE(f.shown());
    EXPECT_EQ(&form("ONE"), &f);
    EXPECT_EQ(log, (std::vector<std::string>{"ONE load"}));
    EXPECT_TRUE(app.loaded("ONE"));
    EXPECT_FALSE(app.loaded("TWO"));
}

TEST_F(FormModel, ModalShowTakesInputFromTheOwnerUntilUnloaded) {
    auto& owner = form("ONE");
    owner.show();
    auto& dialog = form("TWO");
    dialog.showModal(owner);
    EXPECT_TRUE(dialog.shown());
    EXPECT_FALSE(owner.acceptsInput());
    log.clear();
    owner.button.userClick();
    owner.box.userClick();
    owner.label.userDoubleClick();
    dialog.button.userClick();
    EXPECT_EQ(log, (std::vector<std::string>{"TWO button"}));

    dialog.unload();
    EXPECT_TRUE(owner.acceptsInput());
    EXPECT_FALSE(app.loaded("TWO"));
    owner.button.userClick();
    EXPECT_EQ(log.back(), "ONE button");
}

TEST_F(FormModel, UnloadingAnOwnerUnloadsItsModalWindowFirst) {
    auto& owner = form("ONE");
    form("TWO").showModal(owner);
    log.clear();
    owner.unload();
    EXPECT_EQ(log, (std::vector<std::string>{"TWO unload", "ONE unload"}));
    EXPECT_TRUE(backend.ended);
}

TEST_F(FormModel, TheProgramEndsWithItsLastWindowShownOrNot) {
    auto& one = form("ONE");
    one.show();
    form("TWO");  // loaded, never shown
    one.unload();
    EXPECT_FALSE(backend.ended);
    EXPECT_TRUE(app.running());
    form("TWO").unload();
    EXPECT_TRUE(backend.ended);
    EXPECT_FALSE(app.running());
}

TEST_F(FormModel, AFormMayUnloadItselfFromItsOwnHandler) {
    auto& f = form("ONE");
    f.button.onClick = [&f] { f.unload(); };
    f.button.userClick();
    EXPECT_FALSE(app.loaded("ONE"));
    // Loading again builds a fresh form and runs its load steps again.
    EXPECT_EQ(form("ONE").box.value(), 0);
    EXPECT_EQ(std::count(log.begin(), log.end(), "ONE load"), 2);
}

TEST_F(FormModel, TimersTickOncePerIntervalFromWhenTheyStart) {
    auto& f = form("ONE");
    log.clear();
    backend.advance(5000);  // disabled: nothing
    f.timer.setTimerEnabled(true);
    backend.advance(999);
    EXPECT_TRUE(log.empty());
    backend.advance(1);
    EXPECT_EQ(log.size(), 1u);
    backend.advance(2500);
    EXPECT_EQ(log.size(), 3u);
    // A new interval starts afresh from now.
    f.timer.setInterval(2000);
    backend.advance(1999);
    EXPECT_EQ(log.size(), 3u);
    backend.advance(1);
    EXPECT_EQ(log.size(), 4u);
    f.timer.setTimerEnabled(false);
    backend.advance(10'000);
    EXPECT_EQ(log.size(), 4u);
}

TEST_F(FormModel, TimersKeepTickingWhileAModalWindowIsOpen) {
    auto& owner = form("ONE");
    owner.timer.setTimerEnabled(true);
    form("TWO").showModal(owner);
    log.clear();
    backend.advance(3000);
    EXPECT_EQ(log, (std::vector<std::string>{"ONE tick", "ONE tick", "ONE tick"}));
}

TEST_F(FormModel, ATimerWhoseHandlerUnloadsItsFormStops) {
    auto& f = form("ONE");
    f.timer.onTimer = [&f] { f.unload(); };
    f.timer.setTimerEnabled(true);
    backend.advance(5000);
    EXPECT_FALSE(app.loaded("ONE"));
}

struct OnScreen : FormModel {
    Form& placed(Bounds b) {
        auto& f = form("ONE");
        f.setGeometry(b);
        f.keepOnScreen();
        return f;
    }
};

TEST_F(OnScreen, AWindowTouchingAMonitorStaysWhereItIs) {
    EXPECT_EQ(placed({-2000, -2000, 3000, 3000}).geometry(), (Bounds{-2000, -2000, 3000, 3000}));
    EXPECT_EQ(placed({28000, 16000, 3000, 3000}).geometry(), (Bounds{28000, 16000, 3000, 3000}));
}

TEST_F(OnScreen, AWindowOffEveryMonitorMovesOntoTheNearestWorkArea) {
    EXPECT_EQ(placed({40000, 1000, 3000, 2000}).geometry(), (Bounds{25800, 1000, 3000, 2000}));
    EXPECT_EQ(placed({-480000, -480000, 3000, 2000}).geometry(), (Bounds{0, 0, 3000, 2000}));
    EXPECT_EQ(placed({1000, 20000, 3000, 2000}).geometry(), (Bounds{1000, 13600, 3000, 2000}));
}

TEST_F(OnScreen, TheNearestOfSeveralMonitorsIsChosen) {
    backend.wm.screens = {{{0, 0, 28800, 16200}, {0, 0, 28800, 15600}},
                          {{28800, 0, 19200, 14400}, {28800, 0, 19200, 14400}}};
    EXPECT_EQ(placed({60000, 500, 4000, 3000}).geometry(), (Bounds{44000, 500, 4000, 3000}));
    // Larger than the work area: its top-left corner goes to the work area's.
    EXPECT_EQ(placed({-90000, 0, 40000, 20000}).geometry(), (Bounds{0, 0, 40000, 20000}));
}

}  // namespace
}  // namespace orvenda
