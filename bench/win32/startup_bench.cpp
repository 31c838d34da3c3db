// Benchmark: start-up of orvenda.exe against minimal_window.exe, from
// CreateProcess to input idle (WaitForInputIdle), alternating the two
// programs, and prints the medians and their ratio. Both executables are
// looked for in this program's folder. Run under Wine inside Xvfb, with a
// settings store left as the user has it.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

std::wstring besideMe(const wchar_t* name) {
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring p(path, n);
    return p.substr(0, p.find_last_of(L"\\/") + 1) + name;
}

double startOnce(const std::wstring& exe) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::wstring cmd = L"\"" + exe + L"\"";
    LARGE_INTEGER freq, t0, t1;
    QueryPerformanceFrequency(&freq);
    QueryPerformanceCounter(&t0);
    if (!CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        std::fprintf(stderr, "cannot start %ls\n", exe.c_str());
        std::exit(1);
    }
    WaitForInputIdle(pi.hProcess, 10000);
    QueryPerformanceCounter(&t1);
    Sleep(200);
    TerminateProcess(pi.hProcess, 0);
    WaitForSingleObject(pi.hProcess, 5000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return double(t1.QuadPart - t0.QuadPart) * 1000.0 / double(freq.QuadPart);
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int runs = argc > 1 ? _wtoi(argv[1]) : 15;
    const std::wstring program = besideMe(L"orvenda.exe"), minimal = besideMe(L"minimal_window.exe");
    startOnce(program);  // warm both
    startOnce(minimal);
    std::vector<double> a, b;
    for (int i = 0; i < runs; ++i) {
        a.push_back(startOnce(program));
        b.push_back(startOnce(minimal));
    }
    std::printf("start-up to input idle, median of %d: orvenda.exe %.1f ms, minimal_window.exe %.1f ms, "
                "ratio %.2f\n",
                runs, median(a), median(b), median(a) / median(b));
    return 0;
}
