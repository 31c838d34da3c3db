// The TLS selector: four states, every transition a user can make, and the
// states that start-up restores from stored ticks.
#include <gtest/gtest.h>

#include "support/program.h"

namespace orvenda {
namespace {

using testing::Program;

struct State {
    int no, yes, autoTick;
    bool noOn, yesOn, autoOn;
    std::string mode;
    bool operator==(const State&) const = default;
};

std::ostream& operator<<(std::ostream& os, const State& s) {
    return os << "{no " << s.no << (s.noOn ? "" : " grey") << ", yes " << s.yes
              << (s.yesOn ? "" : " grey") << ", auto " << s.autoTick << (s.autoOn ? "" : " grey")
              << ", mode " << s.mode << "}";
}

const State kModeNo{1, 0, 0, true, false, false, "no"};
const State kChoiceOpen{0, 0, 0, true, true, true, "no"};
const State kModeYes{0, 1, 0, false, true, false, "yes"};
const State kModeAuto{0, 0, 1, false, false, true, "auto"};

State observe(app::MainWindow& w) {
    return {w.TLS_NO_TICKBOX.value(),    w.TLS_YES_TICKBOX.value(),   w.TLS_AUTO_TICKBOX.value(),
            w.TLS_NO_TICKBOX.enabled(),  w.TLS_YES_TICKBOX.enabled(), w.TLS_AUTO_TICKBOX.enabled(),
            w.TLS_TB_SETTING.text()};
}

#define EXPECT_STATE(w, expected) EXPECT_EQ(observe(w), expected)

TEST(TlsSelector, EveryReachableTransition) {
    Program p;
    auto& w = p.start();
    auto& no = w.TLS_NO_TICKBOX;
    auto& yes = w.TLS_YES_TICKBOX;
    auto& autoBox = w.TLS_AUTO_TICKBOX;
    EXPECT_STATE(w, kModeNo);

    no.userClick();
    EXPECT_STATE(w, kChoiceOpen);
    no.userClick();
    EXPECT_STATE(w, kModeNo);

    no.userClick();
    yes.userClick();
    EXPECT_STATE(w, kModeYes);
    yes.userClick();  // clearing "yes" goes straight back to mode no
    EXPECT_STATE(w, kModeNo);

    no.userClick();
    autoBox.userClick();
    EXPECT_STATE(w, kModeAuto);
    autoBox.userClick();
    EXPECT_STATE(w, kModeNo);
}

TEST(TlsSelector, GreyedBoxesIgnoreClicks) {
    Program p;
    auto& w = p.start();
    w.TLS_YES_TICKBOX.userClick();
    w.TLS_AUTO_TICKBOX.userClick();
    EXPECT_STATE(w, kModeNo);

    w.TLS_NO_TICKBOX.userClick();
    w.TLS_YES_TICKBOX.userClick();
    w.TLS_NO_TICKBOX.userClick();
    w.TLS_AUTO_TICKBOX.userClick();
    EXPECT_STATE(w, kModeYes);  // "yes" and "auto" never ticked together
}

TEST(TlsSelector, ClearingYesRunsTheNoHandlerNestedBeforeTheRest) {
    Program p;
    auto& w = p.start();
    w.TLS_NO_TICKBOX.userClick();
    w.TLS_YES_TICKBOX.userClick();
    std::vector<std::string> order;
    auto inner = w.TLS_NO_TICKBOX.onClick;
    w.TLS_NO_TICKBOX.onClick = [&] {
        order.push_back("no handler, no enabled " + std::to_string(w.TLS_NO_TICKBOX.enabled()));
        inner();
    };
    w.TLS_YES_TICKBOX.userClick();
    // The nested handler ran while "no" was still disabled by the outer one.
    ASSERT_EQ(order.size(), 1u);
    EXPECT_EQ(order[0], "no handler, no enabled 0");
    EXPECT_STATE(w, kModeNo);
}

struct Stored {
    const char *no, *yes, *autoTick;
    State expected;
};

class TlsAtStart : public ::testing::TestWithParam<Stored> {};

TEST_P(TlsAtStart, StoredTicksRestoreTheirState) {
    const auto& c = GetParam();
    Program p;
    if (c.no) p.store.seed("TLS_NO_TICKBOX", c.no);
    if (c.yes) p.store.seed("TLS_YES_TICKBOX", c.yes);
    if (c.autoTick) p.store.seed("TLS_AUTO_TICKBOX", c.autoTick);
    auto& w = p.start();
    EXPECT_STATE(w, c.expected);
    p.advance(1000);
    EXPECT_NE(w.OUTPUT_COMMAND_TEXTBOX.text().find(" -o tls=" + c.expected.mode + " "),
              std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Combinations, TlsAtStart,
    ::testing::Values(Stored{nullptr, nullptr, nullptr, kModeNo},
                      Stored{"1", "0", "0", kModeNo},
                      Stored{"0", "0", "0", kChoiceOpen},
                      Stored{"0", "1", "0", kModeYes},
                      Stored{"0", "0", "1", kModeAuto},
                      // Several boxes ticked never come from the program's own
                      // saves; they always settle on "no" ticked, mode "no".
                      Stored{"1", "1", "0", State{1, 0, 0, false, true, false, "no"}},
                      Stored{"1", "0", "1", State{1, 0, 0, false, false, true, "no"}},
                      Stored{"0", "1", "1", kModeNo},
                      Stored{"1", "1", "1", State{1, 0, 0, false, false, true, "no"}}));

}  // namespace
}  // namespace orvenda
