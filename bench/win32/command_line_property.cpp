// Under Wine: random field texts, "!" among their characters, go through the
// composer and "SEND EMAIL" (hidden, so "cmd.exe /V:OFF /c"), then through
// the real cmd.exe into a recording sender. A case holds when the sender gets
// every field as one argument, unchanged, and the interpreter runs nothing
// else: no output, no file made by a redirection, exit code 0. The same lines
// started through "cmd.exe /v:on /c", standing in for delayed expansion
// switched on in the registry, must not all hold, so the check bites.
//
// The recording sender is this test executable, copied into the install
// folder as SendEmail.exe: started under that name it writes its arguments
// after the program's name (as the C runtime splits them, in the ANSI code
// page, as the real sender reads them), each on a line, to ORVENDA_RECORD_TO.
//
// ORVENDA_PROPERTY_CASES (default 400) and ORVENDA_PROPERTY_SEED choose the
// cases; script/property runs 10,000. Percent signs are left out:
// the interpreter expands %NAME% even inside quotes, which no quoting stops.
#include "platform/win32/text.h"
#include "support/program.h"
#include "support/sender_fields.h"
#include "support/win32/driver.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace orvenda {
namespace {

namespace fs = std::filesystem;
using testing::win32::readFile;

const bool startedAsSender = [] {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    if (!fs::path(self).filename().wstring().ends_with(L"SendEmail.exe")) return false;
    std::ofstream record(_wgetenv(L"ORVENDA_RECORD_TO"), std::ios::binary);
    for (int i = 1; i < __argc; ++i) record << __argv[i] << '\n';
    ExitProcess(record.flush() ? 0 : 3);
}();

// Printable ASCII but "%", with more of what the interpreter and the
// argument rules act on, a defined variable between "!", and letters of the
// ANSI code page.
std::string randomText(std::mt19937& random) {
    static std::vector<std::string> pool = {"\"", "\\", "&", "|", "<", ">", "^", "!", "!", "!OS!", "é", "Ä", "ß"};
    for (char c = 0x20; pool.size() < 107; ++c)
        if (c != '%') pool.emplace_back(1, c);
    std::string text;
    for (int n = random() % 17; n > 0; --n) text += pool[random() % pool.size()];
    return text;
}

// A command line started in a folder of its own, its output to a file. It
// held when it ran cleanly (exit code 0, no output, no file made in its
// folder) and the sender recorded what was expected, once.
struct Interpreter {
    fs::path home;
    std::string line, expected;
    HANDLE process = nullptr;
    Interpreter(fs::path folder, std::string commandLine, std::string record)
        : home(std::move(folder)), line(std::move(commandLine)), expected(std::move(record)) {
        fs::remove_all(home);
        fs::create_directories(home / "cwd");
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        HANDLE out = CreateFileW((home / "output.txt").c_str(), GENERIC_WRITE, 0, &inherit, CREATE_ALWAYS, 0, nullptr);
        SetEnvironmentVariableW(L"ORVENDA_RECORD_TO", (home / "record.txt").c_str());
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
        startup.hStdOutput = startup.hStdError = out;
        std::wstring text = platform::win32::wide(line);
        PROCESS_INFORMATION started{};
        if (CreateProcessW(nullptr, text.data(), nullptr, nullptr, TRUE, 0, nullptr, (home / "cwd").c_str(),
                           &startup, &started))
            CloseHandle(started.hThread), process = started.hProcess;
        CloseHandle(out);
    }
    bool held() const {
        DWORD code = 1;
        if (!process || WaitForSingleObject(process, 60000) != WAIT_OBJECT_0 || !GetExitCodeProcess(process, &code))
            return false;
        CloseHandle(process);
        return code == 0 && readFile(home / "output.txt").empty() && fs::is_empty(home / "cwd") &&
               readFile(home / "record.txt") == expected;
    }
};

TEST(CommandLinePropertyWine, RandomFieldsReachTheSenderThroughCmdUnchangedAndNotWithDelayedExpansion) {
    ASSERT_FALSE(startedAsSender);
    const char *count = std::getenv("ORVENDA_PROPERTY_CASES"), *seed = std::getenv("ORVENDA_PROPERTY_SEED");
    const int cases = count ? std::atoi(count) : 400;
    std::mt19937 random(seed ? std::atoi(seed) : 31337);
    const fs::path root = fs::temp_directory_path() / ("orvenda-property-" + std::to_string(GetCurrentProcessId()));
    const fs::path install = root / platform::win32::wide("Send & Mail (x)^ é");  // metacharacters in the folder too
    fs::create_directories(install);
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    fs::copy_file(self, install / "SendEmail.exe");
    testing::Program p;
    auto& w = p.start();
    w.SHOW_SE_PROGRESS_TICKBOX.setValue(0);
    const std::string prefix = "cmd.exe /V:OFF /c ";
    int held = 0, heldWithDelayedExpansion = 0, again = 0;
    for (int n = 0; n < cases;) {
        std::vector<Interpreter> off, on;  // four cases at a time
        for (int k = 0; k < 4 && n < cases; ++k, ++n) {
            testing::SenderFields f{platform::win32::narrow(install.wstring()), "", "", "", "", "", "", "", "", "auto"};
            for (auto* field : {&f.from, &f.to, &f.cc, &f.bcc, &f.subject, &f.server, &f.user, &f.password})
                *field = randomText(random);
            testing::typeSenderFields(w, f);
            p.advance(1000);
            p.launcher.launches.clear();
            w.SEND_EMAIL_BUTTON.userClick();
            ASSERT_EQ(p.launcher.launches.size(), 1u) << ::testing::PrintToString(p.backend.failures);
            const std::string line = p.launcher.launches[0].commandLine;
            ASSERT_EQ(line.rfind(prefix, 0), 0u);
            std::wstring expected;  // in the ANSI code page, as the sender reads them
            for (const auto& arg : testing::expectedArguments(f)) expected += platform::win32::wide(arg) + L"\n";
            std::string record(expected.size() * 2, '\0');
            record.resize(WideCharToMultiByte(CP_ACP, 0, expected.data(), int(expected.size()), record.data(),
                                              int(record.size()), nullptr, nullptr));
            record.erase(0, record.find('\n') + 1);
            off.emplace_back(root / ("off" + std::to_string(k)), line, record);
            on.emplace_back(root / ("on" + std::to_string(k)), "cmd.exe /v:on /c " + line.substr(prefix.size()), record);
        }
        // A case that fails is run once more: a fault of quoting fails again,
        // while Wine now and then loses a start under load.
        for (const auto& run : off) {
            const bool ok = run.held() || (++again, Interpreter(run.home, run.line, run.expected).held());
            if (ok) ++held;
            else ADD_FAILURE() << "line: " << run.line << "\noutput: " << readFile(run.home / "output.txt")
                               << "\nrecord:\n" << readFile(run.home / "record.txt") << "expected:\n" << run.expected;
        }
        for (const auto& run : on) heldWithDelayedExpansion += run.held();
    }
    std::printf("command-line property under Wine: %d cases, %d held (%d run twice); through cmd /v:on %d held\n",
                cases, held, again, heldWithDelayedExpansion);
    EXPECT_EQ(held, cases);
    EXPECT_LT(heldWithDelayedExpansion, cases);
    fs::remove_all(root);
}

}  // namespace
}  // namespace orvenda
