// addressbook: the address book as a user meets it, opened with "AB" on the
// whole program: the 40 stored entries, "SAVE AND CLOSE", the close box, the
// guarded CLEAR, the 80 pick buttons and the tab order.
#include <gtest/gtest.h>

#include <map>

#include "addressbook/address_book.h"
#include "support/program.h"

namespace orvenda::addressbook {

std::string nameKey(int row) { return "AT_NAME_TEXTBOX_" + std::to_string(row); }
std::string addressKey(int row) { return "AT_ADDRESS_TEXTBOX_" + std::to_string(row); }

// The 40 entries in the order the store gets them, every name then every
// address: the placeholders, but for the texts given.
testing::Writes entries(const std::map<std::string, std::string>& texts = {}) {
    testing::Writes all;
    for (auto [key, placeholder] : {std::pair{&nameKey, "Name"}, {addressKey, "Address"}})
        for (int n = 1; n <= 20; ++n) all.push_back({key(n), texts.count(key(n)) ? texts.at(key(n)) : placeholder});
    return all;
}

// The program with "Save On Exit" ticked, so that "AB" is there.
struct Book : ::testing::Test {
    testing::Program p;
    Book() { p.store.seed("SAVE_SETTINGS_TICKBOX", "1"); }
    AddressBook& open() {
        if (!p.app.loaded(app::kMainWindow)) p.start();
        p.main().ADDRESS_BOOK_BUTTON.userClick();
        return p.loaded<AddressBook>(kAddressBookWindow);
    }
    // What the 40 boxes show, each under its key.
    static testing::Writes shown(const AddressBook& book) {
        testing::Writes all = entries();
        for (auto& entry : all) entry.value = book.get<ui::TextBox>(entry.key).text();
        return all;
    }
};

// The close box drops the edits and stores only the geometry, which the next
// opening takes; "SAVE AND CLOSE" stores all 40 entries, then the geometry twice.
TEST_F(Book, TheCloseBoxStoresTheGeometryOnlyAndSaveAndCloseEveryEntryToo) {
    auto& first = open();
    first.row(2).name.userEdited("dropped");
    first.userMoved({5000, 6000, 11670, 9240});
    first.unload();
    EXPECT_EQ(p.store.writes.size(), 4u);
    auto& book = open();
    EXPECT_EQ(book.geometry(), (ui::Bounds{5000, 6000, 11670, 9240}));
    book.row(1).name.userEdited("Alice");
    book.row(20).address.userEdited("");
    book.userMoved({2400, 1800, 11670, 9240});
    p.store.writes.clear();
    book.SAVE_CLOSE_BUTTON.userClick();
    testing::Writes expected = entries({{nameKey(1), "Alice"}, {addressKey(20), ""}});
    for (int twice = 0; twice < 2; ++twice)  // the button's own step, then the close step
        expected.insert(expected.end(), {{"ABMainLeft", "2400"}, {"ABMainTop", "1800"}, {"ABMainWidth", "11670"},
                                         {"ABMainHeight", "9240"}});
    EXPECT_EQ(p.store.writes, expected);
}

// Opening shows every stored text verbatim and placeholders elsewhere; CLEAR
// puts the placeholders back on screen and in the store, but only while its
// guard is ticked.
TEST_F(Book, OpeningShowsTheStoredTextsAndClearWorksOnlyWhileItsGuardIsTickedAndResetsScreenAndStore) {
    const std::map<std::string, std::string> stored{{nameKey(1), ""}, {addressKey(7), " bob@example.org, carol "},
                                                    {nameKey(20), "Zoë"}, {addressKey(20), "Name"}};
    for (const auto& [key, text] : stored) p.store.seed(key, text);
    auto& book = open();
    EXPECT_EQ(shown(book), entries(stored));
    book.row(1).name.userEdited("typed");
    for (int guardClicks : {0, 2}) {  // as the book opens, then ticked and cleared again
        for (int click = 0; click < guardClicks; ++click) book.ENABLE_CLEAR_DATA_BUTTON_TICKBOX.userClick();
        book.CLEAR_SAVED_DATA_BUTTON.userClick();
    }
    EXPECT_EQ(p.store.writes.size(), 0u);
    book.ENABLE_CLEAR_DATA_BUTTON_TICKBOX.userClick();
    book.CLEAR_SAVED_DATA_BUTTON.userClick();
    EXPECT_EQ(shown(book), entries());
    EXPECT_EQ(p.store.writes, entries());
}

TEST_F(Book, EachPickCopiesItsRowsAddressAsShownOverItsFamilysFieldOnly) {
    auto& main = p.start();
    auto& book = open();
    ui::TextBox* fields[] = {&main.SEND_FROM_ADDRESS_TEXTBOX, &main.SEND_TO_ADDRESS_TEXTBOX,
                             &main.SEND_CC_ADDRESS_TEXTBOX, &main.SEND_BCC_ADDRESS_TEXTBOX};
    // Row 1 keeps its placeholder, row 2 is empty, the others unsaved texts.
    for (const auto& row : book.rows())
        if (row.number > 1) row.address.userEdited(row.number == 2 ? "" : " row " + std::to_string(row.number));
    for (int family = 0; family < 4; ++family)
        for (const auto& row : book.rows()) {
            for (auto* field : fields) field->setText("typed");
            row.pick(Family(family)).userClick();
            for (int other = 0; other < 4; ++other)
                EXPECT_EQ(fields[other]->text(), other == family ? row.address.text() : "typed")
                    << "family " << family << ", row " << row.number << ", field " << other;
        }
}

// The window's tab order: these, at positions 0, 1, 2, ..., then only what
// has no tab index.
TEST_F(Book, TabRunsSaveTheColumnTickboxesTheRowsThenTheClearGuardAndClear) {
    auto& book = open();
    std::vector<const ui::Control*> expected{&book.SAVE_CLOSE_BUTTON, &book.SHOW_CC_TB, &book.SHOW_BCC_TB};
    for (const auto& row : book.rows()) {
        expected.insert(expected.end(), {&row.name, &row.address});
        expected.insert(expected.end(), row.picks.begin(), row.picks.end());  // From, To, Cc, Bcc
    }
    expected.insert(expected.end(), {&book.ENABLE_CLEAR_DATA_BUTTON_TICKBOX, &book.CLEAR_SAVED_DATA_BUTTON});
    std::vector<const ui::Control*> byTab;
    for (const ui::Control* c : book.tabOrder())
        if (c->look().tabIndex >= 0) {
            EXPECT_EQ(c->look().tabIndex, int(byTab.size())) << "no gap";
            byTab.push_back(c);
        }
    EXPECT_EQ(byTab, expected);
}

}  // namespace orvenda::addressbook
