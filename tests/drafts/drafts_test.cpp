// "SAVE DRAFT", "LOAD DRAFT", "EDIT IN NOTEPAD" and "SE-LOG".
#include <gtest/gtest.h>

#include "support/program.h"
#include "support/temp_folder.h"

namespace orvenda {
namespace {

using testing::Program;
using testing::RecordingLauncher;
using testing::TempFolder;

struct Drafts {
    Program p;
    TempFolder folder;
    app::MainWindow& w = p.start();
    Drafts() { w.INSTALL_FOLDER_TEXTBOX.userEdited(folder.text()); }
};

TEST(Drafts, EachSaveAndLoadCycleAddsOneLineBreak) {
    Drafts d;
    d.w.MESSAGE_TEXTBOX.userEdited("Hello\r\nWorld");
    d.w.SAVE_DRAFT_BUTTON.userClick();
    EXPECT_EQ(d.folder.bytes("SE-EMAIL.txt"), "Hello\r\nWorld\r\n");
    d.w.MESSAGE_TEXTBOX.userEdited("overwritten without a question");
    d.w.LOAD_DRAFT_BUTTON.userClick();
    EXPECT_EQ(d.w.MESSAGE_TEXTBOX.text(), "Hello\r\nWorld\r\n");
    d.w.SAVE_DRAFT_BUTTON.userClick();
    d.w.LOAD_DRAFT_BUTTON.userClick();
    EXPECT_EQ(d.w.MESSAGE_TEXTBOX.text(), "Hello\r\nWorld\r\n\r\n");
    EXPECT_TRUE(d.p.backend.failures.empty());
    EXPECT_TRUE(d.p.launcher.launches.empty());
}

TEST(Drafts, EmptyBodySavesTwoBytesAndLoadsAsOneLineBreak) {
    Drafts d;
    d.w.SAVE_DRAFT_BUTTON.userClick();
    EXPECT_EQ(d.folder.bytes("SE-EMAIL.txt"), "\r\n");
    d.w.LOAD_DRAFT_BUTTON.userClick();
    EXPECT_EQ(d.w.MESSAGE_TEXTBOX.text(), "\r\n");
}

TEST(Drafts, LoadBringsBackTheLastSendAndTouchesNoOtherField) {
    Drafts d;
    d.w.MESSAGE_TEXTBOX.userEdited("sent body");
    d.w.SUBJECT_TEXTBOX.userEdited("subject stays");
    d.w.SEND_EMAIL_BUTTON.userClick();
    d.w.MESSAGE_TEXTBOX.userEdited("");
    d.w.LOAD_DRAFT_BUTTON.userClick();
    EXPECT_EQ(d.w.MESSAGE_TEXTBOX.text(), "sent body\r\n");
    EXPECT_EQ(d.w.SUBJECT_TEXTBOX.text(), "subject stays");
}

TEST(Drafts, LoadReadsAFileEditedElsewhereWholeAndInTheCodePage) {
    Drafts d;
    // Notepad saved it: bare line breaks kept as they are, 1252 bytes.
    std::string bytes = "Gr\xFC\xDF" "e \x80 5\nline two\r\n";
    for (int i = 0; i < 20000; ++i) bytes += "0123456789\xE9\r\n";
    d.folder.put("SE-EMAIL.txt", bytes);
    d.w.LOAD_DRAFT_BUTTON.userClick();
    const std::string& text = d.w.MESSAGE_TEXTBOX.text();
    EXPECT_EQ(text.rfind("Grüße € 5\nline two\r\n0123456789é\r\n", 0), 0u);
    EXPECT_EQ(text.size(), bytes.size() + 4 + 20000);  // ü ß é: one byte more in UTF-8, €: two
    EXPECT_EQ(text.substr(text.size() - 14), "0123456789é\r\n");
}

TEST(DraftsFailure, PlaceholderFolderFailsBothWaysAndKeepsTheField) {
    Program p;
    auto& w = p.start();
    w.MESSAGE_TEXTBOX.userEdited("keep me");
    w.SAVE_DRAFT_BUTTON.userClick();
    w.LOAD_DRAFT_BUTTON.userClick();
    ASSERT_EQ(p.backend.failures.size(), 2u);
    EXPECT_EQ(p.backend.failures[0],
              "Could not write the message file \"e.g. C:\\SendEmail\\SE-EMAIL.txt\": No such file or directory");
    EXPECT_EQ(p.backend.failures[1],
              "Could not read the message file \"e.g. C:\\SendEmail\\SE-EMAIL.txt\": No such file or directory");
    EXPECT_EQ(w.MESSAGE_TEXTBOX.text(), "keep me");
}

TEST(DraftsFailure, UnreadableFileKeepsTheField) {
    Drafts d;
    std::filesystem::create_directory(d.folder.path() / "SE-EMAIL.txt");
    d.w.MESSAGE_TEXTBOX.userEdited("keep me");
    d.w.LOAD_DRAFT_BUTTON.userClick();
    ASSERT_EQ(d.p.backend.failures.size(), 1u);
    EXPECT_NE(d.p.backend.failures[0].find("Is a directory"), std::string::npos);
    EXPECT_EQ(d.w.MESSAGE_TEXTBOX.text(), "keep me");
}

TEST(DraftsFailure, SaveRefusesCharactersTheCodePageCannotHold) {
    Drafts d;
    d.folder.put("SE-EMAIL.txt", "earlier draft\r\n");
    d.w.MESSAGE_TEXTBOX.userEdited("Привет");
    d.w.SAVE_DRAFT_BUTTON.userClick();
    ASSERT_EQ(d.p.backend.failures.size(), 1u);
    EXPECT_EQ(d.p.backend.failures[0],
              "The message holds \"П\" (U+041F), a character that the system's code page cannot hold. "
              "Nothing was written.");
    EXPECT_EQ(d.folder.bytes("SE-EMAIL.txt"), "earlier draft\r\n");
    EXPECT_EQ(d.w.MESSAGE_TEXTBOX.text(), "Привет");
}

TEST(Viewers, BeforeTheFirstTickTheCommandIsBuiltAtTheClick) {
    Program p;
    auto& w = p.start();
    w.INSTALL_FOLDER_TEXTBOX.userEdited("C:\\Send Email");
    w.NOTEPAD_EMAIL_BUTTON.userClick();
    w.SENDEMAIL_LOG_BUTTON.userClick();
    const std::vector<RecordingLauncher::Launch> expected = {
        {"notepad.exe C:\\Send Email\\SE-EMAIL.txt", 1},
        {"notepad.exe C:\\Send Email\\SENDEMAIL-LOG.txt", 1}};
    EXPECT_EQ(p.launcher.launches, expected);
    EXPECT_EQ(w.EDIT_EMAIL_NOTEPAD_COMMAND_TEXTBOX.text(), "EDIT EMAIL");
}

TEST(Viewers, AfterATickTheComposedCommandIsLaunchedAsItStands) {
    Program p;
    auto& w = p.start();
    w.INSTALL_FOLDER_TEXTBOX.userEdited("D:\\Tools\\Mailer");
    p.advance(1000);
    w.INSTALL_FOLDER_TEXTBOX.userEdited("E:\\Elsewhere");  // takes effect at the next tick
    w.SENDEMAIL_LOG_BUTTON.userClick();
    w.NOTEPAD_EMAIL_BUTTON.userClick();
    p.advance(1000);
    w.NOTEPAD_EMAIL_BUTTON.userClick();
    const std::vector<RecordingLauncher::Launch> expected = {
        {"notepad.exe D:\\Tools\\Mailer\\SENDEMAIL-LOG.txt", 1},
        {"notepad.exe D:\\Tools\\Mailer\\SE-EMAIL.txt", 1},
        {"notepad.exe E:\\Elsewhere\\SE-EMAIL.txt", 1}};
    EXPECT_EQ(p.launcher.launches, expected);
    EXPECT_TRUE(p.backend.failures.empty());
}

TEST(Viewers, NotepadThatCannotStartIsReportedByItsCommand) {
    Program p;
    auto& w = p.start();
    p.advance(1000);
    p.launcher.failWith = "No such file or directory";
    w.SENDEMAIL_LOG_BUTTON.userClick();
    ASSERT_EQ(p.backend.failures.size(), 1u);
    EXPECT_EQ(p.backend.failures[0],
              "Could not start \"notepad.exe e.g. C:\\SendEmail\\SENDEMAIL-LOG.txt\": No such file or directory");
}

}  // namespace
}  // namespace orvenda
