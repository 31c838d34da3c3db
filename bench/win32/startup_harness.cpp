// Start-up and footprint against the physical limit, watched from outside
// the programs. Programs run in turn, the same number of times each (round r
// begins with program r), after one start of each that is not counted (the
// first start after the harness has begun comes out wrong), each once
// Wine's server has settled after the settings store was filled or emptied.
//
// usage: startup_harness [--phases | --count TRACE] RUNS NAME=COMMAND [NAME=COMMAND ...]
//   A COMMAND prefixed with "full:" runs with the settings store filled with
//   every key the program keeps; otherwise the store is emptied first.
//
//   (no option)  Start-up to input idle (WaitForInputIdle) and the peak
//                working set: medians, and ratios to the last program (for
//                start-up, that of starts in the same round, with its 95 %
//                range).
//   --phases     The same starts with startup_probe.dll's hooks set (it lies
//                beside this harness): medians of process start to the first
//                window of the program's own, that window to the last control
//                made, to the first WM_PAINT, and to input idle; and the
//                processor time of the program, Wine's server and the X
//                server (whose Linux pid XVFB_PID gives) up to input idle.
//   --count      One start of each program up to input idle under Wine's
//                trace channels, which write to this harness's standard
//                error: pass its file as TRACE. Counts the registry keys
//                opened and values read, the GDI objects made and alive, and
//                the calls the program's own code makes into the system and
//                the messages its own window procedures get (+relay).
//                GetGuiResources is shown where the system answers it.
//
// BENCH_RAW=1 prints every start on standard error, as the medians hide
// how widely single starts vary.
//
// A start whose input idle comes before the program has a window on screen
// is not counted; the number of such starts is printed. Each start is
// marked for a trace of Wine's server (wineserver -d1) by the atoms
// "bench.start" and "bench.idle" looked up around it.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "startup_probe.h"

namespace {

using orvenda::bench::ProbeRecord;

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

LONGLONG now() {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t.QuadPart;
}

double ms(LONGLONG ticks) {
    static const double perMs = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return double(f.QuadPart) / 1000.0;
    }();
    return double(ticks) / perMs;
}

double median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// The start-up ratio of a program to the last one: the median, over the
// rounds, of its start over the last program's start in the same round,
// made seconds apart. The machine's speed changes by half and more within a
// run, so a ratio of the two medians over all starts depends on which
// starts fell in the slow minutes. With it the range that the ratio may take
// on another run of as many rounds: the 2.5th and 97.5th percentiles over
// 2000 resamplings of the rounds (the percentile bootstrap), fixed seed.
struct Ratio {
    double value = 0, low = 0, high = 0;
};

Ratio pairedRatio(const std::map<int, double>& of, const std::map<int, double>& to) {
    std::vector<double> rounds;
    for (const auto& [r, v] : of)
        if (auto t = to.find(r); t != to.end() && t->second > 0) rounds.push_back(v / t->second);
    if (rounds.empty()) return {};
    std::mt19937 random(1);
    std::uniform_int_distribution<size_t> pick(0, rounds.size() - 1);
    std::vector<double> again(2000), resample(rounds.size());
    for (double& m : again) {
        for (double& x : resample) x = rounds[pick(random)];
        m = median(resample);
    }
    std::sort(again.begin(), again.end());
    return {median(rounds), again[50], again[1949]};
}

struct Program {
    std::wstring name, command;
    bool fullStore = false;
    int early = 0;  // starts not counted: input idle before a window was on screen
    std::map<std::string, std::vector<double>> samples;
    std::map<int, double> msByRound;  // start-up to input idle of each counted start, by round
    std::map<std::string, long> counts;  // --count
};

struct Start {
    PROCESS_INFORMATION pi{};
    LONGLONG begun = 0, idle = 0;
};

BOOL CALLBACK findShown(HWND hwnd, LPARAM data) {
    auto* pid = reinterpret_cast<DWORD*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner != *pid || !IsWindowVisible(hwnd)) return TRUE;
    *pid = 0;
    return FALSE;
}

bool hasShownWindow(DWORD pid) {
    EnumWindows(findShown, reinterpret_cast<LPARAM>(&pid));
    return pid == 0;
}

BOOL CALLBACK closeWindowsOf(HWND hwnd, LPARAM pid) {
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner == static_cast<DWORD>(pid) && IsWindowVisible(hwnd)) PostMessageW(hwnd, WM_CLOSE, 0, 0);
    return TRUE;
}

