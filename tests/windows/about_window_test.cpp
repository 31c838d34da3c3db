// The About window: opening from "ABOUT", what "OK" and the close box store,
// the "Always On Top" switch and the credit label.
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
using Writes = std::vector<MemoryStore::Write>;

AboutWindow& openAbout(Program& p) {
    p.main().ABOUT_BUTTON.userClick();
    return p.app.form<AboutWindow>(windows::kAboutWindow);
}

AtWindow* launcher(Program& p) {
    return dynamic_cast<AtWindow*>(p.app.find(windows::kAtWindow));
}

TEST(AboutWindow, FirstOpeningWithAnEmptyStore) {
    Program p;
    p.start();
    auto& about = openAbout(p);
    EXPECT_EQ(about.geometry(), (ui::Bounds{1000, 1000, 9375, 4245}));
    EXPECT_TRUE(about.shown());
    EXPECT_TRUE(about.modal());
    EXPECT_FALSE(p.main().acceptsInput());
    EXPECT_EQ(about.AlwaysOnTopTimer_TICKBOX.value(), 0);
    EXPECT_EQ(launcher(p), nullptr);
    EXPECT_TRUE(p.store.writes.empty());
    // The compose window takes no clicks while the About window is up.
    p.main().ABOUT_BUTTON.userClick();
    p.main().EXIT_BUTTON.userClick();
    EXPECT_TRUE(p.app.loaded(app::kMainWindow));
}

TEST(AboutWindow, OkStoresLeftAndTopOnlyAndTheNextOpeningUsesThem) {
    Program p;
    p.start();
    auto& about = openAbout(p);
    about.userMoved({2400, -300, 12000, 6000});
    about.OK_BUTTON.userClick();
    EXPECT_EQ(p.store.writes, (Writes{{"AboutLeft", "2400"}, {"AboutTop", "-300"}}));
    EXPECT_FALSE(p.app.loaded(windows::kAboutWindow));
    EXPECT_TRUE(p.main().acceptsInput());

    auto& again = openAbout(p);
    EXPECT_EQ(again.geometry(), (ui::Bounds{2400, -300, 9375, 4245}));
}

TEST(AboutWindow, ClosingOtherwiseThanByOkStoresNothing) {
    Program p;
    p.store.seed("AboutLeft", "1500");
    p.store.seed("AboutTop", "1600");
    p.start();
    auto& about = openAbout(p);
    EXPECT_EQ(about.left(), 1500);
    about.userMoved({5000, 5000, 9375, 4245});
    p.app.dispatch([&] { about.unload(); });  // the close box
    EXPECT_TRUE(p.store.writes.empty());
    EXPECT_TRUE(p.main().acceptsInput());
    EXPECT_EQ(openAbout(p).geometry(), (ui::Bounds{1500, 1600, 9375, 4245}));
}

TEST(AlwaysOnTop, TickingWritesAtOnceAndPutsTheLauncherOnScreenWithItsTimerRunning) {
    Program p;
    p.start();
    auto& about = openAbout(p);
    about.AlwaysOnTopTimer_TICKBOX.userClick();
    EXPECT_EQ(p.store.writes, (Writes{{"AlwaysOnTopTimer_TICKBOX", "1"}}));
    AtWindow* at = launcher(p);
    ASSERT_NE(at, nullptr);
    EXPECT_TRUE(at->shown());
    EXPECT_FALSE(at->modal());
    EXPECT_TRUE(at->AlwaysOnTopTimer.running());
    EXPECT_EQ(at->AlwaysOnTopTimer.interval(), 1000);
    // The About window stays open.
    EXPECT_TRUE(about.shown());

    about.AlwaysOnTopTimer_TICKBOX.userClick();
    EXPECT_EQ(p.store.writes, (Writes{{"AlwaysOnTopTimer_TICKBOX", "1"},
                                      {"AlwaysOnTopTimer_TICKBOX", "0"}}));
    EXPECT_EQ(launcher(p), at);
    EXPECT_TRUE(at->shown());
    EXPECT_FALSE(at->AlwaysOnTopTimer.running());
}

