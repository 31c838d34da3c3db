// app: the compose window's own steps: the composer's tick, the TLS boxes and
// the "Output Command Window" tickbox. Uses send, settings and ui.
#include "app/main_window.h"
#include "settings/settings.h"

namespace orvenda::app {

send::Fields MainWindow::fields() const {
    send::Fields line;
    line.tls = TLS_TB_SETTING();
    for (const auto& [field, box] : fields_)
        if (field->sends) line.*field->sends = box->text();
    return line;
}

// Every tick builds the lines afresh from the fields, keeping nothing.
void MainWindow::OUTPUT_COMMAND_TIMER_Timer() {
    const std::string& folder = INSTALL_FOLDER_TEXTBOX.text();
    OUTPUT_COMMAND_TEXTBOX.setText(send::senderCommandLine(fields()));
    OPEN_LOG_COMMAND_TEXTBOX = send::openLogCommand(folder);
    EDIT_EMAIL_NOTEPAD_COMMAND_TEXTBOX = send::editEmailCommand(folder);
}

void MainWindow::showTls() {
    for (send::Tls mode : send::kTlsModes) {
        const send::TlsBox shown = send::shows(tls_, mode);
        tlsBox(mode).setValue(shown.ticked);
        tlsBox(mode).setEnabled(shown.enabled);
    }
}

// A box that already shows the choice is being set by showTls. A box greyed
// out by its own click hands the focus to "no", the box just ticked, which a
// screen reader then announces.
void MainWindow::TLS_TICKBOX_Click(send::Tls mode) {
    ui::TickBox& box = tlsBox(mode);
    if (box.ticked() == send::shows(tls_, mode).ticked) return;
    const bool focused = box.hasFocus();
    tls_ = send::clicked(tls_, mode);
    showTls();
    if (focused && !box.enabled()) TLS_NO_TICKBOX.setFocus();
}

void MainWindow::OUTPUT_TB_TICKBOX_Click() {
    OUTPUT_COMMAND_TEXTBOX.setVisible(OUTPUT_TB_TICKBOX.value() == 1);
    services_.settings.write(settings::keys::OUTPUT_WINDOW_VISIBLE, OUTPUT_COMMAND_TEXTBOX.visible());
}

}  // namespace orvenda::app
