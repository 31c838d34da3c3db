// Text forms of stored values: how numbers, ticks and flags are written, and
// how texts that do not convert fall back to the key's default.
#include <gtest/gtest.h>

#include "settings/settings.h"
#include "support/memory_store.h"

namespace orvenda {
namespace {

using namespace settings;

TEST(NumberText, PlainShortestForm) {
    EXPECT_EQ(numberText(1000), "1000");
    EXPECT_EQ(numberText(-15), "-15");
    EXPECT_EQ(numberText(1234.5f), "1234.5");
    EXPECT_EQ(numberText(0.0f), "0");
    EXPECT_EQ(numberText(-0.0f), "0");
    EXPECT_EQ(numberText(13575), "13575");
    // Every twip value a window can have reads back as the same number.
    for (float v : {0.1f, 1005.0f, 16777216.0f, -480000.0f, 666.6667f})
        EXPECT_EQ(parseNumber(numberText(v)), v) << numberText(v);
}

TEST(StoredTexts, ConvertOrAreRefused) {
    EXPECT_EQ(parseNumber(" 1000 "), 1000.0f);
    EXPECT_EQ(parseNumber("+5"), 5.0f);
    for (const char* bad : {"", "abc", "10px", "1,5", "nan", "inf", "1e99", "--1"})
        EXPECT_FALSE(parseNumber(bad)) << bad;
    EXPECT_EQ(parseTick("1"), 1);
    EXPECT_EQ(parseTick("0"), 0);
    for (const char* bad : {"2", "-1", "0.5", "True", ""}) EXPECT_FALSE(parseTick(bad)) << bad;
    EXPECT_EQ(parseFlag("True"), true);
    EXPECT_EQ(parseFlag("False"), false);
    for (const char* bad : {"true", "1", "Yes", ""}) EXPECT_FALSE(parseFlag(bad)) << bad;
}

TEST(TypedSettings, MissingOrDamagedValuesReadAsTheDefault) {
    testing::MemoryStore store;
    Settings s(store);
    EXPECT_EQ(s.read(keys::Main.width), 13575.0f);
    EXPECT_EQ(s.read(keys::OUTPUT_WINDOW_VISIBLE), true);
    EXPECT_EQ(s.read(keys::INSTALL_FOLDER_TEXTBOX), "e.g. C:\\SendEmail");
    store.seed("MainWidth", "wide");
    store.seed("TLS_NO_TICKBOX", "3");
    store.seed("OUTPUT_WINDOW_VISIBLE", "no");
    EXPECT_EQ(s.read(keys::Main.width), 13575.0f);
    EXPECT_EQ(s.read(keys::TLS_NO_TICKBOX), 1);
    EXPECT_EQ(s.read(keys::OUTPUT_WINDOW_VISIBLE), true);
}

TEST(TypedSettings, WritesUseTheTextForms) {
    testing::MemoryStore store;
    Settings s(store);
    s.write(keys::Main.left, -15.0f);
    s.write(keys::TLS_YES_TICKBOX, std::int16_t{1});
    s.write(keys::OUTPUT_WINDOW_VISIBLE, false);
    s.write(keys::SMTP_PASSWORD_TEXTBOX, "p@ss word");
    EXPECT_EQ(store.writes, (std::vector<testing::MemoryStore::Write>{
                                {"MainLeft", "-15"},
                                {"TLS_YES_TICKBOX", "1"},
                                {"OUTPUT_WINDOW_VISIBLE", "False"},
                                {"SMTP_PASSWORD_TEXTBOX", "p@ss word"}}));
    EXPECT_EQ(store.values.count("ORVENDA\\Settings\\MainLeft"), 1u);
}

}  // namespace
}  // namespace orvenda
