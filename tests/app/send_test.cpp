// The composer's line, the TLS choice, "SEND EMAIL" and the output window.
#include <gtest/gtest.h>

#include <array>

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
        EXPECT_EQ(w.OUTPUT_COMMAND_TEXTBOX.text() + w.EDIT_EMAIL_NOTEPAD_COMMAND_TEXTBOX, "OUTPUT COMMAND WINDOW\r\nEDIT EMAIL");
        p.advance(1);
        EXPECT_EQ(w.OUTPUT_COMMAND_TEXTBOX.text(), line);
        w.OUTPUT_COMMAND_TEXTBOX.userEdited("typed by hand");  // stays until the next tick
        p.advance(999);
        EXPECT_EQ(w.OUTPUT_COMMAND_TEXTBOX.text(), "typed by hand");
    }
}

using send::Tls;
using send::TlsChoice;

// What "no", "yes" and "auto" show (the tick, "-" when greyed out) and the
// mode's text, by the value and in the window.
std::string tls(TlsChoice c) {
    std::string s;
    for (Tls box : send::kTlsModes) s += std::to_string(shows(c, box).ticked) + (shows(c, box).enabled ? " " : "- ");
    return s + std::string(text(c.mode));
}
std::string tls(const app::MainWindow& w) {
    std::string s;
    for (auto* box : {&w.TLS_NO_TICKBOX, &w.TLS_YES_TICKBOX, &w.TLS_AUTO_TICKBOX})
        s += std::to_string(box->ticked()) + (box->enabled() ? " " : "- ");
    return s + std::string(w.TLS_TB_SETTING());
}

const TlsChoice kNo{}, kOpen{Tls::No, true}, kYes{Tls::Yes}, kAuto{Tls::Auto};

// The four states, what the boxes show in each and where a click on "no",
// "yes" or "auto" takes it: from mode no, every mode is a click or two away.
// Of the stored ticks (bits 1, 2 and 4: "no", "yes", "auto"), the four that
// the program's own closing writes start as they were left, any other as
// mode no.
TEST(TlsChoice, ClicksMoveAsTheTableSaysAndStoredTicksStartTheStateThatShowsThemOrModeNo) {
    const std::tuple<TlsChoice, const char*, std::array<TlsChoice, 3>> states[] = {
        {kNo, "1 0- 0- no", {kOpen, kNo, kNo}},
        {kOpen, "0 0 0 no", {kNo, kYes, kAuto}},
        {kYes, "0- 1 0- yes", {kYes, kNo, kYes}},
        {kAuto, "0- 0- 1 auto", {kAuto, kAuto, kNo}}};
    for (const auto& [state, shown, next] : states) {
        EXPECT_EQ(tls(state), shown);
        for (Tls box : send::kTlsModes) EXPECT_EQ(tls(clicked(state, box)), tls(next[int(box)])) << shown << ", box " << int(box);
    }
    const TlsChoice starts[8] = {kOpen, kNo, kYes, kNo, kAuto, kNo, kNo, kNo};
    for (int bits = 0; bits < 8; ++bits)
        EXPECT_EQ(tls(send::fromStoredTicks({bool(bits & 1), bool(bits & 2), bool(bits & 4)})), tls(starts[bits])) << bits;
}

// A first start, nothing stored: mode no, and the examples the fields start
// with stand in the line. The window then shows the choice after each click;
// a box greyed out by its own click hands the focus to "no", any other keeps it.
TEST(TlsSelector, AFirstStartHasModeNoAndEachClickShowsTheChoiceAndABoxGreyedOutByItHandsTheFocusToNo) {
    Program p;
    auto& w = p.start();
    p.advance(1000);
    EXPECT_EQ(w.OUTPUT_COMMAND_TEXTBOX.text(), R"("e.g. C:\SendEmail\SendEmail.exe" -f "" -t "" -cc "" -bcc "" -u "" -o message-file="e.g. C:\SendEmail\SE-EMAIL.txt" -s "e.g. IP:25 or FQDN:25" -xu "username" -xp "pwsample" -o reply-to= -l "e.g. C:\SendEmail\SENDEMAIL-LOG.txt" -o tls=no -o username=username -o password=pwsample -q  -v )");
    // Each box clicked with the focus on it, the state then shown, and where the focus is.
    const std::tuple<ui::TickBox*, TlsChoice, ui::TickBox*> clicks[] = {
        {&w.TLS_NO_TICKBOX, kOpen, &w.TLS_NO_TICKBOX}, {&w.TLS_YES_TICKBOX, kYes, &w.TLS_YES_TICKBOX},
        {&w.TLS_YES_TICKBOX, kNo, &w.TLS_NO_TICKBOX}, {&w.TLS_NO_TICKBOX, kOpen, &w.TLS_NO_TICKBOX},
        {&w.TLS_AUTO_TICKBOX, kAuto, &w.TLS_AUTO_TICKBOX}, {&w.TLS_AUTO_TICKBOX, kNo, &w.TLS_NO_TICKBOX}};
    for (const auto& [box, shown, focus] : clicks) {
        box->setFocus();
        box->userClick();
        EXPECT_EQ(tls(w), tls(shown));
        EXPECT_EQ(p.backend.focus, focus) << tls(shown);
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
