// Test support (Windows, run under Wine): starts the real orvenda.exe, finds
// its windows and controls, reads its message boxes and sees what it
// starts, reads and seeds its settings in the registry, runs host commands,
// and gives it real input: keystrokes and mouse clicks sent through the X
// display with Debian's xdotool, as a person at the keyboard gives them.
//
// Windows are found by their class, named after the form ("ORVENDA_MAIN",
// "ORVENDA_ABOUT", "ORVENDA_AT_WINDOW", "ORVENDA_ADDRESS_BOOK"); controls by
// their model name (src/ui/win32/identity.h). Texts are UTF-8. Messages that
// return data are sent with a timeout; clicks by message are posted, since a
// click may open a modal window: wait for their effect with waitUntil.
#pragma once

#include <windows.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace orvenda::testing::win32 {

// The program's branch HKCU\Software\VB and VBA Program Settings\ORVENDA,
// and in it the key that holds the settings.
inline constexpr wchar_t kSettingsKey[] = L"Software\\VB and VBA Program Settings\\ORVENDA\\Settings";
void clearSettings();
std::optional<std::string> readSetting(std::string_view key);

// The whole file, as bytes; empty when it cannot be read.
std::string readFile(const std::filesystem::path& path);

// Polls `condition` every 20 ms until it holds or `timeoutMs` passes.
bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 5000);

class Window {
public:
    Window() = default;
    explicit Window(HWND hwnd) : hwnd_(hwnd) {}
    HWND hwnd() const { return hwnd_; }
    explicit operator bool() const { return hwnd_ != nullptr && IsWindow(hwnd_); }

    // The native control of the model's control `name`; fails the test when missing.
    HWND require(std::string_view name) const;
    std::string text(std::string_view name) const;                     // WM_GETTEXT
    void setText(std::string_view name, std::string_view text) const;  // WM_SETTEXT
    void click(std::string_view name) const;                           // BM_CLICK, posted
    bool checked(std::string_view name) const;
    void close() const;                                                // WM_CLOSE, posted

private:
    HWND hwnd_ = nullptr;
};

// A visible top-level window of class `className`, of process `pid` or of
// any process (0); empty after the timeout.
Window waitTopLevel(std::string_view className, DWORD pid = 0, int timeoutMs = 10000);

class Program {
public:
    // Starts orvenda.exe from the test executable's folder or its parent, or
    // the program `exe`, in the folder `currentFolder` if one is given.
    explicit Program(const std::wstring& exe = {}, const std::wstring& currentFolder = {});
    // Ends the process if it still runs.
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // The visible top-level window of form `formName`; empty after the timeout.
    Window waitWindow(std::string_view formName, int timeoutMs = 10000) const;
    bool waitExit(int timeoutMs = 10000) const;
    DWORD id() const { return info_.dwProcessId; }
    // The text of the message box the program shows, which is then closed
    // with OK; empty when none shows within the timeout.
    std::string message(int timeoutMs = 5000) const;
    // Whether a process the program started still runs.
    bool startedAny() const;

private:
    PROCESS_INFORMATION info_{};
};

// Starts `command` with the host's /bin/sh, without waiting for it.
bool startHost(const std::string& command);

// Real input through the X display (xdotool): a click (or double click) at
// the centre of a window, typed text, and key names such as "Escape",
// "Return", "shift+Tab", "alt+F4". Each returns when xdotool has sent it.
// Texts hold no single quote.
void clickOn(HWND window, int clicks = 1);
void typeText(std::string_view text, int delayMs = 30);
void pressKey(std::string_view keys);

}  // namespace orvenda::testing::win32