TEST(AlwaysOnTop, ClearingCreatesAMissingLauncherHiddenWithItsTimerStopped) {
    Program p;
    p.store.seed("ATMainLeft", "7000");
    p.start();
    auto& about = openAbout(p);
    about.AlwaysOnTopTimer_TICKBOX.userClick();
    // The user closes the launcher window while the About window is open.
    p.app.dispatch([&] { launcher(p)->unload(); });
    ASSERT_EQ(launcher(p), nullptr);
    p.store.writes.clear();

    about.AlwaysOnTopTimer_TICKBOX.userClick();
    AtWindow* at = launcher(p);
    ASSERT_NE(at, nullptr);
    EXPECT_FALSE(at->shown());
    EXPECT_EQ(at->left(), 7000);  // its load steps ran
    // The load steps saw the stored "1" and started the timer; the click
    // steps stop it again.
    EXPECT_FALSE(at->AlwaysOnTopTimer.running());
    EXPECT_EQ(p.store.writes, (Writes{{"AlwaysOnTopTimer_TICKBOX", "0"}}));
}

TEST(AlwaysOnTop, StoredOnTicksTheBoxAtEveryOpeningAndRunsTheClickSteps) {
    Program p;
    p.store.seed("AlwaysOnTopTimer_TICKBOX", "1");
    p.start();
    EXPECT_EQ(launcher(p), nullptr);  // start-up creates neither window

    auto& about = openAbout(p);
    EXPECT_EQ(about.AlwaysOnTopTimer_TICKBOX.value(), 1);
    AtWindow* at = launcher(p);
    ASSERT_NE(at, nullptr);
    EXPECT_TRUE(at->shown());
    EXPECT_TRUE(at->AlwaysOnTopTimer.running());
    EXPECT_EQ(p.store.writes, (Writes{{"AlwaysOnTopTimer_TICKBOX", "1"}}));

    // A later opening finds the launcher there; its timer, stopped meanwhile
    // by nothing but a test, is switched on again.
    about.OK_BUTTON.userClick();
    at->AlwaysOnTopTimer.setTimerEnabled(false);
    p.store.writes.clear();
    openAbout(p);
    EXPECT_EQ(launcher(p), at);
    EXPECT_TRUE(at->AlwaysOnTopTimer.running());
    EXPECT_EQ(p.store.writes, (Writes{{"AlwaysOnTopTimer_TICKBOX", "1"}}));
}

TEST(AlwaysOnTop, StoredOffMissingOrUnreadableRunsNothing) {
    for (const char* stored : {"0", "", "yes", "2"}) {
        Program p;
        if (*stored) p.store.seed("AlwaysOnTopTimer_TICKBOX", stored);
        p.start();
        auto& about = openAbout(p);
        EXPECT_EQ(about.AlwaysOnTopTimer_TICKBOX.value(), 0) << stored;
        EXPECT_EQ(launcher(p), nullptr) << stored;
        EXPECT_TRUE(p.store.writes.empty()) << stored;
    }
}

TEST(AboutWindow, CreditLabelShowsTheAddressUntilTheNextOpening) {
    Program p;
    p.start();
    auto& about = openAbout(p);
    EXPECT_EQ(about.ORVENDA_CREATOR.caption(), windows::kCreditLine);
    about.ORVENDA_CREATOR.userClick();
    EXPECT_EQ(about.ORVENDA_CREATOR.caption(), "orvenda@example.org");
    EXPECT_TRUE(p.store.writes.empty());
    about.OK_BUTTON.userClick();
    EXPECT_EQ(openAbout(p).ORVENDA_CREATOR.caption(), windows::kCreditLine);
}

}  // namespace
}  // namespace orvenda
