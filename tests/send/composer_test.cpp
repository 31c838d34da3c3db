// The composer: the exact command lines, and when they appear.
#include <gtest/gtest.h>

#include "support/program.h"

namespace orvenda {
namespace {

using testing::Program;

const char* const kInitialText = "OUTPUT COMMAND WINDOW\r\n";

void clearUserFields(app::MainWindow& w) {
    for (auto* box : {&w.INSTALL_FOLDER_TEXTBOX, &w.SEND_FROM_ADDRESS_TEXTBOX,
                      &w.SEND_TO_ADDRESS_TEXTBOX, &w.SEND_CC_ADDRESS_TEXTBOX,
                      &w.SEND_BCC_ADDRESS_TEXTBOX, &w.SUBJECT_TEXTBOX,
                      &w.SMTP_SERVER_ADDRESS_PORT_TEXTBOX, &w.SMTP_USERNAME_TEXTBOX,
                      &w.SMTP_PASSWORD_TEXTBOX})
        box->userEdited("");
}

TEST(ComposerLine, AllFieldsEmpty) {
    Program p;
    auto& w = p.start();
    clearUserFields(w);
    p.advance(1000);
    EXPECT_EQ(w.OUTPUT_COMMAND_TEXTBOX.text(),
              R"("\SendEmail.exe" -f "" -t "" -cc "" -bcc "" -u "" -o message-file="\SE-EMAIL.txt" -s "" -xu "" -xp "" -o reply-to= -l "\SENDEMAIL-LOG.txt" -o tls=no -o username= -o password= -q  -v )");
    EXPECT_EQ(w.OPEN_LOG_COMMAND_TEXTBOX.text(), "notepad.exe \\SENDEMAIL-LOG.txt");
    EXPECT_EQ(w.EDIT_EMAIL_NOTEPAD_COMMAND_TEXTBOX.text(), "notepad.exe \\SE-EMAIL.txt");
}

TEST(ComposerLine, FirstStartUsesTheExampleValues) {
    Program p;
    auto& w = p.start();
    p.advance(1000);
    EXPECT_EQ(w.OUTPUT_COMMAND_TEXTBOX.text(),
              R"("e.g. C:\SendEmail\SendEmail.exe" -f "" -t "" -cc "" -bcc "" -u "" -o message-file="e.g. C:\SendEmail\SE-EMAIL.txt" -s "e.g. IP:25 or FQDN:25" -xu "username" -xp "pwsample" -o reply-to= -l "e.g. C:\SendEmail\SENDEMAIL-LOG.txt" -o tls=no -o username=username -o password=pwsample -q  -v )");
    EXPECT_EQ(w.OPEN_LOG_COMMAND_TEXTBOX.text(), "notepad.exe e.g. C:\\SendEmail\\SENDEMAIL-LOG.txt");
    EXPECT_EQ(w.EDIT_EMAIL_NOTEPAD_COMMAND_TEXTBOX.text(), "notepad.exe e.g. C:\\SendEmail\\SE-EMAIL.txt");
}

TEST(ComposerLine, WorkedExample) {
    Program p;
    auto& w = p.start();
    testing::fillWorkedExample(w);
    p.advance(1000);
    EXPECT_EQ(w.OUTPUT_COMMAND_TEXTBOX.text(),
              R"("D:\Tools\Mailer\SendEmail.exe" -f "alice" -t "bob" -cc "carol" -bcc "" -u "Weekly report" -o message-file="D:\Tools\Mailer\SE-EMAIL.txt" -s "192.0.2.10:587" -xu "alice" -xp "" -o reply-to=alice -l "D:\Tools\Mailer\SENDEMAIL-LOG.txt" -o tls=yes -o username=alice -o password= -q  -v )");
    EXPECT_EQ(w.OPEN_LOG_COMMAND_TEXTBOX.text(), "notepad.exe D:\\Tools\\Mailer\\SENDEMAIL-LOG.txt");
    EXPECT_EQ(w.EDIT_EMAIL_NOTEPAD_COMMAND_TEXTBOX.text(), "notepad.exe D:\\Tools\\Mailer\\SE-EMAIL.txt");
}

TEST(ComposerLine, TrailingBackslashAndSpacesInTheFolderAreKeptAsTyped) {
    Program p;
    auto& w = p.start();
    w.INSTALL_FOLDER_TEXTBOX.userEdited("C:\\Program Files\\Mail\\");
    p.advance(1000);
    const std::string& line = w.OUTPUT_COMMAND_TEXTBOX.text();
    EXPECT_EQ(line.rfind("\"C:\\Program Files\\Mail\\\\SendEmail.exe\" -f ", 0), 0u) << line;
    EXPECT_NE(line.find("message-file=\"C:\\Program Files\\Mail\\\\SE-EMAIL.txt\""), std::string::npos);
    EXPECT_EQ(w.OPEN_LOG_COMMAND_TEXTBOX.text(), "notepad.exe C:\\Program Files\\Mail\\\\SENDEMAIL-LOG.txt");
}

TEST(ComposerTiming, NothingBeforeOneSecondThenOneLinePerTick) {
    Program p;
    auto& w = p.start();
    p.advance(999);
    EXPECT_EQ(w.OUTPUT_COMMAND_TEXTBOX.text(), kInitialText);
    EXPECT_EQ(w.EDIT_EMAIL_NOTEPAD_COMMAND_TEXTBOX.text(), "EDIT EMAIL");
    p.advance(1);
    const std::string first = w.OUTPUT_COMMAND_TEXTBOX.text();
    EXPECT_NE(first, kInitialText);

    // A hand edit and a field change both wait for the next tick.
    w.OUTPUT_COMMAND_TEXTBOX.userEdited("typed by hand");
    w.SEND_TO_ADDRESS_TEXTBOX.userEdited("bob@example.org");
    p.advance(999);
    EXPECT_EQ(w.OUTPUT_COMMAND_TEXTBOX.text(), "typed by hand");
    p.advance(1);
    EXPECT_NE(w.OUTPUT_COMMAND_TEXTBOX.text().find(R"( -t "bob@example.org" )"), std::string::npos);

    int ticks = 0;
    w.OUTPUT_COMMAND_TIMER.onTimer = [&] { ++ticks; };
    p.advance(10'000);
    EXPECT_EQ(ticks, 10);
}

TEST(ComposerTiming, HiddenOutputWindowKeepsBeingFilled) {
    Program p;
    auto& w = p.start();
    w.OUTPUT_TB_TICKBOX.userClick();
    ASSERT_FALSE(w.OUTPUT_COMMAND_TEXTBOX.visible());
    w.SUBJECT_TEXTBOX.userEdited("hidden");
    p.advance(1000);
    EXPECT_NE(w.OUTPUT_COMMAND_TEXTBOX.text().find(R"( -u "hidden" )"), std::string::npos);
}

TEST(ComposerLine, TlsChangeAltersOnlyTheModeText) {
    Program p;
    auto& w = p.start();
    p.advance(1000);
    std::string before = w.OUTPUT_COMMAND_TEXTBOX.text();
    w.TLS_NO_TICKBOX.userClick();
    w.TLS_YES_TICKBOX.userClick();
    p.advance(1000);
    std::string after = w.OUTPUT_COMMAND_TEXTBOX.text();
    auto at = before.find(" -o tls=no ");
    ASSERT_NE(at, std::string::npos);
    before.replace(at, 11, " -o tls=yes ");
    EXPECT_EQ(after, before);
}

}  // namespace
}  // namespace orvenda
