// platform/win32: the system's own wording for an error code, for any
// room's Win32 code to put in a failure message.
#pragma once

#include <string>
#include <string_view>

namespace orvenda::platform::win32 {

// FormatMessageW's text for the code, without its trailing line break, and
// with `subject` (a program or file name) where the text names "%1".
std::string systemReason(unsigned long error, std::string_view subject = {});

}  // namespace orvenda::platform::win32
