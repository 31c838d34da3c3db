// The address book window: opening from "AB", loading from the store,
// "SAVE AND CLOSE", the close box, the guarded CLEAR and the layout.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "addressbook/book.h"

namespace orvenda {
namespace {

using addressbook::Family;
using addressbook::kFamilies;
using addressbook::kRows;
using testing::addressKey;
using testing::BookProgram;
using testing::MemoryStore;
using testing::nameKey;
using Writes = std::vector<MemoryStore::Write>;

Writes geometryWrites(const char* left, const char* top, const char* width, const char* height) {
    return {{"ABMainLeft", left}, {"ABMainTop", top}, {"ABMainWidth", width}, {"ABMainHeight", height}};
}

// --- Opening -------------------------------------------------------------

TEST(AddressBookOpening, AbOpensTheBookModalOverTheComposeWindow) {
    BookProgram p;
    p.store.seed("SAVE_SETTINGS_TICKBOX", "0");
    auto& main = p.start();
    main.ADDRESS_BOOK_BUTTON.userClick();  // hidden: nothing happens
    EXPECT_FALSE(p.bookOpen());

    main.SAVE_SETTINGS_TICKBOX.userClick();
    auto& book = p.open();
    EXPECT_TRUE(book.shown());
    EXPECT_TRUE(book.modal());
    EXPECT_FALSE(main.acceptsInput());
    main.EXIT_BUTTON.userClick();  // the compose window takes no input meanwhile
    EXPECT_TRUE(p.app.loaded(app::kMainWindow));
    EXPECT_TRUE(p.bookOpen());

    book.unload();  // the close box
    EXPECT_FALSE(p.bookOpen());
    EXPECT_TRUE(main.acceptsInput());
    EXPECT_TRUE(p.app.running());
}

TEST(AddressBookOpening, FirstOpeningWithAnEmptyStore) {
    BookProgram p;
    p.start();
    p.store.writes.clear();
    auto& book = p.open();
    EXPECT_EQ(book.caption(), "ORVENDA - ADDRESS_BOOK");
    EXPECT_EQ(book.border(), ui::Border::FixedTool);
    EXPECT_EQ(book.geometry(), (ui::Bounds{1000, 1000, 11670, 9240}));
    ASSERT_EQ(book.rows().size(), 20u);
    for (const auto& row : book.rows()) {
        EXPECT_EQ(row.name.text(), "Name") << row.number;
        EXPECT_EQ(row.address.text(), "Address") << row.number;
    }
    EXPECT_TRUE(p.store.writes.empty()) << "opening writes nothing";
}

TEST(AddressBookOpening, StoredTextsComeBackVerbatimEmptyIncluded) {
    BookProgram p;
    p.store.seed(nameKey(1), "");
    p.store.seed(addressKey(1), "");
    p.store.seed(nameKey(7), "  Bob & Co  ");
    p.store.seed(addressKey(7), "bob@example.org, carol@example.org");
    p.store.seed(nameKey(20), "Zoë");
    p.store.seed(addressKey(10), "Name");  // placeholders are ordinary texts
    auto& book = p.open();
    EXPECT_EQ(book.row(1).name.text(), "");
    EXPECT_EQ(book.row(1).address.text(), "");
    EXPECT_EQ(book.row(7).name.text(), "  Bob & Co  ");
    EXPECT_EQ(book.row(7).address.text(), "bob@example.org, carol@example.org");
    EXPECT_EQ(book.row(20).name.text(), "Zoë");
    EXPECT_EQ(book.row(20).address.text(), "Address");
    EXPECT_EQ(book.row(10).address.text(), "Name");
    EXPECT_EQ(book.row(2).name.text(), "Name");
}

TEST(AddressBookOpening, EveryOpeningShowsBothColumnsWithClearGuarded) {
    BookProgram p;
    auto check = [&](addressbook::AddressBook& book) {
        EXPECT_EQ(book.SHOW_CC_TB.value(), 1);
        EXPECT_EQ(book.SHOW_BCC_TB.value(), 1);
        EXPECT_EQ(book.ENABLE_CLEAR_DATA_BUTTON_TICKBOX.value(), 0);
        EXPECT_FALSE(book.CLEAR_SAVED_DATA_BUTTON.enabled());
        for (const auto& row : book.rows())
            for (const auto& f : kFamilies) EXPECT_TRUE(row.pick(f.family).visible()) << f.prefix << row.number;
    };
    auto& first = p.open();
    check(first);
    first.SHOW_CC_TB.userClick();
    first.SHOW_BCC_TB.userClick();
    first.ENABLE_CLEAR_DATA_BUTTON_TICKBOX.userClick();
    first.unload();
    check(p.open());
    // The same after "SAVE AND CLOSE".
    auto& second = p.book();
    second.SHOW_CC_TB.userClick();
    second.ENABLE_CLEAR_DATA_BUTTON_TICKBOX.userClick();
    second.SAVE_CLOSE_BUTTON.userClick();
    check(p.open());
}

TEST(AddressBookOpening, GeometryComesBackAndStaysReachable) {
    {
        BookProgram p;
        p.store.seed("ABMainLeft", "-300");
        p.store.seed("ABMainTop", "2500.5");
        p.store.seed("ABMainWidth", "11700");
        p.store.seed("ABMainHeight", "9300");
        EXPECT_EQ(p.open().geometry(), (ui::Bounds{-300, 2500.5f, 11700, 9300}))
            << "partly on screen: applied unchanged";
    }
    {
        BookProgram p;
        p.store.seed("ABMainLeft", "90000");
        p.store.seed("ABMainTop", "-70000");
        auto& book = p.open();
        // Moved onto the work area of the one 28800 x 15600 twip monitor.
        EXPECT_EQ(book.geometry(), (ui::Bounds{28800 - 11670, 0, 11670, 9240}));
    }
    {
        BookProgram p;
        p.store.seed("ABMainLeft", "left");
        p.store.seed("ABMainHeight", "");
        auto& book = p.open();
        EXPECT_EQ(book.left(), 1000);
        EXPECT_EQ(book.height(), 9240);
    }
}

// --- Closing -------------------------------------------------------------

TEST(AddressBookClosing, SaveAndCloseWritesAll40EntriesThenTheGeometry) {
    BookProgram p;
    p.store.seed(nameKey(4), "stored");
    auto& book = p.open();
    book.row(1).name.userEdited("Alice");
    book.row(1).address.userEdited("alice@example.org");
    book.row(4).name.userEdited("");
    book.row(20).address.userEdited("zed@example.org");
    book.userMoved({2400, 1800, 11670, 9240});
    p.store.writes.clear();
    book.SAVE_CLOSE_BUTTON.userClick();

    Writes expected;
    for (int n = 1; n <= kRows; ++n)
        expected.push_back({nameKey(n), n == 1 ? "Alice" : n == 4 ? "" : "Name"});
    for (int n = 1; n <= kRows; ++n)
        expected.push_back({addressKey(n), n == 1 ? "alice@example.org" : n == 20 ? "zed@example.org" : "Address"});
    // The button stores the geometry, then the close step stores it again.
    for (int twice = 0; twice < 2; ++twice)
        for (auto& w : geometryWrites("2400", "1800", "11670", "9240")) expected.push_back(w);
    EXPECT_EQ(p.store.writes, expected);
    EXPECT_FALSE(p.bookOpen());
    EXPECT_TRUE(p.main().acceptsInput());
}

TEST(AddressBookClosing, CloseBoxStoresOnlyTheGeometryAndDropsEdits) {
    BookProgram p;
    p.store.seed(nameKey(2), "Bob");
    auto& book = p.open();
    book.row(2).name.userEdited("Robert");
    book.row(3).address.userEdited("typed@example.org");
    book.userMoved({5000, 6000, 11670, 9240});
    p.store.writes.clear();
    book.unload();
    EXPECT_EQ(p.store.writes, geometryWrites("5000", "6000", "11670", "9240"));

    auto& again = p.open();
    EXPECT_EQ(again.geometry(), (ui::Bounds{5000, 6000, 11670, 9240}));
    EXPECT_EQ(again.row(2).name.text(), "Bob");
    EXPECT_EQ(again.row(3).address.text(), "Address");
}

TEST(AddressBookClosing, SavedEntriesSurviveARestart) {
    std::map<std::string, std::string> carried;
    {
        BookProgram first;
        auto& book = first.open();
        book.row(5).name.userEdited("Eve");
        book.row(5).address.userEdited("eve@example.org");
        book.row(6).address.userEdited("");
        book.SAVE_CLOSE_BUTTON.userClick();
        first.main().EXIT_BUTTON.userClick();
        EXPECT_TRUE(first.backend.ended);
        carried = first.store.values;
    }
    BookProgram second;
    second.store.values = carried;
    auto& book = second.open();
    EXPECT_EQ(book.row(5).name.text(), "Eve");
    EXPECT_EQ(book.row(5).address.text(), "eve@example.org");
    EXPECT_EQ(book.row(6).address.text(), "");
    EXPECT_EQ(book.row(6).name.text(), "Name");
}

TEST(AddressBookClosing, ClosingTheComposeWindowClosesTheBookFirst) {
    BookProgram p;
    auto& book = p.open();
    book.row(1).name.userEdited("unsaved");
    p.main().unload();  // e.g. the session ends
    EXPECT_FALSE(p.bookOpen());
    EXPECT_TRUE(p.backend.ended);
    EXPECT_EQ(p.stored("ABMainLeft"), "1000");
    EXPECT_EQ(p.stored(nameKey(1)), "<missing>");
}

// --- CLEAR ---------------------------------------------------------------

TEST(AddressBookClear, TheTickboxIsTheGuard) {
    BookProgram p;
    auto& book = p.open();
    book.row(1).name.userEdited("kept");
    book.CLEAR_SAVED_DATA_BUTTON.userClick();  // disabled
    EXPECT_EQ(book.row(1).name.text(), "kept");
    EXPECT_TRUE(p.store.writes.empty());

    book.ENABLE_CLEAR_DATA_BUTTON_TICKBOX.userClick();
    EXPECT_TRUE(book.CLEAR_SAVED_DATA_BUTTON.enabled());
    book.ENABLE_CLEAR_DATA_BUTTON_TICKBOX.userClick();
    EXPECT_FALSE(book.CLEAR_SAVED_DATA_BUTTON.enabled());
    book.ENABLE_CLEAR_DATA_BUTTON_TICKBOX.setValue(2);  // grey is not ticked
    EXPECT_FALSE(book.CLEAR_SAVED_DATA_BUTTON.enabled());
    EXPECT_TRUE(p.store.writes.empty());
}

TEST(AddressBookClear, ResetsFieldsAndKeysAtOnceAndStaysOpen) {
    BookProgram p;
    for (int n = 1; n <= kRows; ++n) {
        p.store.seed(nameKey(n), "N" + std::to_string(n));
        p.store.seed(addressKey(n), "a" + std::to_string(n) + "@example.org");
    }
    auto& book = p.open();
    book.row(9).address.userEdited("");
    book.userMoved({3000, 3000, 11670, 9240});
    book.ENABLE_CLEAR_DATA_BUTTON_TICKBOX.userClick();
    book.CLEAR_SAVED_DATA_BUTTON.userClick();

    Writes expected;
    for (int n = 1; n <= kRows; ++n) expected.push_back({nameKey(n), "Name"});
    for (int n = 1; n <= kRows; ++n) expected.push_back({addressKey(n), "Address"});
    EXPECT_EQ(p.store.writes, expected) << "the 40 keys, no geometry";
    for (const auto& row : book.rows()) {
        EXPECT_EQ(row.name.text(), "Name");
        EXPECT_EQ(row.address.text(), "Address");
    }
    EXPECT_TRUE(p.bookOpen());
    EXPECT_EQ(book.ENABLE_CLEAR_DATA_BUTTON_TICKBOX.value(), 1);
    EXPECT_TRUE(book.CLEAR_SAVED_DATA_BUTTON.enabled());

    // The close box right after keeps the cleared store.
    book.unload();
    auto& again = p.open();
    EXPECT_EQ(again.row(1).name.text(), "Name");
    EXPECT_EQ(again.row(20).address.text(), "Address");
}

TEST(AddressBookClear, RowsTypedAfterClearAreSavedByTheSaveButton) {
    BookProgram p;
    p.store.seed(nameKey(3), "old");
    auto& book = p.open();
    book.ENABLE_CLEAR_DATA_BUTTON_TICKBOX.userClick();
    book.CLEAR_SAVED_DATA_BUTTON.userClick();
    book.row(3).name.userEdited("new");
    book.row(3).address.userEdited("new@example.org");
    book.SAVE_CLOSE_BUTTON.userClick();
    EXPECT_EQ(p.stored(nameKey(3)), "new");
    EXPECT_EQ(p.stored(addressKey(3)), "new@example.org");
    EXPECT_EQ(p.stored(nameKey(4)), "Name");
}

// --- Layout --------------------------------------------------------------

TEST(AddressBookLayout, TabOrderRunsSaveColumnsRowsThenClear) {
    BookProgram p;
    auto& book = p.open();
    std::vector<std::pair<int, std::string>> tabbed;
    for (const auto& c : book.controls())
        if (c->look().tabIndex >= 0) tabbed.push_back({c->look().tabIndex, c->name()});
    std::sort(tabbed.begin(), tabbed.end());

    std::vector<std::string> expected{"SAVE_CLOSE_BUTTON", "SHOW_CC_TB", "SHOW_BCC_TB"};
    for (int n = 1; n <= kRows; ++n) {
        const std::string s = std::to_string(n);
        for (const char* prefix : {"AT_NAME_TEXTBOX_", "AT_ADDRESS_TEXTBOX_", "FROM_BUTTON_",
                                   "TO_BUTTON_", "CC_BUTTON_", "BCC_BUTTON_"})
            expected.push_back(prefix + s);
    }
    expected.push_back("ENABLE_CLEAR_DATA_BUTTON_TICKBOX");
    expected.push_back("CLEAR_SAVED_DATA_BUTTON");

    ASSERT_EQ(tabbed.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(tabbed[i].first, int(i)) << "tab positions run without gaps or repeats";
        EXPECT_EQ(tabbed[i].second, expected[i]);
    }
}

}  // namespace
}  // namespace orvenda