// Filling or emptying the store keeps Wine's server (and whoever watches
// the registry) busy for a moment, which would slow the start that follows.
unsigned long long serverOnCpu();

void prepareStore(const Program& p) {
    if (p.fullStore) fillStore();
    else emptyStore();
    unsigned long long last = serverOnCpu();
    for (int i = 0; i < 40; ++i) {
        Sleep(50);
        const unsigned long long t = serverOnCpu();
        if (t - last < 2000000) break;  // less than 2 ms in 50 ms
        last = t;
    }
}

// Started suspended, so that the probe knows the process before it runs;
// `atIdle` runs as soon as it is idle.
bool begin(Program& p, Start& s, ProbeRecord* probe, const std::function<void()>& atIdle = {}) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    std::wstring line = p.command;
    if (probe) *probe = ProbeRecord{};
    // Marks in a trace of Wine's server (wineserver -d1): the requests
    // between them are those of one start.
    GlobalFindAtomW(L"bench.start");
    s.begun = now();
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr, &si,
                        &s.pi)) {
        std::fwprintf(stderr, L"cannot start %ls (error %lu)\n", p.command.c_str(), GetLastError());
        return false;
    }
    if (probe) probe->pid = s.pi.dwProcessId;
    ResumeThread(s.pi.hThread);
    const DWORD idle = WaitForInputIdle(s.pi.hProcess, 60000);
    s.idle = now();
    GlobalFindAtomW(L"bench.idle");
    if (atIdle) atIdle();
    if (idle == 0 && hasShownWindow(s.pi.dwProcessId)) return true;
    ++p.early;
    return false;
}

// Closed the way a user does, and made sure it is gone.
void end(Start& s) {
    for (int attempt = 0; attempt < 50; ++attempt) {
        EnumWindows(closeWindowsOf, static_cast<LPARAM>(s.pi.dwProcessId));
        if (WaitForSingleObject(s.pi.hProcess, 100) == WAIT_OBJECT_0) break;
    }
    if (WaitForSingleObject(s.pi.hProcess, 0) != WAIT_OBJECT_0) TerminateProcess(s.pi.hProcess, 1);
    CloseHandle(s.pi.hThread);
    CloseHandle(s.pi.hProcess);
}

double peakMiB(HANDLE process) {
    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof pmc;
    GetProcessMemoryInfo(process, &pmc, sizeof pmc);
    return double(pmc.PeakWorkingSetSize) / (1024.0 * 1024.0);
}

// The pointer rests in the screen's bottom left corner, where a click on
// the Start menu leaves it, outside every window measured. A window that
// comes up under the pointer gets the pointer's messages and sets its
// cursor; the limit's window, at the system's default place, came up beside
// the pointer in the middle of the screen, where the compose window, at its
// stored place, came up under it.
void parkPointer() { SetCursorPos(0, GetSystemMetrics(SM_CYSCREEN) - 1); }

// Round r starts with program r, so that each follows every other equally
// often (the one before may leave the servers busy for a moment).
std::vector<std::reference_wrapper<Program>> inTurn(std::vector<Program>& programs, int r) {
    std::vector<std::reference_wrapper<Program>> order;
    for (size_t k = 0; k < programs.size(); ++k) order.push_back(programs[(k + size_t(std::max(r, 0))) % programs.size()]);
    return order;
}

void printNotCounted(const std::vector<Program>& programs) {
    for (const auto& p : programs)
        if (p.early)
            std::wprintf(L"%ls: %d starts not counted (input idle before a window was on screen)\n",
                         p.name.c_str(), p.early);
}

// --- start-up to input idle and peak working set ---

