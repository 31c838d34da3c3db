// app: the compose window ORVENDA_MAIN, its controls and the TLS choice.
//
// The controls are the data: the handlers reach them through these members,
// and the fields the user types into through one table (main_window.cpp)
// that the load and close steps, the composer and the check before a send
// walk. Every handler is defined in src/app (see each declaration) and
// gathers texts for the plain functions of src/send; this window may use
// every other room.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "addressbook/address_book.h"
#include "names/window_names.h"
#include "platform/services.h"
#include "send/checks.h"
#include "send/sender_command.h"
#include "send/tls_choice.h"
#include "ui/form.h"

namespace orvenda::app {

using names::kMainWindow;
// What the two Notepad command lines hold until the composer's first tick.
inline constexpr const char* kEditEmailBeforeFirstTick = "EDIT EMAIL";
inline constexpr const char* kOpenLogBeforeFirstTick = "OPEN LOG";

// A field the user types into: its control and label, where they stand, the
// text it starts with, whether "Save On Exit" keeps it and which text of the
// sender's line it gives.
struct UserField {
    const char* name;        // the control's; a kept field's key too
    const char* label;       // the label control's, or nullptr: none on screen
    const char* spokenName;  // the label's caption, or what screen readers call the field without one
    ui::Bounds labelAt, at;
    int tab;
    const char* text;  // a kept field's default too
    ui::TextBoxStyle style;
    bool kept;
    std::string_view send::Fields::*sends;  // nullptr: not on the sender's line
};

class MainWindow : public ui::Form, public addressbook::AddressFields {
    // Made first: the named fields and TLS boxes below are these.
    std::vector<std::pair<const UserField*, ui::TextBox*>> fields_;
    std::array<ui::TickBox*, send::kTlsModes.size()> tlsBoxes_;  // in the order of the modes

public:
    MainWindow(ui::Application& app, platform::Services& services);

    // The table's fields that the handlers use.
    ui::TextBox& SEND_TO_ADDRESS_TEXTBOX;
    ui::TextBox& SEND_FROM_ADDRESS_TEXTBOX;
    ui::TextBox& SEND_CC_ADDRESS_TEXTBOX;
    ui::TextBox& SEND_BCC_ADDRESS_TEXTBOX;
    ui::TextBox& SUBJECT_TEXTBOX;
    ui::TextBox& MESSAGE_TEXTBOX;
    ui::TextBox& SMTP_SERVER_ADDRESS_PORT_TEXTBOX;
    ui::TextBox& SMTP_USERNAME_TEXTBOX;
    ui::TextBox& SMTP_PASSWORD_TEXTBOX;
    ui::TextBox& INSTALL_FOLDER_TEXTBOX;

    ui::Button& SEND_EMAIL_BUTTON;
    ui::TextBox& OUTPUT_COMMAND_TEXTBOX;
    ui::Button& EXIT_BUTTON;
    ui::TickBox& SAVE_SETTINGS_TICKBOX;
    ui::TickBox& OUTPUT_TB_TICKBOX;
    ui::TickBox& SHOW_SE_PROGRESS_TICKBOX;
    ui::TickBox& TLS_NO_TICKBOX;
    ui::TickBox& TLS_YES_TICKBOX;
    ui::TickBox& TLS_AUTO_TICKBOX;
    ui::Button& ADDRESS_BOOK_BUTTON;
    ui::Button& ABOUT_BUTTON;
    ui::Button& SENDEMAIL_LOG_BUTTON;
    ui::Button& LOAD_DRAFT_BUTTON;
    ui::Button& SAVE_DRAFT_BUTTON;
    ui::Button& NOTEPAD_EMAIL_BUTTON;
    ui::Timer& OUTPUT_COMMAND_TIMER;

    // The TLS mode's text, which the sender's line carries.
    std::string_view TLS_TB_SETTING() const { return send::text(tls_.mode); }
    // The Notepad command lines of the composer's last tick.
    std::string EDIT_EMAIL_NOTEPAD_COMMAND_TEXTBOX = kEditEmailBeforeFirstTick;
    std::string OPEN_LOG_COMMAND_TEXTBOX = kOpenLogBeforeFirstTick;

    // Handlers (main_window.cpp).
    void EXIT_BUTTON_Click();
    void SAVE_SETTINGS_TICKBOX_Click();
    void ADDRESS_BOOK_BUTTON_Click();
    void ABOUT_BUTTON_Click();
    // Composer, TLS boxes, output command window (compose_handlers.cpp).
    void OUTPUT_COMMAND_TIMER_Timer();
    void TLS_TICKBOX_Click(send::Tls box);
    void OUTPUT_TB_TICKBOX_Click();
    // Send dispatch (send_handlers.cpp).
    void SEND_EMAIL_BUTTON_Click();
    // Drafts and viewers (draft_handlers.cpp).
    void SAVE_DRAFT_BUTTON_Click();
    void LOAD_DRAFT_BUTTON_Click();
    void NOTEPAD_EMAIL_BUTTON_Click();
    void SENDEMAIL_LOG_BUTTON_Click();

    std::string messageFilePath() const;
    // The address book's picks (main_window.cpp).
    void putAddress(addressbook::Family field, const std::string& address) override;

protected:
    void Form_Load() override;
    void Form_Unload() override;

private:
    std::vector<std::pair<const UserField*, ui::TextBox*>> makeFields();
    std::array<ui::TickBox*, send::kTlsModes.size()> makeTlsBoxes();
    // The texts of the sender's line (compose_handlers.cpp).
    send::Fields fields() const;
    // Steps shared by SEND and the draft buttons (handler_steps.cpp). Each
    // reports its own failure to the user and returns false; `before` leads
    // the failure's text.
    bool reportIf(const std::optional<std::string>& failure, const std::string& before = {});
    bool writeMessageFile();
    bool launch(const std::string& commandLine, int windowStyle, const std::string& named);
    ui::TickBox& tlsBox(send::Tls mode) const { return *tlsBoxes_[static_cast<int>(mode)]; }
    // The boxes show the TLS choice (compose_handlers.cpp).
    void showTls();
    // "EDIT IN NOTEPAD" and "SE-LOG" (draft_handlers.cpp).
    using NotepadCommand = std::string (*)(std::string_view folder);
    void launchNotepad(const std::string& lastTick, const char* beforeFirstTick, NotepadCommand build);

    platform::Services& services_;
    send::TlsChoice tls_;
};

}  // namespace orvenda::app
