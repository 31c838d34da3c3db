// Launches under Wine, through the Windows launch service and the real
// orvenda.exe: the programs started run in the system folder, whatever
// folder this program runs in (a network share's would stop the
// interpreter), and a program that cannot start is named in a whole
// sentence, with no placeholder of the system's text left in it.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/launch.h"
#include "platform/win32/text.h"
#include "support/win32/driver.h"

namespace orvenda::testing::win32 {
namespace {

namespace fs = std::filesystem;

const fs::path systemFolder = [] {
    wchar_t folder[MAX_PATH];
    return fs::path(std::wstring(folder, GetSystemDirectoryW(folder, MAX_PATH)));
}();

// Each test in a folder of its own, which it may make its current one.
struct LaunchWine : ::testing::Test {
    const fs::path folder = fs::temp_directory_path() / ("orvenda-launch-" + std::to_string(GetCurrentProcessId()));
    LaunchWine() { fs::create_directories(folder); }
    ~LaunchWine() override { SetCurrentDirectoryW(folder.parent_path().c_str()), fs::remove_all(folder); }
};

TEST_F(LaunchWine, ProgramsRunInTheSystemFolder) {
    SetCurrentDirectoryW(folder.c_str());
    const fs::path said = folder / "folder.txt";
    auto launcher = platform::makeSystemLauncher();
    ASSERT_EQ(launcher->LaunchCommandLine("cmd.exe /V:OFF /c \"cd > \"" + said.string() + "\"\"", platform::kHidden),
              std::nullopt);
    ASSERT_TRUE(waitUntil([&] { return readFile(said).find('\n') != std::string::npos; }));
    EXPECT_EQ(platform::win32::wide(readFile(said)), systemFolder.wstring() + L"\r\n");
}

// The system's cmd.exe, broken for the test and put back after it.
TEST_F(LaunchWine, AProgramThatCannotStartIsNamedInAWholeSentence) {
    const fs::path cmd = systemFolder / "cmd.exe", kept = folder / "cmd.exe";
    fs::copy_file(cmd, kept);
    struct PutBack {
        const fs::path &cmd, &kept;
        ~PutBack() { EXPECT_TRUE(CopyFileW(kept.c_str(), cmd.c_str(), FALSE)); }
    } putBack{cmd, kept};
    std::ofstream(cmd, std::ios::binary | std::ios::trunc) << "not a program\r\n";
    clearSettings();
    Program program;
    Window main = program.waitWindow("ORVENDA_MAIN", 30000);
    ASSERT_TRUE(main);
    main.setText("INSTALL_FOLDER_TEXTBOX", folder.string());
    main.click("SEND_EMAIL_BUTTON");
    const std::string said = program.message();
    EXPECT_EQ(said.rfind("Could not start \"cmd.exe\": ", 0), 0u) << said;
    EXPECT_NE(said.find(cmd.string(), 20), std::string::npos) << said;
    EXPECT_EQ(said.find('%'), std::string::npos) << said;
    main.close();
    EXPECT_TRUE(program.waitExit());
    clearSettings();
}

}  // namespace
}  // namespace orvenda::testing::win32