void runIdle(std::vector<Program>& programs, int runs) {
    for (int r = -1; r < runs; ++r)
        for (Program& p : inTurn(programs, r)) {
            Start s;
            prepareStore(p);
            const bool counted = begin(p, s, nullptr);
            const double peak = peakMiB(s.pi.hProcess);
            end(s);
            if (r < 0) {
                p.early = 0;
                continue;
            }
            if (!counted) continue;
            p.msByRound[r] = ms(s.idle - s.begun);
            p.samples["mib"].push_back(peak);
            if (std::getenv("BENCH_RAW"))
                std::fwprintf(stderr, L"raw %d %ls %.1f\n", r, p.name.c_str(), p.msByRound[r]);
        }
    const Program& base = programs.back();
    const double baseMiB = median(base.samples.at("mib"));
    std::wprintf(L"%-28ls %6ls %12ls %8ls %14ls %14ls %8ls\n", L"program", L"runs", L"start-up ms", L"ratio",
                 L"95 % range", L"peak WS MiB", L"ratio");
    for (auto& p : programs) {
        const double mib = median(p.samples["mib"]);
        std::vector<double> starts;
        for (const auto& [_, v] : p.msByRound) starts.push_back(v);
        const Ratio r = pairedRatio(p.msByRound, base.msByRound);
        std::wprintf(L"%-28ls %6zu %12.1f %8.3f   %5.3f-%5.3f %14.2f %8.3f\n", p.name.c_str(), starts.size(),
                     median(starts), r.value, r.low, r.high, mib, baseMiB > 0 ? mib / baseMiB : 0.0);
    }
    printNotCounted(programs);
}

// --- CPU time, from Linux's /proc through Wine's drive Z: ---
// Wall-clock time on a shared machine mostly measures the other programs;
// the time the start-up itself spent on a processor does much less. Wine
// opens files in its server, so there "self" is the server itself.

std::string readFile(const std::wstring& path) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return {};
    std::string out;
    char buf[4096];
    DWORD got = 0;
    while (ReadFile(f, buf, sizeof buf, &got, nullptr) && got) out.append(buf, got);
    CloseHandle(f);
    return out;
}

// Nanoseconds on a processor: the first field of schedstat.
unsigned long long onCpu(const std::wstring& dir) {
    return std::strtoull(readFile(dir + L"\\schedstat").c_str(), nullptr, 10);
}

unsigned long long processOnCpu(unsigned long unixPid) {
    const std::wstring tasks = L"Z:\\proc\\" + std::to_wstring(unixPid) + L"\\task\\";
    WIN32_FIND_DATAW fd;
    HANDLE find = FindFirstFileW((tasks + L"*").c_str(), &fd);
    if (find == INVALID_HANDLE_VALUE) return 0;
    unsigned long long sum = 0;
    do
        if (fd.cFileName[0] != L'.') sum += onCpu(tasks + fd.cFileName);
    while (FindNextFileW(find, &fd));
    FindClose(find);
    return sum;
}

// The Linux process of a program just started: its command line names the
// executable, it runs in this prefix, and it is the newest of those.
unsigned long unixPidOf(const std::wstring& command) {
    std::wstring exe = command.substr(0, command.find(L".exe") + 4);
    exe = exe.substr(exe.find_last_of(L"\\/") + 1);
    std::string name(exe.begin(), exe.end());
    std::transform(name.begin(), name.end(), name.begin(), ::tolower);
    wchar_t prefix[MAX_PATH] = L"";
    GetEnvironmentVariableW(L"WINEPREFIX", prefix, MAX_PATH);
    const std::wstring w(prefix);
    const std::string wanted = "WINEPREFIX=" + std::string(w.begin(), w.end()) + '\0';
    WIN32_FIND_DATAW fd;
    HANDLE find = FindFirstFileW(L"Z:\\proc\\*", &fd);
    if (find == INVALID_HANDLE_VALUE) return 0;
    unsigned long best = 0;
    unsigned long long newest = 0;
    do {
        if (fd.cFileName[0] < L'0' || fd.cFileName[0] > L'9') continue;
        const std::wstring dir = std::wstring(L"Z:\\proc\\") + fd.cFileName;
        std::string line = readFile(dir + L"\\cmdline");
        line = line.substr(0, line.find('\0'));
        std::transform(line.begin(), line.end(), line.begin(), ::tolower);
        if (line.size() < name.size() || line.compare(line.size() - name.size(), name.size(), name) != 0) continue;
        if (w.size() && readFile(dir + L"\\environ").find(wanted) == std::string::npos) continue;
        // Field 22 of stat, the start time; the name in field 2 may hold spaces.
        const std::string stat = readFile(dir + L"\\stat");
        size_t at = stat.rfind(')');
        for (int field = 2; field < 22 && at != std::string::npos; ++field) at = stat.find(' ', at + 1);
        if (at == std::string::npos || stat.compare(stat.rfind(')') + 2, 1, "Z") == 0) continue;
        const unsigned long long started = std::strtoull(stat.c_str() + at + 1, nullptr, 10);
        if (started >= newest) newest = started, best = std::wcstoul(fd.cFileName, nullptr, 10);
    } while (FindNextFileW(find, &fd));
    FindClose(find);
    return best;
}

