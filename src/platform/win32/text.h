// platform/win32: UTF-8 (the model's texts) to and from UTF-16 (the Win32
// API's), for every room's Win32 code.
#pragma once

#include <string>
#include <string_view>

namespace orvenda::platform::win32 {

std::wstring wide(std::string_view utf8);
std::string narrow(std::wstring_view utf16);

}  // namespace orvenda::platform::win32
