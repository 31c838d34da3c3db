// The behaviour every settings store must show, whatever keeps the values.
// A platform's test file instantiates it with a fixture that opens stores
// over one shared backing (the registry under Wine, an SQLite file natively).
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "settings/settings.h"
#include "settings/store.h"

namespace orvenda::testing {

// Implemented per platform: each call opens another store instance over the
// same backing; `app` is an application name that no other test uses.
class StoreContract : public ::testing::Test {
protected:
    virtual std::unique_ptr<settings::Store> open() = 0;
    std::string app = "ORVENDA-contract";
    const std::string section = "Settings";

    std::string roundTrip(const std::string& value) {
        auto store = open();
        store->write(app, section, "value", value);
        return open()->read(app, section, "value", "<missing>");
    }
};

// Every code point from U+0001 to U+00FF, as UTF-8.
inline std::string latin1Range() {
    std::string s;
    for (unsigned c = 1; c <= 0xFF; ++c) {
        if (c < 0x80) {
            s += static_cast<char>(c);
        } else {
            s += static_cast<char>(0xC0 | (c >> 6));
            s += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return s;
}

#define ORVENDA_STORE_CONTRACT_TESTS(Fixture)                                                    \
    TEST_F(Fixture, MissingKeysSectionsAndApplicationsGiveTheDefault) {                         \
        auto store = open();                                                                    \
        EXPECT_EQ(store->read(app + "-never", section, "k", "dflt"), "dflt");                   \
        store->write(app, section, "present", "x");                                             \
        EXPECT_EQ(store->read(app, "Other", "present", "dflt"), "dflt");                        \
        EXPECT_EQ(store->read(app, section, "absent", ""), "");                                 \
        EXPECT_EQ(store->read(app, section, "absent", "1000"), "1000");                         \
    }                                                                                           \
    TEST_F(Fixture, TextsComeBackExactly) {                                                     \
        EXPECT_EQ(roundTrip(""), "");                                                           \
        EXPECT_EQ(roundTrip(::orvenda::testing::latin1Range()), ::orvenda::testing::latin1Range());                                     \
        for (const char* text : {"line 1\r\nline 2\nline 3\r", "a=b", "a;b", "#comment",        \
                                 "say \"hi\" 'there'", "C:\\Tools\\Mailer\\", "\\\\server\\x", \
                                 " leading and trailing ", "caf\xC3\xA9 \xE2\x82\xAC"})         \
            EXPECT_EQ(roundTrip(text), text);                                                   \
    }                                                                                           \
    TEST_F(Fixture, OneMebibyteOfTextComesBackExactly) {                                        \
        std::string big;                                                                        \
        big.reserve(1 << 20);                                                                   \
        for (size_t i = 0; big.size() < (1u << 20); ++i)                                        \
            big += static_cast<char>('a' + (i * 7919) % 26);                                    \
        EXPECT_EQ(roundTrip(big), big);                                                         \
    }                                                                                           \
    TEST_F(Fixture, AWriteReplacesTheEarlierValueOfThatKeyOnly) {                               \
        auto store = open();                                                                    \
        store->write(app, section, "a", "first");                                               \
        store->write(app, section, "b", "other");                                               \
        store->write(app, section, "a", "second");                                              \
        store->write(app, section, "a", "");                                                    \
        EXPECT_EQ(store->read(app, section, "a", "dflt"), "");                                  \
        EXPECT_EQ(store->read(app, section, "b", "dflt"), "other");                             \
        store->write(app, "Other", "a", "elsewhere");                                           \
        EXPECT_EQ(store->read(app, section, "a", "dflt"), "");                                  \
    }                                                                                           \
    TEST_F(Fixture, TwoInstancesWritingInterleavedKeysKeepEachOthersKeys) {                     \
        auto first = open();                                                                    \
        auto second = open();                                                                   \
        for (int i = 0; i < 200; ++i) {                                                         \
            first->write(app, section, "first" + std::to_string(i), std::to_string(i));         \
            second->write(app, section, "second" + std::to_string(i), std::to_string(-i));      \
            (i % 2 ? first : second)->write(app, section, "shared", std::to_string(i));         \
        }                                                                                       \
        auto third = open();                                                                    \
        for (int i = 0; i < 200; ++i) {                                                         \
            EXPECT_EQ(third->read(app, section, "first" + std::to_string(i), "lost"),           \
                      std::to_string(i));                                                       \
            EXPECT_EQ(third->read(app, section, "second" + std::to_string(i), "lost"),          \
                      std::to_string(-i));                                                      \
        }                                                                                       \
        EXPECT_EQ(third->read(app, section, "shared", "lost"), "199");                          \
    }

}  // namespace orvenda::testing