unsigned long long serverOnCpu() { return onCpu(L"Z:\\proc\\self"); }

// The server's and the X server's time go into every program's start-up.
struct CpuClocks {
    unsigned long x = 0;  // the X server's Linux pid, if given
    unsigned long long program = 0, server = 0, display = 0;
    void read(unsigned long programPid) {
        program = programPid ? processOnCpu(programPid) : 0;
        server = onCpu(L"Z:\\proc\\self");
        display = x ? onCpu(L"Z:\\proc\\" + std::to_wstring(x)) : 0;
    }
};

// --- the phases of start-up, through the probe's hooks ---

std::wstring besideThisProgram(const wchar_t* file) {
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dir(path, n);
    return dir.substr(0, dir.find_last_of(L"\\/") + 1) + file;
}

bool runPhases(std::vector<Program>& programs, int runs) {
    HANDLE mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(ProbeRecord),
                                        orvenda::bench::kProbeMapping);
    auto* probe = mapping ? static_cast<ProbeRecord*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(ProbeRecord)))
                          : nullptr;
    HMODULE dll = LoadLibraryW(besideThisProgram(L"startup_probe.dll").c_str());
    auto onEvent = dll ? reinterpret_cast<WINEVENTPROC>(reinterpret_cast<void*>(GetProcAddress(dll, "probeEvent")))
                       : nullptr;
    auto onMessage = dll ? reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(dll, "probeMessage")))
                         : nullptr;
    HWINEVENTHOOK events = onEvent ? SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_CREATE, dll, onEvent, 0, 0,
                                                     WINEVENT_INCONTEXT | WINEVENT_SKIPOWNPROCESS)
                                   : nullptr;
    HHOOK messages = onMessage ? SetWindowsHookExW(WH_GETMESSAGE, onMessage, dll, 0) : nullptr;
    if (!probe || !events || !messages) {
        std::fwprintf(stderr, L"cannot set the probe's hooks (error %lu)\n", GetLastError());
        return false;
    }
    wchar_t x[32] = L"";
    GetEnvironmentVariableW(L"XVFB_PID", x, 32);
    int unseen = 0;  // counted starts in which the probe missed a moment
    for (int r = -1; r < runs; ++r)
        for (Program& p : inTurn(programs, r)) {
            Start s;
            CpuClocks before, after;
            before.x = after.x = std::wcstoul(x, nullptr, 10);
            prepareStore(p);
            before.read(0);
            const bool counted = begin(p, s, probe, [&] { after.read(0); });
            const ProbeRecord seen = *probe;
            probe->pid = 0;
            after.program = processOnCpu(unixPidOf(p.command));
            end(s);
            if (r < 0) {
                p.early = 0;
                continue;
            }
            if (!counted) continue;
            if (!seen.firstWindow || !seen.lastControl || !seen.firstPaint || seen.firstPaint > s.idle) {
                ++unseen;
                continue;
            }
            auto& m = p.samples;
            m["window"].push_back(ms(seen.firstWindow - s.begun));
            m["controls"].push_back(ms(seen.lastControl - seen.firstWindow));
            m["paint"].push_back(ms(seen.firstPaint - seen.lastControl));
            m["idle"].push_back(ms(s.idle - seen.firstPaint));
            m["total"].push_back(ms(s.idle - s.begun));
            m["cpu.program"].push_back(double(after.program) / 1e6);
            m["cpu.server"].push_back(double(after.server - before.server) / 1e6);
            m["cpu.display"].push_back(double(after.display - before.display) / 1e6);
            if (std::getenv("BENCH_RAW"))
                std::fwprintf(stderr, L"raw %ls %.1f %.1f %.1f %.1f cpu %.1f %.1f\n", p.name.c_str(), m["window"].back(),
                              m["controls"].back(), m["paint"].back(), m["idle"].back(), m["cpu.program"].back(),
                              m["cpu.server"].back());
            m["n.windows"].push_back(seen.windows);
            m["n.controls"].push_back(seen.controls);
            m["n.paints"].push_back(seen.paints);
        }
    UnhookWinEvent(events);
    UnhookWindowsHookEx(messages);

    std::wprintf(L"%-28ls %5ls %9ls %9ls %9ls %9ls %9ls %8ls %9ls %7ls\n", L"program", L"runs", L"start>win",
                 L"win>ctls", L"ctls>pnt", L"pnt>idle", L"to idle", L"windows", L"controls", L"paints");
    const char* phases[] = {"window", "controls", "paint", "idle", "total"};
    for (auto& p : programs) {
        auto& m = p.samples;
        std::wprintf(L"%-28ls %5zu", p.name.c_str(), m["total"].size());
        for (const char* k : phases) std::wprintf(L" %9.1f", median(m[k]));
        std::wprintf(L" %8.0f %9.0f %7.0f\n", median(m["n.windows"]), median(m["n.controls"]),
                     median(m["n.paints"]));
    }
    auto& base = programs.back();
    for (auto& p : programs) {
        if (&p == &base) continue;
        std::wprintf(L"%-28ls %5ls", (L"  over " + base.name.substr(0, 21)).c_str(), L"");
        for (const char* k : phases) std::wprintf(L" %+9.1f", median(p.samples[k]) - median(base.samples[k]));
        std::wprintf(L"\n");
    }
    std::wprintf(L"\nCPU ms up to input idle   %9ls %9ls %9ls %9ls\n", L"program", L"server", L"X", L"sum");
    for (auto& p : programs) {
        auto& m = p.samples;
        std::vector<double> sum;
        for (size_t i = 0; i < m["cpu.program"].size(); ++i)
            sum.push_back(m["cpu.program"][i] + m["cpu.server"][i] + m["cpu.display"][i]);
        m["cpu.sum"] = sum;
        std::wprintf(L"%-26ls %9.1f %9.1f %9.1f %9.1f\n", p.name.substr(0, 26).c_str(), median(m["cpu.program"]),
                     median(m["cpu.server"]), median(m["cpu.display"]), median(sum));
    }
    for (auto& p : programs) {
        if (&p == &base) continue;
        std::wprintf(L"%-26ls", (L"  over " + base.name.substr(0, 19)).c_str());
        for (const char* k : {"cpu.program", "cpu.server", "cpu.display", "cpu.sum"})
            std::wprintf(L" %+9.1f", median(p.samples[k]) - median(base.samples[k]));
        std::wprintf(L"\n");
    }
    printNotCounted(programs);
    if (unseen) std::wprintf(L"%d starts not counted: the probe missed a moment\n", unseen);
    return true;
}

