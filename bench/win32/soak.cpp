// Endurance run by script/soak, outside the test suite: the real orvenda.exe
// for ten minutes with the About and address book windows opened and closed
// again and again and a send every 30 seconds into a recording sender. The
// working set at the end must be within 10 % of the one after the first
// minute, every send must arrive, and nothing of the program's may be left.
#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "platform/win32/text.h"
#include "support/win32/driver.h"

namespace orvenda::testing::win32 {
namespace {

using Clock = std::chrono::steady_clock;

std::string env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

double workingSetMiB(HANDLE process) {
    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof pmc;
    GetProcessMemoryInfo(process, &pmc, sizeof pmc);
    return double(pmc.WorkingSetSize) / (1024.0 * 1024.0);
}

int processesNamed(const wchar_t* exe) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL ok = Process32FirstW(snapshot, &entry); ok; ok = Process32NextW(snapshot, &entry))
        count += _wcsicmp(entry.szExeFile, exe) == 0;
    CloseHandle(snapshot);
    return count;
}

void seedSetting(const char* key, const std::string& value) {
    const std::wstring text = platform::win32::wide(value);
    RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\VB and VBA Program Settings\\ORVENDA\\Settings",
                    platform::win32::wide(key).c_str(), REG_SZ, text.c_str(), DWORD((text.size() + 1) * sizeof(wchar_t)));
}

int linesIn(const std::string& path) {
    std::ifstream in(path);
    int n = 0;
    for (std::string line; std::getline(in, line);) ++n;
    return n;
}

// Opens a window with `button` of the compose window and closes it with
// `closer` of its own; false when either step did not happen in time.
bool openAndClose(const Program& program, const Window& main, const char* button,
                  const char* form, const char* closer) {
    main.click(button);
    Window window = program.waitWindow(form, 10000);
    if (!window) return false;
    window.click(closer);
    return waitUntil([&] { return !window; }, 10000);
}

TEST(Endurance, TenMinutesOfWindowsAndSends) {
    const std::string folder = env("ORVENDA_SOAK_FOLDER");
    if (folder.empty()) GTEST_SKIP() << "run by script/soak, which provides the recording sender";
    const int seconds = std::atoi(env("ORVENDA_SOAK_SECONDS").c_str()) > 0
                            ? std::atoi(env("ORVENDA_SOAK_SECONDS").c_str())
                            : 600;
    const std::string sendLog = folder + "\\sends.log";

    clearSettings();
    seedSetting("INSTALL_FOLDER_TEXTBOX", folder);
    seedSetting("SAVE_SETTINGS_TICKBOX", "1");      // shows "AB"
    seedSetting("SHOW_SE_PROGRESS_TICKBOX", "0");   // hidden sends end with the sender
    seedSetting("SMTP_SERVER_ADDRESS_PORT_TEXTBOX", "127.0.0.1:25");
    seedSetting("SEND_FROM_ADDRESS_TEXTBOX", "alice@example.org");
    Program program;
    Window main = program.waitWindow("ORVENDA_MAIN", 30000);
    ASSERT_TRUE(main);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, program.id());
    main.setText("SEND_TO_ADDRESS_TEXTBOX", "bob@example.org");
    main.setText("MESSAGE_TEXTBOX", "Endurance run.\r\nSecond line.");

    const auto start = Clock::now();
    auto elapsed = [&] { return std::chrono::duration<double>(Clock::now() - start).count(); };
    int cycles = 0, aboutCycles = 0, bookCycles = 0, sends = 0, stuck = 0;
    double afterFirstMinute = 0;
    while (elapsed() < seconds) {
        if (elapsed() >= 30.0 * sends) {
            main.setText("SUBJECT_TEXTBOX", "send " + std::to_string(sends + 1));
            // The composer puts the subject into the line at its next tick.
            if (waitUntil([&] {
                    return main.text("OUTPUT_COMMAND_TEXTBOX").find("\"send " + std::to_string(sends + 1) + "\"") !=
                           std::string::npos;
                })) {
                main.click("SEND_EMAIL_BUTTON");
                ++sends;
            } else {
                ++stuck;
            }
        }
        const bool about = openAndClose(program, main, "ABOUT_BUTTON", "ORVENDA_ABOUT", "OK_BUTTON");
        const bool book =
            openAndClose(program, main, "ADDRESS_BOOK_BUTTON", "ORVENDA_ADDRESS_BOOK", "SAVE_CLOSE_BUTTON");
        aboutCycles += about;
        bookCycles += book;
        stuck += !about + !book;
        if (afterFirstMinute == 0 && elapsed() >= 60) afterFirstMinute = workingSetMiB(process);
        // Spread the openings evenly: 101 of each over the run.
        const double next = ++cycles * seconds / 101.0;
        if (elapsed() < next) Sleep(static_cast<DWORD>(1000 * (next - elapsed())));
    }
    const double atEnd = workingSetMiB(process);
    CloseHandle(process);
    ASSERT_TRUE(waitUntil([&] { return linesIn(sendLog) >= sends; }, 20000));
    main.close();
    ASSERT_TRUE(program.waitExit());
    waitUntil([] { return processesNamed(L"cmd.exe") == 0; }, 10000);

    std::printf("soak: %.0f s, %d About and %d address book openings, %d sends, %d arrived, %d stuck\n",
                elapsed(), aboutCycles, bookCycles, sends, linesIn(sendLog), stuck);
    std::printf("soak: working set %.2f MiB after the first minute, %.2f MiB at the end (%+.1f %%)\n",
                afterFirstMinute, atEnd, afterFirstMinute > 0 ? 100.0 * (atEnd / afterFirstMinute - 1) : 0.0);
    std::printf("soak: left running: %d orvenda.exe, %d cmd.exe\n", processesNamed(L"orvenda.exe"),
                processesNamed(L"cmd.exe"));
    EXPECT_EQ(stuck, 0);
    EXPECT_EQ(linesIn(sendLog), sends);
    if (afterFirstMinute > 0) {
        EXPECT_LE(atEnd, afterFirstMinute * 1.10);
    }
    EXPECT_EQ(processesNamed(L"orvenda.exe"), 0);
    EXPECT_EQ(processesNamed(L"cmd.exe"), 0);
    clearSettings();
}

}  // namespace
}  // namespace orvenda::testing::win32
