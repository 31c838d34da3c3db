// app: the compose window's table of fields, its controls and layout, its
// load steps, its close steps, "Save On Exit", EXIT, ABOUT, AB and the
// address book's picks. Uses settings, windows, addressbook, ui and the
// platform services.
#include "app/main_window.h"

#include "settings/geometry.h"
#include "windows/about_window.h"

namespace orvenda::app {

namespace {

using ui::Bounds;
using ui::Look;

Look placed(Bounds bounds, int tab = -1) { return Look{bounds, tab, {}, {}, {}}; }
Look at(float left, float top, float width, float height, int tab = -1) {
    return placed({left, top, width, height}, tab);
}

constexpr float kRow = 360;
constexpr float kHeight = 285;  // of a one-line field and its label
constexpr ui::TextBoxStyle kLine{};
constexpr ui::TextBoxStyle kMultiLine{true, true, false, false};
constexpr ui::TextBoxStyle kPassword{false, false, true, false};
using Line = send::Fields;

// In the order the load and close steps read and store the kept fields,
// which the check before a send follows too.
constexpr UserField kUserFields[] = {
    {"INSTALL_FOLDER_TEXTBOX", "INSTALL_FOLDER_LABEL", "INSTALL FOLDER", {6840, 120, 1740, kHeight},
     {8640, 120, 4695, kHeight}, 12, "e.g. C:\\SendEmail", kLine, true, &Line::folder},
    {"SMTP_SERVER_ADDRESS_PORT_TEXTBOX", "SMTP_SERVER_PORT_LABEL", "SMTP SERVER:PORT", {6840, 540, 1740, kHeight},
     {8640, 540, 4695, kHeight}, 6, "e.g. IP:25 or FQDN:25", kLine, true, &Line::server},
    {"SMTP_USERNAME_TEXTBOX", "SMTP_USERNAME_LABEL", "SMTP USERNAME", {7080, 960, 1500, kHeight},
     {8640, 960, 2655, kHeight}, 7, "username", kLine, true, &Line::user},
    {"SMTP_PASSWORD_TEXTBOX", "SMTP_PASSWORD_LABEL", "SMTP PASSWORD", {7080, 1320, 1500, kHeight},
     {8640, 1320, 2655, kHeight}, 8, "pwsample", kPassword, true, &Line::password},
    {"SEND_FROM_ADDRESS_TEXTBOX", "FROM_LABEL", "From", {60, 960, 495, kHeight}, {600, 960, 6135, kHeight}, 1, "",
     kLine, true, &Line::from},
    {"SEND_TO_ADDRESS_TEXTBOX", "TO_LABEL", "To", {60, 960 + kRow, 495, kHeight}, {600, 960 + kRow, 6135, kHeight}, 0,
     "", kLine, false, &Line::to},
    {"SEND_CC_ADDRESS_TEXTBOX", "CC_LABEL", "Cc", {60, 960 + 2 * kRow, 495, kHeight},
     {600, 960 + 2 * kRow, 6135, kHeight}, 2, "", kLine, false, &Line::cc},
    {"SEND_BCC_ADDRESS_TEXTBOX", "BCC_LABEL", "Bcc", {60, 960 + 3 * kRow, 495, kHeight},
     {600, 960 + 3 * kRow, 6135, kHeight}, 3, "", kLine, false, &Line::bcc},
    {"SUBJECT_TEXTBOX", "SUBJECT_LABEL", "Subject", {0, 2400, 600, kHeight}, {600, 2400, 12675, kHeight}, 4, "", kLine,
     false, &Line::subject},
    {"MESSAGE_TEXTBOX", nullptr, "Message", {}, {60, 2760, 13215, 3765}, 5, "", kMultiLine, false, nullptr},
};

// The TLS boxes, in the order of the modes, each captioned with its mode's text.
struct TlsBoxPlace {
    const char* name;
    Bounds at;
    int tab;
};
constexpr TlsBoxPlace kTlsBoxes[] = {{"TLS_NO_TICKBOX", {11520, 1140, 555, 285}, 16},
                                     {"TLS_YES_TICKBOX", {12120, 1140, 555, 285}, 17},
                                     {"TLS_AUTO_TICKBOX", {12720, 1140, 600, 285}, 18}};
static_assert(std::size(kTlsBoxes) == send::kTlsModes.size());

// Stored under the control's name, with what the control starts with as the default.
settings::TextKey keptKey(const UserField& field) { return {field.name, field.text}; }
settings::TickKey tlsKey(send::Tls mode) {
    return {kTlsBoxes[static_cast<int>(mode)].name, send::shows({}, mode).ticked};
}

}  // namespace

// Native controls are made in tab order, and where two share a tab index in
// the order they were added. So a label that takes its field's tab index and
// is added first stands just before the field, where screen readers look for
// the field's name.
std::vector<std::pair<const UserField*, ui::TextBox*>> MainWindow::makeFields() {
    std::vector<std::pair<const UserField*, ui::TextBox*>> made;
    for (const UserField& field : kUserFields) {
        if (field.label)
            add<ui::Label>(field.label, placed(field.labelAt, field.tab), field.spokenName, ui::Align::Right);
        auto& box = add<ui::TextBox>(field.name, placed(field.at, field.tab), field.text, field.style);
        if (!field.label) box.setSpokenName(field.spokenName);
        made.emplace_back(&field, &box);
    }
    return made;
}

std::array<ui::TickBox*, send::kTlsModes.size()> MainWindow::makeTlsBoxes() {
    std::array<ui::TickBox*, send::kTlsModes.size()> made;
    for (send::Tls mode : send::kTlsModes) {
        const TlsBoxPlace& box = kTlsBoxes[static_cast<int>(mode)];
        made[static_cast<int>(mode)] = &add<ui::TickBox>(box.name, placed(box.at, box.tab), std::string(send::text(mode)), 0);
    }
    return made;
}

// The laid-out client area is the default size less the classic frame of a
// sizable window (8 by 27 pixels at 96 DPI): room for every control and,
// below them, the status bar in the taller form Windows 10 and 11 draw.
MainWindow::MainWindow(ui::Application& app, platform::Services& services)
    : ui::Form(app, kMainWindow, "ORVENDA", ui::Border::Sizable, Bounds{0, 0, 13455, 7845}),
      fields_(makeFields()),
      tlsBoxes_(makeTlsBoxes()),
      SEND_TO_ADDRESS_TEXTBOX(get<ui::TextBox>("SEND_TO_ADDRESS_TEXTBOX")),
      SEND_FROM_ADDRESS_TEXTBOX(get<ui::TextBox>("SEND_FROM_ADDRESS_TEXTBOX")),
      SEND_CC_ADDRESS_TEXTBOX(get<ui::TextBox>("SEND_CC_ADDRESS_TEXTBOX")),
      SEND_BCC_ADDRESS_TEXTBOX(get<ui::TextBox>("SEND_BCC_ADDRESS_TEXTBOX")),
      SUBJECT_TEXTBOX(get<ui::TextBox>("SUBJECT_TEXTBOX")),
      MESSAGE_TEXTBOX(get<ui::TextBox>("MESSAGE_TEXTBOX")),
      SMTP_SERVER_ADDRESS_PORT_TEXTBOX(get<ui::TextBox>("SMTP_SERVER_ADDRESS_PORT_TEXTBOX")),
      SMTP_USERNAME_TEXTBOX(get<ui::TextBox>("SMTP_USERNAME_TEXTBOX")),
      SMTP_PASSWORD_TEXTBOX(get<ui::TextBox>("SMTP_PASSWORD_TEXTBOX")),
      INSTALL_FOLDER_TEXTBOX(get<ui::TextBox>("INSTALL_FOLDER_TEXTBOX")),
      SEND_EMAIL_BUTTON(add<ui::Button>("SEND_EMAIL_BUTTON", at(11400, 1740, 1935, 555, 9),
                                        "SEND EMAIL")),
      OUTPUT_COMMAND_TEXTBOX(add<ui::TextBox>("OUTPUT_COMMAND_TEXTBOX",
                                              at(60, 6600, 13215, 855, 10),
                                              "OUTPUT COMMAND WINDOW\r\n", kMultiLine)),
      EXIT_BUTTON(add<ui::Button>("EXIT_BUTTON", at(60, 60, 975, 375, 11), "EXIT")),
      SAVE_SETTINGS_TICKBOX(add<ui::TickBox>("SAVE_SETTINGS_TICKBOX", at(60, 540, 1395, 285, 13),
                                             "Save On Exit", 0)),
      OUTPUT_TB_TICKBOX(add<ui::TickBox>("OUTPUT_TB_TICKBOX", at(1500, 540, 2295, 285, 14),
                                         "Output Command Window", 1)),
      SHOW_SE_PROGRESS_TICKBOX(add<ui::TickBox>("SHOW_SE_PROGRESS_TICKBOX",
                                                at(3840, 540, 1815, 285, 15), "Show SE Progress",
                                                1)),
      TLS_NO_TICKBOX(tlsBox(send::Tls::No)),
      TLS_YES_TICKBOX(tlsBox(send::Tls::Yes)),
      TLS_AUTO_TICKBOX(tlsBox(send::Tls::Auto)),
      ADDRESS_BOOK_BUTTON(add<ui::Button>("ADDRESS_BOOK_BUTTON", at(6780, 960, 285, 735, 19), "AB")),
      ABOUT_BUTTON(add<ui::Button>("ABOUT_BUTTON", at(5280, 60, 975, 375, 20), "ABOUT")),
      SENDEMAIL_LOG_BUTTON(add<ui::Button>("SENDEMAIL_LOG_BUTTON", at(5700, 510, 975, 345, 21),
                                           "SE-LOG")),
      LOAD_DRAFT_BUTTON(add<ui::Button>("LOAD_DRAFT_BUTTON", at(7080, 1740, 1335, 555, 22),
                                        "LOAD DRAFT")),
      SAVE_DRAFT_BUTTON(add<ui::Button>("SAVE_DRAFT_BUTTON", at(8475, 1740, 1335, 555, 23),
                                        "SAVE DRAFT")),
      NOTEPAD_EMAIL_BUTTON(add<ui::Button>("NOTEPAD_EMAIL_BUTTON", at(9870, 1740, 1455, 555, 24),
                                           "EDIT IN NOTEPAD")),
      OUTPUT_COMMAND_TIMER(add<ui::Timer>("OUTPUT_COMMAND_TIMER", 1000, false)),
      services_(services) {
    Look title = at(1140, 60, 4035, 375);
    title.font = ui::Font{"MS Sans Serif", 12, true};
    title.foreColor = ui::colors::green;
    title.backColor = ui::colors::black;
    add<ui::Label>("ORVENDA_TITLE", title, "VELDRIN - ORVENDA", ui::Align::Center);
    add<ui::Frame>("TLS_FRAME", at(11400, 840, 1935, 735), "TLS");
    add<ui::StatusBar>("sbStatusBar",
                       std::vector<ui::StatusBar::PanelSpec>{{ui::StatusBar::Panel::Text, "Status", 0},
                                                             {ui::StatusBar::Panel::Date, "", 1800},
                                                             {ui::StatusBar::Panel::Time, "", 1500}});

    OUTPUT_COMMAND_TEXTBOX.setSpokenName("Command line");
    ADDRESS_BOOK_BUTTON.setVisible(false);

    EXIT_BUTTON.onClick = [this] { EXIT_BUTTON_Click(); };
    SAVE_SETTINGS_TICKBOX.onClick = [this] { SAVE_SETTINGS_TICKBOX_Click(); };
    ADDRESS_BOOK_BUTTON.onClick = [this] { ADDRESS_BOOK_BUTTON_Click(); };
    ABOUT_BUTTON.onClick = [this] { ABOUT_BUTTON_Click(); };
    OUTPUT_TB_TICKBOX.onClick = [this] { OUTPUT_TB_TICKBOX_Click(); };
    for (send::Tls mode : send::kTlsModes) tlsBox(mode).onClick = [this, mode] { TLS_TICKBOX_Click(mode); };
    OUTPUT_COMMAND_TIMER.onTimer = [this] { OUTPUT_COMMAND_TIMER_Timer(); };
    SEND_EMAIL_BUTTON.onClick = [this] { SEND_EMAIL_BUTTON_Click(); };
    SAVE_DRAFT_BUTTON.onClick = [this] { SAVE_DRAFT_BUTTON_Click(); };
    LOAD_DRAFT_BUTTON.onClick = [this] { LOAD_DRAFT_BUTTON_Click(); };
    NOTEPAD_EMAIL_BUTTON.onClick = [this] { NOTEPAD_EMAIL_BUTTON_Click(); };
    SENDEMAIL_LOG_BUTTON.onClick = [this] { SENDEMAIL_LOG_BUTTON_Click(); };
}

void MainWindow::Form_Load() {
    auto& settings = services_.settings;
    namespace keys = settings::keys;
    settings::restoreGeometry(*this, settings, keys::Main);
    OUTPUT_COMMAND_TEXTBOX.setVisible(settings.read(keys::OUTPUT_WINDOW_VISIBLE));
    SAVE_SETTINGS_TICKBOX.setValue(settings.read(keys::SAVE_SETTINGS_TICKBOX));
    OUTPUT_TB_TICKBOX.setValue(settings.read(keys::OUTPUT_TB_TICKBOX));
    SHOW_SE_PROGRESS_TICKBOX.setValue(settings.read(keys::SHOW_SE_PROGRESS_TICKBOX));
    for (const auto& [field, box] : fields_)
        if (field->kept) box->setText(settings.read(keptKey(*field)));
    send::TlsTicks ticked;
    for (send::Tls mode : send::kTlsModes)
        ticked[static_cast<int>(mode)] = settings.read(tlsKey(mode)) == 1;
    tls_ = send::fromStoredTicks(ticked);
    showTls();
    OUTPUT_COMMAND_TIMER.setTimerEnabled(true);
    OUTPUT_COMMAND_TIMER.setInterval(1000);
    ADDRESS_BOOK_BUTTON.setVisible(SAVE_SETTINGS_TICKBOX.value() == 1);
}

// The close steps: geometry and "Save On Exit" always, the kept fields and
// tick states only while "Save On Exit" is ticked; the message file's
// temporary and backup files that a save could not delete go now.
void MainWindow::Form_Unload() {
    auto& settings = services_.settings;
    namespace keys = settings::keys;
    const bool saveAll = SAVE_SETTINGS_TICKBOX.value() == 1;
    settings::storeGeometry(*this, settings, keys::Main);
    if (saveAll) {
        settings.write(keys::OUTPUT_COMMAND_TEXTBOX, OUTPUT_COMMAND_TEXTBOX.visible());
        settings.write(keys::OUTPUT_TB_TICKBOX, OUTPUT_TB_TICKBOX.value());
        settings.write(keys::SHOW_SE_PROGRESS_TICKBOX, SHOW_SE_PROGRESS_TICKBOX.value());
    }
    settings.write(keys::SAVE_SETTINGS_TICKBOX, SAVE_SETTINGS_TICKBOX.value());
    if (saveAll) {
        for (const auto& [field, box] : fields_)
            if (field->kept) settings.write(keptKey(*field), box->text());
        for (send::Tls mode : send::kTlsModes) settings.write(tlsKey(mode), tlsBox(mode).value());
    }
    OUTPUT_COMMAND_TIMER.setTimerEnabled(false);
    services_.files.removeLeftovers();
}

void MainWindow::EXIT_BUTTON_Click() { unload(); }

void MainWindow::ABOUT_BUTTON_Click() { app().form(windows::kAboutWindow).showModal(*this); }

void MainWindow::SAVE_SETTINGS_TICKBOX_Click() {
    ADDRESS_BOOK_BUTTON.setVisible(SAVE_SETTINGS_TICKBOX.value() == 1);
}

// "AB": the address book, loaded afresh from the store, modal over this
// window until it closes.
void MainWindow::ADDRESS_BOOK_BUTTON_Click() {
    app().form(addressbook::kAddressBookWindow).showModal(*this);
}

void MainWindow::putAddress(addressbook::Family field, const std::string& address) {
    using addressbook::Family;
    switch (field) {
    case Family::From: return SEND_FROM_ADDRESS_TEXTBOX.setText(address);
    case Family::To: return SEND_TO_ADDRESS_TEXTBOX.setText(address);
    case Family::Cc: return SEND_CC_ADDRESS_TEXTBOX.setText(address);
    case Family::Bcc: return SEND_BCC_ADDRESS_TEXTBOX.setText(address);
    }
}

}  // namespace orvenda::app