// --- counts under Wine's trace channels ---

LONGLONG fileSize(HANDLE f) {
    LARGE_INTEGER size{};
    GetFileSizeEx(f, &size);
    return size.QuadPart;
}

std::string readRange(HANDLE f, LONGLONG from, LONGLONG to) {
    std::string out(size_t(std::max<LONGLONG>(0, to - from)), '\0');
    LARGE_INTEGER at;
    at.QuadPart = from;
    SetFilePointerEx(f, at, nullptr, FILE_BEGIN);
    DWORD got = 0;
    size_t done = 0;
    while (done < out.size() && ReadFile(f, out.data() + done, DWORD(std::min<size_t>(out.size() - done, 1 << 24)),
                                         &got, nullptr) && got)
        done += got;
    out.resize(done);
    return out;
}

// The lines of one process in a trace written with +pid: "pid:tid:...".
template <class F>
void eachLineOf(const std::string& trace, DWORD pid, F f) {
    char prefix[16];
    std::snprintf(prefix, sizeof prefix, "%04lx:", pid);
    const size_t n = std::strlen(prefix);
    size_t at = 0;
    while (at < trace.size()) {
        size_t eol = trace.find('\n', at);
        if (eol == std::string::npos) eol = trace.size();
        if (trace.compare(at, n, prefix) == 0) f(std::string_view(trace).substr(at, eol - at));
        at = eol + 1;
    }
}

bool has(std::string_view line, const char* what) { return line.find(what) != std::string_view::npos; }

// One start under the given channels; the trace between the start and input
// idle, and where the executable lies in the process's memory.
struct Traced {
    std::string trace;
    DWORD pid = 0;
    ULONG_PTR base = 0, size = 0;
    double ms = 0;
    DWORD gdiObjects = 0, userObjects = 0;
};

