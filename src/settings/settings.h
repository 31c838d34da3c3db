// settings: the program's own view of the store (application ORVENDA,
// section Settings) with the text forms its windows read and write.
//
// A stored text that does not convert to the reader's type reads as the
// key's default, so a damaged value never stops a window from opening.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "settings/keys.h"
#include "settings/store.h"

namespace orvenda::settings {

inline constexpr const char* kApplication = "ORVENDA";
inline constexpr const char* kSection = "Settings";

// "1000", "-15", "100000", "1234.5": whole values as whole numbers, fractions
// with at most seven significant digits, never an exponent.
std::string numberText(float value);
std::optional<float> parseNumber(std::string_view text);
std::optional<std::int16_t> parseTick(std::string_view text);
std::optional<bool> parseFlag(std::string_view text);
inline std::string tickText(std::int16_t value) { return std::to_string(value); }
inline std::string flagText(bool value) { return value ? "True" : "False"; }

class Settings {
public:
    explicit Settings(Store& store) : store_(store) {}

    std::string read(const TextKey& key);
    float read(const NumberKey& key);
    std::int16_t read(const TickKey& key);
    bool read(const FlagKey& key);

    void write(const TextKey& key, const std::string& value);
    void write(const NumberKey& key, float value);
    void write(const TickKey& key, std::int16_t value);
    void write(const FlagKey& key, bool value);

private:
    std::string raw(std::string_view key, const std::string& fallback);
    void put(std::string_view key, const std::string& value);
    Store& store_;
};

}  // namespace orvenda::settings
