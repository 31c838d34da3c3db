// app: steps shared by "SEND EMAIL" and the draft buttons: the message
// file's path and write, and a launch that tells the user when it fails.
// Failures go to the user through the backend. Uses send and the platform
// services.
#include "app/main_window.h"
#include "drafts/draft.h"
#include "ui/peer.h"

namespace orvenda::app {

std::string MainWindow::messageFilePath() const {
    return send::messageFilePath(INSTALL_FOLDER_TEXTBOX.text());
}

bool MainWindow::reportIf(const std::optional<std::string>& failure, const std::string& before) {
    if (!failure) return true;
    app().backend().reportFailure(this, before + *failure);
    return false;
}

// The message file, replaced whole.
bool MainWindow::writeMessageFile() {
    const std::string path = messageFilePath();
    return reportIf(services_.files.write(path, drafts::messageFileText(MESSAGE_TEXTBOX.text())),
                    "Could not write the message file \"" + path + "\": ");
}

bool MainWindow::launch(const std::string& commandLine, int windowStyle, const std::string& named) {
    return reportIf(services_.launcher.LaunchCommandLine(commandLine, windowStyle),
                    "Could not start \"" + named + "\": ");
}

}  // namespace orvenda::app
