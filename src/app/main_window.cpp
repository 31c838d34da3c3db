// app: the compose window's controls and layout, its load steps, its close
// steps, "Save On Exit", EXIT, ABOUT and AB. Uses settings, windows,
// addressbook, ui and the platform services.
#include "app/main_window.h"

#include "addressbook/address_book.h"
#include "settings/geometry.h"
#include "ui/peer.h"
#include "windows/about_window.h"
#include "windows/at_window.h"

namespace orvenda::app {

namespace {

using ui::Bounds;
using ui::Look;

Look at(float left, float top, float width, float height, int tab = -1) {
    return Look{Bounds{left, top, width, height}, tab, {}, {}, {}};
}

// A field with its label, the label placed just before it so that it names
// the field for screen readers and automation tools.
ui::TextBox& labelled(ui::Form& form, const char* labelName, const char* labelText,
                      Bounds labelAt, const char* name, Look look, std::string text,
                      ui::TextBoxStyle style = {}) {
    form.add<ui::Label>(labelName, Look{labelAt, look.tabIndex, {}, {}, {}}, labelText,
                        ui::Align::Right);
    return form.add<ui::TextBox>(name, look, std::move(text), style);
}

ui::TextBox& hidden(ui::Form& form, const char* name, std::string text) {
    auto& box = form.add<ui::TextBox>(name, Look{}, std::move(text));
    box.setVisible(false);
    return box;
}

constexpr float kRow = 360;
constexpr float kFieldHeight = 285;
constexpr ui::TextBoxStyle kMultiLine{true, true, false, false};
constexpr ui::TextBoxStyle kPassword{false, false, true, false};

}  // namespace

// The laid-out client area is the default size less the classic frame of a
// sizable window (8 by 27 pixels at 96 DPI): room for every control and,
// below them, the status bar in the taller form Windows 10 and 11 draw.
MainWindow::MainWindow(ui::Application& app, platform::Services& services)
    : ui::Form(app, kMainWindow, "ORVENDA", ui::Border::Sizable, Bounds{0, 0, 13455, 7845}),
      SEND_TO_ADDRESS_TEXTBOX(labelled(*this, "TO_LABEL", "To", {60, 960 + kRow, 495, kFieldHeight},
                                       names::kToField,
                                       at(600, 960 + kRow, 6135, kFieldHeight, 0), "")),
      SEND_FROM_ADDRESS_TEXTBOX(labelled(*this, "FROM_LABEL", "From", {60, 960, 495, kFieldHeight},
                                         names::kFromField,
                                         at(600, 960, 6135, kFieldHeight, 1), "")),
      SEND_CC_ADDRESS_TEXTBOX(labelled(*this, "CC_LABEL", "Cc",
                                       {60, 960 + 2 * kRow, 495, kFieldHeight},
                                       names::kCcField,
                                       at(600, 960 + 2 * kRow, 6135, kFieldHeight, 2), "")),
      SEND_BCC_ADDRESS_TEXTBOX(labelled(*this, "BCC_LABEL", "Bcc",
                                        {60, 960 + 3 * kRow, 495, kFieldHeight},
                                        names::kBccField,
                                        at(600, 960 + 3 * kRow, 6135, kFieldHeight, 3), "")),
      SUBJECT_TEXTBOX(labelled(*this, "SUBJECT_LABEL", "Subject", {0, 2400, 600, kFieldHeight},
                               "SUBJECT_TEXTBOX", at(600, 2400, 12675, kFieldHeight, 4), "")),
      MESSAGE_TEXTBOX(add<ui::TextBox>("MESSAGE_TEXTBOX", at(60, 2760, 13215, 3765, 5), "",
                                       kMultiLine)),
      SMTP_SERVER_ADDRESS_PORT_TEXTBOX(labelled(
          *this, "SMTP_SERVER_PORT_LABEL", "SMTP SERVER:PORT", {6840, 540, 1740, kFieldHeight},
          "SMTP_SERVER_ADDRESS_PORT_TEXTBOX", at(8640, 540, 4695, kFieldHeight, 6),
          "e.g. IP:25 or FQDN:25")),
      SMTP_USERNAME_TEXTBOX(labelled(*this, "SMTP_USERNAME_LABEL", "SMTP USERNAME",
                                     {7080, 960, 1500, kFieldHeight}, "SMTP_USERNAME_TEXTBOX",
                                     at(8640, 960, 2655, kFieldHeight, 7), "username")),
      SMTP_PASSWORD_TEXTBOX(labelled(*this, "SMTP_PASSWORD_LABEL", "SMTP PASSWORD",
                                     {7080, 1320, 1500, kFieldHeight}, "SMTP_PASSWORD_TEXTBOX",
                                     at(8640, 1320, 2655, kFieldHeight, 8), "pwsample",
                                     kPassword)),
      SEND_EMAIL_BUTTON(add<ui::Button>("SEND_EMAIL_BUTTON", at(11400, 1740, 1935, 555, 9),
                                        "SEND EMAIL")),
      OUTPUT_COMMAND_TEXTBOX(add<ui::TextBox>("OUTPUT_COMMAND_TEXTBOX",
                                              at(60, 6600, 13215, 855, 10),
                                              "OUTPUT COMMAND WINDOW\r\n", kMultiLine)),
      EXIT_BUTTON(add<ui::Button>("EXIT_BUTTON", at(60, 60, 975, 375, 11), "EXIT")),
      INSTALL_FOLDER_TEXTBOX(labelled(*this, "INSTALL_FOLDER_LABEL", "INSTALL FOLDER",
                                      {6840, 120, 1740, kFieldHeight}, "INSTALL_FOLDER_TEXTBOX",
                                      at(8640, 120, 4695, kFieldHeight, 12),
                                      "e.g. C:\\SendEmail")),
      SAVE_SETTINGS_TICKBOX(add<ui::TickBox>("SAVE_SETTINGS_TICKBOX", at(60, 540, 1395, 285, 13),
                                             "Save On Exit", 0)),
      OUTPUT_TB_TICKBOX(add<ui::TickBox>("OUTPUT_TB_TICKBOX", at(1500, 540, 2295, 285, 14),
                                         "Output Command Window", 1)),
      SHOW_SE_PROGRESS_TICKBOX(add<ui::TickBox>("SHOW_SE_PROGRESS_TICKBOX",
                                                at(3840, 540, 1815, 285, 15), "Show SE Progress",
                                                1)),
      TLS_NO_TICKBOX(add<ui::TickBox>("TLS_NO_TICKBOX", at(11520, 1140, 555, 285, 16), "no", 1)),
      TLS_YES_TICKBOX(add<ui::TickBox>("TLS_YES_TICKBOX", at(12120, 1140, 555, 285, 17), "yes", 0)),
      TLS_AUTO_TICKBOX(add<ui::TickBox>("TLS_AUTO_TICKBOX", at(12720, 1140, 600, 285, 18), "auto",
                                        0)),
      ADDRESS_BOOK_BUTTON(add<ui::Button>("ADDRESS_BOOK_BUTTON", at(6780, 960, 285, 735, 19), "AB")),
      ABOUT_BUTTON(add<ui::Button>("ABOUT_BUTTON", at(5280, 60, 975, 375, 20), "ABOUT")),
      SENDEMAIL_LOG_BUTTON(add<ui::Button>("SENDEMAIL_LOG_BUTTON", at(5700, 510, 975, 345, 21),
                                           "SE-LOG")),
      LOAD_DRAFT_BUTTON(add<ui::Button>("LOAD_DRAFT_BUTTON", at(7080, 1740, 1335, 555, 22),
                                        "LOAD DRAFT")),
      SAVE_DRAFT_BUTTON(add<ui::Button>("SAVE_DRAFT_BUTTON", at(8475, 1740, 1335, 555, 23),
                                        "SAVE DRAFT")),
      NOTEPAD_EMAIL_BUTTON(add<ui::Button>("NOTEPAD_EMAIL_BUTTON", at(9870, 1740, 1455, 555, 24),
                                           "EDIT IN NOTEPAD")),
      OUTPUT_COMMAND_TIMER(add<ui::Timer>("OUTPUT_COMMAND_TIMER", 1000, false)),
      CMD_COMMAND_TEXTBOX(hidden(*this, "CMD_COMMAND_TEXTBOX", "cmd.exe /V:OFF /k ")),
      SM_TB(hidden(*this, "SM_TB", "\"")),
      DASH_F_TB(hidden(*this, "DASH_F_TB", " -f ")),
      DASH_T_TB(hidden(*this, "DASH_T_TB", " -t ")),
      DASH_CC_TB(hidden(*this, "DASH_CC_TB", " -cc ")),
      DASH_BCC_TB(hidden(*this, "DASH_BCC_TB", " -bcc ")),
      DASH_U_TB(hidden(*this, "DASH_U_TB", " -u ")),
      DASH_O_TB(hidden(*this, "DASH_O_TB", " -o message-file=")),
      DASH_S_TB(hidden(*this, "DASH_S_TB", " -s ")),
      DASH_XU_TB(hidden(*this, "DASH_XU_TB", " -xu ")),
      DASH_XP_TB(hidden(*this, "DASH_XP_TB", " -xp ")),
      DASH_L_TB(hidden(*this, "DASH_L_TB", " -l ")),
      DASH_Q_TB(hidden(*this, "DASH_Q_TB", " -q ")),
      DASH_V_TB(hidden(*this, "DASH_V_TB", " -v ")),
      DASH_REPLY_TO_TB(hidden(*this, "DASH_REPLY_TO_TB", " -o reply-to=")),
      DASH_TLS_TB(hidden(*this, "DASH_TLS_TB", " -o tls=")),
      DASH_TLS_U_TB(hidden(*this, "DASH_TLS_U_TB", " -o username=")),
      DASH_TLS_P_TB(hidden(*this, "DASH_TLS_P_TB", " -o password=")),
      TLS_TB_SETTING(hidden(*this, "TLS_TB_SETTING", "no")),
      SENDEMAIL_EXE_TEXTBOX(hidden(*this, "SENDEMAIL_EXE_TEXTBOX", "\\SendEmail.exe")),
      SE_LOG_FILE_TEXTBOX(hidden(*this, "SE_LOG_FILE_TEXTBOX", "\\SENDEMAIL-LOG.txt")),
      SE_EMAIL_MESSAGE_FILE_TEXTBOX(hidden(*this, "SE_EMAIL_MESSAGE_FILE_TEXTBOX", "\\SE-EMAIL.txt")),
      NOTEPAD_TEXTBOX(hidden(*this, "NOTEPAD_TEXTBOX", "notepad.exe ")),
      EDIT_EMAIL_NOTEPAD_COMMAND_TEXTBOX(hidden(*this, "EDIT_EMAIL_NOTEPAD_COMMAND_TEXTBOX",
                                                kEditEmailBeforeFirstTick)),
      OPEN_LOG_COMMAND_TEXTBOX(hidden(*this, "OPEN_LOG_COMMAND_TEXTBOX", kOpenLogBeforeFirstTick)),
      CMD_HIDDEN_COMMAND_TEXTBOX(hidden(*this, "CMD_HIDDEN_COMMAND_TEXTBOX", "cmd.exe /V:OFF /c ")),
      services_(services) {
    Look title = at(1140, 60, 4035, 375);
    title.font = ui::Font{"MS Sans Serif", 12, true};
    title.foreColor = ui::colors::green;
    title.backColor = ui::colors::black;
    add<ui::Label>("ORVENDA_TITLE", title, "VELDRIN - ORVENDA", ui::Align::Center);
    add<ui::Frame>("TLS_FRAME", at(11400, 840, 1935, 735), "TLS");
    add<ui::StatusBar>("sbStatusBar",
                       std::vector<ui::StatusBar::PanelSpec>{{ui::StatusBar::Panel::Text, "Status", 0},
                                                             {ui::StatusBar::Panel::Date, "", 1800},
                                                             {ui::StatusBar::Panel::Time, "", 1500}});

    MESSAGE_TEXTBOX.setSpokenName("Message");
    OUTPUT_COMMAND_TEXTBOX.setSpokenName("Command line");
    TLS_YES_TICKBOX.setEnabled(false);
    TLS_AUTO_TICKBOX.setEnabled(false);
    ADDRESS_BOOK_BUTTON.setVisible(false);

    EXIT_BUTTON.onClick = [this] { EXIT_BUTTON_Click(); };
    SAVE_SETTINGS_TICKBOX.onClick = [this] { SAVE_SETTINGS_TICKBOX_Click(); };
    ADDRESS_BOOK_BUTTON.onClick = [this] { ADDRESS_BOOK_BUTTON_Click(); };
    ABOUT_BUTTON.onClick = [this] { ABOUT_BUTTON_Click(); };
    OUTPUT_TB_TICKBOX.onClick = [this] { OUTPUT_TB_TICKBOX_Click(); };
    TLS_NO_TICKBOX.onClick = [this] { TLS_NO_TICKBOX_Click(); };
    TLS_YES_TICKBOX.onClick = [this] { TLS_YES_TICKBOX_Click(); };
    TLS_AUTO_TICKBOX.onClick = [this] { TLS_AUTO_TICKBOX_Click(); };
    OUTPUT_COMMAND_TIMER.onTimer = [this] { OUTPUT_COMMAND_TIMER_Timer(); };
    SEND_EMAIL_BUTTON.onClick = [this] { SEND_EMAIL_BUTTON_Click(); };
    SAVE_DRAFT_BUTTON.onClick = [this] { SAVE_DRAFT_BUTTON_Click(); };
    LOAD_DRAFT_BUTTON.onClick = [this] { LOAD_DRAFT_BUTTON_Click(); };
    NOTEPAD_EMAIL_BUTTON.onClick = [this] { NOTEPAD_EMAIL_BUTTON_Click(); };
    SENDEMAIL_LOG_BUTTON.onClick = [this] { SENDEMAIL_LOG_BUTTON_Click(); };
}

void MainWindow::Form_Load() {
    auto& settings = services_.settings;
    namespace keys = settings::keys;
    settings::restoreGeometry(*this, settings, keys::Main);
    OUTPUT_COMMAND_TEXTBOX.setVisible(settings.read(keys::OUTPUT_WINDOW_VISIBLE));
    SAVE_SETTINGS_TICKBOX.setValue(settings.read(keys::SAVE_SETTINGS_TICKBOX));
    OUTPUT_TB_TICKBOX.setValue(settings.read(keys::OUTPUT_TB_TICKBOX));
    SHOW_SE_PROGRESS_TICKBOX.setValue(settings.read(keys::SHOW_SE_PROGRESS_TICKBOX));
    INSTALL_FOLDER_TEXTBOX.setText(settings.read(keys::INSTALL_FOLDER_TEXTBOX));
    SMTP_SERVER_ADDRESS_PORT_TEXTBOX.setText(settings.read(keys::SMTP_SERVER_ADDRESS_PORT_TEXTBOX));
    SMTP_USERNAME_TEXTBOX.setText(settings.read(keys::SMTP_USERNAME_TEXTBOX));
    SMTP_PASSWORD_TEXTBOX.setText(settings.read(keys::SMTP_PASSWORD_TEXTBOX));
    SEND_FROM_ADDRESS_TEXTBOX.setText(settings.read(keys::SEND_FROM_ADDRESS_TEXTBOX));
    TLS_NO_TICKBOX.setValue(settings.read(keys::TLS_NO_TICKBOX));
    TLS_YES_TICKBOX.setValue(settings.read(keys::TLS_YES_TICKBOX));
    TLS_AUTO_TICKBOX.setValue(settings.read(keys::TLS_AUTO_TICKBOX));
    settleTlsChoice();
    OUTPUT_COMMAND_TIMER.setTimerEnabled(true);
    OUTPUT_COMMAND_TIMER.setInterval(1000);
    ADDRESS_BOOK_BUTTON.setVisible(SAVE_SETTINGS_TICKBOX.value() == 1);
}

// The close steps: geometry and "Save On Exit" always, the account fields
// and tick states only while "Save On Exit" is ticked; the message file's
// temporary and backup files that a save could not delete go now.
void MainWindow::Form_Unload() {
    auto& settings = services_.settings;
    namespace keys = settings::keys;
    const bool saveAll = SAVE_SETTINGS_TICKBOX.value() == 1;
    settings::storeGeometry(*this, settings, keys::Main);
    if (saveAll) {
        settings.write(keys::OUTPUT_COMMAND_TEXTBOX, OUTPUT_COMMAND_TEXTBOX.visible());
        settings.write(keys::OUTPUT_TB_TICKBOX, OUTPUT_TB_TICKBOX.value());
        settings.write(keys::SHOW_SE_PROGRESS_TICKBOX, SHOW_SE_PROGRESS_TICKBOX.value());
    }
    settings.write(keys::SAVE_SETTINGS_TICKBOX, SAVE_SETTINGS_TICKBOX.value());
    if (saveAll) {
        settings.write(keys::INSTALL_FOLDER_TEXTBOX, INSTALL_FOLDER_TEXTBOX.text());
        settings.write(keys::SMTP_SERVER_ADDRESS_PORT_TEXTBOX, SMTP_SERVER_ADDRESS_PORT_TEXTBOX.text());
        settings.write(keys::SMTP_USERNAME_TEXTBOX, SMTP_USERNAME_TEXTBOX.text());
        settings.write(keys::SMTP_PASSWORD_TEXTBOX, SMTP_PASSWORD_TEXTBOX.text());
        settings.write(keys::SEND_FROM_ADDRESS_TEXTBOX, SEND_FROM_ADDRESS_TEXTBOX.text());
        settings.write(keys::TLS_NO_TICKBOX, TLS_NO_TICKBOX.value());
        settings.write(keys::TLS_YES_TICKBOX, TLS_YES_TICKBOX.value());
        settings.write(keys::TLS_AUTO_TICKBOX, TLS_AUTO_TICKBOX.value());
    }
    OUTPUT_COMMAND_TIMER.setTimerEnabled(false);
    services_.files.removeLeftovers();
    closeLauncherWindowIfHidden();
}

// A launcher window that is not on screen would keep the program running
// with nothing to see once this window has gone; it closes too, with its own
// close steps. One on screen stays, as the way back into the program.
void MainWindow::closeLauncherWindowIfHidden() {
    ui::Form* launcher = app().find(windows::kAtWindow);
    if (launcher && !launcher->shown()) launcher->unload();
}

void MainWindow::EXIT_BUTTON_Click() { unload(); }

void MainWindow::ABOUT_BUTTON_Click() { app().form(windows::kAboutWindow).showModal(*this); }

void MainWindow::SAVE_SETTINGS_TICKBOX_Click() {
    ADDRESS_BOOK_BUTTON.setVisible(SAVE_SETTINGS_TICKBOX.value() == 1);
}

// "AB": the address book, loaded afresh from the store, modal over this
// window until it closes.
void MainWindow::ADDRESS_BOOK_BUTTON_Click() {
    app().form(addressbook::kAddressBookWindow).showModal(*this);
}

}  // namespace orvenda::app
