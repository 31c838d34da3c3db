// platform/win32: FormatMessageW for failure messages. Uses the Win32 API,
// the text conversion beside it and platform/system_text.h. The text is
// fetched without inserts (the system would otherwise read arguments that
// were never given) and its placeholders filled in afterwards.
#include "platform/win32/system_error.h"

#include <windows.h>

#include "platform/system_text.h"
#include "platform/win32/text.h"

namespace orvenda::platform::win32 {

std::string systemReason(unsigned long error, std::string_view subject) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    const std::string text = withInserts(length ? narrow(std::wstring(buffer, length)) : std::string(), subject);
    if (buffer) LocalFree(buffer);
    if (text.empty()) return "System error " + std::to_string(error) + ".";
    return text;
}

}  // namespace orvenda::platform::win32
