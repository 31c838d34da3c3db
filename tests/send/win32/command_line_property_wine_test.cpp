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
// (as the C runtime splits them, in the ANSI code page, as the real sender
// reads them), each followed by a line break, to ORVENDA_RECORD_TO and exits.
//
// ORVENDA_PROPERTY_CASES (default 400) and ORVENDA_PROPERTY_SEED choose the
// cases; tests/send/e2e/property.sh runs 10,000. Percent signs are left out:
// the interpreter expands %NAME% even inside quotes, which no quoting stops.
#include "support/program.h"
#include "support/sender_fields.h"
#include "ui/win32/text.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

namespace orvenda {
namespace {

namespace fs = std::filesystem;

const bool startedAsSender = [] {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    if (!fs::path(self).filename().wstring().ends_with(L"SendEmail.exe")) return false;
    FILE* record = _wfopen(_wgetenv(L"ORVENDA_RECORD_TO"), L"wb");
    for (int i = 1; record && i < __argc; ++i) std::fprintf(record, "%s\n", __argv[i]);
    ExitProcess(record && std::fclose(record) == 0 ? 0 : 3);
}();

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::string ansi(const std::string& utf8) {
    const std::wstring w = ui::win32::wide(utf8);
    std::string out(w.size() * 2, '\0');
    out.resize(WideCharToMultiByte(CP_ACP, 0, w.data(), int(w.size()), out.data(), int(out.size()), nullptr, nullptr));
    return out;
}

std::string randomText(std::mt19937& random) {
    static const std::vector<std::string> pool = [] {
        std::vector<std::string> p;
        for (char c = 0x20; c < 0x7F; ++c)
            if (c != '%') p.emplace_back(1, c);
        for (const char* s : {"\"", "\"", "\\", "\\", "&", "|", "<", ">", "^", "^", "!", "!", "!OS!", "é", "Ä", "ß"})
            p.emplace_back(s);
        return p;
    }();
    std::string text;
    for (int n = random() % 17; n > 0; --n) text += pool[random() % pool.size()];
    return text;
}

// A command line started in a folder of its own, its output to a file. It
// held when it ran cleanly (exit code 0, no output, no file made in its
// folder) and the sender recorded what was expected, once.
struct Interpreter {
    fs::path home;
    std::string line;
    HANDLE process = nullptr;
    Interpreter(fs::path folder, std::string commandLine) : home(std::move(folder)), line(std::move(commandLine)) {
        fs::remove_all(home);
        fs::create_directories(home / "cwd");
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        HANDLE out = CreateFileW((home / "output.txt").c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 &inherit, CREATE_ALWAYS, 0, nullptr);
        SetEnvironmentVariableW(L"ORVENDA_RECORD_TO", (home / "record.txt").c_str());
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
        startup.hStdOutput = startup.hStdError = out;
        std::wstring text = ui::win32::wide(line);
        PROCESS_INFORMATION started{};
        if (CreateProcessW(nullptr, text.data(), nullptr, nullptr, TRUE, 0, nullptr, (home / "cwd").c_str(), &startup,
                           &started))
            CloseHandle(started.hThread), process = started.hProcess;
        CloseHandle(out);
    }
    bool held(const std::string& expected) {
        if (!process || WaitForSingleObject(process, 60000) != WAIT_OBJECT_0) return false;
        DWORD code = 1;
        GetExitCodeProcess(process, &code);
        CloseHandle(process);
        return code == 0 && readAll(home / "output.txt").empty() && fs::is_empty(home / "cwd") &&
               readAll(home / "record.txt") == expected;
    }
};

TEST(CommandLinePropertyWine, RandomFieldsReachTheSenderThroughCmdUnchangedAndNotWithDelayedExpansion) {
    ASSERT_FALSE(startedAsSender);
    const int cases = std::getenv("ORVENDA_PROPERTY_CASES") ? std::atoi(std::getenv("ORVENDA_PROPERTY_CASES")) : 400;
    const unsigned seed = std::getenv("ORVENDA_PROPERTY_SEED") ? std::atoi(std::getenv("ORVENDA_PROPERTY_SEED")) : 31337;
    std::mt19937 random(seed);
    const fs::path root = fs::temp_directory_path() / ("orvenda-property-" + std::to_string(GetCurrentProcessId()));
    const fs::path install = root / ui::win32::wide("Send & Mail (x)^ é");  // metacharacters in the folder too
    fs::create_directories(install);
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    fs::copy_file(self, install / "SendEmail.exe");

    testing::Program p;
    auto& w = p.start();
    w.SHOW_SE_PROGRESS_TICKBOX.setValue(0);
    const std::string prefix = "cmd.exe /V:OFF /c ";
    int held = 0, heldWithDelayedExpansion = 0;
    for (int n = 0; n < cases; n += 4) {
        std::vector<std::pair<Interpreter, std::string>> off, on;  // and the record expected
        for (int k = 0; k < 4 && n + k < cases; ++k) {
            testing::SenderFields f;
            f.folder = ui::win32::narrow(install.wstring());
            for (auto* field : {&f.from, &f.to, &f.cc, &f.bcc, &f.subject, &f.server, &f.user, &f.password})
                *field = randomText(random);
            f.tls = "auto";
            testing::typeSenderFields(w, f);
            p.advance(1000);
            p.launcher.launches.clear();
            w.SEND_EMAIL_BUTTON.userClick();
            ASSERT_EQ(p.launcher.launches.size(), 1u) << ::testing::PrintToString(p.backend.failures);
            const std::string line = p.launcher.launches[0].commandLine;
            ASSERT_EQ(line.rfind(prefix, 0), 0u);
            std::string expected;
            for (const auto& arg : testing::expectedArguments(f)) expected += ansi(arg) + "\n";
            expected.erase(0, expected.find('\n') + 1);  // the sender records no program name
            off.emplace_back(Interpreter(root / ("off" + std::to_string(k)), line), expected);
            on.emplace_back(Interpreter(root / ("on" + std::to_string(k)), "cmd.exe /v:on /c " + line.substr(prefix.size())), expected);
        }
        for (auto& [run, expected] : off)
            if (run.held(expected)) ++held;
            else ADD_FAILURE() << "line: " << run.line << "\noutput: " << readAll(run.home / "output.txt")
                               << "\nrecord:\n" << readAll(run.home / "record.txt") << "expected:\n" << expected;
        for (auto& [run, expected] : on) heldWithDelayedExpansion += run.held(expected);
    }
    std::printf("command-line property under Wine: %d cases, %d held; through cmd /v:on %d held (seed %u)\n", cases,
                held, heldWithDelayedExpansion, seed);
    EXPECT_EQ(held, cases);
    EXPECT_LT(heldWithDelayedExpansion, cases);
    fs::remove_all(root);
}

}  // namespace
}  // namespace orvenda
