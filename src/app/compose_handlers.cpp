// app: the compose window's own steps. The composer's tick rebuilds the
// sender's command line and the two Notepad command lines from the fields
// and the hidden vocabulary (built by src/send), keeping no state between
// ticks; the TLS selector's three tickboxes act as one choice of "no",
// "yes" or "auto"; the "Output Command Window" tickbox shows or hides the
// output command window and stores its visibility at once. Uses send,
// settings and ui.
#include "app/main_window.h"
#include "settings/settings.h"

namespace orvenda::app {

send::Fields MainWindow::fields() const {
    return {.folder = INSTALL_FOLDER_TEXTBOX.text(),
            .from = SEND_FROM_ADDRESS_TEXTBOX.text(),
            .to = SEND_TO_ADDRESS_TEXTBOX.text(),
            .cc = SEND_CC_ADDRESS_TEXTBOX.text(),
            .bcc = SEND_BCC_ADDRESS_TEXTBOX.text(),
            .subject = SUBJECT_TEXTBOX.text(),
            .server = SMTP_SERVER_ADDRESS_PORT_TEXTBOX.text(),
            .user = SMTP_USERNAME_TEXTBOX.text(),
            .password = SMTP_PASSWORD_TEXTBOX.text(),
            .tls = TLS_TB_SETTING.text()};
}

send::Vocabulary MainWindow::vocabulary() const {
    return {.quote = SM_TB.text(),
            .dashF = DASH_F_TB.text(),
            .dashT = DASH_T_TB.text(),
            .dashCc = DASH_CC_TB.text(),
            .dashBcc = DASH_BCC_TB.text(),
            .dashU = DASH_U_TB.text(),
            .dashO = DASH_O_TB.text(),
            .dashS = DASH_S_TB.text(),
            .dashXu = DASH_XU_TB.text(),
            .dashXp = DASH_XP_TB.text(),
            .dashReplyTo = DASH_REPLY_TO_TB.text(),
            .dashL = DASH_L_TB.text(),
            .dashTls = DASH_TLS_TB.text(),
            .dashTlsU = DASH_TLS_U_TB.text(),
            .dashTlsP = DASH_TLS_P_TB.text(),
            .dashQ = DASH_Q_TB.text(),
            .dashV = DASH_V_TB.text(),
            .senderExe = SENDEMAIL_EXE_TEXTBOX.text(),
            .logFile = SE_LOG_FILE_TEXTBOX.text(),
            .messageFile = SE_EMAIL_MESSAGE_FILE_TEXTBOX.text(),
            .notepad = NOTEPAD_TEXTBOX.text()};
}

void MainWindow::OUTPUT_COMMAND_TIMER_Timer() {
    const send::Vocabulary words = vocabulary();
    const std::string& folder = INSTALL_FOLDER_TEXTBOX.text();
    OUTPUT_COMMAND_TEXTBOX.setText(send::senderCommandLine(fields(), words));
    OPEN_LOG_COMMAND_TEXTBOX.setText(send::openLogCommand(folder, words));
    EDIT_EMAIL_NOTEPAD_COMMAND_TEXTBOX.setText(send::editEmailCommand(folder, words));
}

// A value assignment that changes a box runs that box's handler at once,
// nested, before the next step.
void MainWindow::TLS_NO_TICKBOX_Click() {
    const bool ticked = TLS_NO_TICKBOX.value() == 1;
    TLS_TB_SETTING.setText("no");
    TLS_YES_TICKBOX.setValue(0);
    TLS_YES_TICKBOX.setEnabled(!ticked);
    TLS_AUTO_TICKBOX.setValue(0);
    TLS_AUTO_TICKBOX.setEnabled(!ticked);
}

void MainWindow::TLS_YES_TICKBOX_Click() { tlsModeClicked(TLS_YES_TICKBOX, "yes", TLS_AUTO_TICKBOX); }

void MainWindow::TLS_AUTO_TICKBOX_Click() { tlsModeClicked(TLS_AUTO_TICKBOX, "auto", TLS_YES_TICKBOX); }

// "yes" and "auto" alike: ticked, the mode and "no" cleared and greyed out;
// cleared, back to "no", ticked and enabled. The other mode is cleared and
// greyed out either way.
void MainWindow::tlsModeClicked(const ui::TickBox& box, const char* mode, ui::TickBox& other) {
    const bool focused = box.hasFocus();
    if (box.value() == 1) {
        TLS_TB_SETTING.setText(mode);
        TLS_NO_TICKBOX.setValue(0);
        TLS_NO_TICKBOX.setEnabled(false);
    } else {
        TLS_TB_SETTING.setText("no");
        TLS_NO_TICKBOX.setValue(1);
        TLS_NO_TICKBOX.setEnabled(true);
        // The box just greyed out hands the focus to "no", the box just
        // ticked, which a screen reader then announces.
        if (focused) TLS_NO_TICKBOX.setFocus();
    }
    other.setValue(0);
    other.setEnabled(false);
}

// Two boxes stored ticked (edited by hand, or two copies closing at once)
// can leave "no" ticked and greyed out with "yes" usable, so that every
// click on "yes" snaps back. Only the four states that clicks lead to are
// kept; anything else starts as mode no, from which every mode is a click
// or three away.
void MainWindow::settleTlsChoice() {
    std::string state;
    for (const ui::TickBox* box : {&TLS_NO_TICKBOX, &TLS_YES_TICKBOX, &TLS_AUTO_TICKBOX})
        state += std::to_string(box->value()) + (box->enabled() ? "+" : "-");
    state += TLS_TB_SETTING.text();
    for (const char* reachable : {"1+0-0-no", "0+0+0+no", "0-1+0-yes", "0-0-1+auto"})
        if (state == reachable) return;
    TLS_YES_TICKBOX.setValue(0);
    TLS_AUTO_TICKBOX.setValue(0);
    TLS_NO_TICKBOX.setValue(1);
    TLS_TB_SETTING.setText("no");
    TLS_NO_TICKBOX.setEnabled(true);
    TLS_YES_TICKBOX.setEnabled(false);
    TLS_AUTO_TICKBOX.setEnabled(false);
}

void MainWindow::OUTPUT_TB_TICKBOX_Click() {
    OUTPUT_COMMAND_TEXTBOX.setVisible(OUTPUT_TB_TICKBOX.value() == 1);
    services().settings.write(settings::keys::OUTPUT_WINDOW_VISIBLE, OUTPUT_COMMAND_TEXTBOX.visible());
}

}  // namespace orvenda::app
