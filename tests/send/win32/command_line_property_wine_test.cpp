// Under Wine: random field texts go through the composer and "SEND EMAIL"
// (hidden, so "cmd.exe /c"), then through the real cmd.exe into a recording
// sender. Every field must arrive as exactly one argument, unchanged, and
// the interpreter must run nothing else: no output, no file created by a
// redirection, one recorded start of the sender, exit code 0.
//
// The recording sender is this test executable itself, copied into the
// install folder as SendEmail.exe: started under that name it appends its
// arguments (as the C runtime splits them, in the ANSI code page, as the real
// sender reads them) to the file named by ORVENDA_RECORD_TO and exits before
// any test runs.
//
// Wine's cmd.exe takes about a tenth of a second to start, so the lines of
// several cases share one interpreter: SEND's launch line for the first,
// the others joined to it with "&" as further commands. A line that leaves
// the interpreter's quoting open (an odd number of quotes typed into its
// fields) gets one quote after it to close it, which its sender sees as one
// more, empty, argument at the end; the expected arguments say so. Wine's
// cmd.exe now and then misreads a later command of such a joined line, so a
// case that does not hold in its batch is run again on its own, exactly as
// SEND launches it, and only that run decides; the number of such runs is
// printed with the counts.
//
// Percent signs are left out of the texts: the interpreter expands %NAME% of
// a defined variable even inside quotes (Wine as Windows), which no quoting
// can prevent.
//
// ORVENDA_PROPERTY_CASES sets the number of cases (default 400),
// ORVENDA_PROPERTY_BATCH the cases per interpreter (default 8; Wine's cmd.exe
// fails on lines much longer than 8,000 characters),
// ORVENDA_PROPERTY_SEED the random seed.

// The program's headers come before windows.h, whose macros would clash.
#include "support/program.h"
#include "support/sender_fields.h"
#include "ui/win32/text.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace orvenda {
namespace {

using testing::Args;
using testing::expectedArguments;
using testing::SenderFields;
using testing::typeSenderFields;

bool endsWithNoCase(const std::wstring& text, const std::wstring& tail) {
    return text.size() >= tail.size() &&
           _wcsicmp(text.c_str() + text.size() - tail.size(), tail.c_str()) == 0;
}

// Record: the argument count on one line, then each argument as
// "<length>:<bytes>" and a line break.
bool recordIfStartedAsTheSender() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (!endsWithNoCase(path, L"\\SendEmail.exe")) return false;
    const wchar_t* to = _wgetenv(L"ORVENDA_RECORD_TO");
    if (!to) ExitProcess(3);
    FILE* file = _wfopen(to, L"ab");
    if (!file) ExitProcess(4);
    std::fprintf(file, "%d\n", __argc);
    for (int i = 0; i < __argc; ++i) {
        std::fprintf(file, "%zu:", std::strlen(__argv[i]));
        std::fwrite(__argv[i], 1, std::strlen(__argv[i]), file);
        std::fputc('\n', file);
    }
    std::fclose(file);
    ExitProcess(0);
}
const bool startedAsSender = recordIfStartedAsTheSender();


std::string ansi(const std::string& utf8) {
    const std::wstring w = ui::win32::wide(utf8);
    if (w.empty()) return {};
    const int n = WideCharToMultiByte(CP_ACP, 0, w.data(), static_cast<int>(w.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, w.data(), static_cast<int>(w.size()), out.data(), n, nullptr,
                        nullptr);
    return out;
}

std::string readAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every record in a recording file.
std::vector<Args> parseRecords(const std::string& bytes) {
    std::vector<Args> records;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::size_t eol = bytes.find('\n', pos);
        if (eol == std::string::npos) break;
        const int count = std::atoi(bytes.substr(pos, eol - pos).c_str());
        pos = eol + 1;
        Args args;
        for (int i = 0; i < count && pos < bytes.size(); ++i) {
            const std::size_t colon = bytes.find(':', pos);
            if (colon == std::string::npos) return records;
            const std::size_t length = std::strtoul(bytes.substr(pos, colon - pos).c_str(), nullptr, 10);
            args.push_back(bytes.substr(colon + 1, length));
            pos = colon + 1 + length + 1;
        }
        records.push_back(std::move(args));
    }
    return records;
}

