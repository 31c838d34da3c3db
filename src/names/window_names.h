// names: the names by which one room finds another room's window or
// control. Names only, so that any room may include it; includes nothing.
#pragma once

namespace orvenda::names {

// The four windows.
inline constexpr const char* kMainWindow = "ORVENDA_MAIN";
inline constexpr const char* kAddressBookWindow = "ORVENDA_ADDRESS_BOOK";
inline constexpr const char* kAboutWindow = "ORVENDA_ABOUT";
inline constexpr const char* kAtWindow = "ORVENDA_AT_WINDOW";

// The compose window's address fields, which the address book picks into.
inline constexpr const char* kFromField = "SEND_FROM_ADDRESS_TEXTBOX";
inline constexpr const char* kToField = "SEND_TO_ADDRESS_TEXTBOX";
inline constexpr const char* kCcField = "SEND_CC_ADDRESS_TEXTBOX";
inline constexpr const char* kBccField = "SEND_BCC_ADDRESS_TEXTBOX";

}  // namespace orvenda::names
