// addressbook: the 80 pick buttons and the Cc and Bcc column tickboxes.
//
// A pick copies a row's address, exactly as its box shows it, over the whole
// text of the family's field in the compose window. The column tickboxes
// show or hide all 20 buttons of their column. Nothing here is stored.
#include "addressbook/address_book.h"

namespace orvenda::addressbook {

void AddressBook::PICK_BUTTON_Click(Family family, int row) {
    if (compose_) compose_->putAddress(family, this->row(row).address.text());
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
