// send: "SEND EMAIL". Writes the message body to the message file and starts
// the interpreter with the line the output command window holds, in a normal
// window while "Show SE Progress" is ticked and hidden otherwise.
#include "app/main_window.h"
#include "send/characters.h"
#include "send/command_line.h"
#include "ui/peer.h"

namespace orvenda::app {

namespace {

constexpr const char* kNothingSent = "Nothing was written or sent.";
// The command interpreter runs no line longer than this, in UTF-16 units.
constexpr std::size_t kInterpreterLineLimit = 8191;

std::size_t utf16Length(std::string_view utf8) {
    std::size_t units = 0;
    for (std::size_t pos = 0; pos < utf8.size();) units += send::nextCharacter(utf8, pos) > 0xFFFF ? 2 : 1;
    return units;
}

}  // namespace

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
    const std::size_t length = utf16Length(launchLine) - utf16Length(interpreter.text());
    if (length > kInterpreterLineLimit) {
        app().backend().reportFailure(
            this, "The command line is " + std::to_string(length) +
                      " characters long; the command interpreter runs at most " +
                      std::to_string(kInterpreterLineLimit) + ". " + kNothingSent);
        return;
    }

    if (!writeMessageFile()) return;
    launch(launchLine, style, send::splitArguments(launchLine).front());
}

}  // namespace orvenda::app
