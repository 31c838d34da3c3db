// addressbook: the window's layout, its load and close steps, "SAVE AND
// CLOSE" and the guarded CLEAR button.
#include "addressbook/address_book.h"

#include "settings/geometry.h"

namespace orvenda::addressbook {

namespace {

using ui::Bounds;
using ui::Look;
namespace keys = settings::keys;

constexpr Bounds kClientArea{0, 0, 11580, 8910};
constexpr float kFirstRowTop = 720;
constexpr float kRowPitch = 360;
constexpr float kBoxHeight = 285;
constexpr float kPickWidth = 615;
constexpr float kPickHeight = 255;

float rowTop(int row) { return kFirstRowTop + kRowPitch * float(row - 1); }

// Tab order: "SAVE AND CLOSE", the two column tickboxes, then row by row
// name, address and the four pick buttons, then the CLEAR guard and CLEAR.
constexpr int kSaveCloseTab = 0;
constexpr int kShowCcTab = 1;
constexpr int kShowBccTab = 2;
int nameTab(int row) { return 6 * row - 3; }
int addressTab(int row) { return 6 * row - 2; }
int pickTab(int row, Family family) { return 6 * row - 1 + static_cast<int>(family); }
constexpr int kEnableClearTab = 6 * kRows + 3;
constexpr int kClearTab = 6 * kRows + 4;

Look at(float left, float top, float width, float height, int tab = -1) {
    return Look{Bounds{left, top, width, height}, tab, {}, {}, {}};
}

Look heading(float left, float width) {
    Look look = at(left, 120, width, 465);
    look.font = ui::Font{"MS Sans Serif", 12, true};
    return look;
}

settings::TextKey keyOf(const ui::TextBox& box, const settings::TextKey& family) {
    return settings::TextKey{box.name(), family.fallback};
}

}  // namespace

AddressBook::AddressBook(ui::Application& app, app::Services& services)
    : ui::Form(app, kAddressBookWindow, "ORVENDA - ADDRESS_BOOK", ui::Border::FixedTool,
               kClientArea),
      ORVENDA_TITLE_1(add<ui::Label>("ORVENDA_TITLE_1", heading(120, 3735), "NAME")),
      ORVENDA_TITLE_2(add<ui::Label>("ORVENDA_TITLE_2", heading(3960, 4575), "EMAIL ADDRESS")),
      MORE_LABEL(add<ui::Label>("MORE_LABEL",
                                Look{{8640, 240, 1335, 255}, -1, ui::Font{"MS Sans Serif", 8.25f, true},
                                     {}, {}},
                                "MORE ------->")),
      SHOW_CC_TB(add<ui::TickBox>("SHOW_CC_TB", at(10080, 240, 495, 255, kShowCcTab), "Cc", 1)),
      SHOW_BCC_TB(add<ui::TickBox>("SHOW_BCC_TB", at(10800, 240, 615, 255, kShowBccTab), "Bcc", 1)),
      CLEAR_SAVED_DATA_BUTTON(add<ui::Button>("CLEAR_SAVED_DATA_BUTTON",
                                              at(960, 8160, 1815, 495, kClearTab),
                                              "CLEAR ALL NAMES AMD ADDRESSES")),
      ENABLE_CLEAR_DATA_BUTTON_TICKBOX(add<ui::TickBox>("ENABLE_CLEAR_DATA_BUTTON_TICKBOX",
                                                        at(3840, 8160, 2055, 375, kEnableClearTab),
                                                        "Enable CLEAR Button", 0)),
      SAVE_CLOSE_BUTTON(add<ui::Button>("SAVE_CLOSE_BUTTON", at(6360, 8160, 1935, 495, kSaveCloseTab),
                                        "SAVE AND CLOSE")),
      services_(services) {
    rows_.reserve(kRows);
    for (int n = 1; n <= kRows; ++n) {
        const float top = rowTop(n);
        Row row{n,
                add<ui::TextBox>(keys::rowName(keys::AT_NAME_TEXTBOX.name, n),
                                 at(120, top, 3735, kBoxHeight, nameTab(n)),
                                 std::string(keys::AT_NAME_TEXTBOX.fallback)),
                add<ui::TextBox>(keys::rowName(keys::AT_ADDRESS_TEXTBOX.name, n),
                                 at(3960, top, 4575, kBoxHeight, addressTab(n)),
                                 std::string(keys::AT_ADDRESS_TEXTBOX.fallback)),
                {}};
        for (const PickFamily& f : kFamilies) {
            ui::Button& button = add<ui::Button>(keys::rowName(f.prefix, n),
                                                 at(f.left, top, kPickWidth, kPickHeight,
                                                    pickTab(n, f.family)),
                                                 f.caption);
            button.onClick = [this, family = f.family, n] { PICK_BUTTON_Click(family, n); };
            row.picks[static_cast<int>(f.family)] = &button;
        }
        rows_.push_back(row);
    }

    CLEAR_SAVED_DATA_BUTTON.setEnabled(false);

    SAVE_CLOSE_BUTTON.onClick = [this] { SAVE_CLOSE_BUTTON_Click(); };
    CLEAR_SAVED_DATA_BUTTON.onClick = [this] { CLEAR_SAVED_DATA_BUTTON_Click(); };
    ENABLE_CLEAR_DATA_BUTTON_TICKBOX.onClick = [this] { ENABLE_CLEAR_DATA_BUTTON_TICKBOX_Click(); };
    SHOW_CC_TB.onClick = [this] { SHOW_CC_TB_Click(); };
    SHOW_BCC_TB.onClick = [this] { SHOW_BCC_TB_Click(); };
}

// Every opening is a fresh window: geometry and the 40 texts come from the
// store, the column rule runs for both columns.
void AddressBook::Form_Load() {
    auto& settings = services_.settings;
    settings::restoreGeometry(*this, settings, keys::AddressBook);
    for (const Row& row : rows_) row.name.setText(settings.read(keyOf(row.name, keys::AT_NAME_TEXTBOX)));
    for (const Row& row : rows_)
        row.address.setText(settings.read(keyOf(row.address, keys::AT_ADDRESS_TEXTBOX)));
    showColumn(Family::Cc, SHOW_CC_TB);
    showColumn(Family::Bcc, SHOW_BCC_TB);
}

// Whichever way the window closes, only its geometry is stored; edits not
// saved with "SAVE AND CLOSE" are dropped.
void AddressBook::Form_Unload() {
    settings::storeGeometry(*this, services_.settings, keys::AddressBook);
}

void AddressBook::SAVE_CLOSE_BUTTON_Click() {
    auto& settings = services_.settings;
    for (const Row& row : rows_) settings.write(keyOf(row.name, keys::AT_NAME_TEXTBOX), row.name.text());
    for (const Row& row : rows_)
        settings.write(keyOf(row.address, keys::AT_ADDRESS_TEXTBOX), row.address.text());
    settings::storeGeometry(*this, settings, keys::AddressBook);
    unload();
}

// Resets every row on screen and in the store at once; the window stays open.
void AddressBook::CLEAR_SAVED_DATA_BUTTON_Click() {
    auto& settings = services_.settings;
    const std::string name(keys::AT_NAME_TEXTBOX.fallback);
    const std::string address(keys::AT_ADDRESS_TEXTBOX.fallback);
    for (const Row& row : rows_) row.name.setText(name);
    for (const Row& row : rows_) row.address.setText(address);
    for (const Row& row : rows_) settings.write(keyOf(row.name, keys::AT_NAME_TEXTBOX), name);
    for (const Row& row : rows_) settings.write(keyOf(row.address, keys::AT_ADDRESS_TEXTBOX), address);
}

void AddressBook::ENABLE_CLEAR_DATA_BUTTON_TICKBOX_Click() {
    CLEAR_SAVED_DATA_BUTTON.setEnabled(ENABLE_CLEAR_DATA_BUTTON_TICKBOX.value() == 1);
}

}  // namespace orvenda::addressbook
