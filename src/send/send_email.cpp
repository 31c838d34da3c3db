// send: "SEND EMAIL". Writes the message body to the message file and starts
// the interpreter with the line the output command window holds, in a normal
// window while "Show SE Progress" is ticked and hidden otherwise.
#include "app/main_window.h"
#include "send/command_line.h"

namespace orvenda::app {

namespace {
constexpr const char* kNothingSent = "Nothing was written or sent.";
}

void MainWindow::SEND_EMAIL_BUTTON_Click() {
    const int style =
        SHOW_SE_PROGRESS_TICKBOX.value() == 1 ? send::kNormalWithFocus : send::kHidden;
    const ui::TextBox& interpreter =
        style == send::kNormalWithFocus ? CMD_COMMAND_TEXTBOX : CMD_HIDDEN_COMMAND_TEXTBOX;
    const std::string launchLine =
        interpreter.text() + SM_TB.text() + OUTPUT_COMMAND_TEXTBOX.text() + SM_TB.text();

    // Every text that reaches the sender must survive the trip unchanged.
    const std::pair<const ui::TextBox*, const char*> lineFields[] = {
        {&SEND_FROM_ADDRESS_TEXTBOX, "From field"},
        {&SEND_TO_ADDRESS_TEXTBOX, "To field"},
        {&SEND_CC_ADDRESS_TEXTBOX, "Cc field"},
        {&SEND_BCC_ADDRESS_TEXTBOX, "Bcc field"},
        {&SUBJECT_TEXTBOX, "Subject field"},
        {&INSTALL_FOLDER_TEXTBOX, "INSTALL FOLDER field"},
        {&SMTP_SERVER_ADDRESS_PORT_TEXTBOX, "SMTP SERVER:PORT field"},
        {&SMTP_USERNAME_TEXTBOX, "SMTP USERNAME field"},
        {&SMTP_PASSWORD_TEXTBOX, "SMTP PASSWORD field"},
    };
    for (auto [field, name] : lineFields) {
        if (!fitsCodePage(*field, name, kNothingSent)) return;
        if (!passesOnCommandLine(*field, name)) return;
    }
    if (!fitsCodePage(MESSAGE_TEXTBOX, "message", kNothingSent)) return;
    if (!fitsCodePage(OUTPUT_COMMAND_TEXTBOX, "output command window", kNothingSent)) return;

    if (!writeMessageFile()) return;
    launch(launchLine, style, send::splitArguments(launchLine).front());
}

}  // namespace orvenda::app
