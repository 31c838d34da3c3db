// drafts: "SAVE DRAFT" and "LOAD DRAFT" keep the one draft in the message
// file; "EDIT IN NOTEPAD" and "SE-LOG" open the message file and the
// sender's log in Notepad. Touches only the compose window's message field,
// the message file and the launch service.
#include "app/main_window.h"
#include "ui/peer.h"

namespace orvenda::app {

void MainWindow::SAVE_DRAFT_BUTTON_Click() {
    if (!fitsCodePage(MESSAGE_TEXTBOX, "message", "Nothing was written.")) return;
    writeMessageFile();
}

void MainWindow::LOAD_DRAFT_BUTTON_Click() {
    const std::string path = messageFilePath();
    std::string text;
    if (const auto failure = services_.files.read(path, text)) {
        app().backend().reportFailure(
            this, "Could not read the message file \"" + path + "\": " + *failure);
        return;
    }
    MESSAGE_TEXTBOX.setText(std::move(text));
}

// Until the composer's first tick the command fields hold placeholders that
// name no program; the command is then built from the same pieces.
void MainWindow::NOTEPAD_EMAIL_BUTTON_Click() {
    const std::string& field = EDIT_EMAIL_NOTEPAD_COMMAND_TEXTBOX.text();
    const std::string command = field == kEditEmailBeforeFirstTick ? editEmailCommand() : field;
    launch(command, send::kNormalWithFocus, command);
}

void MainWindow::SENDEMAIL_LOG_BUTTON_Click() {
    const std::string& field = OPEN_LOG_COMMAND_TEXTBOX.text();
    const std::string command = field == kOpenLogBeforeFirstTick ? openLogCommand() : field;
    launch(command, send::kNormalWithFocus, command);
}

}  // namespace orvenda::app
