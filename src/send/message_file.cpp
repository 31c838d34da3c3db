// send: steps shared by "SEND EMAIL" and the draft buttons: the message
// file's path and write, the checks made before anything is written or
// launched, and a launch that tells the user when it fails.
#include "app/main_window.h"
#include "send/characters.h"
#include "send/command_line.h"
#include "ui/peer.h"

namespace orvenda::app {

std::string MainWindow::messageFilePath() const {
    return INSTALL_FOLDER_TEXTBOX.text() + SE_EMAIL_MESSAGE_FILE_TEXTBOX.text();
}

bool MainWindow::fitsCodePage(const ui::TextBox& field, const char* fieldName,
                              const char* outcome) {
    const auto c = services_.files.firstUnrepresentable(field.text());
    if (!c) return true;
    app().backend().reportFailure(
        this, std::string("The ") + fieldName + " holds " + send::describeCharacter(*c) +
                  ", a character that the system's code page cannot hold. " + outcome);
    return false;
}

bool MainWindow::passesOnCommandLine(const ui::TextBox& field, const char* fieldName) {
    const auto c = send::firstControlCharacter(field.text());
    if (!c) return true;
    app().backend().reportFailure(
        this, std::string("The ") + fieldName + " holds a line break or another control character (" +
                  send::describeCharacter(*c) +
                  "), which cannot be passed on a command line. Nothing was written or sent.");
    return false;
}

// The message text followed by CR LF, replacing the whole file.
bool MainWindow::writeMessageFile() {
    const std::string path = messageFilePath();
    const auto failure = services_.files.write(path, MESSAGE_TEXTBOX.text() + "\r\n");
    if (!failure) return true;
    app().backend().reportFailure(
        this, "Could not write the message file \"" + path + "\": " + *failure);
    return false;
}

bool MainWindow::launch(const std::string& commandLine, int windowStyle, const std::string& named) {
    const auto failure = services_.launcher.LaunchCommandLine(commandLine, windowStyle);
    if (!failure) return true;
    app().backend().reportFailure(this, "Could not start \"" + named + "\": " + *failure);
    return false;
}

}  // namespace orvenda::app
