// settings: the key catalogue. Every key the program reads or writes, with
// its text form and its default. A key bears the name of the control whose
// state it keeps, except the geometry keys and OUTPUT_WINDOW_VISIBLE.
//
// Keys made from controls follow a rule instead of a line each: the compose
// window's kept fields and TLS tickboxes are stored under their controls'
// names, with the text or tick each starts with as the default; the address
// book's rows as below.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orvenda::settings {

struct TextKey {
    std::string_view name;
    std::string_view fallback;
};
struct NumberKey {
    std::string_view name;
    float fallback;
};
struct TickKey {
    std::string_view name;
    std::int16_t fallback;
};
struct FlagKey {
    std::string_view name;
    bool fallback;
};

// A window's outer frame in twips.
struct GeometryKeys {
    NumberKey left, top, width, height;
};

namespace keys {

// Compose window.
inline constexpr GeometryKeys Main{
    {"MainLeft", 1000}, {"MainTop", 1000}, {"MainWidth", 13575}, {"MainHeight", 8250}};
inline constexpr FlagKey OUTPUT_WINDOW_VISIBLE{"OUTPUT_WINDOW_VISIBLE", true};
// Written at closing and read by nothing (start-up reads
// OUTPUT_WINDOW_VISIBLE): the stored settings keep every key they have
// always had, for earlier versions of the program and whatever else reads them.
inline constexpr FlagKey OUTPUT_COMMAND_TEXTBOX{"OUTPUT_COMMAND_TEXTBOX", true};
inline constexpr TickKey SAVE_SETTINGS_TICKBOX{"SAVE_SETTINGS_TICKBOX", 0};
inline constexpr TickKey OUTPUT_TB_TICKBOX{"OUTPUT_TB_TICKBOX", 1};
inline constexpr TickKey SHOW_SE_PROGRESS_TICKBOX{"SHOW_SE_PROGRESS_TICKBOX", 1};

// About window.
inline constexpr GeometryKeys About{
    {"AboutLeft", 1000}, {"AboutTop", 1000}, {"AboutWidth", 9375}, {"AboutHeight", 4245}};
inline constexpr TickKey AlwaysOnTopTimer_TICKBOX{"AlwaysOnTopTimer_TICKBOX", 0};

// Launcher window.
inline constexpr GeometryKeys AtWindow{
    {"ATMainLeft", 1000}, {"ATMainTop", 1000}, {"ATMainWidth", 1095}, {"ATMainHeight", 855}};

// Address book window.
inline constexpr GeometryKeys AddressBook{
    {"ABMainLeft", 1000}, {"ABMainTop", 1000}, {"ABMainWidth", 11670}, {"ABMainHeight", 9240}};
// The 20 entries: row n's name and address are kept under the names of the
// boxes that show them, AT_NAME_TEXTBOX_n and AT_ADDRESS_TEXTBOX_n (n = 1 to
// 20, no leading zero). The fallbacks are the boxes' placeholder texts.
inline constexpr int AddressBookRows = 20;
inline constexpr TextKey AT_NAME_TEXTBOX{"AT_NAME_TEXTBOX_", "Name"};
inline constexpr TextKey AT_ADDRESS_TEXTBOX{"AT_ADDRESS_TEXTBOX_", "Address"};
// The key of one row: the family's name followed by the row number.
inline std::string rowName(std::string_view prefix, int row) {
    return std::string(prefix) + std::to_string(row);
}

}  // namespace keys
}  // namespace orvenda::settings
