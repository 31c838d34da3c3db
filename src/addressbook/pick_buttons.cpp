// addressbook: the 80 pick buttons and the Cc and Bcc column tickboxes.
//
// A pick copies a row's address, exactly as its box shows it, over the whole
// text of the family's field in the compose window. The column tickboxes
// show or hide all 20 buttons of their column. Nothing here is stored.
// Reaches the compose window only by the names in src/names.
#include "addressbook/address_book.h"

#include "names/window_names.h"

namespace orvenda::addressbook {

void AddressBook::PICK_BUTTON_Click(Family family, int row) {
    const std::string& address = this->row(row).address.text();
    // The compose window owns this one while it is open. Without it there is
    // nowhere to pick into, and naming it must not bring it back to life.
    ui::Form* compose = app().find(names::kMainWindow);
    if (!compose) return;
    compose->get<ui::TextBox>(pickFamily(family).target).setText(address);
}

void AddressBook::SHOW_CC_TB_Click() { showColumn(Family::Cc, SHOW_CC_TB); }

void AddressBook::SHOW_BCC_TB_Click() { showColumn(Family::Bcc, SHOW_BCC_TB); }

// Every button of the column, in row order, visible exactly while the
// tickbox is ticked (0 and the grey 2 both hide).
void AddressBook::showColumn(Family family, const ui::TickBox& tickbox) {
    const bool shown = tickbox.value() == 1;
    for (const Row& row : rows_) row.pick(family).setVisible(shown);
}

}  // namespace orvenda::addressbook
