// The pick buttons and the Cc and Bcc column tickboxes, tested through the
// index of rows and families so that every one of the 80 buttons is covered.
#include <gtest/gtest.h>

#include "addressbook/book.h"

namespace orvenda {
namespace {

using addressbook::Family;
using addressbook::PickFamily;
using addressbook::kFamilies;
using addressbook::kRows;
using testing::BookProgram;

ui::TextBox& target(app::MainWindow& main, Family family) {
    switch (family) {
        case Family::From: return main.SEND_FROM_ADDRESS_TEXTBOX;
        case Family::To: return main.SEND_TO_ADDRESS_TEXTBOX;
        case Family::Cc: return main.SEND_CC_ADDRESS_TEXTBOX;
        case Family::Bcc: return main.SEND_BCC_ADDRESS_TEXTBOX;
    }
    throw std::logic_error("unknown family");
}

void markTargets(app::MainWindow& main) {
    for (const auto& f : kFamilies) target(main, f.family).setText(std::string("was ") + f.caption);
}

TEST(PickButtons, EveryButtonCopiesItsRowsAddressIntoItsFamilysFieldOnly) {
    BookProgram p;
    auto& main = p.start();
    auto& book = p.open();
    for (const auto& row : book.rows())
        row.address.userEdited("row" + std::to_string(row.number) + "@example.org");
    p.store.writes.clear();

    for (const PickFamily& f : kFamilies) {
        for (int n = 1; n <= kRows; ++n) {
            markTargets(main);
            book.row(n).pick(f.family).userClick();
            for (const auto& other : kFamilies) {
                const std::string expected = other.family == f.family
                                                 ? "row" + std::to_string(n) + "@example.org"
                                                 : std::string("was ") + other.caption;
                EXPECT_EQ(target(main, other.family).text(), expected)
                    << f.prefix << n << " seen in " << other.target;
            }
        }
    }
    // Picks store nothing, close nothing and leave the book's own texts alone.
    EXPECT_TRUE(p.store.writes.empty());
    EXPECT_TRUE(p.bookOpen());
    EXPECT_EQ(book.row(1).name.text(), "Name");
    EXPECT_EQ(book.row(20).address.text(), "row20@example.org");
}

TEST(PickButtons, AFieldIsReplacedNeverAppendedTo) {
    BookProgram p;
    auto& main = p.start();
    auto& book = p.open();
    book.row(3).address.userEdited("three@example.org");
    book.row(5).address.userEdited("five@example.org");
    main.SEND_TO_ADDRESS_TEXTBOX.setText("typed@example.org; other@example.org");
    book.row(3).pick(Family::To).userClick();
    book.row(5).pick(Family::To).userClick();
    EXPECT_EQ(main.SEND_TO_ADDRESS_TEXTBOX.text(), "five@example.org");
    book.row(5).pick(Family::To).userClick();
    EXPECT_EQ(main.SEND_TO_ADDRESS_TEXTBOX.text(), "five@example.org");
}

TEST(PickButtons, PlaceholderEmptyAndUnsavedTextsAreCopiedAsTheyStand) {
    BookProgram p;
    p.store.seed("AT_ADDRESS_TEXTBOX_2", "");
    p.store.seed("AT_ADDRESS_TEXTBOX_3", "saved@example.org");
    auto& main = p.start();
    auto& book = p.open();
    book.row(3).address.userEdited(" typed, not saved ");

    for (const auto& f : kFamilies) {
        markTargets(main);
        book.row(1).pick(f.family).userClick();
        EXPECT_EQ(target(main, f.family).text(), "Address") << f.prefix;
        book.row(2).pick(f.family).userClick();
        EXPECT_EQ(target(main, f.family).text(), "") << f.prefix;
        book.row(3).pick(f.family).userClick();
        EXPECT_EQ(target(main, f.family).text(), " typed, not saved ") << f.prefix;
    }
}

TEST(PickButtons, ThePickReachesTheCommandLineWhileTheBookIsOpen) {
    BookProgram p;
    auto& main = p.start();
    auto& book = p.open();
    book.row(12).address.userEdited("bob@example.org");
    book.row(12).pick(Family::To).userClick();
    book.row(4).address.userEdited("carol@example.org");
    book.row(4).pick(Family::Bcc).userClick();
    p.advance(1000);
    ASSERT_TRUE(p.bookOpen());
    const std::string& line = main.OUTPUT_COMMAND_TEXTBOX.text();
    EXPECT_NE(line.find(R"( -t "bob@example.org")"), std::string::npos) << line;
    EXPECT_NE(line.find(R"( -bcc "carol@example.org")"), std::string::npos) << line;
}

TEST(PickButtons, WithoutTheComposeWindowAPickDoesNotRecreateIt) {
    BookProgram p;
    auto& book = p.app.form<addressbook::AddressBook>(addressbook::kAddressBookWindow);
    book.row(1).pick(Family::To).userClick();
    EXPECT_FALSE(p.app.loaded(app::kMainWindow));
    EXPECT_TRUE(p.store.writes.empty());
}

// --- Column tickboxes ------------------------------------------------------

// Visibility of every pick button, as one text per family ("1" shown, "0"
// hidden, one character per row).
std::string column(const addressbook::AddressBook& book, Family family) {
    std::string s;
    for (const auto& row : book.rows()) s += row.pick(family).visible() ? '1' : '0';
    return s;
}

TEST(ColumnTickboxes, EachTickboxGovernsItsOwnColumnOnly) {
    const std::string shown(kRows, '1'), hidden(kRows, '0');
    BookProgram p;
    auto& book = p.open();
    struct Case {
        ui::TickBox& tickbox;
        Family family;
    };
    for (Case c : {Case{book.SHOW_CC_TB, Family::Cc}, Case{book.SHOW_BCC_TB, Family::Bcc}}) {
        c.tickbox.userClick();
        for (const auto& f : kFamilies)
            EXPECT_EQ(column(book, f.family), f.family == c.family ? hidden : shown) << f.prefix;
        c.tickbox.userClick();
        for (const auto& f : kFamilies) EXPECT_EQ(column(book, f.family), shown) << f.prefix;
    }
    book.SHOW_CC_TB.userClick();
    book.SHOW_BCC_TB.userClick();
    EXPECT_EQ(column(book, Family::Cc), hidden);
    EXPECT_EQ(column(book, Family::Bcc), hidden);
    EXPECT_EQ(column(book, Family::From), shown);
    EXPECT_EQ(column(book, Family::To), shown);
    book.SHOW_CC_TB.setValue(2);  // grey: hidden as well
    EXPECT_EQ(column(book, Family::Cc), hidden);
    EXPECT_TRUE(p.store.writes.empty());
}

TEST(ColumnTickboxes, AHiddenButtonCannotBeClickedAndAPickedAddressStays) {
    BookProgram p;
    auto& main = p.start();
    auto& book = p.open();
    book.row(8).address.userEdited("cc@example.org");
    book.row(8).pick(Family::Cc).userClick();
    book.SHOW_CC_TB.userClick();
    EXPECT_EQ(main.SEND_CC_ADDRESS_TEXTBOX.text(), "cc@example.org");

    book.row(9).address.userEdited("other@example.org");
    book.row(9).pick(Family::Cc).userClick();
    EXPECT_EQ(main.SEND_CC_ADDRESS_TEXTBOX.text(), "cc@example.org");

    p.advance(1000);
    EXPECT_NE(main.OUTPUT_COMMAND_TEXTBOX.text().find(R"( -cc "cc@example.org")"), std::string::npos);
}

}  // namespace
}  // namespace orvenda
