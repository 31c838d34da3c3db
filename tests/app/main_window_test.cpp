// app: the compose window's start-up from the store, "Save On Exit" and its
// close steps, on the whole program with a store in memory.
#include <gtest/gtest.h>

#include "support/program.h"
#include "windows/about_window.h"

namespace orvenda::app_tests {

// The fields that "Save On Exit" keeps, in the order the close steps store
// them, each under the key of its name, with a value of an earlier run.
using Field = std::pair<const char*, const char*>;
const Field kFields[] = {
    {"OUTPUT_TB_TICKBOX", "0"}, {"SHOW_SE_PROGRESS_TICKBOX", "0"}, {"SAVE_SETTINGS_TICKBOX", "1"},
    {"INSTALL_FOLDER_TEXTBOX", "D:\\Tools\\Mailer"}, {"SMTP_SERVER_ADDRESS_PORT_TEXTBOX", "192.0.2.10:587"},
    {"SMTP_USERNAME_TEXTBOX", "alice"}, {"SMTP_PASSWORD_TEXTBOX", ""},
    {"SEND_FROM_ADDRESS_TEXTBOX", "alice@example.org"}, {"TLS_NO_TICKBOX", "0"}, {"TLS_YES_TICKBOX", "1"},
    {"TLS_AUTO_TICKBOX", "0"},
};

std::string shown(const ui::Form& w, const std::string& name) {
    if (auto* tick = dynamic_cast<const ui::TickBox*>(w.find(name))) return std::to_string(tick->value());
    return w.get<ui::TextBox>(name).text();
}

struct ComposeWindow : ::testing::Test {
    testing::Program p;
};

// What an earlier run stored shows at start-up, and closing with the box
// (Save On Exit ticked) stores it again, each field under its own key. The
// next run, with Save On Exit cleared (which hides "AB"), stores the geometry
// and the tick only.
TEST_F(ComposeWindow, StartUpShowsWhatAnEarlierRunStoredAndClosingStoresEveryKeptFieldOnlyWhileSaveOnExitIsTicked) {
    for (auto [key, stored] : kFields) p.store.seed(key, stored);
    for (auto [key, value] : {std::pair{"MainLeft", "-15"}, {"MainTop", "1234.5"}, {"MainWidth", "9000"},
                              {"MainHeight", "6000"}})
        p.store.seed(key, value);
    auto& w = p.start();
    for (auto [key, stored] : kFields) EXPECT_EQ(shown(w, key), stored) << key;
    EXPECT_EQ(w.geometry(), (ui::Bounds{-15, 1234.5f, 9000, 6000}));
    EXPECT_EQ(w.TLS_TB_SETTING(), "yes");
    EXPECT_FALSE(w.OUTPUT_COMMAND_TEXTBOX.visible());
    EXPECT_TRUE(w.ADDRESS_BOOK_BUTTON.visible());
    p.store.writes.clear();
    w.unload();  // the close box
    testing::Writes expected{{"MainLeft", "-15"}, {"MainTop", "1234.5"}, {"MainWidth", "9000"}, {"MainHeight", "6000"},
                             {"OUTPUT_COMMAND_TEXTBOX", "False"}};
    for (auto [key, stored] : kFields) expected.push_back({key, stored});
    EXPECT_EQ(p.store.writes, expected);
    auto& next = p.start();
    next.SAVE_SETTINGS_TICKBOX.userClick();
    EXPECT_FALSE(next.ADDRESS_BOOK_BUTTON.visible());
    next.SMTP_PASSWORD_TEXTBOX.userEdited("typed");
    next.userMoved({300, 450, 12000, 7000});
    p.store.writes.clear();
    next.EXIT_BUTTON.userClick();
    EXPECT_EQ(p.store.writes, (testing::Writes{{"MainLeft", "300"}, {"MainTop", "450"}, {"MainWidth", "12000"},
                                               {"MainHeight", "7000"}, {"SAVE_SETTINGS_TICKBOX", "0"}}));
}

// Only the password field hides what it holds, only the About window's
// texts are read-only, only the body and the command line take several
// lines.
TEST_F(ComposeWindow, OnlyThePasswordHidesOnlyAboutIsReadOnly) {
    auto& w = p.start();
    for (const ui::Form* form : {static_cast<ui::Form*>(&w), &p.app.form(windows::kAboutWindow)})
        for (const auto& c : form->controls()) {
            auto* box = dynamic_cast<const ui::TextBox*>(c.get());
            if (!box) continue;
            EXPECT_EQ(box->style().password, box == &w.SMTP_PASSWORD_TEXTBOX) << c->name();
            EXPECT_EQ(box->style().readOnly, form != &w) << c->name();
            EXPECT_EQ(box->style().multiLine, box == &w.MESSAGE_TEXTBOX || box == &w.OUTPUT_COMMAND_TEXTBOX);
        }
}

}  // namespace orvenda::app_tests
