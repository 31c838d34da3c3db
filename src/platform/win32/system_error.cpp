// platform/win32: FormatMessageW for failure messages. Uses the Win32 API
// and the text conversion beside it.
#include "platform/win32/system_error.h"

#include <windows.h>

#include "platform/win32/text.h"

namespace orvenda::platform::win32 {

std::string systemReason(unsigned long error) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = length ? std::wstring(buffer, length) : std::wstring();
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' '))
        text.pop_back();
    if (text.empty()) return "System error " + std::to_string(error) + ".";
    return narrow(text);
}

}  // namespace orvenda::platform::win32
