// The compose window's start-up from the store, its close steps and
// "Save On Exit".
#include <gtest/gtest.h>

#include "support/program.h"

namespace orvenda {
namespace {

using testing::MemoryStore;
using testing::Program;

TEST(MainWindowStart, EmptyStoreGivesEveryDefault) {
    Program p;
    auto& w = p.start();
    EXPECT_EQ(w.geometry(), (ui::Bounds{1000, 1000, 13575, 8250}));
    EXPECT_TRUE(w.shown());
    EXPECT_TRUE(w.OUTPUT_COMMAND_TEXTBOX.visible());
    EXPECT_EQ(w.SAVE_SETTINGS_TICKBOX.value(), 0);
    EXPECT_FALSE(w.ADDRESS_BOOK_BUTTON.visible());
    EXPECT_EQ(w.OUTPUT_TB_TICKBOX.value(), 1);
    EXPECT_EQ(w.SHOW_SE_PROGRESS_TICKBOX.value(), 1);
    EXPECT_EQ(w.INSTALL_FOLDER_TEXTBOX.text(), "e.g. C:\\SendEmail");
    EXPECT_EQ(w.SMTP_SERVER_ADDRESS_PORT_TEXTBOX.text(), "e.g. IP:25 or FQDN:25");
    EXPECT_EQ(w.SMTP_USERNAME_TEXTBOX.text(), "username");
    EXPECT_EQ(w.SMTP_PASSWORD_TEXTBOX.text(), "pwsample");
    EXPECT_EQ(w.SEND_FROM_ADDRESS_TEXTBOX.text(), "");
    EXPECT_EQ(w.TLS_NO_TICKBOX.value(), 1);
    EXPECT_TRUE(w.TLS_NO_TICKBOX.enabled());
    EXPECT_EQ(w.TLS_YES_TICKBOX.value(), 0);
    EXPECT_FALSE(w.TLS_YES_TICKBOX.enabled());
    EXPECT_EQ(w.TLS_AUTO_TICKBOX.value(), 0);
    EXPECT_FALSE(w.TLS_AUTO_TICKBOX.enabled());
    EXPECT_EQ(w.TLS_TB_SETTING.text(), "no");
    EXPECT_EQ(w.OUTPUT_COMMAND_TEXTBOX.text(), "OUTPUT COMMAND WINDOW\r\n");
    EXPECT_EQ(w.EDIT_EMAIL_NOTEPAD_COMMAND_TEXTBOX.text(), "EDIT EMAIL");
    EXPECT_EQ(w.OPEN_LOG_COMMAND_TEXTBOX.text(), "OPEN LOG");
    for (auto* empty : {&w.SEND_TO_ADDRESS_TEXTBOX, &w.SEND_CC_ADDRESS_TEXTBOX,
                        &w.SEND_BCC_ADDRESS_TEXTBOX, &w.SUBJECT_TEXTBOX, &w.MESSAGE_TEXTBOX})
        EXPECT_EQ(empty->text(), "") << empty->name();
    // Start-up reads but writes nothing.
    EXPECT_TRUE(p.store.writes.empty());
}

TEST(MainWindowStart, HiddenVocabularyIsExactAndNeverShown) {
    Program p;
    auto& w = p.start();
    const std::pair<ui::TextBox*, const char*> vocabulary[] = {
        {&w.CMD_COMMAND_TEXTBOX, "cmd.exe /k "},
        {&w.SM_TB, "\""},
        {&w.DASH_F_TB, " -f "},
        {&w.DASH_T_TB, " -t "},
        {&w.DASH_CC_TB, " -cc "},
        {&w.DASH_BCC_TB, " -bcc "},
        {&w.DASH_U_TB, " -u "},
        {&w.DASH_O_TB, " -o message-file="},
        {&w.DASH_S_TB, " -s "},
        {&w.DASH_XU_TB, " -xu "},
        {&w.DASH_XP_TB, " -xp "},
        {&w.DASH_L_TB, " -l "},
        {&w.DASH_Q_TB, " -q "},
        {&w.DASH_V_TB, " -v "},
        {&w.DASH_REPLY_TO_TB, " -o reply-to="},
        {&w.DASH_TLS_TB, " -o tls="},
        {&w.DASH_TLS_U_TB, " -o username="},
        {&w.DASH_TLS_P_TB, " -o password="},
        {&w.SENDEMAIL_EXE_TEXTBOX, "\\SendEmail.exe"},
        {&w.SE_LOG_FILE_TEXTBOX, "\\SENDEMAIL-LOG.txt"},
        {&w.SE_EMAIL_MESSAGE_FILE_TEXTBOX, "\\SE-EMAIL.txt"},
        {&w.NOTEPAD_TEXTBOX, "notepad.exe "},
    };
    for (auto [box, text] : vocabulary) {
        EXPECT_EQ(box->text(), text) << box->name();
        EXPECT_FALSE(box->visible()) << box->name();
        EXPECT_EQ(&w.get<ui::TextBox>(box->name()), box);
    }
}

TEST(MainWindowStart, StoredValuesComeBack) {
    Program p;
    for (auto [k, v] : {std::pair{"MainLeft", "-15"}, {"MainTop", "1234.5"}, {"MainWidth", "9000"},
                        {"MainHeight", "6000"}, {"SAVE_SETTINGS_TICKBOX", "1"},
                        {"SHOW_SE_PROGRESS_TICKBOX", "0"}, {"INSTALL_FOLDER_TEXTBOX", "D:\\Tools\\Mailer"},
                        {"SMTP_SERVER_ADDRESS_PORT_TEXTBOX", "192.0.2.10:587"},
                        {"SMTP_USERNAME_TEXTBOX", "alice"}, {"SMTP_PASSWORD_TEXTBOX", ""},
                        {"SEND_FROM_ADDRESS_TEXTBOX", "alice@example.org"}})
        p.store.seed(k, v);
    auto& w = p.start();
    EXPECT_EQ(w.geometry(), (ui::Bounds{-15, 1234.5f, 9000, 6000}));
    EXPECT_EQ(w.SAVE_SETTINGS_TICKBOX.value(), 1);
    EXPECT_TRUE(w.ADDRESS_BOOK_BUTTON.visible());
    EXPECT_EQ(w.SHOW_SE_PROGRESS_TICKBOX.value(), 0);
    EXPECT_EQ(w.INSTALL_FOLDER_TEXTBOX.text(), "D:\\Tools\\Mailer");
    EXPECT_EQ(w.SMTP_SERVER_ADDRESS_PORT_TEXTBOX.text(), "192.0.2.10:587");
    EXPECT_EQ(w.SMTP_USERNAME_TEXTBOX.text(), "alice");
    EXPECT_EQ(w.SMTP_PASSWORD_TEXTBOX.text(), "");
    EXPECT_EQ(w.SEND_FROM_ADDRESS_TEXTBOX.text(), "alice@example.org");
}

TEST(MainWindowStart, TextsThatDoNotConvertReadAsTheKeysDefault) {
    Program p;
    p.store.seed("MainLeft", "left");
    p.store.seed("MainWidth", "1e99");
    p.store.seed("SAVE_SETTINGS_TICKBOX", "2");
    p.store.seed("OUTPUT_TB_TICKBOX", "yes");
    p.store.seed("OUTPUT_WINDOW_VISIBLE", "maybe");
    p.store.seed("TLS_NO_TICKBOX", "-1");
    auto& w = p.start();
    EXPECT_EQ(w.left(), 1000);
    EXPECT_EQ(w.width(), 13575);
    EXPECT_EQ(w.SAVE_SETTINGS_TICKBOX.value(), 0);
    EXPECT_EQ(w.OUTPUT_TB_TICKBOX.value(), 1);
    EXPECT_TRUE(w.OUTPUT_COMMAND_TEXTBOX.visible());
    EXPECT_EQ(w.TLS_NO_TICKBOX.value(), 1);
    EXPECT_EQ(w.TLS_TB_SETTING.text(), "no");
}

TEST(MainWindowStart, WindowStoredOffEveryMonitorOpensOnTheNearestWorkArea) {
    Program p;
    p.store.seed("MainLeft", "-480000");  // where a minimized window reports itself
    p.store.seed("MainTop", "-480000");
    auto& w = p.start();
    EXPECT_EQ(w.geometry(), (ui::Bounds{0, 0, 13575, 8250}));
}

TEST(MainWindowStart, WindowPartlyOnScreenStaysWhereItWasLeft) {
    Program p;
    p.store.seed("MainLeft", "-5000");
    p.store.seed("MainTop", "15000");
    auto& w = p.start();
    EXPECT_EQ(w.left(), -5000);
    EXPECT_EQ(w.top(), 15000);
}

struct OutputWindowCase {
    const char* tickbox;  // stored OUTPUT_TB_TICKBOX, nullptr for none
    const char* visible;  // stored OUTPUT_WINDOW_VISIBLE
    int tick;
    bool shown;
    const char* visibleAfter;  // OUTPUT_WINDOW_VISIBLE after start-up
};

class OutputWindowAtStart : public ::testing::TestWithParam<OutputWindowCase> {};

TEST_P(OutputWindowAtStart, TickboxAndVisibilityKeyCombine) {
    const auto& c = GetParam();
    Program p;
    if (c.tickbox) p.store.seed("OUTPUT_TB_TICKBOX", c.tickbox);
    if (c.visible) p.store.seed("OUTPUT_WINDOW_VISIBLE", c.visible);
    auto& w = p.start();
    EXPECT_EQ(w.OUTPUT_TB_TICKBOX.value(), c.tick);
    EXPECT_EQ(w.OUTPUT_COMMAND_TEXTBOX.visible(), c.shown);
    const std::string* stored = p.store.stored("OUTPUT_WINDOW_VISIBLE");
    if (c.visibleAfter) {
        ASSERT_NE(stored, nullptr);
        EXPECT_EQ(*stored, c.visibleAfter);
    } else {
        EXPECT_EQ(stored, nullptr);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Combinations, OutputWindowAtStart,
    ::testing::Values(OutputWindowCase{nullptr, nullptr, 1, true, nullptr},
                      // Cleared in a run that closed with "Save On Exit" clear.
                      OutputWindowCase{"1", "False", 1, false, "False"},
                      OutputWindowCase{nullptr, "False", 1, false, "False"},
                      // A stored 0 hides the window whatever the flag, and stores "False" again.
                      OutputWindowCase{"0", "True", 0, false, "False"},
                      OutputWindowCase{"0", nullptr, 0, false, "False"}));

TEST(SaveOnExit, TickingShowsAbAndWritesNothing) {
    Program p;
    auto& w = p.start();
    w.SAVE_SETTINGS_TICKBOX.userClick();
    EXPECT_TRUE(w.ADDRESS_BOOK_BUTTON.visible());
    w.SAVE_SETTINGS_TICKBOX.userClick();
    EXPECT_FALSE(w.ADDRESS_BOOK_BUTTON.visible());
    EXPECT_TRUE(p.store.writes.empty());
}

using Writes = std::vector<MemoryStore::Write>;

TEST(MainWindowClose, SaveOnExitClearWritesGeometryAndTheTickOnly) {
    Program p;
    p.store.seed("SMTP_PASSWORD_TEXTBOX", "kept");
    auto& w = p.start();
    w.SMTP_PASSWORD_TEXTBOX.userEdited("typed");
    w.setGeometry({300, 450, 12000, 7000});
    w.EXIT_BUTTON.userClick();
    EXPECT_EQ(p.store.writes, (Writes{{"MainLeft", "300"},
                                      {"MainTop", "450"},
                                      {"MainWidth", "12000"},
                                      {"MainHeight", "7000"},
                                      {"SAVE_SETTINGS_TICKBOX", "0"}}));
    EXPECT_EQ(*p.store.stored("SMTP_PASSWORD_TEXTBOX"), "kept");
    EXPECT_FALSE(p.app.loaded(app::kMainWindow));
    EXPECT_TRUE(p.backend.ended);
}

TEST(MainWindowClose, SaveOnExitTickedWritesExactlyTheListedKeys) {
    Program p;
    auto& w = p.start();
    w.SAVE_SETTINGS_TICKBOX.userClick();
    w.TLS_NO_TICKBOX.userClick();
    w.TLS_YES_TICKBOX.userClick();
    w.SHOW_SE_PROGRESS_TICKBOX.userClick();
    w.INSTALL_FOLDER_TEXTBOX.userEdited("D:\\Tools\\Mailer");
    w.SMTP_SERVER_ADDRESS_PORT_TEXTBOX.userEdited("192.0.2.10:587");
    w.SMTP_USERNAME_TEXTBOX.userEdited("alice");
    w.SMTP_PASSWORD_TEXTBOX.userEdited("s3cret & more");
    w.SEND_FROM_ADDRESS_TEXTBOX.userEdited("alice@example.org");
    w.SEND_TO_ADDRESS_TEXTBOX.userEdited("bob@example.org");
    w.SUBJECT_TEXTBOX.userEdited("never stored");
    w.MESSAGE_TEXTBOX.userEdited("never stored");
    w.unload();  // the close box
    EXPECT_EQ(p.store.writes, (Writes{{"MainLeft", "1000"},
                                      {"MainTop", "1000"},
                                      {"MainWidth", "13575"},
                                      {"MainHeight", "8250"},
                                      {"OUTPUT_COMMAND_TEXTBOX", "True"},
                                      {"OUTPUT_TB_TICKBOX", "1"},
                                      {"SHOW_SE_PROGRESS_TICKBOX", "0"},
                                      {"SAVE_SETTINGS_TICKBOX", "1"},
                                      {"INSTALL_FOLDER_TEXTBOX", "D:\\Tools\\Mailer"},
                                      {"SMTP_SERVER_ADDRESS_PORT_TEXTBOX", "192.0.2.10:587"},
                                      {"SMTP_USERNAME_TEXTBOX", "alice"},
                                      {"SMTP_PASSWORD_TEXTBOX", "s3cret & more"},
                                      {"SEND_FROM_ADDRESS_TEXTBOX", "alice@example.org"},
                                      {"TLS_NO_TICKBOX", "0"},
                                      {"TLS_YES_TICKBOX", "1"},
                                      {"TLS_AUTO_TICKBOX", "0"}}));
    EXPECT_TRUE(p.backend.ended);
}

TEST(MainWindowClose, ClosingStopsTheComposer) {
    Program p;
    auto& w = p.start();
    EXPECT_TRUE(w.OUTPUT_COMMAND_TIMER.running());
    w.unload();
    // The window is gone; the clock moving on must fire nothing.
    p.advance(5000);
    EXPECT_FALSE(p.app.running());
}

TEST(MainWindowRestart, SavedFieldsSurviveLaterClosesWithSaveOnExitClear) {
    MemoryStore carried;
    {
        Program first;
        auto& w = first.start();
        w.SAVE_SETTINGS_TICKBOX.userClick();
        w.SMTP_USERNAME_TEXTBOX.userEdited("alice");
        w.TLS_NO_TICKBOX.userClick();
        w.TLS_AUTO_TICKBOX.userClick();
        w.unload();
        carried.values = first.store.values;
    }
    {
        Program second;
        second.store.values = carried.values;
        auto& w = second.start();
        EXPECT_EQ(w.SMTP_USERNAME_TEXTBOX.text(), "alice");
        EXPECT_EQ(w.TLS_TB_SETTING.text(), "auto");
        w.SAVE_SETTINGS_TICKBOX.userClick();  // clear
        w.SMTP_USERNAME_TEXTBOX.userEdited("mallory");
        w.unload();
        carried.values = second.store.values;
    }
    Program third;
    third.store.values = carried.values;
    auto& w = third.start();
    EXPECT_EQ(w.SAVE_SETTINGS_TICKBOX.value(), 0);
    EXPECT_FALSE(w.ADDRESS_BOOK_BUTTON.visible());
    EXPECT_EQ(w.SMTP_USERNAME_TEXTBOX.text(), "alice");
    EXPECT_EQ(w.TLS_TB_SETTING.text(), "auto");
}

}  // namespace
}  // namespace orvenda
