// The message file that SAVE DRAFT, SEND and LOAD DRAFT share: its bytes,
// what a failure leaves behind, and the two Notepad buttons.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <functional>

#include "support/program.h"
#include "support/temp_folder.h"

namespace orvenda {
namespace {

using Launches = std::vector<testing::RecordingLauncher::Launch>;

struct Drafts {
    testing::Program p;
    testing::TempFolder folder;
    app::MainWindow& w = p.start();
    Drafts() { w.INSTALL_FOLDER_TEXTBOX.userEdited(folder.text()); }
    std::string file() const { return folder.bytes("SE-EMAIL.txt"); }
};

TEST(MessageFile, SaveAndSendWriteTheBodyAndALineBreakInTheCodePageAndLoadReadsItBack) {
    const std::pair<const char*, const char*> cases[] = {
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
        EXPECT_EQ(d.w.MESSAGE_TEXTBOX.text(), text + std::string("\r\n"));
        EXPECT_TRUE(d.p.backend.failures.empty());
    }
}

TEST(MessageFile, LoadTakesAFileEditedElsewhereWhole) {
    Drafts d;
    std::string bytes = "Gr\xFC\xDF" "e \x80 5\nline two\r\n";
    for (int i = 0; i < 20000; ++i) bytes += "0123456789\xE9\r\n";
    d.folder.put("SE-EMAIL.txt", bytes);
    d.w.LOAD_DRAFT_BUTTON.userClick();
    const std::string& text = d.w.MESSAGE_TEXTBOX.text();
    EXPECT_EQ(text.rfind("Grüße € 5\nline two\r\n0123456789é\r\n", 0), 0u);
    EXPECT_EQ(text.size(), bytes.size() + 4 + 20000);  // ü ß é: one byte more in UTF-8, €: two
}

// Each way a write can fail: the click is refused with the reason, the old
// file stays byte for byte, nothing is left beside it and nothing starts.
TEST(MessageFile, AFailedWriteLeavesTheOldFileWhole) {
    const std::pair<const char*, std::function<void(Drafts&)>> cases[] = {
        {"Permission denied", [](Drafts& d) { std::filesystem::permissions(d.folder.path() / "SE-EMAIL.txt",
                                                                          std::filesystem::perms::owner_read); }},
        {"File too large", [](Drafts&) { std::signal(SIGXFSZ, SIG_IGN); rlimit r{8, RLIM_INFINITY}; setrlimit(RLIMIT_FSIZE, &r); }},
        {"No such file or directory", [](Drafts& d) { d.w.INSTALL_FOLDER_TEXTBOX.userEdited(d.folder.text() + "\\gone"); }}};
    for (const auto& [reason, breakIt] : cases) {
        Drafts d;
        d.folder.put("SE-EMAIL.txt", "earlier draft\r\n");
        breakIt(d);
        d.w.MESSAGE_TEXTBOX.userEdited("a new body, longer than the limit");
        d.w.SAVE_DRAFT_BUTTON.userClick();
        d.w.SEND_EMAIL_BUTTON.userClick();
        rlimit none{RLIM_INFINITY, RLIM_INFINITY};
        setrlimit(RLIMIT_FSIZE, &none);
        ASSERT_EQ(d.p.backend.failures.size(), 2u) << reason;
        EXPECT_EQ(d.p.backend.failures[1], "Could not write the message file \"" + d.w.messageFilePath() + "\": " + reason);
        EXPECT_EQ(d.file(), "earlier draft\r\n");
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(d.folder.path()), {}), 1);
        EXPECT_TRUE(d.p.launcher.launches.empty());
        EXPECT_EQ(d.w.MESSAGE_TEXTBOX.text(), "a new body, longer than the limit");
    }
}

TEST(MessageFile, AFileHoldingANulByteIsNotLoaded) {
    Drafts d;
    d.folder.put("SE-EMAIL.txt", std::string("seen\0tail\r\n", 11));
    d.w.MESSAGE_TEXTBOX.userEdited("keep me");
    d.w.LOAD_DRAFT_BUTTON.userClick();
    ASSERT_EQ(d.p.backend.failures.size(), 1u);
    EXPECT_EQ(d.p.backend.failures[0], "Could not read the message file \"" + d.w.messageFilePath() +
                                           "\": The file holds a NUL byte at byte offset 4, which the message "
                                           "field cannot show. Nothing was loaded.");
    EXPECT_EQ(d.w.MESSAGE_TEXTBOX.text(), "keep me");
}

TEST(MessageFile, AFailedReadKeepsTheField) {
    Drafts d;
    std::filesystem::create_directory(d.folder.path() / "SE-EMAIL.txt");
    d.w.MESSAGE_TEXTBOX.userEdited("keep me");
    d.w.LOAD_DRAFT_BUTTON.userClick();
    EXPECT_EQ(d.p.backend.failures,
              std::vector<std::string>{"Could not read the message file \"" + d.w.messageFilePath() + "\": Is a directory"});
    EXPECT_EQ(d.w.MESSAGE_TEXTBOX.text(), "keep me");
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
    EXPECT_EQ(p.launcher.launches, (Launches{{"notepad.exe C:\\Send Email\\SE-EMAIL.txt", 1},
                                             {"notepad.exe C:\\Send Email\\SENDEMAIL-LOG.txt", 1}}));
    EXPECT_EQ(p.backend.failures, std::vector<std::string>{"Could not start \"notepad.exe C:\\Send "
                                                           "Email\\SE-EMAIL.txt\": No such file or directory"});
}

}  // namespace
}  // namespace orvenda
