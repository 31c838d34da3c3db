// The message file under Wine, through the Windows file service: the code
// page, a replacement that fails (file held open without sharing, read-only,
// folder gone) leaving the old bytes, hidden and system files saved with
// their attributes, a file holding a NUL byte refused, and the system's
// reason in failure messages.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/ansi_files.h"
#include "platform/win32/system_error.h"

namespace orvenda {
namespace {

namespace fs = std::filesystem;

struct MessageFileWine : ::testing::Test {
    const fs::path folder = fs::temp_directory_path() / ("orvenda-file-" + std::to_string(GetCurrentProcessId()));
    const fs::path file = folder / "SE-EMAIL.txt";
    std::unique_ptr<platform::AnsiTextFiles> files = platform::makeSystemAnsiTextFiles();
    MessageFileWine() { fs::create_directories(folder), std::ofstream(file, std::ios::binary) << "old\r\n"; }
    ~MessageFileWine() override { SetFileAttributesW(file.c_str(), 0), fs::remove_all(folder); }
    std::string bytes() const {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    // Our own temporary files; Wine's ReplaceFileW leaves an "rf*.tmp" of
    // its own beside when it fails, which Windows does not.
    bool nothingLeftBeside() const {
        for (auto& entry : fs::directory_iterator(folder))
            if (entry.path().filename().string().starts_with("SE-") && entry.path().extension() == ".tmp") return false;
        return true;
    }
};

TEST_F(MessageFileWine, TextIsWrittenAndReadInTheCodePageAndANulByteIsRefused) {
    EXPECT_EQ(files->firstUnrepresentable("Grüße € Ω"), U'Ω');
    ASSERT_EQ(files->write(file.string(), "Grüße, 5 €\r\n"), std::nullopt);
    EXPECT_EQ(bytes(), "Gr\xFC\xDF" "e, 5 \x80\r\n");
    std::string text;
    EXPECT_EQ(files->read(file.string(), text), std::nullopt);
    std::ofstream(file, std::ios::binary) << std::string("a\0b", 3);
    EXPECT_TRUE(files->read(file.string(), text));
    EXPECT_EQ(text, "Grüße, 5 €\r\n");
}

TEST_F(MessageFileWine, AReplacementThatFailsLeavesTheOldBytes) {
    HANDLE held = CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_TRUE(files->write(file.string(), "new\r\n"));
    CloseHandle(held);
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(files->write(file.string(), "new\r\n"));
    EXPECT_TRUE(files->write((folder / "gone" / "SE-EMAIL.txt").string(), "new\r\n"));
    EXPECT_EQ(bytes(), "old\r\n");
    EXPECT_TRUE(nothingLeftBeside());
}

TEST_F(MessageFileWine, HiddenAndSystemFilesAreSavedAndKeepTheirAttributes) {
    for (DWORD attributes : {DWORD{FILE_ATTRIBUTE_HIDDEN}, DWORD{FILE_ATTRIBUTE_SYSTEM}}) {
        SetFileAttributesW(file.c_str(), attributes);
        ASSERT_EQ(files->write(file.string(), "new\r\n"), std::nullopt);
        EXPECT_EQ(bytes(), "new\r\n");
        EXPECT_EQ(GetFileAttributesW(file.c_str()) & attributes, attributes);
        EXPECT_TRUE(nothingLeftBeside());
    }
}

// The system's reason that failure messages carry: its own sentence without
// the line break, and the number where the system has no text.
TEST(SystemReasonWine, TheSystemsSentenceWithoutItsLineBreakOrTheNumberWhereItHasNone) {
    for (unsigned long code : {ERROR_ACCESS_DENIED, ERROR_SHARING_VIOLATION}) {
        const std::string reason = platform::win32::systemReason(code);
        EXPECT_TRUE(reason.size() > 2 && !reason.starts_with("System error") && reason.find_first_of("\r\n ", reason.size() - 1) == std::string::npos)
            << code << ": \"" << reason << "\"";
    }
    EXPECT_EQ(platform::win32::systemReason(0x20001234), "System error 536875572.");
}

}  // namespace
}  // namespace orvenda