bool traced(Program& p, HANDLE trace, const wchar_t* channels, Traced& out) {
    SetEnvironmentVariableW(L"WINEDEBUG", channels);
    prepareStore(p);
    const LONGLONG from = fileSize(trace);
    Start s;
    const bool ok = begin(p, s, nullptr);
    const LONGLONG to = fileSize(trace);
    SetEnvironmentVariableW(L"WINEDEBUG", L"-all");
    out.pid = s.pi.dwProcessId;
    out.ms = ms(s.idle - s.begun);
    out.gdiObjects = GetGuiResources(s.pi.hProcess, GR_GDIOBJECTS);
    out.userObjects = GetGuiResources(s.pi.hProcess, GR_USEROBJECTS);
    HMODULE exe = nullptr;
    DWORD needed = 0;
    MODULEINFO mi{};
    if (EnumProcessModules(s.pi.hProcess, &exe, sizeof exe, &needed) && exe &&
        GetModuleInformation(s.pi.hProcess, exe, &mi, sizeof mi)) {
        out.base = reinterpret_cast<ULONG_PTR>(mi.lpBaseOfDll);
        out.size = mi.SizeOfImage;
    }
    end(s);
    out.trace = readRange(trace, from, to);
    return ok;
}

void countRegistryAndGdi(Program& p, const Traced& t) {
    auto& c = p.counts;
    eachLineOf(t.trace, t.pid, [&](std::string_view line) {
        if (has(line, ":trace:reg:NtOpenKeyEx (") || has(line, ":trace:reg:NtCreateKey (") ||
            has(line, ":trace:reg:NtOpenKey ("))
            ++c["registry keys opened"];
        else if (has(line, ":trace:reg:NtQueryValueKey (") || has(line, ":trace:reg:NtEnumerateValueKey (") ||
                 has(line, ":trace:reg:NtQueryMultipleValueKey ("))
            ++c["registry values read"];
        for (auto [what, sign] : {std::pair{"allocated NTGDI_OBJ_", 1}, std::pair{"freed NTGDI_OBJ_", -1}}) {
            size_t at = line.find(what);
            if (at == std::string_view::npos) continue;
            at += std::strlen(what);
            std::string type(line.substr(at, line.find(' ', at) - at));
            std::transform(type.begin(), type.end(), type.begin(), ::tolower);
            if (sign > 0) ++c["GDI objects made"], ++c["  " + type + "s made"];
            c["GDI objects alive at idle"] += sign;
        }
    });
    c["GetGuiResources GDI at idle"] = t.gdiObjects;
    c["GetGuiResources USER at idle"] = t.userObjects;
}

// "Call user32.SendMessageW(...) ret=..." from the executable's own code, and
// "Call window proc 0x... (hwnd=...,msg=...)" for its own window procedures.
void countCalls(Program& p, const Traced& t, std::map<std::string, std::map<std::wstring, long>>& calls) {
    auto mine = [&](std::string_view hex) {
        const ULONG_PTR a = std::strtoull(std::string(hex).c_str(), nullptr, 16);
        return a >= t.base && a < t.base + t.size;
    };
    auto& c = p.counts;
    eachLineOf(t.trace, t.pid, [&](std::string_view line) {
        size_t call = line.find(":Call ");
        if (call == std::string_view::npos) return;
        std::string_view rest = line.substr(call + 6);
        if (rest.rfind("window proc ", 0) == 0) {
            rest.remove_prefix(12);
            if (!mine(rest.substr(0, rest.find(' ')))) return;
            ++c["messages to its window procedures"];
            if (has(rest, "msg=WM_TIMER,")) ++c["  of them WM_TIMER"];
            return;
        }
        const size_t ret = rest.rfind(" ret=");
        if (ret == std::string_view::npos || !mine(rest.substr(ret + 5))) return;
        std::string fn(rest.substr(0, rest.find('(')));
        ++c["calls from its code into the system"];
        ++calls[fn][p.name];
    });
}

