// The message file under Wine, through the Windows file service: the code
// page, a replacement that fails (file held open, folder gone) leaving the
// old bytes, hidden and system files saved with their attributes, read-only
// and NUL-holding files refused.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "send/ansi_files.h"

namespace orvenda {
namespace {

namespace fs = std::filesystem;

struct MessageFileWine : ::testing::Test {
    fs::path folder = fs::temp_directory_path() / ("orvenda-file-" + std::to_string(GetCurrentProcessId()));
    fs::path file = folder / "SE-EMAIL.txt";
    std::string path = file.string();
    std::unique_ptr<send::AnsiTextFiles> files = send::makeSystemAnsiTextFiles();
    MessageFileWine() {
        fs::create_directories(folder);
        std::ofstream(file, std::ios::binary) << "old\r\n";
    }
    ~MessageFileWine() override {
        SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
        fs::remove_all(folder);
    }
    std::string bytes() const {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    // Our temporary files; Wine's ReplaceFileW leaves an "rf*.tmp" of its
    // own when it fails, which Windows does not.
    int leftovers() const {
        int n = 0;
        for (auto& entry : fs::directory_iterator(folder)) n += entry.path().filename().string().starts_with("SE-") &&
                                                                entry.path().extension() == ".tmp";
        return n;
    }
};

TEST_F(MessageFileWine, TextIsWrittenAndReadInTheCodePage) {
    EXPECT_EQ(files->firstUnrepresentable("Grüße € Ω"), U'Ω');
    ASSERT_EQ(files->write(path, "Grüße, 5 €\r\n"), std::nullopt);
    EXPECT_EQ(bytes(), "Gr\xFC\xDF" "e, 5 \x80\r\n");
    std::string text;
    EXPECT_EQ(files->read(path, text), std::nullopt);
    EXPECT_EQ(text, "Grüße, 5 €\r\n");
    std::ofstream(file, std::ios::binary) << std::string("a\0b", 3);
    EXPECT_TRUE(files->read(path, text));
    EXPECT_EQ(text, "Grüße, 5 €\r\n");
}

TEST_F(MessageFileWine, AReplacementThatFailsLeavesTheOldBytesAndNothingBeside) {
    HANDLE held = CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(files->write(path, "new\r\n"));
    CloseHandle(held);
    EXPECT_EQ(bytes(), "old\r\n");
    EXPECT_EQ(leftovers(), 0);
    EXPECT_TRUE(files->write((folder / "gone" / "SE-EMAIL.txt").string(), "new\r\n"));
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(files->write(path, "new\r\n"));
    EXPECT_EQ(bytes(), "old\r\n");
    EXPECT_EQ(leftovers(), 0);
}

TEST_F(MessageFileWine, HiddenAndSystemFilesAreSavedAndKeepTheirAttributes) {
    for (DWORD attributes : {DWORD{FILE_ATTRIBUTE_HIDDEN}, DWORD{FILE_ATTRIBUTE_SYSTEM}}) {
        SetFileAttributesW(file.c_str(), attributes);
        ASSERT_EQ(files->write(path, "new\r\n"), std::nullopt);
        EXPECT_EQ(bytes(), "new\r\n");
        EXPECT_EQ(GetFileAttributesW(file.c_str()) & attributes, attributes);
        EXPECT_EQ(leftovers(), 0);
    }
}

}  // namespace
}  // namespace orvenda
