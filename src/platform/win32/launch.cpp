// platform/win32: LaunchCommandLine with CreateProcessW. The window style goes
// into STARTUPINFO; the process is not waited for and its handles are
// closed at once.
//
// A program named without a folder ("cmd.exe", "notepad.exe") is started
// from the system folder by its full path: left to the system's search, a
// program of that name in this program's folder or the current folder (a
// Downloads folder, say) would run first and receive the whole line. The
// line itself is passed on unchanged. A hidden launch gets no console
// window at all, so none appears where a terminal program is the default
// console.
// May use the Win32 API and the helpers beside it.
#include <windows.h>

#include "platform/launch.h"
#include "platform/win32/system_error.h"
#include "platform/win32/text.h"

namespace orvenda::platform {

namespace {

// The system folder's copy of the line's first word when that word names no
// folder; empty when it does (the line then says where the program is).
std::wstring systemProgram(const std::wstring& line) {
    const size_t start = line.find_first_not_of(L" \t");
    if (start == std::wstring::npos) return {};
    std::wstring first;
    if (line[start] == L'"')
        first = line.substr(start + 1, line.find(L'"', start + 1) - start - 1);
    else
        first = line.substr(start, line.find_first_of(L" \t", start) - start);
    if (first.empty() || first.find_first_of(L"\\/:") != std::wstring::npos) return {};
    wchar_t folder[MAX_PATH];
    const UINT n = GetSystemDirectoryW(folder, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return {};
    return std::wstring(folder, n) + L"\\" + first;
}

class Win32Launcher : public Launcher {
public:
    std::optional<std::string> LaunchCommandLine(const std::string& commandLine,
                                                 int windowStyle) override {
        std::wstring line = win32::wide(commandLine);
        const std::wstring program = systemProgram(line);
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = windowStyle == kNormalWithFocus ? SW_SHOWNORMAL : SW_HIDE;
        const DWORD flags = windowStyle == kNormalWithFocus ? 0 : CREATE_NO_WINDOW;
        PROCESS_INFORMATION process{};
        if (!CreateProcessW(program.empty() ? nullptr : program.c_str(), line.data(), nullptr, nullptr,
                            FALSE, flags, nullptr, nullptr, &startup, &process))
            return win32::systemReason(GetLastError());
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return std::nullopt;
    }
};

}  // namespace

std::unique_ptr<Launcher> makeSystemLauncher() { return std::make_unique<Win32Launcher>(); }

}  // namespace orvenda::platform
