// app: "SAVE DRAFT" and "LOAD DRAFT" keep the one draft in the message
// file; "EDIT IN NOTEPAD" and "SE-LOG" open the message file and the
// sender's log in Notepad. Touches only the compose window's message field,
// the message file and the launch service (platform), with the checks and
// command lines of src/send and the draft rules of src/drafts.
#include "app/main_window.h"
#include "drafts/draft.h"

namespace orvenda::app {

void MainWindow::SAVE_DRAFT_BUTTON_Click() {
    if (!reportIf(send::codePageFailure(services_.files, {MESSAGE_TEXTBOX.text(), "message"},
                                        send::kNothingWritten)))
        return;
    writeMessageFile();
}

void MainWindow::LOAD_DRAFT_BUTTON_Click() {
    const std::string path = messageFilePath();
    std::string text;
    if (reportIf(services_.files.read(path, text), "Could not read the message file \"" + path + "\": "))
        MESSAGE_TEXTBOX.setText(std::move(text));
}

void MainWindow::NOTEPAD_EMAIL_BUTTON_Click() {
    launchNotepad(EDIT_EMAIL_NOTEPAD_COMMAND_TEXTBOX, kEditEmailBeforeFirstTick, send::editEmailCommand);
}

void MainWindow::SENDEMAIL_LOG_BUTTON_Click() {
    launchNotepad(OPEN_LOG_COMMAND_TEXTBOX, kOpenLogBeforeFirstTick, send::openLogCommand);
}

// Until the composer's first tick the command lines are placeholders that
// name no program; the command is then built from the same pieces.
void MainWindow::launchNotepad(const std::string& lastTick, const char* beforeFirstTick, NotepadCommand build) {
    const std::string command = drafts::viewerCommand(lastTick, beforeFirstTick, build(INSTALL_FOLDER_TEXTBOX.text()));
    launch(command, platform::kNormalWithFocus, command);
}

}  // namespace orvenda::app
