// Test support for the address book: the program started with "Save On
// Exit" ticked, so that "AB" is there to open the book as a user does.
#pragma once

#include <string>

#include "addressbook/address_book.h"
#include "support/program.h"

namespace orvenda::testing {

struct BookProgram : Program {
    BookProgram() { store.seed("SAVE_SETTINGS_TICKBOX", "1"); }

    // Clicks "AB"; the book must be open afterwards.
    addressbook::AddressBook& open() {
        if (!app.loaded(app::kMainWindow)) start();
        main().ADDRESS_BOOK_BUTTON.userClick();
        return book();
    }
    // The open book; fails the test (by throwing) when none is loaded.
    addressbook::AddressBook& book() {
        auto* form = app.find(addressbook::kAddressBookWindow);
        if (!form) throw std::runtime_error("the address book is not open");
        return dynamic_cast<addressbook::AddressBook&>(*form);
    }
    bool bookOpen() const { return app.loaded(addressbook::kAddressBookWindow); }
    std::string stored(const std::string& key) const {
        const std::string* value = store.stored(key);
        return value ? *value : "<missing>";
    }
};

inline std::string nameKey(int row) { return "AT_NAME_TEXTBOX_" + std::to_string(row); }
inline std::string addressKey(int row) { return "AT_ADDRESS_TEXTBOX_" + std::to_string(row); }

}  // namespace orvenda::testing
