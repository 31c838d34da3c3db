// ui/win32: UTF-8 (the model's texts) to and from UTF-16 (the Win32 API's).
#pragma once

#include <string>
#include <string_view>

namespace orvenda::ui::win32 {

std::wstring wide(std::string_view utf8);
std::string narrow(std::wstring_view utf16);

}  // namespace orvenda::ui::win32
