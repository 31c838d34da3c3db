// platform/win32: LaunchCommandLine with CreateProcessW. The window style goes
// into STARTUPINFO; the process is not waited for and its handles are
// closed at once.
// May use the Win32 API and the helpers beside it.
#include <windows.h>

#include "platform/launch.h"
#include "platform/win32/system_error.h"
#include "platform/win32/text.h"

namespace orvenda::platform {

namespace {

class Win32Launcher : public Launcher {
public:
    std::optional<std::string> LaunchCommandLine(const std::string& commandLine,
                                                 int windowStyle) override {
        std::wstring line = win32::wide(commandLine);
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = windowStyle == kNormalWithFocus ? SW_SHOWNORMAL : SW_HIDE;
        PROCESS_INFORMATION process{};
        if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &process))
            return win32::systemReason(GetLastError());
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return std::nullopt;
    }
};

}  // namespace

std::unique_ptr<Launcher> makeSystemLauncher() { return std::make_unique<Win32Launcher>(); }

}  // namespace orvenda::platform
