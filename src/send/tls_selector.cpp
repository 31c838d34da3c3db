// send: the TLS selector. Three tickboxes that act as one choice of "no",
// "yes" or "auto": each click sets the mode text and ticks, clears, greys
// out or re-enables the other two. A value assignment that changes a box
// runs that box's handler at once, nested, before the next step.
#include "app/main_window.h"

namespace orvenda::app {

void MainWindow::TLS_NO_TICKBOX_Click() {
    const bool ticked = TLS_NO_TICKBOX.value() == 1;
    TLS_TB_SETTING.setText("no");
    TLS_YES_TICKBOX.setValue(0);
    TLS_YES_TICKBOX.setEnabled(!ticked);
    TLS_AUTO_TICKBOX.setValue(0);
    TLS_AUTO_TICKBOX.setEnabled(!ticked);
}

void MainWindow::TLS_YES_TICKBOX_Click() {
    if (TLS_YES_TICKBOX.value() == 1) {
        TLS_TB_SETTING.setText("yes");
        TLS_NO_TICKBOX.setValue(0);
        TLS_NO_TICKBOX.setEnabled(false);
    } else {
        TLS_TB_SETTING.setText("no");
        TLS_NO_TICKBOX.setValue(1);
        TLS_NO_TICKBOX.setEnabled(true);
    }
    TLS_AUTO_TICKBOX.setValue(0);
    TLS_AUTO_TICKBOX.setEnabled(false);
}

void MainWindow::TLS_AUTO_TICKBOX_Click() {
    if (TLS_AUTO_TICKBOX.value() == 1) {
        TLS_TB_SETTING.setText("auto");
        TLS_NO_TICKBOX.setValue(0);
        TLS_NO_TICKBOX.setEnabled(false);
    } else {
        TLS_TB_SETTING.setText("no");
        TLS_NO_TICKBOX.setValue(1);
        TLS_NO_TICKBOX.setEnabled(true);
    }
    TLS_YES_TICKBOX.setValue(0);
    TLS_YES_TICKBOX.setEnabled(false);
}

}  // namespace orvenda::app
