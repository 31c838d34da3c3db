// The composer's line, the TLS choice, "SEND EMAIL" and the output window.
#include <gtest/gtest.h>

#include <array>
#include <map>

#include "support/sender_fields.h"
#include "support/temp_folder.h"

namespace orvenda {
namespace {

using testing::Program;
using Launches = std::vector<testing::RecordingLauncher::Launch>;

TEST(Composer, FieldsToLine) {
    const std::pair<testing::SenderFields, const char*> cases[] = {
        {{"D:\\Tools\\Mailer", "alice", "bob", "carol", "", "Weekly report", "192.0.2.10:587", "alice", "", "yes"},
         R"("D:\Tools\Mailer\SendEmail.exe" -f "alice" -t "bob" -cc "carol" -bcc "" -u "Weekly report" -o message-file="D:\Tools\Mailer\SE-EMAIL.txt" -s "192.0.2.10:587" -xu "alice" -xp "" -o reply-to=alice -l "D:\Tools\Mailer\SENDEMAIL-LOG.txt" -o tls=yes -o username=alice -o password= -q  -v )"},
        // The subject's quote turns the interpreter's quoting around for the
        // rest of the line, so the later values carry carets.
        {{"C:\\Mail\\", "A <a@b.c>", "bob", "", "", "a \" & x > C:\\i.txt", "s:25", "al", "p&s|w^x", "auto"},
         R"("C:\Mail\\SendEmail.exe" -f "A <a@b.c>" -t "bob" -cc "" -bcc "" -u "a \" ^& x ^> C:\i.txt" -o message-file="C:\Mail\\SE-EMAIL.txt" -s "s:25" -xu "al" -xp "p^&s^|w"^"x" -o reply-to="A ^<a@b.c^>" -l "C:\Mail\\SENDEMAIL-LOG.txt" -o tls=auto -o username=al -o password="p^&s^|w"^"x" -q  -v )"}};
    for (const auto& [fields, line] : cases) {
        Program p;
        auto& w = p.start();
        testing::typeSenderFields(w, fields);
        p.advance(999);
        EXPECT_EQ(w.OUTPUT_COMMAND_TEXTBOX.text() + w.EDIT_EMAIL_NOTEPAD_COMMAND_TEXTBOX.text(), "OUTPUT COMMAND WINDOW\r\nEDIT EMAIL");
        p.advance(1);
        EXPECT_EQ(w.OUTPUT_COMMAND_TEXTBOX.text(), line);
        w.OUTPUT_COMMAND_TEXTBOX.userEdited("typed by hand");  // stays until the next tick
        p.advance(999);
        EXPECT_EQ(w.OUTPUT_COMMAND_TEXTBOX.text(), "typed by hand");
    }
}

// Ticks and enabled states of "no", "yes" and "auto", and the mode text.
std::string tls(app::MainWindow& w) {
    std::string s;
    for (auto* box : {&w.TLS_NO_TICKBOX, &w.TLS_YES_TICKBOX, &w.TLS_AUTO_TICKBOX})
        s += std::to_string(box->value()) + (box->enabled() ? "" : "-") + " ";
    return s + w.TLS_TB_SETTING.text();
}

// The four states the selector can be in, and where a click on "no", "yes"
// or "auto" takes each: from mode no, every mode is a click or two away.
const std::map<std::string, std::array<std::string, 3>> kNextState = {
    {"1 0- 0- no", {"0 0 0 no", "1 0- 0- no", "1 0- 0- no"}},
    {"0 0 0 no", {"1 0- 0- no", "0- 1 0- yes", "0- 0- 1 auto"}},
    {"0- 1 0- yes", {"0- 1 0- yes", "1 0- 0- no", "0- 1 0- yes"}},
    {"0- 0- 1 auto", {"0- 0- 1 auto", "0- 0- 1 auto", "1 0- 0- no"}}};

// Every stored combination of the three keys (0, 1 or missing): the four
// that the program's own closing writes come back as they were left, every
// other one as mode no; from each, every run of three clicks moves from
// state to state as the table says.
TEST(TlsSelector, EveryStoredCombinationStartsInAStateOfTheTableAndClicksFollowIt) {
    const char* const kKeys[] = {"TLS_NO_TICKBOX", "TLS_YES_TICKBOX", "TLS_AUTO_TICKBOX"};
    const std::map<std::string, std::string> kSaved = {
        {"100", "1 0- 0- no"}, {"000", "0 0 0 no"}, {"010", "0- 1 0- yes"}, {"001", "0- 0- 1 auto"}};
    for (int combination = 0; combination < 27; ++combination) {
        std::string stored, effective;
        for (int k = 0, c = combination; k < 3; ++k, c /= 3) {
            stored += "01-"[c % 3];
            effective += c % 3 == 2 ? "100"[k] : stored.back();
        }
        const auto saved = kSaved.find(effective);
        for (int clicks = 0; clicks < 27; ++clicks) {
            Program p;
            for (int k = 0; k < 3; ++k)
                if (stored[k] != '-') p.store.seed(kKeys[k], std::string(1, stored[k]));
            auto& w = p.start();
            EXPECT_EQ(tls(w), saved == kSaved.end() ? "1 0- 0- no" : saved->second) << stored;
            for (int k = 0, c = clicks; k < 3; ++k, c /= 3) {
                const std::string before = tls(w);
                auto& box = w.get<ui::TickBox>(kKeys[c % 3]);
                const bool usable = box.enabled();
                if (usable) box.setFocus();  // as a click or Tab does
                box.userClick();
                ASSERT_TRUE(kNextState.count(before)) << before;
                EXPECT_EQ(tls(w), kNextState.at(before)[c % 3]) << before << ", " << kKeys[c % 3];
                // A box greyed out by its own click hands the focus to "no".
                if (usable && !box.enabled()) {
                    EXPECT_EQ(p.backend.focus, &w.TLS_NO_TICKBOX) << before << ", " << kKeys[c % 3];
                }
            }
        }
    }
}

TEST(SendEmail, ShowSeProgressToInterpreterAndWindowStyle) {
    testing::ProgramInFolder s;
    s.w.SEND_EMAIL_BUTTON.userClick();  // before the first tick: the window's text as it stands
    s.p.advance(1000);
    const std::string line = s.w.OUTPUT_COMMAND_TEXTBOX.text();
    s.w.SHOW_SE_PROGRESS_TICKBOX.userClick();
    s.w.OUTPUT_TB_TICKBOX.userClick();  // hides the output window, which changes nothing here
    EXPECT_EQ(s.p.store.writes.back().value + std::to_string(s.w.OUTPUT_COMMAND_TEXTBOX.visible()), "False0");
    s.w.SEND_EMAIL_BUTTON.userClick();
    s.w.SHOW_SE_PROGRESS_TICKBOX.setValue(2);  // only exactly 1 counts as ticked
    s.w.SEND_EMAIL_BUTTON.userClick();
    s.w.OUTPUT_TB_TICKBOX.userClick();  // and shows it again
    EXPECT_EQ(s.p.store.writes.back().value + std::to_string(s.w.OUTPUT_COMMAND_TEXTBOX.visible()), "True1");
    EXPECT_EQ(s.p.launcher.launches, (Launches{{"cmd.exe /V:OFF /k \"OUTPUT COMMAND WINDOW\r\n\"", 1},
                                               {"cmd.exe /V:OFF /c \"" + line + "\"", 0},
                                               {"cmd.exe /V:OFF /c \"" + line + "\"", 0}}));
    s.p.launcher.failWith = "The system cannot find the file specified.";  // reported after the write
    s.w.MESSAGE_TEXTBOX.userEdited("body");
    s.w.SEND_EMAIL_BUTTON.userClick();
    EXPECT_EQ(s.file(), "body\r\n");
    EXPECT_EQ(s.p.backend.failures, std::vector<std::string>{"Could not start \"cmd.exe\": The system cannot find the file specified."});
}

TEST(SendEmail, TextsThatCannotReachTheSenderStopEverything) {
    // Field, text refused, the reason, a text that is sent.
    const std::tuple<const char*, std::string, std::string, std::string> cases[] = {
        {"SUBJECT_TEXTBOX", "Ω", "The Subject field holds \"Ω\" (U+03A9), a character that the system's code page cannot hold. ", "O"},
        {"MESSAGE_TEXTBOX", "then 😀", "The message holds \"😀\" (U+1F600), a character that the system's code page cannot hold. ", "then :)"},
        {"OUTPUT_COMMAND_TEXTBOX", "ā", "The output command window holds \"ā\" (U+0101), a character that the system's code page cannot hold. ", "a"},
        {"SMTP_PASSWORD_TEXTBOX", "pw✓", "The SMTP PASSWORD field holds \"✓\" (U+2713), a character that the system's code page cannot hold. ", "pw"},
        {"SEND_BCC_ADDRESS_TEXTBOX", "b\tc\x7F", "The Bcc field holds a line break or another control character (U+007F), which cannot be passed on a command line. ", "b\tc"},
        {"SEND_TO_ADDRESS_TEXTBOX", "b\r\nc", "The To field holds a line break or another control character (U+000D), which cannot be passed on a command line. ", "b c"},
        {"OUTPUT_COMMAND_TEXTBOX", std::string(8190, 'x'), "The command line is 8192 characters long; the command interpreter runs at most 8191. ", std::string(8189, 'x')}};
    for (const auto& [field, text, failure, sendable] : cases) {
        testing::ProgramInFolder s;
        s.folder.put("SE-EMAIL.txt", "earlier\r\n");
        s.w.get<ui::TextBox>(field).userEdited(text);
        s.w.SEND_EMAIL_BUTTON.userClick();
        EXPECT_EQ(s.p.backend.failures, std::vector<std::string>{failure + "Nothing was written or sent."});
        EXPECT_EQ(s.file(), "earlier\r\n");
        s.w.get<ui::TextBox>(field).userEdited(sendable);
        s.w.SEND_EMAIL_BUTTON.userClick();
        EXPECT_EQ(s.p.launcher.launches.size(), 1u);  // this one: the refused click started nothing
    }
}

}  // namespace
}  // namespace orvenda