bool runCounts(std::vector<Program>& programs, const wchar_t* tracePath) {
    HANDLE trace = CreateFileW(tracePath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               nullptr, OPEN_EXISTING, 0, nullptr);
    if (trace == INVALID_HANDLE_VALUE) {
        std::fwprintf(stderr, L"cannot read the trace %ls (error %lu)\n", tracePath, GetLastError());
        return false;
    }
    // A start of each first, not counted, as in the other modes.
    for (auto& p : programs) {
        Start s;
        prepareStore(p);
        begin(p, s, nullptr);
        end(s);
        p.early = 0;
    }
    std::map<std::string, std::map<std::wstring, long>> calls;
    std::vector<std::pair<std::wstring, std::vector<double>>> times;
    for (auto& p : programs) {
        Traced t;
        std::vector<double> ms;
        if (traced(p, trace, L"+pid,+reg,+gdi", t)) countRegistryAndGdi(p, t);
        ms.push_back(t.ms);
        if (traced(p, trace, L"+pid,+relay", t)) countCalls(p, t, calls);
        ms.push_back(t.ms);
        times.push_back({p.name, ms});
    }
    CloseHandle(trace);

    std::vector<std::string> rows;
    for (auto& p : programs)
        for (auto& [k, _] : p.counts)
            if (std::find(rows.begin(), rows.end(), k) == rows.end()) rows.push_back(k);
    const char* order[] = {"registry keys opened", "registry values read", "GDI objects made", "  ",
                           "GDI objects alive at idle", "GetGuiResources", "calls from its code", "messages",
                           "  of them"};
    std::stable_sort(rows.begin(), rows.end(), [&](const std::string& a, const std::string& b) {
        auto rank = [&](const std::string& s) {
            int best = 0, at = 0;
            for (const char* o : order) {
                if (s.rfind(o, 0) == 0) best = at;
                ++at;
            }
            return best;
        };
        return rank(a) < rank(b);
    });
    auto header = [&](const wchar_t* first) {
        std::wprintf(L"%-36ls", first);
        for (auto& p : programs) std::wprintf(L" %16ls", p.name.substr(0, 16).c_str());
        std::wprintf(L"\n");
    };
    header(L"up to input idle");
    for (auto& k : rows) {
        std::wprintf(L"%-36hs", k.c_str());
        for (auto& p : programs) std::wprintf(L" %16ld", p.counts.count(k) ? p.counts.at(k) : 0L);
        std::wprintf(L"\n");
    }
    std::wprintf(L"%-36ls", L"start-up ms under the two traces");
    for (auto& [_, ms] : times) std::wprintf(L" %7.0f /%7.0f", ms[0], ms[1]);
    std::wprintf(L"\n\n");
    // The calls of the program's own code, those made most often first.
    std::vector<std::pair<long, std::string>> byCount;
    for (auto& [fn, per] : calls) {
        long most = 0;
        for (auto& [_, n] : per) most = std::max(most, n);
        byCount.push_back({most, fn});
    }
    std::sort(byCount.begin(), byCount.end(), [](auto& a, auto& b) { return a.first != b.first ? a.first > b.first : a.second < b.second; });
    header(L"calls from the program's code");
    for (auto& [_, fn] : byCount) {
        std::wprintf(L"%-36hs", fn.c_str());
        for (auto& p : programs) std::wprintf(L" %16ld", calls[fn].count(p.name) ? calls[fn][p.name] : 0L);
        std::wprintf(L"\n");
    }
    printNotCounted(programs);
    return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    int arg = 1;
    std::wstring mode;
    const wchar_t* tracePath = nullptr;
    if (arg < argc && std::wcscmp(argv[arg], L"--phases") == 0) mode = argv[arg++];
    else if (arg + 1 < argc && std::wcscmp(argv[arg], L"--count") == 0) {
        mode = argv[arg++];
        tracePath = argv[arg++];
    }
    if (argc - arg < 2) {
        std::fwprintf(stderr, L"usage: startup_harness [--phases | --count TRACE] RUNS NAME=COMMAND...\n");
        return 2;
    }
    const int runs = _wtoi(argv[arg++]);
    std::vector<Program> programs;
    for (; arg < argc; ++arg) {
        std::wstring a = argv[arg];
        size_t eq = a.find(L'=');
        if (eq == std::wstring::npos) return 2;
        Program p;
        p.name = a.substr(0, eq);
        p.command = a.substr(eq + 1);
        if (p.command.rfind(L"full:", 0) == 0) {
            p.fullStore = true;
            p.command = p.command.substr(5);
        }
        programs.push_back(p);
    }
    parkPointer();
    bool ok = true;
    if (mode == L"--phases") ok = runPhases(programs, runs);
    else if (mode == L"--count") ok = runCounts(programs, tracePath);
    else runIdle(programs, runs);
    emptyStore();
    for (auto& p : programs)
        if (p.early) ok = false;
    return ok ? 0 : 1;
}
