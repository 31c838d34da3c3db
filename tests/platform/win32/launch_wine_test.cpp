// The system launcher under Wine. A program named without a folder, quoted
// or not, starts from the system folder, never as a program of that name in
// the current folder (here a copy of this test program as cmd.exe, which
// leaves a mark when it runs); one named with its folder starts as named; one
// that cannot start is reported with the system's reason.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/launch.h"
#include "platform/win32/system_error.h"
#include "platform/win32/text.h"
#include "support/win32/driver.h"

namespace orvenda {
namespace {

namespace fs = std::filesystem;

fs::path self() {
    wchar_t path[MAX_PATH];
    return std::wstring(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
}

const bool startedAsPlanted = [] {
    if (lstrcmpiW(self().filename().c_str(), L"cmd.exe") != 0) return false;
    std::ofstream(self().parent_path() / "planted-ran.txt") << GetCommandLineA();
    ExitProcess(0);
}();

TEST(LaunchWine, TheSystemsProgramStartsAndNeverOneOfItsNameInTheCurrentFolder) {
    const fs::path folder = fs::temp_directory_path() / ("orvenda-launch-" + std::to_string(GetCurrentProcessId()));
    fs::create_directories(folder);
    ASSERT_TRUE(CopyFileW(self().c_str(), (folder / "cmd.exe").c_str(), FALSE));
    const fs::path before = fs::current_path();
    fs::current_path(folder);
    wchar_t system[MAX_PATH];
    const std::string cmd = platform::win32::narrow({system, GetSystemDirectoryW(system, MAX_PATH)}) + "\\cmd.exe";
    const std::string lines[] = {"cmd.exe /c echo one>one.txt", "  \"cmd.exe\" /c echo two>two.txt",
                                 "\"" + cmd + "\" /c echo three>three.txt", cmd + " /c echo four>four.txt"};
    auto launcher = platform::makeSystemLauncher();
    for (const std::string& line : lines) EXPECT_EQ(launcher->LaunchCommandLine(line, platform::kHidden), std::nullopt) << line;
    EXPECT_TRUE(testing::win32::waitUntil([&] {
        for (const char* word : {"one", "two", "three", "four"})
            if (testing::win32::readFile(folder / (std::string(word) + ".txt")) != word + std::string("\r\n")) return false;
        return true;
    }, 10000));
    EXPECT_EQ(launcher->LaunchCommandLine("no-such-program.exe /c", platform::kNormalWithFocus),
              platform::win32::systemReason(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(fs::exists(folder / "planted-ran.txt")) << testing::win32::readFile(folder / "planted-ran.txt");
    fs::current_path(before);
    fs::remove_all(folder);
}

}  // namespace
}  // namespace orvenda