// The sender reads its arguments in the ANSI code page.
Args expectedAnsiArguments(const SenderFields& f) {
    Args args = expectedArguments(f);
    for (auto& arg : args) arg = ansi(arg);
    return args;
}

// Printable ASCII, weighted towards what the interpreter and the argument
// rules act on, and accented letters of the ANSI code page.
std::string randomText(std::mt19937& random) {
    static const std::vector<std::string> pool = [] {
        std::vector<std::string> p;
        for (char c = 0x20; c < 0x7F; ++c)
            if (c != '%') p.emplace_back(1, c);
        for (const char* s : {"\"", "\"", "\"", "\\", "\\", "\\", "&", "&", "|", "|", "<", "<", ">",
                              ">", "^", "^", "^", "(", ")", " ", " ", "!"})
            p.emplace_back(s);
        for (const char* s : {"é", "Ä", "ß", "ñ", "ç", "ø", "Ü", "à"}) p.emplace_back(s);
        return p;
    }();
    std::uniform_int_distribution<int> length(0, 16), pick(0, static_cast<int>(pool.size()) - 1);
    std::string text;
    for (int n = length(random); n > 0; --n) text += pool[static_cast<std::size_t>(pick(random))];
    return text;
}

// One interpreter in flight, with a folder of its own to start in (which
// must stay empty), a recording file and a file for its output.
struct Slot {
    std::filesystem::path home;
    HANDLE process = nullptr;
    std::vector<Args> expected;
    std::vector<Args> expectedAlone;  // without the empty argument of a joined line
    std::vector<std::string> lines;

    std::filesystem::path cwd() const { return home / "cwd"; }
    std::filesystem::path record() const { return home / "record.txt"; }
    std::filesystem::path output() const { return home / "output.txt"; }
};

int envNumber(const char* name, int fallback) {
    const char* text = std::getenv(name);
    return text && *text ? std::atoi(text) : fallback;
}

HANDLE startInterpreter(const Slot& slot, const std::string& commandLine) {
    std::filesystem::remove(slot.record());
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE out = CreateFileW(slot.output().c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) return nullptr;
    SetEnvironmentVariableW(L"ORVENDA_RECORD_TO", slot.record().c_str());
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    startup.hStdOutput = out;
    startup.hStdError = out;
    std::wstring line = ui::win32::wide(commandLine);
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        slot.cwd().c_str(), &startup, &process);
    CloseHandle(out);
    if (!started) return nullptr;
    CloseHandle(process.hThread);
    return process.hProcess;
}

