// send: the composer. Once a second it rebuilds the sender's whole command
// line from the compose window's fields and hidden vocabulary, and the two
// Notepad command lines beside it. It keeps no state between ticks.
#include "app/main_window.h"

namespace orvenda::app {

void MainWindow::OUTPUT_COMMAND_TIMER_Timer() {
    const std::string& q = SM_TB.text();
    const std::string& folder = INSTALL_FOLDER_TEXTBOX.text();
    const std::string& from = SEND_FROM_ADDRESS_TEXTBOX.text();
    const std::string& user = SMTP_USERNAME_TEXTBOX.text();
    const std::string& password = SMTP_PASSWORD_TEXTBOX.text();
    auto quoted = [&q](const std::string& value) { return q + value + q; };

    std::string line;
    line += quoted(folder + SENDEMAIL_EXE_TEXTBOX.text());
    line += DASH_F_TB.text() + quoted(from);
    line += DASH_T_TB.text() + quoted(SEND_TO_ADDRESS_TEXTBOX.text());
    line += DASH_CC_TB.text() + quoted(SEND_CC_ADDRESS_TEXTBOX.text());
    line += DASH_BCC_TB.text() + quoted(SEND_BCC_ADDRESS_TEXTBOX.text());
    line += DASH_U_TB.text() + quoted(SUBJECT_TEXTBOX.text());
    line += DASH_O_TB.text() + quoted(folder + SE_EMAIL_MESSAGE_FILE_TEXTBOX.text());
    line += DASH_S_TB.text() + quoted(SMTP_SERVER_ADDRESS_PORT_TEXTBOX.text());
    line += DASH_XU_TB.text() + quoted(user);
    line += DASH_XP_TB.text() + quoted(password);
    line += DASH_REPLY_TO_TB.text() + from;
    line += DASH_L_TB.text() + quoted(folder + SE_LOG_FILE_TEXTBOX.text());
    line += DASH_TLS_TB.text() + TLS_TB_SETTING.text();
    line += DASH_TLS_U_TB.text() + user;
    line += DASH_TLS_P_TB.text() + password;
    line += DASH_Q_TB.text();
    line += DASH_V_TB.text();

    OUTPUT_COMMAND_TEXTBOX.setText(std::move(line));
    OPEN_LOG_COMMAND_TEXTBOX.setText(NOTEPAD_TEXTBOX.text() + folder + SE_LOG_FILE_TEXTBOX.text());
    EDIT_EMAIL_NOTEPAD_COMMAND_TEXTBOX.setText(NOTEPAD_TEXTBOX.text() + folder +
                                               SE_EMAIL_MESSAGE_FILE_TEXTBOX.text());
}

}  // namespace orvenda::app
