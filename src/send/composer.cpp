// send: the composer. Once a second it rebuilds the sender's whole command
// line from the compose window's fields and hidden vocabulary, and the two
// Notepad command lines beside it. It keeps no state between ticks.
//
// Field texts pass through the command-line builder, so a quote, a caret or
// an ampersand typed into a field reaches the sender as part of that field
// and nothing else; texts of ordinary characters stand in the line as typed.
#include "app/main_window.h"
#include "send/command_line.h"

namespace orvenda::app {

void MainWindow::OUTPUT_COMMAND_TIMER_Timer() {
    const std::string& folder = INSTALL_FOLDER_TEXTBOX.text();
    const std::string& from = SEND_FROM_ADDRESS_TEXTBOX.text();
    const std::string& user = SMTP_USERNAME_TEXTBOX.text();
    const std::string& password = SMTP_PASSWORD_TEXTBOX.text();

    send::CommandLineBuilder line(SM_TB.text());
    line.quoted(folder + SENDEMAIL_EXE_TEXTBOX.text());
    line.fixed(DASH_F_TB.text()).quoted(from);
    line.fixed(DASH_T_TB.text()).quoted(SEND_TO_ADDRESS_TEXTBOX.text());
    line.fixed(DASH_CC_TB.text()).quoted(SEND_CC_ADDRESS_TEXTBOX.text());
    line.fixed(DASH_BCC_TB.text()).quoted(SEND_BCC_ADDRESS_TEXTBOX.text());
    line.fixed(DASH_U_TB.text()).quoted(SUBJECT_TEXTBOX.text());
    line.fixed(DASH_O_TB.text()).quoted(folder + SE_EMAIL_MESSAGE_FILE_TEXTBOX.text());
    line.fixed(DASH_S_TB.text()).quoted(SMTP_SERVER_ADDRESS_PORT_TEXTBOX.text());
    line.fixed(DASH_XU_TB.text()).quoted(user);
    line.fixed(DASH_XP_TB.text()).quoted(password);
    line.fixed(DASH_REPLY_TO_TB.text()).bare(from);
    line.fixed(DASH_L_TB.text()).quoted(folder + SE_LOG_FILE_TEXTBOX.text());
    line.fixed(DASH_TLS_TB.text()).bare(TLS_TB_SETTING.text());
    line.fixed(DASH_TLS_U_TB.text()).bare(user);
    line.fixed(DASH_TLS_P_TB.text()).bare(password);
    line.fixed(DASH_Q_TB.text());
    line.fixed(DASH_V_TB.text());

    OUTPUT_COMMAND_TEXTBOX.setText(line.take());
    OPEN_LOG_COMMAND_TEXTBOX.setText(openLogCommand());
    EDIT_EMAIL_NOTEPAD_COMMAND_TEXTBOX.setText(editEmailCommand());
}

std::string MainWindow::openLogCommand() const {
    return NOTEPAD_TEXTBOX.text() + INSTALL_FOLDER_TEXTBOX.text() + SE_LOG_FILE_TEXTBOX.text();
}

std::string MainWindow::editEmailCommand() const { return NOTEPAD_TEXTBOX.text() + messageFilePath(); }

}  // namespace orvenda::app
