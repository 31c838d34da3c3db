// send: the "Output Command Window" tickbox shows or hides the output
// command window and stores its visibility at once.
#include "app/main_window.h"

namespace orvenda::app {

void MainWindow::OUTPUT_TB_TICKBOX_Click() {
    OUTPUT_COMMAND_TEXTBOX.setVisible(OUTPUT_TB_TICKBOX.value() == 1);
    services().settings.write(settings::keys::OUTPUT_WINDOW_VISIBLE, OUTPUT_COMMAND_TEXTBOX.visible());
}

}  // namespace orvenda::app