TEST(CommandLinePropertyWine, RandomFieldsReachTheSenderThroughCmdUnchanged) {
    ASSERT_FALSE(startedAsSender);
    const int cases = envNumber("ORVENDA_PROPERTY_CASES", 400);
    const int batch = std::max(1, envNumber("ORVENDA_PROPERTY_BATCH", 8));
    const unsigned seed = static_cast<unsigned>(envNumber("ORVENDA_PROPERTY_SEED", 31337));
    std::mt19937 random(seed);

    wchar_t exe[MAX_PATH];
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    const auto root = std::filesystem::temp_directory_path() /
                      ("orvenda-property-" + std::to_string(GetCurrentProcessId()));
    // The install folder holds characters the interpreter acts on.
    const auto install = root / ui::win32::wide("Send & Mail (x)^ é");
    std::filesystem::create_directories(install);
    std::filesystem::copy_file(exe, install / L"SendEmail.exe");
    const std::string folder = ui::win32::narrow(install.wstring());

    testing::Program p;
    auto& w = p.start();
    w.SHOW_SE_PROGRESS_TICKBOX.setValue(0);
    w.INSTALL_FOLDER_TEXTBOX.userEdited(folder);

    std::vector<Slot> slots(4);
    for (std::size_t i = 0; i < slots.size(); ++i) {
        slots[i].home = root / ("slot" + std::to_string(i));
        std::filesystem::create_directories(slots[i].cwd());
    }

    const std::string prefix = "cmd.exe /c \"";
    int run = 0, held = 0, reported = 0, alone = 0;
    // Waits for the slot's interpreter; true when it ran cleanly: exit code 0,
    // no output, no file made in its folder.
    auto wait = [](Slot& slot) {
        if (WaitForSingleObject(slot.process, 60000) != WAIT_OBJECT_0) TerminateProcess(slot.process, 99);
        DWORD code = 1;
        GetExitCodeProcess(slot.process, &code);
        CloseHandle(slot.process);
        slot.process = nullptr;
        const bool clean = code == 0 && readAll(slot.output()).empty() && std::filesystem::is_empty(slot.cwd());
        std::error_code ignored;
        for (auto& entry : std::filesystem::directory_iterator(slot.cwd()))
            std::filesystem::remove_all(entry.path(), ignored);
        return clean;
    };
    auto check = [&](Slot& slot) {
        const bool clean = wait(slot);
        const auto records = parseRecords(readAll(slot.record()));
        const bool oneEach = clean && records.size() == slot.expected.size();
        const std::vector<std::string> lines = std::move(slot.lines);
        const std::vector<Args> expectedAlone = std::move(slot.expectedAlone);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            ++run;
            if (oneEach && records[i] == slot.expected[i]) {
                ++held;
                continue;
            }
            ++alone;
            slot.process = startInterpreter(slot, prefix + lines[i] + "\"");
            const bool aloneClean = slot.process && wait(slot);
            const auto aloneRecords = parseRecords(readAll(slot.record()));
            if (aloneClean && aloneRecords.size() == 1 && aloneRecords[0] == expectedAlone[i]) {
                ++held;
            } else if (++reported <= 5) {
                ADD_FAILURE() << "line: " << lines[i] << "\noutput: " << readAll(slot.output())
                              << "\nrecords: " << ::testing::PrintToString(aloneRecords)
                              << "\nexpected: " << ::testing::PrintToString(expectedAlone[i]);
            }
        }
        slot.expected.clear();
    };

    const char* modes[] = {"no", "yes", "auto"};
    std::size_t next = 0;
    for (int n = 0; n < cases;) {
        Slot& slot = slots[next++ % slots.size()];
        if (slot.process) check(slot);

        std::string joined;
        for (int k = 0; k < batch && n < cases; ++k, ++n) {
            SenderFields f;
            f.folder = folder;
            for (auto* field : {&f.from, &f.to, &f.cc, &f.bcc, &f.subject, &f.server, &f.user, &f.password})
                *field = randomText(random);
            f.tls = modes[n % 3];
            typeSenderFields(w, f);
            p.advance(1000);
            p.launcher.launches.clear();
            w.SEND_EMAIL_BUTTON.userClick();
            ASSERT_EQ(p.launcher.launches.size(), 1u) << ::testing::PrintToString(p.backend.failures);
            const auto& launch = p.launcher.launches[0];
            ASSERT_EQ(launch.windowStyle, 0);
            ASSERT_EQ(launch.commandLine.rfind(prefix, 0), 0u);
            // The line as the interpreter sees it once the outer quotes are off.
            const std::string line =
                launch.commandLine.substr(prefix.size(), launch.commandLine.size() - prefix.size() - 1);
            Args expected = expectedAnsiArguments(f);
            slot.expectedAlone.push_back(expected);
            if (!joined.empty()) {
                if (std::count(joined.begin(), joined.end(), '"') % 2 == 1) {
                    joined += '"';
                    slot.expected.back().push_back("");
                }
                joined += '&';
            }
            joined += line;
            slot.lines.push_back(line);
            slot.expected.push_back(std::move(expected));
        }
        slot.process = startInterpreter(slot, prefix + joined + "\"");
        ASSERT_NE(slot.process, nullptr) << GetLastError();
    }
    for (auto& slot : slots)
        if (slot.process) check(slot);

    std::printf("command-line property under Wine: %d cases run, %d held (seed %u, %d per interpreter, "
                "%d run again alone)\n", run, held, seed, batch, alone);
    EXPECT_EQ(held, cases);
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
}

}  // namespace
}  // namespace orvenda
