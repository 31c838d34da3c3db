// app: "SEND EMAIL". Has src/send check every field on the sender's line, the
// message and the line, writes the message body to the message file and
// starts the interpreter with the line the output command window holds, in a
// normal window while "Show SE Progress" is ticked and hidden otherwise.
// Uses send and the platform services.
#include "app/main_window.h"
#include "send/command_line.h"

namespace orvenda::app {

void MainWindow::SEND_EMAIL_BUTTON_Click() {
    const bool shown = SHOW_SE_PROGRESS_TICKBOX.value() == 1;
    const std::string_view interpreter = send::interpreter(shown);
    const std::string launchLine = send::launchLine(interpreter, OUTPUT_COMMAND_TEXTBOX.text());
    std::vector<send::NamedText> lineFields;
    for (const auto& [field, box] : fields_)
        if (field->sends) lineFields.push_back({box->text(), std::string(field->spokenName) + " field"});
    if (!reportIf(send::failureBeforeSend(services_.files, lineFields, MESSAGE_TEXTBOX.text(),
                                          OUTPUT_COMMAND_TEXTBOX.text(), launchLine, interpreter)))
        return;
    if (!writeMessageFile()) return;
    launch(launchLine, shown ? platform::kNormalWithFocus : platform::kHidden, send::splitArguments(launchLine).front());
}

}  // namespace orvenda::app
