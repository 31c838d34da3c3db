// windows: the About window and the "@" launcher window on the whole program:
// what "OK" stores, the "Always On Top" switch, the launcher's topmost step,
// its double click and how it closes with the compose window.
#include <gtest/gtest.h>

#include "support/program.h"
#include "windows/about_window.h"
#include "windows/at_window.h"

namespace orvenda::windows {

using testing::Writes;

struct Windows : ::testing::Test {
    testing::Program p;

    // "ABOUT" on the compose window, which starts first if it has not.
    AboutWindow& about() {
        if (!p.app.loaded(app::kMainWindow)) p.start();
        p.main().ABOUT_BUTTON.userClick();
        return p.loaded<AboutWindow>(kAboutWindow);
    }
};

TEST_F(Windows, AboutIsModalAndOkStoresItsLeftAndTopOnlyForTheNextOpening) {
    auto& about = this->about();
    p.main().EXIT_BUTTON.userClick();  // the compose window takes no input meanwhile
    ASSERT_TRUE(p.app.loaded(app::kMainWindow));
    about.userMoved({2400, -300, 12000, 6000});
    about.OK_BUTTON.userClick();
    EXPECT_EQ(p.store.writes, (Writes{{"AboutLeft", "2400"}, {"AboutTop", "-300"}}));
    EXPECT_EQ(this->about().geometry(), (ui::Bounds{2400, -300, 9375, 4245}));
}

// Every second, unless the launcher has the input itself, the window that
// has it (or none) loses any topmost standing and the launcher takes it;
// neither call moves, sizes or activates a window (flags 0x13). The
// taskbars keep their standing. The launcher's own load starts it by the
// stored tick, which About then shows.
TEST_F(Windows, EachTickPutsTheLauncherOnTopWithoutActivatingAnyWindow) {
    p.store.seed("AlwaysOnTopTimer_TICKBOX", "1");
    const ui::WindowHandle self = p.app.form(kAtWindow).handle(), other = 0xBEEF0, none = 0, taskbar = 0xBEEF1,
                           second = 0xBEEF2, lookalike = 0xBEEF3;
    p.backend.wm.classes = {{taskbar, "Shell_TrayWnd"}, {second, "Shell_SecondaryTrayWnd"}, {lookalike, "Shell_TrayWnd2"}};
    const auto topmost = ui::WindowHandle(-1), notTopmost = ui::WindowHandle(-2);
    using Calls = std::vector<ui::headless::RecordingWindowManager::Call>;
    for (ui::WindowHandle foreground : {self, other, none, taskbar, second, lookalike}) {
        p.backend.wm.calls.clear();
        p.backend.wm.foreground = foreground;
        p.advance(999);
        EXPECT_TRUE(p.backend.wm.calls.empty());
        p.advance(1);
        const Calls onTop{{foreground, notTopmost, 0, 0, 0, 0, 0x13}, {self, topmost, 0, 0, 0, 0, 0x13}};
        const bool kept = foreground == self || foreground == taskbar || foreground == second;
        EXPECT_EQ(p.backend.wm.calls, kept ? Calls{} : onTop) << "foreground " << foreground;
    }
    EXPECT_TRUE(about().AlwaysOnTopTimer_TICKBOX.ticked());
}

// A compose window on screen only comes to the front; a closed one is
// loaded again (its load steps run) and shown modally.
TEST_F(Windows, DoubleClickingTheLauncherBringsTheComposeWindowBack) {
    p.store.seed("SMTP_USERNAME_TEXTBOX", "alice");
    about().AlwaysOnTopTimer_TICKBOX.userClick();  // as a user switches the launcher on
    p.loaded<AboutWindow>(kAboutWindow).OK_BUTTON.userClick();
    auto& at = p.loaded<AtWindow>(kAtWindow);
    at.AT_SIGN_LABEL.userDoubleClick();
    EXPECT_EQ(p.backend.broughtToFront, std::vector<std::string>{app::kMainWindow});
    EXPECT_FALSE(p.main().modal());
    p.main().EXIT_BUTTON.userClick();
    EXPECT_FALSE(p.backend.ended);  // the launcher on screen keeps the program going
    at.AT_SIGN_LABEL.userDoubleClick();
    auto& compose = p.loaded<app::MainWindow>(app::kMainWindow);
    EXPECT_EQ(compose.SMTP_USERNAME_TEXTBOX.text(), "alice");
    EXPECT_TRUE(compose.shown() && compose.modal());
}

// "Always On Top" stores its tick at once; ticking shows and starts the
// launcher, clearing stops it where it is. Ticked, the launcher closed by
// its close box, then the tick cleared: that loads the launcher again,
// hidden and stopped. It closes with the compose window, its own close steps
// storing where it is.
TEST_F(Windows, AlwaysOnTopSwitchesTheLauncherAndAHiddenOneClosesWithTheComposeWindow) {
    auto& tick = about().AlwaysOnTopTimer_TICKBOX;
    tick.userClick();
    AtWindow& at = p.loaded<AtWindow>(kAtWindow);
    EXPECT_TRUE(at.shown() && at.AlwaysOnTopTimer.running());
    tick.userClick();
    EXPECT_TRUE(at.shown() && !at.AlwaysOnTopTimer.running());
    EXPECT_EQ(p.store.writes, (Writes{{"AlwaysOnTopTimer_TICKBOX", "1"}, {"AlwaysOnTopTimer_TICKBOX", "0"}}));
    tick.userClick();
    at.unload();
    tick.userClick();
    EXPECT_FALSE(p.loaded<AtWindow>(kAtWindow).shown() || p.loaded<AtWindow>(kAtWindow).AlwaysOnTopTimer.running());
    p.store.writes.clear();
    p.main().unload();
    EXPECT_TRUE(p.backend.ended);
    EXPECT_EQ(Writes(p.store.writes.end() - 4, p.store.writes.end()),
              (Writes{{"ATMainLeft", "1000"}, {"ATMainTop", "1000"}, {"ATMainWidth", "1095"}, {"ATMainHeight", "855"}}));
}

}  // namespace orvenda::windows
