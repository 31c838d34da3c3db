// The POSIX launch and code-page services that the native runs use: a real
// process found on PATH, and code page 1252 both ways.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "send/ansi_files.h"
#include "send/launch.h"
#include "support/temp_folder.h"

namespace orvenda {
namespace {

using testing::TempFolder;

// Puts `folder` first on PATH for the life of the object.
class PathFirst {
public:
    explicit PathFirst(const std::string& folder) : old_(std::getenv("PATH") ? std::getenv("PATH") : "") {
        setenv("PATH", (folder + ":" + old_).c_str(), 1);
    }
    ~PathFirst() { setenv("PATH", old_.c_str(), 1); }

private:
    std::string old_;
};

std::string waitForFile(const TempFolder& folder, const std::string& name) {
    for (int i = 0; i < 500 && !std::filesystem::exists(folder.path() / (name + ".done")); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return folder.bytes(name);
}

TEST(PosixLauncher, StartsTheFirstWordFromPathWithTheArgumentsSplitTheWindowsWay) {
    TempFolder bin;
    bin.put("notepad.exe",
            "#!/bin/sh\nfor a in \"$@\"; do printf '[%s]' \"$a\"; done > \"$(dirname \"$0\")/args\"\n"
            "touch \"$(dirname \"$0\")/args.done\"\n");
    std::filesystem::permissions(bin.path() / "notepad.exe", std::filesystem::perms::owner_all);
    PathFirst path(bin.text());
    auto launcher = send::makeSystemLauncher();
    EXPECT_EQ(launcher->LaunchCommandLine(R"(notepad.exe C:\Send Email\SE-EMAIL.txt "a \"b\"")", 1),
              std::nullopt);
    EXPECT_EQ(waitForFile(bin, "args"), R"([C:\Send][Email\SE-EMAIL.txt][a "b"])");
}

TEST(PosixLauncher, ProgramNotFoundGivesTheSystemsReason) {
    auto launcher = send::makeSystemLauncher();
    EXPECT_EQ(launcher->LaunchCommandLine("no-such-program-orvenda.exe x", 0),
              std::optional<std::string>("No such file or directory"));
}

TEST(Cp1252Files, EveryByteRoundTripsAndBackslashesSeparateFolders) {
    TempFolder folder;
    std::filesystem::create_directory(folder.path() / "sub");
    std::string bytes;
    for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
    folder.put("sub/all.txt", bytes);
    auto files = send::makeSystemAnsiTextFiles();
    std::string text;
    ASSERT_EQ(files->read(folder.text() + "\\sub\\all.txt", text), std::nullopt);
    EXPECT_EQ(files->firstUnrepresentable(text), std::nullopt);
    EXPECT_NE(text.find("‚ƒ„…†‡ˆ‰Š‹Œ"), std::string::npos);  // bytes 0x82 to 0x8C
    EXPECT_NE(text.find("‘’“”•–—˜™š›œ"), std::string::npos);  // 0x91 to 0x9C
    ASSERT_EQ(files->write(folder.text() + "\\sub\\copy.txt", text), std::nullopt);
    EXPECT_EQ(folder.bytes("sub/copy.txt"), bytes);
}

TEST(Cp1252Files, FindsTheFirstCharacterOutsideTheCodePage) {
    auto files = send::makeSystemAnsiTextFiles();
    EXPECT_EQ(files->firstUnrepresentable("Grüße, Œuvre, 5 €"), std::nullopt);
    EXPECT_EQ(files->firstUnrepresentable("ok Ā then 😀"), std::optional<char32_t>(0x100));
    EXPECT_EQ(files->firstUnrepresentable("😀 then Ā"), std::optional<char32_t>(0x1F600));
    EXPECT_EQ(files->firstUnrepresentable("\xC3"), std::optional<char32_t>(0xFFFD));  // cut short
}

TEST(Cp1252Files, FailuresLeaveTheTextAndTheFileAlone) {
    TempFolder folder;
    auto files = send::makeSystemAnsiTextFiles();
    std::string text = "untouched";
    EXPECT_EQ(files->read(folder.text() + "\\missing.txt", text),
              std::optional<std::string>("No such file or directory"));
    EXPECT_EQ(text, "untouched");
    folder.put("kept.txt", "kept");
    EXPECT_TRUE(files->write(folder.text() + "\\kept.txt", "Ā").has_value());
    EXPECT_EQ(folder.bytes("kept.txt"), "kept");
}

}  // namespace
}  // namespace orvenda
