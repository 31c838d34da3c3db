// The message file that SAVE DRAFT, SEND and LOAD DRAFT share: its bytes,
// what a failure leaves behind, and the two Notepad buttons.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <functional>
#include <optional>

#include "support/temp_folder.h"

namespace orvenda {
namespace {

namespace fs = std::filesystem;
using Failures = std::vector<std::string>;

using Drafts = testing::ProgramInFolder;

// SAVE DRAFT writes the body and a line break in the code page: a file
// edited elsewhere, every byte but NUL (bare line breaks too) many times
// over, loads through the code page and saves back whole; an empty body is
// the line break alone, and a character the code page cannot hold is refused.
TEST(MessageFile, SaveWritesWhatLoadReadAndALineBreakAndRefusesWhatTheCodePageCannotHold) {
    Drafts d;
    d.w.SAVE_DRAFT_BUTTON.userClick();
    EXPECT_EQ(d.file(), "\r\n");
    std::string bytes;
    for (int b = 1; b < 256 * 800; ++b) bytes += static_cast<char>(b % 256 ? b % 256 : ' ');
    d.folder.put("SE-EMAIL.txt", bytes);
    d.w.LOAD_DRAFT_BUTTON.userClick();
    d.w.SAVE_DRAFT_BUTTON.userClick();
    EXPECT_EQ(d.file(), bytes + "\r\n");
    d.w.MESSAGE_TEXTBOX.userEdited("Привет");
    d.w.SAVE_DRAFT_BUTTON.userClick();
    EXPECT_EQ(d.p.backend.failures, Failures{"The message holds \"П\" (U+041F), a character that the system's code "
                                             "page cannot hold. Nothing was written."});
    EXPECT_EQ(d.file(), bytes + "\r\n");
}

// LOAD DRAFT takes a file as Notepad saves it today (UTF-8 with or without
// a mark, UTF-16 with a mark) and anything else in the code page, as before.
// A file it cannot show leaves the field as it was, with the reason.
TEST(MessageFile, LoadTakesUnicodeByItsMarkOrItsBytesAndAnythingElseInTheCodePageOrLeavesTheField) {
    using namespace std::string_literals;
    const std::string nul =
        "The file holds a NUL character at byte offset 4, which the message field cannot show. Nothing was loaded.";
    // The file's bytes (none: a folder in its place), the text shown, the
    // reason it is refused (if it is).
    const std::tuple<std::optional<std::string>, std::string, std::string> cases[] = {
        {"\xEF\xBB\xBFGr\xC3\xBC\xC3\x9F" "e\r\n", "Grüße\r\n", ""}, {"Gr\xC3\xBC\xC3\x9F" "e\r\n", "Grüße\r\n", ""},
        {"\xFF\xFEG\0r\0\xFC\0\xDF\0e\0\r\0\n\0"s, "Grüße\r\n", ""}, {"\xFE\xFF\xD8\x3D\xDE\x00\0!"s, "😀!", ""},
        {"\xFF\xFE\x00\xD8\x41\0"s, "\uFFFDA", ""}, {"\xEF\xBB\xBF\xE9!", "\uFFFD!", ""},
        {"\xEF\xBB\xBF", "", ""}, {"\xFF\xFE", "", ""}, {"\xFE\xFF", "", ""}, {"", "", ""}, {"\x80\xC3\xA9", "€Ã©", ""},
        {"Caf\xE9\r\n", "Café\r\n", ""}, {"\xC3\xA9", "é", ""}, {"a\xC3", "aÃ", ""}, {"\xE2\x82", "â‚", ""}, {"\xC0\xAF", "À¯", ""},
        {"seen\0tail\r\n"s, "keep me", nul}, {"\xFF\xFEs\0\0\0"s, "keep me", nul},
        {"\xFF\xFEs\0e"s, "keep me", "The file ends in half a UTF-16 character, at byte offset 4. Nothing was loaded."},
        {std::nullopt, "keep me", platform::notAFileReason(true)}};
    for (const auto& [bytes, text, refused] : cases) {
        Drafts d;
        if (bytes) d.folder.put("SE-EMAIL.txt", *bytes);
        else fs::create_directory(d.folder.path / "SE-EMAIL.txt");
        d.w.MESSAGE_TEXTBOX.userEdited("keep me");
        d.w.LOAD_DRAFT_BUTTON.userClick();
        EXPECT_EQ(d.w.MESSAGE_TEXTBOX.text(), text);
        const std::string failure = "Could not read the message file \"" + d.w.messageFilePath() + "\": " + refused;
        EXPECT_EQ(d.p.backend.failures, refused.empty() ? Failures{} : Failures{failure});
    }
}

// Each way a write can fail: the click is refused with the reason, the old
// file stays byte for byte, nothing is left beside it and nothing starts.
TEST(MessageFile, AFailedWriteLeavesTheOldFileWhole) {
    const std::pair<const char*, std::function<void(Drafts&)>> cases[] = {
        {"Permission denied", [](Drafts& d) { fs::permissions(d.folder.path / "SE-EMAIL.txt", fs::perms::owner_read); }},
        {"File too large", [](Drafts&) { std::signal(SIGXFSZ, SIG_IGN); rlimit r{8, RLIM_INFINITY}; setrlimit(RLIMIT_FSIZE, &r); }},
        {"No such file or directory", [](Drafts& d) { d.w.INSTALL_FOLDER_TEXTBOX.userEdited(d.folder.text() + "\\gone"); }}};
    for (const auto& [reason, breakIt] : cases) {
        Drafts d;
        d.folder.put("SE-EMAIL.txt", "earlier\r\n");
        breakIt(d);
        d.w.MESSAGE_TEXTBOX.userEdited("a new body, longer than the limit");
        d.w.SAVE_DRAFT_BUTTON.userClick();
        d.w.SEND_EMAIL_BUTTON.userClick();
        rlimit none{RLIM_INFINITY, RLIM_INFINITY};
        setrlimit(RLIMIT_FSIZE, &none);
        const std::string failure = "Could not write the message file \"" + d.w.messageFilePath() + "\": " + reason;
        EXPECT_EQ(d.p.backend.failures, (Failures{failure, failure}));
        EXPECT_EQ(d.file(), "earlier\r\n");
        EXPECT_EQ(std::distance(fs::directory_iterator(d.folder.path), {}), 1);
        EXPECT_TRUE(d.p.launcher.launches.empty());
    }
}

TEST(Viewers, NotepadOpensTheFilesOfTheLastTickOrOfTheClickBeforeIt) {
    testing::Program p;
    auto& w = p.start();
    w.INSTALL_FOLDER_TEXTBOX.userEdited("C:\\Send Email");
    w.NOTEPAD_EMAIL_BUTTON.userClick();
    p.advance(1000);
    w.INSTALL_FOLDER_TEXTBOX.userEdited("E:\\Elsewhere");  // takes effect at the next tick
    w.SENDEMAIL_LOG_BUTTON.userClick();
    p.launcher.failWith = "No such file or directory";
    w.NOTEPAD_EMAIL_BUTTON.userClick();
    EXPECT_EQ(p.launcher.launches, (std::vector<testing::RecordingLauncher::Launch>{
                                       {"notepad.exe C:\\Send Email\\SE-EMAIL.txt", 1},
                                       {"notepad.exe C:\\Send Email\\SENDEMAIL-LOG.txt", 1}}));
    EXPECT_EQ(p.backend.failures, Failures{"Could not start \"notepad.exe C:\\Send Email\\SE-EMAIL.txt\": No such file or directory"});
}

}  // namespace
}  // namespace orvenda
