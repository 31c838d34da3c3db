// app: "SEND EMAIL". Gathers the fields, has src/send check them, writes the
// message body to the message file and starts the interpreter with the line
// the output command window holds, in a normal window while "Show SE
// Progress" is ticked and hidden otherwise. Uses send and the platform
// services.
#include "app/main_window.h"
#include "send/command_line.h"

namespace orvenda::app {

void MainWindow::SEND_EMAIL_BUTTON_Click() {
    const int style =
        SHOW_SE_PROGRESS_TICKBOX.value() == 1 ? platform::kNormalWithFocus : platform::kHidden;
    const std::string& interpreter = (style == platform::kNormalWithFocus ? CMD_COMMAND_TEXTBOX
                                                                          : CMD_HIDDEN_COMMAND_TEXTBOX).text();
    const std::string launchLine = send::launchLine(interpreter, OUTPUT_COMMAND_TEXTBOX.text(), vocabulary());

    const send::NamedText lineFields[] = {
        {SEND_FROM_ADDRESS_TEXTBOX.text(), "From field"},
        {SEND_TO_ADDRESS_TEXTBOX.text(), "To field"},
        {SEND_CC_ADDRESS_TEXTBOX.text(), "Cc field"},
        {SEND_BCC_ADDRESS_TEXTBOX.text(), "Bcc field"},
        {SUBJECT_TEXTBOX.text(), "Subject field"},
        {INSTALL_FOLDER_TEXTBOX.text(), "INSTALL FOLDER field"},
        {SMTP_SERVER_ADDRESS_PORT_TEXTBOX.text(), "SMTP SERVER:PORT field"},
        {SMTP_USERNAME_TEXTBOX.text(), "SMTP USERNAME field"},
        {SMTP_PASSWORD_TEXTBOX.text(), "SMTP PASSWORD field"},
    };
    if (!reportIf(send::failureBeforeSend(services_.files, lineFields, MESSAGE_TEXTBOX.text(),
                                          OUTPUT_COMMAND_TEXTBOX.text(), launchLine, interpreter)))
        return;
    if (!writeMessageFile()) return;
    launch(launchLine, style, send::splitArguments(launchLine).front());
}

}  // namespace orvenda::app
