// The launcher window: load and close steps, the topmost step's exact calls,
// the double click on "@", and how it ends with the compose window.
#include <gtest/gtest.h>

#include "support/program.h"
#include "windows/about_window.h"
#include "windows/at_window.h"

namespace orvenda {
namespace {

using testing::MemoryStore;
using testing::Program;
using windows::AboutWindow;
using windows::AtWindow;
using Call = ui::headless::RecordingWindowManager::Call;
using Calls = std::vector<Call>;
using Writes = std::vector<MemoryStore::Write>;

constexpr ui::WindowHandle kTopmost = static_cast<ui::WindowHandle>(-1);
constexpr ui::WindowHandle kNotTopmost = static_cast<ui::WindowHandle>(-2);

AtWindow& create(Program& p) { return p.app.form<AtWindow>(windows::kAtWindow); }

// As a user gets there: "ABOUT", tick "Always On Top", "OK".
AtWindow& switchedOnFromAbout(Program& p) {
    p.main().ABOUT_BUTTON.userClick();
    auto& about = p.app.form<AboutWindow>(windows::kAboutWindow);
    about.AlwaysOnTopTimer_TICKBOX.userClick();
    about.OK_BUTTON.userClick();
    return create(p);
}

TEST(AtWindowLoad, EmptyStoreGivesTheDefaultsAndAStoppedTimer) {
    Program p;
    auto& at = create(p);
    EXPECT_EQ(at.geometry(), (ui::Bounds{1000, 1000, 1095, 855}));
    EXPECT_FALSE(at.shown());
    EXPECT_FALSE(at.AlwaysOnTopTimer.running());
    EXPECT_EQ(at.AlwaysOnTopTimer.interval(), 1000);
    EXPECT_EQ(at.AT_SIGN_LABEL.caption(), "@");
    EXPECT_TRUE(p.store.writes.empty());
}

TEST(AtWindowLoad, TimerRunsOnlyWhenTheStoredSwitchIsOne) {
    for (auto [stored, running] : {std::pair{"1", true}, {"1.0", true}, {"0", false},
                                   {"", false}, {"-1", false}, {"on", false}}) {
        Program p;
        if (*stored) p.store.seed("AlwaysOnTopTimer_TICKBOX", stored);
        auto& at = create(p);
        EXPECT_EQ(at.AlwaysOnTopTimer.running(), running) << stored;
        EXPECT_EQ(at.AlwaysOnTopTimer.interval(), 1000) << stored;
    }
}

class TopmostStep : public ::testing::Test {
protected:
    TopmostStep() {
        p.store.seed("AlwaysOnTopTimer_TICKBOX", "1");
        at = &create(p);
        self = at->handle();
    }
    ui::headless::RecordingWindowManager& wm() { return p.backend.wm; }
    Program p;
    AtWindow* at = nullptr;
    ui::WindowHandle self = 0;
};

TEST_F(TopmostStep, LauncherInTheForegroundMakesNoCall) {
    ASSERT_NE(self, 0u);
    wm().foreground = self;
    p.advance(3000);
    EXPECT_EQ(wm().foregroundQueries, 3);
    EXPECT_TRUE(wm().calls.empty());
}

TEST_F(TopmostStep, AnotherForegroundWindowLosesTopmostThenTheLauncherTakesIt) {
    const ui::WindowHandle other = 0xBEEF0;
    wm().foreground = other;
    p.advance(999);
    EXPECT_TRUE(wm().calls.empty());
    p.advance(1);
    EXPECT_EQ(wm().foregroundQueries, 2);
    EXPECT_EQ(wm().calls, (Calls{{other, kNotTopmost, 0, 0, 0, 0, 3},
                                 {self, kTopmost, 0, 0, 0, 0, 3}}));
    p.advance(1000);
    EXPECT_EQ(wm().calls.size(), 4u);
}

TEST_F(TopmostStep, NoForegroundWindowStillMakesBothCalls) {
    wm().foreground = 0;
    p.advance(1000);
    EXPECT_EQ(wm().calls, (Calls{{0, kNotTopmost, 0, 0, 0, 0, 3}, {self, kTopmost, 0, 0, 0, 0, 3}}));
}

TEST_F(TopmostStep, TicksWhileTheAboutWindowIsModal) {
    wm().foreground = 0x4242;
    p.start();
    p.main().ABOUT_BUTTON.userClick();
    ASSERT_FALSE(p.main().acceptsInput());
    p.advance(2000);
    EXPECT_EQ(wm().calls.size(), 4u);
}

TEST(AtWindowClose, StoresItsFourValuesStopsTheTimerAndKeepsTheSwitch) {
    Program p;
    p.start();
    auto& at = switchedOnFromAbout(p);
    at.userMoved({26000, 14000, 1500, 900});
    p.store.writes.clear();
    p.backend.wm.foreground = 0x4242;
    p.app.dispatch([&] { at.unload(); });  // its close box
    EXPECT_EQ(p.store.writes, (Writes{{"ATMainLeft", "26000"},
                                      {"ATMainTop", "14000"},
                                      {"ATMainWidth", "1500"},
                                      {"ATMainHeight", "900"}}));
    EXPECT_EQ(*p.store.stored("AlwaysOnTopTimer_TICKBOX"), "1");
    p.advance(5000);
    EXPECT_TRUE(p.backend.wm.calls.empty());
    EXPECT_TRUE(p.app.running());  // the compose window is still there

    // The next change of the tick creates it again where it was left.
    p.main().ABOUT_BUTTON.userClick();
    p.app.form<AboutWindow>(windows::kAboutWindow).AlwaysOnTopTimer_TICKBOX.userClick();
    EXPECT_EQ(create(p).geometry(), (ui::Bounds{26000, 14000, 1500, 900}));
}

TEST(AtWindowDoubleClick, AfterTheComposeWindowClosedLoadsItAgainAndShowsItModal) {
    Program p;
    p.store.seed("SMTP_USERNAME_TEXTBOX", "alice");
    p.start();
    auto& at = switchedOnFromAbout(p);
    p.main().EXIT_BUTTON.userClick();
    ASSERT_FALSE(p.app.loaded(app::kMainWindow));
    EXPECT_TRUE(p.app.running());  // the launcher on screen keeps it going
    EXPECT_FALSE(p.backend.ended);

    at.AT_SIGN_LABEL.userDoubleClick();
    ASSERT_TRUE(p.app.loaded(app::kMainWindow));
    auto& compose = p.main();
    EXPECT_EQ(compose.SMTP_USERNAME_TEXTBOX.text(), "alice");  // its load steps ran
    EXPECT_TRUE(compose.OUTPUT_COMMAND_TIMER.running());
    EXPECT_TRUE(compose.shown());
    EXPECT_TRUE(compose.modal());
    EXPECT_FALSE(at.acceptsInput());

    // The launcher keeps ticking under the modal compose window.
    p.backend.wm.foreground = 0x4242;
    p.advance(1000);
    EXPECT_EQ(p.backend.wm.calls.size(), 2u);

    // Closing the compose window again gives the launcher its input back.
    compose.EXIT_BUTTON.userClick();
    EXPECT_TRUE(at.acceptsInput());
    EXPECT_TRUE(p.app.running());
}

TEST(AtWindowDoubleClick, ComposeWindowOnScreenComesToTheFront) {
    Program p;
    p.start();
    auto& at = switchedOnFromAbout(p);
    at.AT_SIGN_LABEL.userDoubleClick();
    EXPECT_EQ(p.backend.broughtToFront, std::vector<std::string>{app::kMainWindow});
    EXPECT_FALSE(p.main().modal());
    EXPECT_TRUE(at.acceptsInput());
}

TEST(AtWindowWithComposeClose, HiddenLauncherClosesWithItsOwnStepsAndTheProgramEnds) {
    Program p;
    p.start();
    // Ticked, the launcher closed by its close box, then the tick cleared:
    // that creates the launcher again, hidden.
    p.main().ABOUT_BUTTON.userClick();
    auto& about = p.app.form<AboutWindow>(windows::kAboutWindow);
    about.AlwaysOnTopTimer_TICKBOX.userClick();
    p.app.dispatch([&] { create(p).unload(); });
    about.AlwaysOnTopTimer_TICKBOX.userClick();
    about.OK_BUTTON.userClick();
    ASSERT_TRUE(p.app.loaded(windows::kAtWindow));
    ASSERT_FALSE(create(p).shown());
    p.store.writes.clear();

    p.main().EXIT_BUTTON.userClick();
    EXPECT_FALSE(p.app.loaded(windows::kAtWindow));
    EXPECT_FALSE(p.app.running());
    EXPECT_TRUE(p.backend.ended);
    // Its close steps ran, after the compose window's own.
    ASSERT_GE(p.store.writes.size(), 4u);
    const Writes last(p.store.writes.end() - 4, p.store.writes.end());
    EXPECT_EQ(last, (Writes{{"ATMainLeft", "1000"},
                            {"ATMainTop", "1000"},
                            {"ATMainWidth", "1095"},
                            {"ATMainHeight", "855"}}));
}

TEST(AtWindowWithComposeClose, LauncherOnScreenStaysAndClosingItEndsTheProgram) {
    Program p;
    p.start();
    auto& at = switchedOnFromAbout(p);
    p.main().EXIT_BUTTON.userClick();
    ASSERT_TRUE(p.app.loaded(windows::kAtWindow));
    EXPECT_FALSE(p.backend.ended);
    p.app.dispatch([&] { at.unload(); });
    EXPECT_FALSE(p.app.running());
    EXPECT_TRUE(p.backend.ended);
}

}  // namespace
}  // namespace orvenda
