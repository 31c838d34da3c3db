// Test support (Windows): the end-to-end driver of orvenda.exe.
#include "support/win32/driver.h"

#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <chrono>
#include <thread>
#include <vector>

#include "ui/win32/identity.h"
#include "ui/win32/text.h"
#include "ui/win32/units.h"

namespace orvenda::testing::win32 {

namespace {

using ui::win32::narrow;
using ui::win32::wide;

constexpr wchar_t kBranch[] = L"Software\\VB and VBA Program Settings\\ORVENDA";
constexpr wchar_t kSettings[] = L"Software\\VB and VBA Program Settings\\ORVENDA\\Settings";
constexpr UINT kSendTimeoutMs = 5000;

LRESULT send(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(hwnd, msg, wp, lp, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result);
    return static_cast<LRESULT>(result);
}

std::string windowText(HWND hwnd) {
    if (!hwnd) return {};
    auto n = static_cast<size_t>(send(hwnd, WM_GETTEXTLENGTH, 0, 0));
    std::wstring buf(n + 1, L'\0');
    auto got = static_cast<size_t>(send(hwnd, WM_GETTEXT, n + 1, reinterpret_cast<LPARAM>(buf.data())));
    buf.resize(std::min(got, n));
    return narrow(buf);
}

std::wstring exeFolder() {
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring p(path, n);
    return p.substr(0, p.find_last_of(L"\\/"));
}

std::wstring findProgram() {
    std::wstring dir = exeFolder();
    for (int up = 0; up < 2; ++up) {
        std::wstring candidate = dir + L"\\orvenda.exe";
        if (GetFileAttributesW(candidate.c_str()) != INVALID_FILE_ATTRIBUTES) return candidate;
        dir = dir.substr(0, dir.find_last_of(L"\\/"));
    }
    return L"orvenda.exe";
}

struct Search {
    DWORD pid;
    std::wstring cls;      // empty: any class
    std::wstring caption;  // empty: any caption
    int tool;              // -1 any, 0 ordinary, 1 tool window
    HWND found = nullptr;
};

BOOL CALLBACK matchTopLevel(HWND hwnd, LPARAM lp) {
    auto* s = reinterpret_cast<Search*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != s->pid || !IsWindowVisible(hwnd)) return TRUE;
    wchar_t buf[256];
    if (!s->cls.empty() && (!GetClassNameW(hwnd, buf, 256) || s->cls != buf)) return TRUE;
    if (!s->caption.empty() && (!GetWindowTextW(hwnd, buf, 256) || s->caption != buf)) return TRUE;
    const bool tool = (GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0;
    if (s->tool >= 0 && tool != (s->tool == 1)) return TRUE;
    s->found = hwnd;
    return FALSE;
}

struct ChildSearch {
    std::wstring name;
    HWND found = nullptr;
};

BOOL CALLBACK matchChild(HWND hwnd, LPARAM lp) {
    auto* s = reinterpret_cast<ChildSearch*>(lp);
    auto atom = static_cast<ATOM>(reinterpret_cast<UINT_PTR>(GetPropW(hwnd, ui::win32::kControlNameProp)));
    wchar_t buf[256];
    if (atom && GlobalGetAtomNameW(atom, buf, 256) && s->name == buf) {
        s->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

// --- settings ---

void clearSettings() { RegDeleteTreeW(HKEY_CURRENT_USER, kBranch); }

std::optional<std::string> readSetting(std::string_view key) {
    const std::wstring name = wide(key);
    DWORD bytes = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, kSettings, name.c_str(), RRF_RT_REG_SZ, nullptr, nullptr, &bytes) !=
        ERROR_SUCCESS)
        return std::nullopt;
    std::wstring value(bytes / sizeof(wchar_t) + 1, L'\0');
    if (RegGetValueW(HKEY_CURRENT_USER, kSettings, name.c_str(), RRF_RT_REG_SZ, nullptr, value.data(),
                     &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    value.resize(wcsnlen(value.c_str(), value.size()));
    return narrow(value);
}

void seedSetting(std::string_view key, std::string_view value) {
    const std::wstring text = wide(value);
    RegSetKeyValueW(HKEY_CURRENT_USER, kSettings, wide(key).c_str(), REG_SZ, text.c_str(),
                    static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

bool waitUntil(const std::function<bool()>& condition, int timeoutMs) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= end) return condition();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

// --- Window ---

std::string Window::caption() const { return windowText(hwnd_); }

bool Window::isToolWindow() const { return (GetWindowLongW(hwnd_, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0; }

bool Window::visible() const { return IsWindowVisible(hwnd_) != FALSE; }

bool Window::iconic() const { return IsIconic(hwnd_) != FALSE; }

RECT Window::rect() const {
    RECT r{};
    GetWindowRect(hwnd_, &r);
    return r;
}

unsigned Window::dpi() const { return ui::win32::windowDpi(hwnd_); }

ui::Bounds Window::rectTwips() const { return ui::win32::toTwips(rect(), dpi()); }

HWND Window::control(std::string_view name) const {
    ChildSearch s{wide(name)};
    EnumChildWindows(hwnd_, &matchChild, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

HWND Window::require(std::string_view name) const {
    HWND h = control(name);
    if (!h) ADD_FAILURE() << "no control " << name;
    return h;
}

std::string Window::text(std::string_view name) const { return windowText(require(name)); }

void Window::setText(std::string_view name, std::string_view text) const {
    const std::wstring w = wide(text);
    send(require(name), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(w.c_str()));
}

void Window::replaceSelection(std::string_view name, std::string_view text, bool selectAll) const {
    HWND h = require(name);
    if (selectAll) {
        send(h, EM_SETSEL, 0, -1);
    } else {
        auto end = static_cast<WPARAM>(send(h, WM_GETTEXTLENGTH, 0, 0));
        send(h, EM_SETSEL, end, static_cast<LPARAM>(end));
    }
    const std::wstring w = wide(text);
    send(h, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(w.c_str()));
}

void Window::click(std::string_view name) const { PostMessageW(require(name), BM_CLICK, 0, 0); }

bool Window::checked(std::string_view name) const {
    return send(require(name), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool Window::enabled(std::string_view name) const { return IsWindowEnabled(require(name)) != FALSE; }

bool Window::visible(std::string_view name) const {
    HWND h = control(name);
    return h && IsWindowVisible(h);
}

LONG_PTR Window::style(std::string_view name) const { return GetWindowLongPtrW(require(name), GWL_STYLE); }

void Window::close() const { PostMessageW(hwnd_, WM_CLOSE, 0, 0); }

void Window::minimize() const { PostMessageW(hwnd_, WM_SYSCOMMAND, SC_MINIMIZE, 0); }

// --- Program ---

Program::Program() {
    std::wstring exe = findProgram();
    std::wstring cmd = L"\"" + exe + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    if (!CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &info_))
        ADD_FAILURE() << "cannot start " << narrow(exe) << ": error " << GetLastError();
}

Program::~Program() {
    if (!info_.hProcess) return;
    if (running()) kill();
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

Window Program::waitWindow(std::string_view formName, int timeoutMs) const {
    Search s{info_.dwProcessId, wide(formName), L"", -1};
    waitUntil([&] {
        s.found = nullptr;
        EnumWindows(&matchTopLevel, reinterpret_cast<LPARAM>(&s));
        return s.found != nullptr;
    }, timeoutMs);
    return Window(s.found);
}

Window Program::waitWindowByCaption(std::string_view caption, bool toolWindow, int timeoutMs) const {
    Search s{info_.dwProcessId, L"", wide(caption), toolWindow ? 1 : 0};
    waitUntil([&] {
        s.found = nullptr;
        EnumWindows(&matchTopLevel, reinterpret_cast<LPARAM>(&s));
        return s.found != nullptr;
    }, timeoutMs);
    return Window(s.found);
}

bool Program::waitExit(int timeoutMs) const {
    return info_.hProcess && WaitForSingleObject(info_.hProcess, DWORD(timeoutMs)) == WAIT_OBJECT_0;
}

bool Program::running() const {
    return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

void Program::kill() {
    if (!running()) return;
    TerminateProcess(info_.hProcess, 1);
    WaitForSingleObject(info_.hProcess, 5000);
}

int runningPrograms() {
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snap == INVALID_HANDLE_VALUE) return -1;
    PROCESSENTRY32W e{};
    e.dwSize = sizeof e;
    int n = 0;
    for (BOOL ok = Process32FirstW(snap, &e); ok; ok = Process32NextW(snap, &e))
        if (lstrcmpiW(e.szExeFile, L"orvenda.exe") == 0) ++n;
    CloseHandle(snap);
    return n;
}

}  // namespace orvenda::testing::win32
