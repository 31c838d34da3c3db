// addressbook: the address book window ORVENDA_ADDRESS_BOOK.
//
// Twenty rows of a name box and an address box, each row with four pick
// buttons (From, To, Cc, Bcc) that copy the row's address into the compose
// window's matching field. The boxes are the data; the settings store keeps
// them between openings. The rows and the four button families are one
// indexed set: every member is built and handled by the same rule.
//
// This room reads and writes the settings store (through src/settings) and
// reaches the compose window only through AddressFields. It uses ui and the
// platform service bundle, never app, and makes no platform call.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "names/window_names.h"
#include "platform/services.h"
#include "settings/keys.h"
#include "ui/form.h"

namespace orvenda::addressbook {

using names::kAddressBookWindow;
inline constexpr int kRows = settings::keys::AddressBookRows;

enum class Family { From, To, Cc, Bcc };

// All the address book may do to the compose window, which hands it over
// when the book is made.
class AddressFields {
public:
    virtual void putAddress(Family field, const std::string& address) = 0;

protected:
    ~AddressFields() = default;
};

// One family of pick buttons: one button per row, all alike.
struct PickFamily {
    Family family;
    const char* prefix;   // button name = prefix + row number
    const char* caption;
    float left;           // twips, the family's column
};

inline constexpr std::array<PickFamily, 4> kFamilies{{
    {Family::From, "FROM_BUTTON_", "From", 8640},
    {Family::To, "TO_BUTTON_", "To", 9360},
    {Family::Cc, "CC_BUTTON_", "Cc", 10080},
    {Family::Bcc, "BCC_BUTTON_", "Bcc", 10800},
}};

// One entry of the book: its two boxes and its four pick buttons.
struct Row {
    int number;  // 1 to 20, top to bottom
    ui::TextBox& name;
    ui::TextBox& address;
    std::array<ui::Button*, kFamilies.size()> picks;  // indexed by Family

    ui::Button& pick(Family family) const { return *picks[static_cast<int>(family)]; }
};

class AddressBook : public ui::Form {
public:
    // Picks go into `compose`; with none, a pick does nothing.
    AddressBook(ui::Application& app, platform::Services& services, AddressFields* compose);

    ui::Label& ORVENDA_TITLE_1;
    ui::Label& ORVENDA_TITLE_2;
    ui::Label& MORE_LABEL;
    ui::TickBox& SHOW_CC_TB;
    ui::TickBox& SHOW_BCC_TB;
    ui::Button& CLEAR_SAVED_DATA_BUTTON;
    ui::TickBox& ENABLE_CLEAR_DATA_BUTTON_TICKBOX;
    ui::Button& SAVE_CLOSE_BUTTON;

    // Row n is rows()[n - 1].
    const std::vector<Row>& rows() const { return rows_; }
    const Row& row(int number) const { return rows_.at(number - 1); }

    // Handlers.
    void SAVE_CLOSE_BUTTON_Click();
    void CLEAR_SAVED_DATA_BUTTON_Click();
    void ENABLE_CLEAR_DATA_BUTTON_TICKBOX_Click();
    // Pick buttons and column tickboxes (pick_buttons.cpp).
    void PICK_BUTTON_Click(Family family, int row);
    void SHOW_CC_TB_Click();
    void SHOW_BCC_TB_Click();

protected:
    void Form_Load() override;
    void Form_Unload() override;

private:
    void showColumn(Family family, const ui::TickBox& tickbox);

    platform::Services& services_;
    AddressFields* compose_;
    std::vector<Row> rows_;
};

}  // namespace orvenda::addressbook
