// Start-up and footprint against the physical limit: starts each program
// with CreateProcessW, waits until its message loop is idle after start-up
// (WaitForInputIdle), records the elapsed time and the peak working set,
// then closes it with WM_CLOSE. Programs run alternately, the same number of
// times each, and the medians are printed with their ratio to the first.
//
// usage: startup_harness RUNS NAME=COMMAND [NAME=COMMAND ...]
//   A COMMAND prefixed with "full:" runs with the settings store filled with
//   every key the program keeps; otherwise the store is emptied first.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

const wchar_t* const kStore = L"Software\\VB and VBA Program Settings\\ORVENDA";

void emptyStore() { RegDeleteTreeW(HKEY_CURRENT_USER, kStore); }

void fillStore() {
    HKEY key;
    std::wstring path = std::wstring(kStore) + L"\\Settings";
    if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    auto put = [key](const std::wstring& name, const std::wstring& value) {
        RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    };
    for (auto* prefix : {L"Main", L"About", L"ATMain", L"ABMain"}) {
        put(std::wstring(prefix) + L"Left", L"1500");
        put(std::wstring(prefix) + L"Top", L"1200");
    }
    put(L"MainWidth", L"13575");
    put(L"MainHeight", L"8250");
    put(L"OUTPUT_WINDOW_VISIBLE", L"True");
    put(L"SAVE_SETTINGS_TICKBOX", L"1");
    put(L"OUTPUT_TB_TICKBOX", L"1");
    put(L"SHOW_SE_PROGRESS_TICKBOX", L"0");
    put(L"INSTALL_FOLDER_TEXTBOX", L"C:\\Program Files\\SendEmail");
    put(L"SMTP_SERVER_ADDRESS_PORT_TEXTBOX", L"smtp.example.org:587");
    put(L"SMTP_USERNAME_TEXTBOX", L"alice");
    put(L"SMTP_PASSWORD_TEXTBOX", L"correct horse battery staple");
    put(L"SEND_FROM_ADDRESS_TEXTBOX", L"alice@example.org");
    put(L"TLS_NO_TICKBOX", L"0");
    put(L"TLS_YES_TICKBOX", L"1");
    put(L"TLS_AUTO_TICKBOX", L"0");
    for (int n = 1; n <= 20; ++n) {
        put(L"AT_NAME_TEXTBOX_" + std::to_wstring(n), L"Person " + std::to_wstring(n));
        put(L"AT_ADDRESS_TEXTBOX_" + std::to_wstring(n), L"person" + std::to_wstring(n) + L"@example.org");
    }
    RegCloseKey(key);
}

struct Sample {
    double ms;
    double peakMiB;
};

BOOL CALLBACK closeWindowsOf(HWND hwnd, LPARAM pid) {
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner == static_cast<DWORD>(pid) && IsWindowVisible(hwnd)) PostMessageW(hwnd, WM_CLOSE, 0, 0);
    return TRUE;
}

bool runOnce(const std::wstring& command, Sample& out) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::wstring line = command;
    LARGE_INTEGER freq, t0, t1;
    QueryPerformanceFrequency(&freq);
    QueryPerformanceCounter(&t0);
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        std::fwprintf(stderr, L"cannot start %ls (error %lu)\n", command.c_str(), GetLastError());
        return false;
    }
    DWORD idle = WaitForInputIdle(pi.hProcess, 30000);
    QueryPerformanceCounter(&t1);
    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof pmc;
    GetProcessMemoryInfo(pi.hProcess, &pmc, sizeof pmc);
    out.ms = 1000.0 * double(t1.QuadPart - t0.QuadPart) / double(freq.QuadPart);
    out.peakMiB = double(pmc.PeakWorkingSetSize) / (1024.0 * 1024.0);
    // Close it the way a user does, and make sure it is gone.
    for (int attempt = 0; attempt < 50; ++attempt) {
        EnumWindows(closeWindowsOf, static_cast<LPARAM>(pi.dwProcessId));
        if (WaitForSingleObject(pi.hProcess, 100) == WAIT_OBJECT_0) break;
    }
    if (WaitForSingleObject(pi.hProcess, 0) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return idle == 0;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fwprintf(stderr, L"usage: startup_harness RUNS NAME=COMMAND...\n");
        return 2;
    }
    const int runs = _wtoi(argv[1]);
    struct Program {
        std::wstring name, command;
        bool fullStore;
        std::vector<double> ms, mib;
    };
    std::vector<Program> programs;
    for (int i = 2; i < argc; ++i) {
        std::wstring arg = argv[i];
        size_t eq = arg.find(L'=');
        if (eq == std::wstring::npos) return 2;
        Program p{arg.substr(0, eq), arg.substr(eq + 1), false, {}, {}};
        if (p.command.rfind(L"full:", 0) == 0) {
            p.fullStore = true;
            p.command = p.command.substr(5);
        }
        programs.push_back(p);
    }
    int failures = 0;
    for (int r = 0; r < runs; ++r) {
        for (auto& p : programs) {
            if (p.fullStore) fillStore();
            else emptyStore();
            Sample s{};
            if (!runOnce(p.command, s)) {
                ++failures;
                continue;
            }
            p.ms.push_back(s.ms);
            p.mib.push_back(s.peakMiB);
        }
    }
    emptyStore();
    const Program& base = programs.back();
    const double baseMs = base.ms.empty() ? 0 : median(base.ms);
    const double baseMiB = base.mib.empty() ? 0 : median(base.mib);
    std::wprintf(L"%-28ls %6ls %12ls %8ls %14ls %8ls\n", L"program", L"runs", L"start-up ms",
                 L"ratio", L"peak WS MiB", L"ratio");
    for (const auto& p : programs) {
        if (p.ms.empty()) continue;
        double ms = median(p.ms), mib = median(p.mib);
        std::wprintf(L"%-28ls %6zu %12.1f %8.2f %14.2f %8.2f\n", p.name.c_str(), p.ms.size(), ms,
                     baseMs > 0 ? ms / baseMs : 0.0, mib, baseMiB > 0 ? mib / baseMiB : 0.0);
    }
    if (failures) std::wprintf(L"%d runs did not reach input idle\n", failures);
    return failures ? 1 : 0;
}
