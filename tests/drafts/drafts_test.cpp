// The message file that SAVE DRAFT, SEND and LOAD DRAFT share: its bytes,
// what a failure leaves behind, and the two Notepad buttons.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <functional>

#include "support/temp_folder.h"

namespace orvenda {
namespace {

namespace fs = std::filesystem;
using Failures = std::vector<std::string>;

using Drafts = testing::ProgramInFolder;

TEST(MessageFile, SaveAndSendWriteTheBodyAndALineBreakInTheCodePageAndLoadReadsItBackOrRefuseIt) {
    const std::pair<std::string, std::string> cases[] = {
        {"", "\r\n"}, {"Hello\r\nWorld", "Hello\r\nWorld\r\n"}, {"Café € “q” —", "Caf\xE9 \x80 \x93q\x94 \x97\r\n"}};
    for (auto [text, bytes] : cases) {
        Drafts d;
        d.w.MESSAGE_TEXTBOX.userEdited(text);
        d.w.SAVE_DRAFT_BUTTON.userClick();
        EXPECT_EQ(d.file(), bytes);
        d.folder.put("SE-EMAIL.txt", "");
        d.w.SEND_EMAIL_BUTTON.userClick();
        EXPECT_EQ(d.file(), bytes);
        d.w.LOAD_DRAFT_BUTTON.userClick();
        EXPECT_EQ(d.w.MESSAGE_TEXTBOX.text(), text + "\r\n");
        EXPECT_TRUE(d.p.backend.failures.empty());
    }
    Drafts d;  // a character the code page cannot hold is refused
    d.w.MESSAGE_TEXTBOX.userEdited("Привет");
    d.w.SAVE_DRAFT_BUTTON.userClick();
    EXPECT_EQ(d.p.backend.failures, Failures{"The message holds \"П\" (U+041F), a character that the system's code "
                                             "page cannot hold. Nothing was written."});
    EXPECT_FALSE(fs::exists(d.folder.path / "SE-EMAIL.txt"));
}

// LOAD DRAFT takes a file as Notepad saves it today (UTF-8 with or without
// a mark, UTF-16 with a mark) and anything else in the code page, as before.
TEST(MessageFile, LoadTakesUnicodeByItsMarkOrItsBytesAndAnythingElseInTheCodePage) {
    using namespace std::string_literals;
    const std::pair<std::string, std::string> cases[] = {
        {"\xEF\xBB\xBFGr\xC3\xBC\xC3\x9F" "e\r\n", "Grüße\r\n"}, {"Gr\xC3\xBC\xC3\x9F" "e\r\n", "Grüße\r\n"},
        {"\xFF\xFEG\0r\0\xFC\0\xDF\0e\0\r\0\n\0"s, "Grüße\r\n"}, {"\xFE\xFF\xD8\x3D\xDE\x00\0!"s, "😀!"},
        {"\xFF\xFE\x00\xD8\x41\0"s, "\uFFFDA"}, {"\xEF\xBB\xBF\xE9!", "\uFFFD!"},
        {"\xEF\xBB\xBF", ""}, {"\xFF\xFE", ""}, {"\xFE\xFF", ""}, {"", ""}, {"\x80\xC3\xA9", "€Ã©"},
        {"Caf\xE9\r\n", "Café\r\n"}, {"\xC3\xA9", "é"}, {"a\xC3", "aÃ"}, {"\xE2\x82", "â‚"}, {"\xC0\xAF", "À¯"}};
    for (const auto& [bytes, text] : cases) {
        Drafts d;
        d.folder.put("SE-EMAIL.txt", bytes);
        d.w.LOAD_DRAFT_BUTTON.userClick();
        EXPECT_EQ(d.w.MESSAGE_TEXTBOX.text(), text);
        EXPECT_TRUE(d.p.backend.failures.empty());
    }
    // A file edited elsewhere, every byte but NUL (bare line breaks too) many
    // times over: through the code page, the whole of it, and saved back unchanged.
    Drafts d;
    std::string bytes;
    for (int b = 1; b < 256 * 800; ++b) bytes += static_cast<char>(b % 256 ? b % 256 : ' ');
    d.folder.put("SE-EMAIL.txt", bytes);
    d.w.LOAD_DRAFT_BUTTON.userClick();
    d.w.SAVE_DRAFT_BUTTON.userClick();
    EXPECT_EQ(d.file(), bytes + "\r\n");
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

TEST(MessageFile, AFileThatCannotBeLoadedLeavesTheFieldAsItWas) {
    const std::pair<std::string, const char*> cases[] = {
        {std::string("seen\0tail\r\n", 11), "The file holds a NUL character at byte offset 4, which the message field cannot show. Nothing was loaded."},
        {std::string("\xFF\xFEs\0\0\0", 6), "The file holds a NUL character at byte offset 4, which the message field cannot show. Nothing was loaded."},
        {std::string("\xFF\xFEs\0e", 5), "The file ends in half a UTF-16 character, at byte offset 4. Nothing was loaded."},
        {"", "Is a directory"}};
    for (const auto& [bytes, reason] : cases) {
        Drafts d;
        if (bytes.empty()) fs::create_directory(d.folder.path / "SE-EMAIL.txt");
        else d.folder.put("SE-EMAIL.txt", bytes);
        d.w.MESSAGE_TEXTBOX.userEdited("keep me");
        d.w.LOAD_DRAFT_BUTTON.userClick();
        EXPECT_EQ(d.p.backend.failures, Failures{"Could not read the message file \"" + d.w.messageFilePath() + "\": " + reason});
        EXPECT_EQ(d.w.MESSAGE_TEXTBOX.text(), "keep me");
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
