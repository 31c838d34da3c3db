// Stored values: the text forms written, texts that read as the default, and
// window geometry across monitors of different scaling.
#include <gtest/gtest.h>

#include "support/program.h"
#include "ui/screen_units.h"

namespace orvenda {
namespace {

using namespace settings;

TEST(StoredNumbers, WholeValuesWholeFractionsSevenDigitsNeverAnExponent) {
    const std::pair<float, const char*> cases[] = {
        {1000, "1000"},         {-15, "-15"},          {100000, "100000"},  {491520, "491520"},
        {-0.0f, "0"},           {1234.5f, "1234.5"},   {8.5714283f, "8.571428"},
        {486438.15f, "486438.2"}, {-12345.678f, "-12345.68"}, {0.1f, "0.1"}, {1234567.5f, "1234568"},
        {1000000.5f, "1000000"}, {1234560.25f, "1234560"}, {9000000, "9000000"}};
    for (auto [value, text] : cases) EXPECT_EQ(numberText(value), text);
}

TEST(StoredNumbers, EveryWindowPositionReadsBackToTheSamePixel) {
    int wrong = 0;
    for (unsigned dpi : {96u, 97u, 120u, 144u, 168u, 192u, 240u, 288u, 336u, 480u})
        for (int px = -32768; px <= 32767; ++px)
            wrong += ui::twipsToPixels(*parseNumber(numberText(ui::pixelsToTwips(px, dpi))), dpi) != px;
    EXPECT_EQ(wrong, 0);
}

TEST(StoredTexts, WhatDoesNotConvertReadsAsTheDefault) {
    for (const char* bad : {"", "abc", "10px", "1,5", "nan", "inf", "1e99", "--1"}) EXPECT_FALSE(parseNumber(bad)) << bad;
    for (const char* bad : {"2", "-1", "0.5", "True"}) EXPECT_FALSE(parseTick(bad)) << bad;
    for (const char* bad : {"true", "1", "Yes"}) EXPECT_FALSE(parseFlag(bad)) << bad;
    EXPECT_EQ(parseNumber(" -5\t").value_or(0) + parseNumber("+7").value_or(0), 2.0f);
    testing::Program p;
    for (auto [key, text] : {std::pair{"MainWidth", "wide"}, {"OUTPUT_TB_TICKBOX", "3"}, {"OUTPUT_WINDOW_VISIBLE", "no"}})
        p.store.seed(key, text);
    EXPECT_EQ(p.settings.read(keys::Main.width), 13575.0f);
    EXPECT_EQ(p.settings.read(keys::OUTPUT_TB_TICKBOX), 1);
    EXPECT_TRUE(p.settings.read(keys::OUTPUT_WINDOW_VISIBLE));
}

// A fake window manager's two monitors side by side: the primary 1920 x 1080
// pixels at 96 DPI (the system's), and 2880 x 1620 at 144 DPI to its right.
constexpr unsigned kSystemDpi = 96;
const ui::PixelRect kScreens[] = {{0, 0, 1920, 1080}, {1920, 0, 4800, 1620}};

// Closes the compose window at `closed`, drawn at `dpi`, and opens it again
// with the first `monitors` monitors attached (only the opening looks at the
// monitors).
ui::Bounds reopened(const ui::PixelRect& closed, unsigned dpi, std::size_t monitors) {
    testing::Program first, second;
    second.backend.wm.screens.clear();
    for (std::size_t i = 0; i < monitors; ++i)
        second.backend.wm.screens.push_back({ui::screenAreaTwips(kScreens[i], kSystemDpi),
                                             ui::screenAreaTwips(kScreens[i], kSystemDpi)});
    first.start().userMoved(ui::frameTwips(closed, kSystemDpi, dpi));
    first.main().EXIT_BUTTON.userClick();
    second.store.values = first.store.values;
    return second.start().geometry();
}

// A window is drawn at the DPI of the monitor that holds its top-left
// corner. Stored left and top compare with the monitors' areas in twips, as
// the window is kept on screen, only if both are at the system DPI. A window
// on a monitor now gone opens on the primary.
TEST(MonitorScaling, AWindowReopensWhereItWasClosedAtTheSameSizeOrOnThePrimary) {
    for (auto [closed, dpi] : {std::pair{ui::PixelRect{2100, 300, 3000, 900}, 144u},
                               {ui::PixelRect{4000, 1000, 4700, 1500}, 144u}, {ui::PixelRect{100, 50, 1000, 600}, 96u}}) {
        const ui::Bounds twips = reopened(closed, dpi, 2);
        const ui::PixelRect r = ui::framePixels(twips, kSystemDpi, dpi);
        EXPECT_TRUE(r == closed) << r.left << "," << r.top << " " << r.right << "," << r.bottom;
        EXPECT_TRUE(twips.left == closed.left * 15.0f && twips.top == closed.top * 15.0f) << twips.left;
    }
    const ui::PixelRect r = ui::framePixels(reopened({4000, 1000, 4700, 1500}, 144, 1), kSystemDpi, kSystemDpi);
    EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= 1920 && r.bottom <= 1080) << r.left << "," << r.top;
}

}  // namespace
}  // namespace orvenda
