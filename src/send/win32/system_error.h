// send/win32: the system's own wording for an error code.
#pragma once

#include <string>

namespace orvenda::send::win32 {

// FormatMessageW's text for the code, without its trailing line break.
std::string systemReason(unsigned long error);

}  // namespace orvenda::send::win32
