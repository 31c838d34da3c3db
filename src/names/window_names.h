// names: the names by which one room finds another room's window. Names
// only, so that any room may include it; includes nothing.
#pragma once

namespace orvenda::names {

inline constexpr const char* kMainWindow = "ORVENDA_MAIN";
inline constexpr const char* kAddressBookWindow = "ORVENDA_ADDRESS_BOOK";
inline constexpr const char* kAboutWindow = "ORVENDA_ABOUT";
inline constexpr const char* kAtWindow = "ORVENDA_AT_WINDOW";

}  // namespace orvenda::names
