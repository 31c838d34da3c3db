// Test support (Windows, run under Wine): drives the real orvenda.exe from
// the test process the way automation and accessibility tools do, with
// window messages, and reads and seeds its settings in the registry.
//
// Typical test:
//
//     clearSettings();                       // every test starts from an empty store
//     Program program;                       // starts orvenda.exe
//     Window main = program.waitWindow("ORVENDA_MAIN");
//     main.setText("SEND_TO_ADDRESS_TEXTBOX", "bob@example.org");
//     ASSERT_TRUE(waitUntil([&] { return main.text("OUTPUT_COMMAND_TEXTBOX").find("bob@") != npos; }));
//     main.close();
//     ASSERT_TRUE(program.waitExit());
//
// How windows are found: every form's top-level window has a window class
// named after the form ("ORVENDA_MAIN", "ORVENDA_ABOUT", "ORVENDA_AT_WINDOW",
// "ORVENDA_ADDRESS_BOOK"); its caption is the form's caption ("ORVENDA",
// "ORVENDA - ABOUT", ...), so the compose and launcher windows, both captioned
// "ORVENDA", are told apart by their class. Controls are found by their model
// name (src/ui/win32/identity.h). A hidden text field may have no native
// window until it is first shown: `control()` then returns nullptr and
// `visible()` false.
//
// Texts are UTF-8. Messages that return data are sent (SendMessageTimeout);
// clicks are posted, because a click may open a modal window and not return
// until it closes: wait for the click's effect with waitUntil. Posted
// messages are handled in order, so once the effect of a later click shows,
// every earlier click has been handled too.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "ui/controls.h"

namespace orvenda::testing::win32 {

// --- The settings store: HKCU\Software\VB and VBA Program Settings\ORVENDA ---

// Deletes the program's whole branch.
void clearSettings();
// A value of section "Settings"; nullopt when it was never written.
std::optional<std::string> readSetting(std::string_view key);
// Writes a value of section "Settings" as REG_SZ, as the program would.
void seedSetting(std::string_view key, std::string_view value);

// --- Waiting ---

// Polls `condition` every 20 ms until it holds or `timeoutMs` passes;
// returns its last result.
bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 5000);

// --- A window of the program under test ---

class Window {
public:
    Window() = default;
    explicit Window(HWND hwnd) : hwnd_(hwnd) {}
    HWND hwnd() const { return hwnd_; }
    explicit operator bool() const { return hwnd_ != nullptr && IsWindow(hwnd_); }

    std::string caption() const;
    bool isToolWindow() const;
    bool visible() const;
    bool iconic() const;
    // Outer frame in pixels (screen coordinates) and in twips at the
    // window's DPI (15 twips a pixel at 96 DPI).
    RECT rect() const;
    ui::Bounds rectTwips() const;
    unsigned dpi() const;

    // The native control of the model's control `name`, or nullptr.
    HWND control(std::string_view name) const;
    // As control(), failing the current test when it is missing.
    HWND require(std::string_view name) const;

    std::string text(std::string_view name) const;             // WM_GETTEXT
    void setText(std::string_view name, std::string_view text) const;  // WM_SETTEXT
    // Selects the whole text, or places the caret at the end, then EM_REPLACESEL.
    void replaceSelection(std::string_view name, std::string_view text, bool selectAll) const;
    void click(std::string_view name) const;                   // BM_CLICK, posted
    bool checked(std::string_view name) const;                 // BM_GETCHECK == BST_CHECKED
    bool enabled(std::string_view name) const;
    bool visible(std::string_view name) const;                 // false when not created
    LONG_PTR style(std::string_view name) const;               // GWL_STYLE

    void close() const;     // WM_CLOSE, posted
    void minimize() const;  // WM_SYSCOMMAND SC_MINIMIZE, posted

private:
    HWND hwnd_ = nullptr;
};

// --- The program under test ---

class Program {
public:
    // Starts orvenda.exe from the test executable's folder or its parent.
    Program();
    // Ends the process if it still runs.
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // The visible top-level window of form `formName` (its window class)
    // belonging to this process; an empty Window after the timeout.
    Window waitWindow(std::string_view formName, int timeoutMs = 10000) const;
    // The same, by caption; `toolWindow` tells the launcher ("ORVENDA", tool
    // window) from the compose window ("ORVENDA", ordinary window).
    Window waitWindowByCaption(std::string_view caption, bool toolWindow, int timeoutMs = 10000) const;
    // True when the process has ended within the timeout.
    bool waitExit(int timeoutMs = 10000) const;
    bool running() const;
    DWORD id() const { return info_.dwProcessId; }
    HANDLE process() const { return info_.hProcess; }
    // Ends the process at once.
    void kill();

private:
    PROCESS_INFORMATION info_{};
};

// Number of running orvenda.exe processes (toolhelp snapshot).
int runningPrograms();

}  // namespace orvenda::testing::win32
