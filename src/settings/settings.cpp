// settings: text forms (number, tick, flag, text) over the raw store.
#include "settings/settings.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace orvenda::settings {

namespace {

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

}  // namespace

// Whole values as whole numbers; fractions (a pixel at an odd scaling) with
// at most seven significant digits, never with an exponent.
std::string numberText(float value) {
    const double v = value;
    if (!std::isfinite(v) || v == 0) return "0";  // no "-0"
    char buf[64];
    if (std::abs(v) >= 1e7 || v == std::trunc(v)) {
        auto [end, ec] = std::to_chars(buf, buf + sizeof buf, std::round(v), std::chars_format::fixed, 0);
        return std::string(buf, end);
    }
    const int decimals = std::max(0, 6 - static_cast<int>(std::floor(std::log10(std::abs(v)))));
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
    std::string text(buf, end);
    // Between 1,000,000 and 10,000,000 there are no decimals to trim, and
    // the zeros at the end are the number's own.
    if (text.find('.') == std::string::npos) return text;
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
    return text;
}

std::optional<float> parseNumber(std::string_view text) {
    text = trimmed(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    float value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<std::int16_t> parseTick(std::string_view text) {
    auto n = parseNumber(text);
    if (!n || (*n != 0 && *n != 1)) return std::nullopt;
    return static_cast<std::int16_t>(*n);
}

std::optional<bool> parseFlag(std::string_view text) {
    text = trimmed(text);
    if (text == "True") return true;
    if (text == "False") return false;
    return std::nullopt;
}

std::string Settings::raw(std::string_view key, const std::string& fallback) {
    return store_.read(kApplication, kSection, std::string(key), fallback);
}

void Settings::put(std::string_view key, const std::string& value) {
    store_.write(kApplication, kSection, std::string(key), value);
}

std::string Settings::read(const TextKey& key) {
    return raw(key.name, std::string(key.fallback));
}

float Settings::read(const NumberKey& key) {
    return parseNumber(raw(key.name, numberText(key.fallback))).value_or(key.fallback);
}

std::int16_t Settings::read(const TickKey& key) {
    return parseTick(raw(key.name, tickText(key.fallback))).value_or(key.fallback);
}

bool Settings::read(const FlagKey& key) {
    return parseFlag(raw(key.name, flagText(key.fallback))).value_or(key.fallback);
}

void Settings::write(const TextKey& key, const std::string& value) { put(key.name, value); }
void Settings::write(const NumberKey& key, float value) { put(key.name, numberText(value)); }
void Settings::write(const TickKey& key, std::int16_t value) { put(key.name, tickText(value)); }
void Settings::write(const FlagKey& key, bool value) { put(key.name, flagText(value)); }

}  // namespace orvenda::settings
