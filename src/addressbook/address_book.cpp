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

// A row's keys bear the names of its boxes.
settings::TextKey nameKey(const Row& row) {
    return {row.name.name(), keys::AT_NAME_TEXTBOX.fallback};
}
settings::TextKey addressKey(const Row& row) {
    return {row.address.name(), keys::AT_ADDRESS_TEXTBOX.fallback};
}

Look bold(float left, float top, float width, float height, float points) {
    Look look = at(left, top, width, height);
    look.font = ui::Font{"MS Sans Serif", points, true};
    return look;
}

}  // namespace

AddressBook::AddressBook(ui::Application& app, platform::Services& services, AddressFields* compose)
    : ui::Form(app, kAddressBookWindow, "ORVENDA - ADDRESS_BOOK", ui::Border::FixedTool,
               kClientArea),
      ORVENDA_TITLE_1(add<ui::Label>("ORVENDA_TITLE_1", bold(120, 120, 3735, 465, 12), "NAME")),
      ORVENDA_TITLE_2(
          add<ui::Label>("ORVENDA_TITLE_2", bold(3960, 120, 4575, 465, 12), "EMAIL ADDRESS")),
      MORE_LABEL(
          add<ui::Label>("MORE_LABEL", bold(8640, 240, 1335, 255, 8.25f), "MORE ------->")),
      SHOW_CC_TB(add<ui::TickBox>("SHOW_CC_TB", at(10080, 240, 495, 255, kShowCcTab), "Cc", 1)),
      SHOW_BCC_TB(
          add<ui::TickBox>("SHOW_BCC_TB", at(10800, 240, 615, 255, kShowBccTab), "Bcc", 1)),
      CLEAR_SAVED_DATA_BUTTON(add<ui::Button>("CLEAR_SAVED_DATA_BUTTON",
                                              at(960, 8160, 1815, 495, kClearTab),
                                              "CLEAR ALL NAMES AMD ADDRESSES")),
      ENABLE_CLEAR_DATA_BUTTON_TICKBOX(add<ui::TickBox>("ENABLE_CLEAR_DATA_BUTTON_TICKBOX",
                                                        at(3840, 8160, 2055, 375, kEnableClearTab),
                                                        "Enable CLEAR Button", 0)),
      SAVE_CLOSE_BUTTON(add<ui::Button>("SAVE_CLOSE_BUTTON",
                                        at(6360, 8160, 1935, 495, kSaveCloseTab),
                                        "SAVE AND CLOSE")),
      services_(services),
      compose_(compose) {
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
        row.name.setSpokenName("Name " + std::to_string(n));
        row.address.setSpokenName("Address " + std::to_string(n));
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
    ENABLE_CLEAR_DATA_BUTTON_TICKBOX.onClick = [this] {
        ENABLE_CLEAR_DATA_BUTTON_TICKBOX_Click();
    };
    SHOW_CC_TB.onClick = [this] { SHOW_CC_TB_Click(); };
    SHOW_BCC_TB.onClick = [this] { SHOW_BCC_TB_Click(); };
}

// Every opening is a fresh window: geometry and the 40 texts come from the
// store, the column rule runs for both columns.
void AddressBook::Form_Load() {
    auto& settings = services_.settings;
    settings::restoreGeometry(*this, settings, keys::AddressBook);
    for (const Row& row : rows_) row.name.setText(settings.read(nameKey(row)));
    for (const Row& row : rows_) row.address.setText(settings.read(addressKey(row)));
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
    for (const Row& row : rows_) settings.write(nameKey(row), row.name.text());
    for (const Row& row : rows_) settings.write(addressKey(row), row.address.text());
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
    for (const Row& row : rows_) settings.write(nameKey(row), name);
    for (const Row& row : rows_) settings.write(addressKey(row), address);
}

void AddressBook::ENABLE_CLEAR_DATA_BUTTON_TICKBOX_Click() {
    CLEAR_SAVED_DATA_BUTTON.setEnabled(ENABLE_CLEAR_DATA_BUTTON_TICKBOX.value() == 1);
}

}  // namespace orvenda::addressbook
