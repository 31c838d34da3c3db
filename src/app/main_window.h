// app: the compose window ORVENDA_MAIN, its controls and hidden vocabulary.
//
// The controls are the data: the handlers reach them through these members,
// other rooms' windows by the names in src/names. Every handler is defined
// in src/app (see each declaration) and gathers the fields for the plain
// functions of src/send; this window may use every other room.
#pragma once

#include "names/window_names.h"
#include "platform/services.h"
#include "send/checks.h"
#include "send/sender_command.h"
#include "ui/form.h"

namespace orvenda::app {

using names::kMainWindow;
// What the two Notepad command fields hold until the composer's first tick.
inline constexpr const char* kEditEmailBeforeFirstTick = "EDIT EMAIL";
inline constexpr const char* kOpenLogBeforeFirstTick = "OPEN LOG";

class MainWindow : public ui::Form {
public:
    MainWindow(ui::Application& app, platform::Services& services);

    platform::Services& services() const { return services_; }

    // Visible fields.
    ui::TextBox& SEND_TO_ADDRESS_TEXTBOX;
    ui::TextBox& SEND_FROM_ADDRESS_TEXTBOX;
    ui::TextBox& SEND_CC_ADDRESS_TEXTBOX;
    ui::TextBox& SEND_BCC_ADDRESS_TEXTBOX;
    ui::TextBox& SUBJECT_TEXTBOX;
    ui::TextBox& MESSAGE_TEXTBOX;
    ui::TextBox& SMTP_SERVER_ADDRESS_PORT_TEXTBOX;
    ui::TextBox& SMTP_USERNAME_TEXTBOX;
    ui::TextBox& SMTP_PASSWORD_TEXTBOX;
    ui::Button& SEND_EMAIL_BUTTON;
    ui::TextBox& OUTPUT_COMMAND_TEXTBOX;
    ui::Button& EXIT_BUTTON;
    ui::TextBox& INSTALL_FOLDER_TEXTBOX;

    // Tickboxes and the other buttons.
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

    // Hidden vocabulary: the fixed pieces of every command line.
    // Interpreter prefix: "/V:OFF" keeps a "!" typed into a field literal
    // where an administrator has switched delayed expansion on.
    ui::TextBox& CMD_COMMAND_TEXTBOX;
    ui::TextBox& SM_TB;
    ui::TextBox& DASH_F_TB;
    ui::TextBox& DASH_T_TB;
    ui::TextBox& DASH_CC_TB;
    ui::TextBox& DASH_BCC_TB;
    ui::TextBox& DASH_U_TB;
    ui::TextBox& DASH_O_TB;
    ui::TextBox& DASH_S_TB;
    ui::TextBox& DASH_XU_TB;
    ui::TextBox& DASH_XP_TB;
    ui::TextBox& DASH_L_TB;
    ui::TextBox& DASH_Q_TB;
    ui::TextBox& DASH_V_TB;
    ui::TextBox& DASH_REPLY_TO_TB;
    ui::TextBox& DASH_TLS_TB;
    ui::TextBox& DASH_TLS_U_TB;
    ui::TextBox& DASH_TLS_P_TB;
    ui::TextBox& TLS_TB_SETTING;
    ui::TextBox& SENDEMAIL_EXE_TEXTBOX;
    ui::TextBox& SE_LOG_FILE_TEXTBOX;
    ui::TextBox& SE_EMAIL_MESSAGE_FILE_TEXTBOX;
    ui::TextBox& NOTEPAD_TEXTBOX;
    ui::TextBox& EDIT_EMAIL_NOTEPAD_COMMAND_TEXTBOX;
    ui::TextBox& OPEN_LOG_COMMAND_TEXTBOX;
    // Interpreter prefix of a hidden send: the interpreter ends with the
    // sender, as no one can close a window that is not shown.
    ui::TextBox& CMD_HIDDEN_COMMAND_TEXTBOX;

    // Handlers (main_window.cpp).
    void EXIT_BUTTON_Click();
    void SAVE_SETTINGS_TICKBOX_Click();
    void ADDRESS_BOOK_BUTTON_Click();
    void ABOUT_BUTTON_Click();
    // Composer, TLS selector, output command window (compose_handlers.cpp).
    void OUTPUT_COMMAND_TIMER_Timer();
    void TLS_NO_TICKBOX_Click();
    void TLS_YES_TICKBOX_Click();
    void TLS_AUTO_TICKBOX_Click();
    void OUTPUT_TB_TICKBOX_Click();
    // Send dispatch (send_handlers.cpp).
    void SEND_EMAIL_BUTTON_Click();
    // Drafts and viewers (draft_handlers.cpp).
    void SAVE_DRAFT_BUTTON_Click();
    void LOAD_DRAFT_BUTTON_Click();
    void NOTEPAD_EMAIL_BUTTON_Click();
    void SENDEMAIL_LOG_BUTTON_Click();

    // The fields and the vocabulary as plain texts, for src/send.
    send::Fields fields() const;
    send::Vocabulary vocabulary() const;
    // Install folder + "\SE-EMAIL.txt".
    std::string messageFilePath() const;

protected:
    void Form_Load() override;
    void Form_Unload() override;

private:
    void closeLauncherWindowIfHidden();
    // Steps shared by SEND and the draft buttons (handler_steps.cpp). Each
    // reports its own failure to the user and returns false; `before` leads
    // the failure's text.
    bool reportIf(const std::optional<std::string>& failure, const std::string& before = {});
    bool writeMessageFile();
    bool launch(const std::string& commandLine, int windowStyle, const std::string& named);
    // The TLS "yes" and "auto" tickboxes (compose_handlers.cpp).
    void tlsModeClicked(const ui::TickBox& box, const char* mode, ui::TickBox& other);
    // After the stored TLS ticks are restored: a state no clicks could
    // have left becomes the design-time state (compose_handlers.cpp).
    void settleTlsChoice();
    // "EDIT IN NOTEPAD" and "SE-LOG" (draft_handlers.cpp).
    using NotepadCommand = std::string (*)(std::string_view folder, const send::Vocabulary& words);
    void launchNotepad(const ui::TextBox& field, const char* beforeFirstTick, NotepadCommand build);

    platform::Services& services_;
};

}  // namespace orvenda::app
