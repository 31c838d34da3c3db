// Test support (Windows): the driver of orvenda.exe and of real input.
#include "support/win32/driver.h"

#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <thread>

#include "platform/win32/text.h"
#include "ui/win32/identity.h"

namespace orvenda::testing::win32 {

namespace {

using platform::win32::narrow;
using platform::win32::wide;

constexpr wchar_t kBranch[] = L"Software\\VB and VBA Program Settings\\ORVENDA";

LRESULT send(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(hwnd, msg, wp, lp, SMTO_ABORTIFHUNG, 5000, &result);
    return static_cast<LRESULT>(result);
}

std::wstring programPath() {
    wchar_t buf[MAX_PATH];
    const std::filesystem::path self = std::wstring(buf, GetModuleFileNameW(nullptr, buf, MAX_PATH));
    const std::filesystem::path beside = self.parent_path() / L"orvenda.exe";
    return (std::filesystem::exists(beside) ? beside : self.parent_path().parent_path() / L"orvenda.exe").wstring();
}

// Runs xdotool on the host and waits until it has sent everything. Wine
// starts a host program without a handle that waits for its end, so the
// shell leaves a file behind when xdotool returns.
void xdotool(const std::string& args) {
    static int calls = 0;
    const std::string done = "orvenda-xdotool-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++calls);
    if (!startHost("xdotool " + args + " && : >/tmp/" + done)) return;
    const std::wstring marker = L"Z:\\tmp\\" + wide(done);
    if (!waitUntil([&] { return GetFileAttributesW(marker.c_str()) != INVALID_FILE_ATTRIBUTES; }, 30000))
        ADD_FAILURE() << "xdotool " << args << " did not finish";
    DeleteFileW(marker.c_str());
}

}  // namespace

bool startHost(const std::string& command) {
    std::wstring commandLine = wide("sh -c \"" + command + "\"");
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(L"Z:\\bin\\sh", commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        ADD_FAILURE() << "cannot start " << command << ": error " << GetLastError();
        return false;
    }
    CloseHandle(pi.hThread), CloseHandle(pi.hProcess);
    return true;
}

void clearSettings() { RegDeleteTreeW(HKEY_CURRENT_USER, kBranch); }

std::optional<std::string> readSetting(std::string_view key) {
    wchar_t value[512];
    DWORD bytes = sizeof value;
    const LSTATUS status = RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, wide(key).c_str(), RRF_RT_REG_SZ, nullptr, value, &bytes);
    return status == ERROR_SUCCESS ? std::optional(narrow(value)) : std::nullopt;
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

bool waitUntil(const std::function<bool()>& condition, int timeoutMs) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= end) return condition();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

HWND Window::require(std::string_view name) const {
    static const UINT nameControls = RegisterWindowMessageW(ui::win32::kNameControlsMessage);
    SendMessageTimeoutW(hwnd_, nameControls, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
    struct Search { std::wstring name; HWND found = nullptr; } s{wide(name)};
    EnumChildWindows(hwnd_, [](HWND h, LPARAM lp) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lp);
        auto atom = ATOM(reinterpret_cast<UINT_PTR>(GetPropW(h, ui::win32::kControlNameProp)));
        wchar_t buf[256];
        if (atom && GlobalGetAtomNameW(atom, buf, 256) && s->name == buf) s->found = h;
        return s->found == nullptr;
    }, reinterpret_cast<LPARAM>(&s));
    if (!s.found) ADD_FAILURE() << "no control " << name;
    return s.found;
}

std::string Window::text(std::string_view name) const {
    HWND h = require(name);
    auto n = static_cast<size_t>(send(h, WM_GETTEXTLENGTH, 0, 0));
    std::wstring buf(n + 1, L'\0');
    buf.resize(std::min(n, size_t(send(h, WM_GETTEXT, n + 1, reinterpret_cast<LPARAM>(buf.data())))));
    return narrow(buf);
}

void Window::setText(std::string_view name, std::string_view text) const {
    send(require(name), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide(text).c_str()));
}

void Window::click(std::string_view name) const { PostMessageW(require(name), BM_CLICK, 0, 0); }

bool Window::checked(std::string_view name) const { return send(require(name), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void Window::close() const { PostMessageW(hwnd_, WM_CLOSE, 0, 0); }

Program::Program(const std::wstring& program, const std::wstring& currentFolder) {
    const std::wstring exe = program.empty() ? programPath() : program;
    std::wstring cmd = L"\"" + exe + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    if (!CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        currentFolder.empty() ? nullptr : currentFolder.c_str(), &si, &info_))
        ADD_FAILURE() << "cannot start " << narrow(exe) << ": error " << GetLastError();
}

Program::~Program() {
    if (!info_.hProcess) return;
    if (!waitExit(0)) TerminateProcess(info_.hProcess, 1), waitExit(5000);
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

Window waitTopLevel(std::string_view className, DWORD pid, int timeoutMs) {
    struct Search { DWORD pid; std::wstring cls; HWND found = nullptr; } s{pid, wide(className)};
    waitUntil([&] {
        EnumWindows([](HWND h, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lp);
            DWORD pid = 0;
            wchar_t cls[256];
            GetWindowThreadProcessId(h, &pid);
            if ((!s->pid || pid == s->pid) && IsWindowVisible(h) && GetClassNameW(h, cls, 256) && s->cls == cls)
                s->found = h;
            return s->found == nullptr;
        }, reinterpret_cast<LPARAM>(&s));
        return s.found != nullptr;
    }, timeoutMs);
    return Window(s.found);
}

Window Program::waitWindow(std::string_view formName, int timeoutMs) const {
    return waitTopLevel(formName, info_.dwProcessId, timeoutMs);
}

bool Program::waitExit(int timeoutMs) const {
    return info_.hProcess && WaitForSingleObject(info_.hProcess, DWORD(timeoutMs)) == WAIT_OBJECT_0;
}

std::string Program::message(int timeoutMs) const {
    const Window box = waitTopLevel("#32770", info_.dwProcessId, timeoutMs);
    wchar_t text[4096] = L"";
    if (!box || !GetDlgItemTextW(box.hwnd(), 0xFFFF, text, 4096)) return {};  // a message box's text
    PostMessageW(box.hwnd(), WM_COMMAND, IDOK, 0);
    waitUntil([&] { return !box; });
    return narrow(text);
}

bool Program::startedAny() const {
    HANDLE all = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    bool found = false;
    for (BOOL more = Process32FirstW(all, &entry); more && !found; more = Process32NextW(all, &entry)) found = entry.th32ParentProcessID == info_.dwProcessId;
    CloseHandle(all);
    return found;
}

void clickOn(HWND window, int clicks) {
    RECT r{};
    GetWindowRect(window, &r);
    xdotool("mousemove " + std::to_string((r.left + r.right) / 2) + " " + std::to_string((r.top + r.bottom) / 2) +
            " click --repeat " + std::to_string(clicks) + " --delay 80 1");
}

void typeText(std::string_view text, int delayMs) {
    xdotool("type --delay " + std::to_string(delayMs) + " '" + std::string(text) + "'");
}

void pressKey(std::string_view keys) { xdotool("key " + std::string(keys)); }

}  // namespace orvenda::testing::win32
