// platform/win32: the system's own wording for an error code, for any
// room's Win32 code to put in a failure message.
#pragma once

#include <string>

namespace orvenda::platform::win32 {

// FormatMessageW's text for the code, without its trailing line break.
std::string systemReason(unsigned long error);

}  // namespace orvenda::platform::win32
