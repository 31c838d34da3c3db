// "SEND EMAIL" and the output command window: the message file's bytes, the
// launch line and window style, and what each failure leaves behind.
#include <gtest/gtest.h>

#include <filesystem>

#include "send/command_line.h"
#include "support/program.h"
#include "support/temp_folder.h"

namespace orvenda {
namespace {

using testing::Program;
using testing::RecordingLauncher;
using testing::TempFolder;

const char* const kWorkedExampleLaunch =
    R"(cmd.exe /k ""D:\Tools\Mailer\SendEmail.exe" -f "alice" -t "bob" -cc "carol" -bcc "" -u "Weekly report" -o message-file="D:\Tools\Mailer\SE-EMAIL.txt" -s "192.0.2.10:587" -xu "alice" -xp "" -o reply-to=alice -l "D:\Tools\Mailer\SENDEMAIL-LOG.txt" -o tls=yes -o username=alice -o password= -q  -v ")";

// A started program with its install folder in a fresh temporary folder.
struct Sending {
    Program p;
    TempFolder folder;
    app::MainWindow& w = p.start();
    Sending() { w.INSTALL_FOLDER_TEXTBOX.userEdited(folder.text()); }
    std::string messageFile() const { return folder.bytes("SE-EMAIL.txt"); }
    bool messageFileExists() const { return std::filesystem::exists(folder.path() / "SE-EMAIL.txt"); }
};

TEST(SendEmail, MessageFileHoldsTheBodyAndOneLineBreakReplacedOnEveryWrite) {
    Sending s;
    s.w.SEND_EMAIL_BUTTON.userClick();
    EXPECT_EQ(s.messageFile(), "\r\n");

    s.w.MESSAGE_TEXTBOX.userEdited("a\r\nb");
    s.w.SEND_EMAIL_BUTTON.userClick();
    EXPECT_EQ(s.messageFile(), "a\r\nb\r\n");

    s.w.MESSAGE_TEXTBOX.userEdited("a much longer first body\r\nwith two lines");
    s.w.SEND_EMAIL_BUTTON.userClick();
    s.w.MESSAGE_TEXTBOX.userEdited("x");
    s.w.SEND_EMAIL_BUTTON.userClick();
    EXPECT_EQ(s.messageFile(), "x\r\n");
    EXPECT_EQ(s.p.launcher.launches.size(), 4u);
    EXPECT_TRUE(s.p.backend.failures.empty());
}

TEST(SendEmail, MessageFileIsWrittenInTheAnsiCodePage) {
    Sending s;
    s.w.MESSAGE_TEXTBOX.userEdited("Café à 5 € — “quoted”");
    s.w.SEND_EMAIL_BUTTON.userClick();
    EXPECT_EQ(s.messageFile(), "Caf\xE9 \xE0 5 \x80 \x97 \x93quoted\x94\r\n");
}

TEST(SendEmail, WorkedExampleLaunchesExactlyThisLine) {
    Program p;
    auto& w = p.start();
    TempFolder folder;
    testing::fillWorkedExample(w);
    p.advance(1000);
    // The folder does not exist here: give the file a real one after the
    // tick, so the launch line still names D:\Tools\Mailer.
    w.INSTALL_FOLDER_TEXTBOX.userEdited(folder.text());
    w.SEND_EMAIL_BUTTON.userClick();
    ASSERT_EQ(p.launcher.launches.size(), 1u) << ::testing::PrintToString(p.backend.failures);
    EXPECT_EQ(p.launcher.launches[0], (RecordingLauncher::Launch{kWorkedExampleLaunch, 1}));
}

TEST(SendEmail, ShowSeProgressChoosesAVisibleWindowThatStaysOrAHiddenOneThatEnds) {
    Sending s;
    s.p.advance(1000);
    const std::string line = s.w.OUTPUT_COMMAND_TEXTBOX.text();
    s.w.SEND_EMAIL_BUTTON.userClick();
    s.w.SHOW_SE_PROGRESS_TICKBOX.userClick();
    s.w.SEND_EMAIL_BUTTON.userClick();
    s.w.SHOW_SE_PROGRESS_TICKBOX.setValue(2);  // only exactly 1 counts as ticked
    s.w.SEND_EMAIL_BUTTON.userClick();
    const std::vector<RecordingLauncher::Launch> expected = {
        {"cmd.exe /k \"" + line + "\"", 1},
        {"cmd.exe /c \"" + line + "\"", 0},
        {"cmd.exe /c \"" + line + "\"", 0},
    };
    EXPECT_EQ(s.p.launcher.launches, expected);
}

TEST(SendEmail, BeforeTheFirstTickAndAfterAHandEditTheWindowsTextIsLaunched) {
    Sending s;
    s.w.SEND_EMAIL_BUTTON.userClick();
    ASSERT_EQ(s.p.launcher.launches.size(), 1u);
    EXPECT_EQ(s.p.launcher.launches[0].commandLine, "cmd.exe /k \"OUTPUT COMMAND WINDOW\r\n\"");

    s.p.advance(1000);
    s.w.OUTPUT_COMMAND_TEXTBOX.userEdited("typed by hand");
    s.w.SEND_EMAIL_BUTTON.userClick();
    EXPECT_EQ(s.p.launcher.launches.back().commandLine, "cmd.exe /k \"typed by hand\"");
}

TEST(SendEmail, AHiddenOutputWindowChangesNothing) {
    Sending s;
    s.w.SUBJECT_TEXTBOX.userEdited("same either way");
    s.p.advance(1000);
    s.w.SEND_EMAIL_BUTTON.userClick();
    s.w.OUTPUT_TB_TICKBOX.userClick();
    ASSERT_FALSE(s.w.OUTPUT_COMMAND_TEXTBOX.visible());
    s.p.advance(1000);
    s.w.SEND_EMAIL_BUTTON.userClick();
    ASSERT_EQ(s.p.launcher.launches.size(), 2u);
    EXPECT_EQ(s.p.launcher.launches[0], s.p.launcher.launches[1]);
}

TEST(OutputWindow, VisibilityIsStoredAtEveryChangeWhateverSaveOnExitSays) {
    Program p;
    auto& w = p.start();
    ASSERT_EQ(w.SAVE_SETTINGS_TICKBOX.value(), 0);
    w.OUTPUT_TB_TICKBOX.userClick();
    EXPECT_FALSE(w.OUTPUT_COMMAND_TEXTBOX.visible());
    w.OUTPUT_TB_TICKBOX.userClick();
    EXPECT_TRUE(w.OUTPUT_COMMAND_TEXTBOX.visible());
    w.OUTPUT_TB_TICKBOX.setValue(1);  // no change, nothing runs
    const std::vector<testing::MemoryStore::Write> expected = {
        {"OUTPUT_WINDOW_VISIBLE", "False"}, {"OUTPUT_WINDOW_VISIBLE", "True"}};
    EXPECT_EQ(p.store.writes, expected);
}

TEST(OutputWindow, StoredHiddenWindowWithTickedBoxTakesTwoClicksToShow) {
    Program p;
    p.store.seed("OUTPUT_WINDOW_VISIBLE", "False");
    auto& w = p.start();
    EXPECT_EQ(w.OUTPUT_TB_TICKBOX.value(), 1);
    EXPECT_FALSE(w.OUTPUT_COMMAND_TEXTBOX.visible());
    w.OUTPUT_TB_TICKBOX.userClick();
    EXPECT_FALSE(w.OUTPUT_COMMAND_TEXTBOX.visible());
    w.OUTPUT_TB_TICKBOX.userClick();
    EXPECT_TRUE(w.OUTPUT_COMMAND_TEXTBOX.visible());
}

TEST(SendEmailFailure, MissingFolderStopsBeforeTheLaunch) {
    Program p;
    auto& w = p.start();  // install folder: the "e.g. C:\SendEmail" placeholder
    w.MESSAGE_TEXTBOX.userEdited("keep me");
    w.SEND_EMAIL_BUTTON.userClick();
    EXPECT_TRUE(p.launcher.launches.empty());
    ASSERT_EQ(p.backend.failures.size(), 1u);
    const std::string& text = p.backend.failures[0];
    EXPECT_NE(text.find("\"e.g. C:\\SendEmail\\SE-EMAIL.txt\""), std::string::npos) << text;
    EXPECT_NE(text.find("No such file or directory"), std::string::npos) << text;
    EXPECT_EQ(w.MESSAGE_TEXTBOX.text(), "keep me");
}

TEST(SendEmailFailure, UnwritableFileStopsBeforeTheLaunch) {
    Sending s;
    std::filesystem::create_directory(s.folder.path() / "SE-EMAIL.txt");  // stands in the file's way
    s.w.MESSAGE_TEXTBOX.userEdited("keep me");
    s.w.SEND_EMAIL_BUTTON.userClick();
    EXPECT_TRUE(s.p.launcher.launches.empty());
    ASSERT_EQ(s.p.backend.failures.size(), 1u);
    EXPECT_NE(s.p.backend.failures[0].find("Is a directory"), std::string::npos) << s.p.backend.failures[0];
    EXPECT_EQ(s.w.MESSAGE_TEXTBOX.text(), "keep me");
}

TEST(SendEmailFailure, InterpreterThatCannotStartIsReportedAfterTheWrite) {
    Sending s;
    s.p.launcher.failWith = "The system cannot find the file specified.";
    s.w.MESSAGE_TEXTBOX.userEdited("body");
    s.w.SMTP_PASSWORD_TEXTBOX.userEdited("secret");
    s.p.advance(1000);
    s.w.SEND_EMAIL_BUTTON.userClick();
    EXPECT_EQ(s.messageFile(), "body\r\n");
    ASSERT_EQ(s.p.backend.failures.size(), 1u);
    EXPECT_EQ(s.p.backend.failures[0],
              "Could not start \"cmd.exe\": The system cannot find the file specified.");
    EXPECT_EQ(s.w.MESSAGE_TEXTBOX.text(), "body");
}

TEST(SendEmailFailure, CharactersTheCodePageCannotHoldStopEverything) {
    struct Case {
        ui::TextBox* field;
        std::string text, named;
    };
    Sending s;
    s.folder.put("SE-EMAIL.txt", "earlier\r\n");
    const Case cases[] = {
        {&s.w.SUBJECT_TEXTBOX, "Grüße – ok, but Ω no", "The Subject field holds \"Ω\" (U+03A9)"},
        {&s.w.MESSAGE_TEXTBOX, "plain\r\nthen 😀", "The message holds \"😀\" (U+1F600)"},
        {&s.w.SMTP_PASSWORD_TEXTBOX, "pässwörd✓", "The SMTP PASSWORD field holds \"✓\" (U+2713)"},
        {&s.w.OUTPUT_COMMAND_TEXTBOX, "typed ā", "The output command window holds \"ā\" (U+0101)"},
    };
    for (const Case& c : cases) {
        const std::string before = c.field->text();
        c.field->userEdited(c.text);
        s.p.backend.failures.clear();
        s.w.SEND_EMAIL_BUTTON.userClick();
        ASSERT_EQ(s.p.backend.failures.size(), 1u) << c.named;
        EXPECT_EQ(s.p.backend.failures[0].rfind(c.named, 0), 0u) << s.p.backend.failures[0];
        EXPECT_NE(s.p.backend.failures[0].find("Nothing was written or sent."), std::string::npos);
        EXPECT_EQ(c.field->text(), c.text);
        EXPECT_EQ(s.messageFile(), "earlier\r\n");
        EXPECT_TRUE(s.p.launcher.launches.empty());
        c.field->userEdited(before);
    }
    s.w.SEND_EMAIL_BUTTON.userClick();  // all well again
    EXPECT_EQ(s.p.launcher.launches.size(), 1u);
}

TEST(SendEmailFailure, LineBreakInASingleLineFieldIsRefused) {
    Sending s;
    s.w.SEND_TO_ADDRESS_TEXTBOX.userEdited("bob@example.org\r\ncarol@example.org");
    s.w.SEND_EMAIL_BUTTON.userClick();
    ASSERT_EQ(s.p.backend.failures.size(), 1u);
    EXPECT_EQ(s.p.backend.failures[0].rfind("The To field holds a line break", 0), 0u);
    EXPECT_FALSE(s.messageFileExists());
    EXPECT_TRUE(s.p.launcher.launches.empty());
}

TEST(SendEmailFailure, LineTooLongForTheInterpreterIsRefused) {
    Sending s;
    s.p.advance(1000);
    // The interpreter takes 8,191 characters after "cmd.exe /k ", outer quotes included.
    const std::size_t room = 8191 - 2 - s.w.OUTPUT_COMMAND_TEXTBOX.text().size();
    s.w.SUBJECT_TEXTBOX.userEdited(std::string(room, 'x'));
    s.p.advance(1000);
    s.w.SEND_EMAIL_BUTTON.userClick();
    EXPECT_EQ(s.p.launcher.launches.size(), 1u);
    EXPECT_TRUE(s.p.backend.failures.empty());

    s.w.SUBJECT_TEXTBOX.userEdited(std::string(room, 'x') + "é");  // one more, two bytes in UTF-8
    s.p.advance(1000);
    s.w.MESSAGE_TEXTBOX.userEdited("new");
    s.w.SEND_EMAIL_BUTTON.userClick();
    ASSERT_EQ(s.p.backend.failures.size(), 1u);
    EXPECT_EQ(s.p.backend.failures[0],
              "The command line is 8192 characters long; the command interpreter runs at most 8191. "
              "Nothing was written or sent.");
    EXPECT_EQ(s.p.launcher.launches.size(), 1u);
    EXPECT_EQ(s.messageFile(), "\r\n");  // from the first send, not "new"
}

TEST(SendEmail, InjectedCommandsStayInsideTheirField) {
    Sending s;
    s.w.SUBJECT_TEXTBOX.userEdited("a \" & echo x > C:\\inj.txt & b");
    s.w.SEND_FROM_ADDRESS_TEXTBOX.userEdited("Alice <alice@example.org>");
    s.w.SMTP_PASSWORD_TEXTBOX.userEdited("p|w d&x");
    s.p.advance(1000);
    s.w.SEND_EMAIL_BUTTON.userClick();
    ASSERT_EQ(s.p.launcher.launches.size(), 1u);
    std::string launched = s.p.launcher.launches[0].commandLine;
    const std::string prefix = "cmd.exe /k \"";
    ASSERT_EQ(launched.rfind(prefix, 0), 0u);
    ASSERT_EQ(launched.back(), '"');
    // The interpreter takes off the outer quotes and reads the rest.
    const auto reading = send::readAsInterpreter(launched.substr(prefix.size(), launched.size() - prefix.size() - 1));
    EXPECT_TRUE(reading.onlyOneCommand);
    const auto args = send::splitArguments(reading.commandLine);
    ASSERT_EQ(args.size(), 31u);
    EXPECT_EQ(args[2], "Alice <alice@example.org>");
    EXPECT_EQ(args[10], "a \" & echo x > C:\\inj.txt & b");
    EXPECT_EQ(args[18], "p|w d&x");
    EXPECT_EQ(args[20], "reply-to=Alice <alice@example.org>");
    EXPECT_EQ(args[28], "password=p|w d&x");
}

}  // namespace
}  // namespace orvenda
