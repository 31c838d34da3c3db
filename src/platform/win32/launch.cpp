// platform/win32: LaunchCommandLine with CreateProcessW. The window style goes
// into STARTUPINFO; the process is not waited for and its handles are
// closed at once.
//
// A program named without a folder ("cmd.exe", "notepad.exe") is started
// from the system folder by its full path: left to the system's search, a
// program of that name in this program's folder or the current folder (a
// Downloads folder, say) would run first and receive the whole line. The
// line itself is passed on unchanged, and the program runs in the system
// folder (see below). A hidden launch gets no console
// window at all, so none appears where a terminal program is the default
// console.
// May use the Win32 API and the helpers beside it.
#include <windows.h>

#include "platform/launch.h"
#include "platform/win32/system_error.h"
#include "platform/win32/text.h"

namespace orvenda::platform {

namespace {

std::wstring systemFolder() {
    wchar_t folder[MAX_PATH];
    const UINT n = GetSystemDirectoryW(folder, MAX_PATH);
    return n == 0 || n >= MAX_PATH ? std::wstring() : std::wstring(folder, n);
}

// The program the line starts, as the line names it.
std::wstring firstWord(const std::wstring& line) {
    const size_t start = line.find_first_not_of(L" \t");
    if (start == std::wstring::npos) return {};
    if (line[start] == L'"') return line.substr(start + 1, line.find(L'"', start + 1) - start - 1);
    return line.substr(start, line.find_first_of(L" \t", start) - start);
}

class Win32Launcher : public Launcher {
public:
    std::optional<std::string> LaunchCommandLine(const std::string& commandLine,
                                                 int windowStyle) override {
        std::wstring line = win32::wide(commandLine);
        // Every path in the lines is absolute: the system folder as the
        // working folder spares the interpreter a network share's, where it
        // would start with "UNC paths are not supported".
        const std::wstring folder = systemFolder();
        const std::wstring first = firstWord(line);
        const bool bare = !first.empty() && !folder.empty() && first.find_first_of(L"\\/:") == std::wstring::npos;
        const std::wstring program = bare ? folder + L"\\" + first : first;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = windowStyle == kNormalWithFocus ? SW_SHOWNORMAL : SW_HIDE;
        const DWORD flags = windowStyle == kNormalWithFocus ? 0 : CREATE_NO_WINDOW;
        PROCESS_INFORMATION process{};
        if (!CreateProcessW(bare ? program.c_str() : nullptr, line.data(), nullptr, nullptr, FALSE, flags,
                            nullptr, folder.empty() ? nullptr : folder.c_str(), &startup, &process))
            return win32::systemReason(GetLastError(), win32::narrow(program));
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return std::nullopt;
    }
};

}  // namespace

std::unique_ptr<Launcher> makeSystemLauncher() { return std::make_unique<Win32Launcher>(); }

}  // namespace orvenda::platform
