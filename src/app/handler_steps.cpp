// app: steps shared by "SEND EMAIL" and the draft buttons: the message
// file's path and write, and a launch that tells the user when it fails.
// Failures go to the user through the backend. Uses send and the platform
// services.
#include "app/main_window.h"
#include "ui/peer.h"

namespace orvenda::app {

std::string MainWindow::messageFilePath() const {
    return send::messageFilePath(INSTALL_FOLDER_TEXTBOX.text(), vocabulary());
}

bool MainWindow::reportIf(const std::optional<std::string>& failure) {
    if (!failure) return true;
    app().backend().reportFailure(this, *failure);
    return false;
}

// The message text followed by CR LF, replacing the whole file.
bool MainWindow::writeMessageFile() {
    const std::string path = messageFilePath();
    const auto failure = services_.files.write(path, MESSAGE_TEXTBOX.text() + "\r\n");
    return reportIf(failure ? std::optional("Could not write the message file \"" + path + "\": " + *failure)
                            : std::nullopt);
}

bool MainWindow::launch(const std::string& commandLine, int windowStyle, const std::string& named) {
    const auto failure = services_.launcher.LaunchCommandLine(commandLine, windowStyle);
    return reportIf(failure ? std::optional("Could not start \"" + named + "\": " + *failure) : std::nullopt);
}

}  // namespace orvenda::app
