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
    std::uniform_int_distribution<int> length(0, 16), pick(0, int(pool.size()) - 1);
    std::string text;
    for (int n = length(random); n > 0; --n) text += pool[pick(random)];
    return text;
}

// Starts a command line in a folder of its own with its output to a file.
HANDLE start(const fs::path& home, const std::string& commandLine) {
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
    std::wstring line = ui::win32::wide(commandLine);
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        (home / "cwd").c_str(), &startup, &process);
    CloseHandle(out);
    if (!started) return nullptr;
    CloseHandle(process.hThread);
    return process.hProcess;
}

bool held(HANDLE process, const fs::path& home, const std::string& expected) {
    if (!process) return false;
    if (WaitForSingleObject(process, 60000) != WAIT_OBJECT_0) TerminateProcess(process, 99);
    DWORD code = 1;
    GetExitCodeProcess(process, &code);
    CloseHandle(process);
    return code == 0 && readAll(home / "output.txt").empty() && fs::is_empty(home / "cwd") &&
           readAll(home / "record.txt") == expected;
}

TEST(CommandLinePropertyWine, RandomFieldsReachTheSenderThroughCmdUnchangedAndNotWithDelayedExpansion) {
    ASSERT_FALSE(startedAsSender);
    const char* count = std::getenv("ORVENDA_PROPERTY_CASES");
    const char* seedText = std::getenv("ORVENDA_PROPERTY_SEED");
    const int cases = count ? std::atoi(count) : 400;
    const unsigned seed = seedText ? unsigned(std::atoi(seedText)) : 31337u;
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
    int held_ = 0, heldWithDelayedExpansion = 0, reported = 0;
    for (int n = 0; n < cases; n += 4) {
        std::vector<std::pair<std::string, std::string>> batch;  // launch line, expected record
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
            ASSERT_EQ(p.launcher.launches[0].commandLine.rfind(prefix, 0), 0u);
            std::string expected;
            for (const auto& arg : testing::expectedArguments(f)) expected += ansi(arg) + "\n";
            batch.emplace_back(p.launcher.launches[0].commandLine, expected.substr(expected.find('\n') + 1));
        }
        std::vector<HANDLE> running;
        for (std::size_t k = 0; k < batch.size(); ++k) {
            running.push_back(start(root / ("off" + std::to_string(k)), batch[k].first));
            running.push_back(start(root / ("on" + std::to_string(k)), "cmd.exe /v:on /c " + batch[k].first.substr(prefix.size())));
        }
        for (std::size_t k = 0; k < batch.size(); ++k) {
            const fs::path off = root / ("off" + std::to_string(k));
            if (held(running[2 * k], off, batch[k].second)) ++held_;
            else if (++reported <= 5)
                ADD_FAILURE() << "line: " << batch[k].first << "\noutput: " << readAll(off / "output.txt")
                              << "\nrecord:\n" << readAll(off / "record.txt") << "expected:\n" << batch[k].second;
            heldWithDelayedExpansion += held(running[2 * k + 1], root / ("on" + std::to_string(k)), batch[k].second);
        }
    }
    std::printf("command-line property under Wine: %d cases, %d held; through cmd /v:on %d held (seed %u)\n", cases,
                held_, heldWithDelayedExpansion, seed);
    EXPECT_EQ(held_, cases);
    EXPECT_LT(heldWithDelayedExpansion, cases);
    std::error_code ignored;
    fs::remove_all(root, ignored);
}

}  // namespace
}  // namespace orvenda
