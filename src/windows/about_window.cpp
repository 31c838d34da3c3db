// windows: the About window's layout and texts, its load steps, "OK", the
// credit label click and the "Always On Top" switch.
#include "windows/about_window.h"

#include "settings/geometry.h"
#include "windows/at_window.h"

namespace orvenda::windows {

namespace {

using ui::Bounds;
using ui::Look;

const ui::Font kBold12{"MS Sans Serif", 12, true};
const ui::Font kBold975{"MS Sans Serif", 9.75f, true};

Look greenOnBlack(Bounds at) {
    return Look{at, -1, kBold12, ui::colors::green, ui::colors::black};
}

Look onColour(Bounds at, int tab, const ui::Font& font, ui::Rgb back) {
    return Look{at, tab, font, std::nullopt, back};
}

Look plain(Bounds at, int tab) { return Look{at, tab, {}, {}, {}}; }

constexpr ui::TextBoxStyle kReadOnly{false, false, false, true};

}  // namespace

AboutWindow::AboutWindow(ui::Application& app, platform::Services& services)
    : ui::Form(app, kAboutWindow, "ORVENDA - ABOUT", ui::Border::SizableTool,
               Bounds{0, 0, 9255, 3885}),
      ORVENDA_TITLE(add<ui::Label>("ORVENDA_TITLE", greenOnBlack({120, 120, 4455, 480}),
                                   "VELDRIN - ORVENDA", ui::Align::Center)),
      ORVENDA_VERSION(add<ui::Label>("ORVENDA_VERSION", greenOnBlack({4680, 120, 4455, 465}),
                                     "Version " ORVENDA_VERSION_SHOWN, ui::Align::Center)),
      ORVENDA_CREATOR(add<ui::Label>("ORVENDA_CREATOR", greenOnBlack({120, 720, 4455, 450}),
                                     kCreditLine, ui::Align::Center)),
      ORVENDA_TERMS_LABEL(add<ui::Label>("ORVENDA_TERMS_LABEL",
                                         greenOnBlack({4680, 720, 4455, 465}),
                                         "Free software, no warranty",
                                         ui::Align::Center)),
      SENDEMAIL_TEXTBOX(add<ui::TextBox>(
          "SENDEMAIL_TEXTBOX",
          onColour({120, 1320, 9015, 375}, 2, kBold975, ui::colors::lightCyan),
          "SendEmail.exe - sendemail-1.56 - Brandon Zehm <caspian@dotconf.net>", kReadOnly)),
      SENDEMAIL_WEBSITE_ADDRESS_TEXTBOX(add<ui::TextBox>(
          "SENDEMAIL_WEBSITE_ADDRESS_TEXTBOX",
          onColour({120, 1800, 9015, 375}, 3, kBold12, ui::colors::lightCyan),
          "http://caspian.dotconf.net/menu/Software/SendEmail/", kReadOnly)),
      ORVENDA_SAVED_DATA_WARNING_LABEL(add<ui::Label>(
          "ORVENDA_SAVED_DATA_WARNING_LABEL",
          onColour({120, 2400, 9015, 615}, -1, kBold975, ui::colors::red),
          "!!! NOTE - SAVED DATA IS STORED IN THE WINDOWS REGISTRY IN CLEAR TEXT, AND IS NOT "
          "ENCRYPTED !!!",
          ui::Align::Center)),
      AlwaysOnTopTimer_TICKBOX(add<ui::TickBox>("AlwaysOnTopTimer_TICKBOX",
                                                plain({2280, 3240, 1575, 495}, 1),
                                                "Always On Top", 0)),
      OK_BUTTON(add<ui::Button>("OK_BUTTON", plain({5280, 3240, 2055, 495}, 0), "OK")),
      services_(services) {
    SENDEMAIL_TEXTBOX.setSpokenName("Mail sender");
    SENDEMAIL_WEBSITE_ADDRESS_TEXTBOX.setSpokenName("Mail sender's web page");
    OK_BUTTON.onClick = [this] { OK_BUTTON_Click(); };
    AlwaysOnTopTimer_TICKBOX.onClick = [this] { AlwaysOnTopTimer_TICKBOX_Click(); };
    ORVENDA_CREATOR.onClick = [this] { ORVENDA_CREATOR_Click(); };
}

// A stored "1" ticks the box, which runs its click steps.
void AboutWindow::Form_Load() {
    auto& settings = services_.settings;
    namespace keys = settings::keys;
    settings::restoreGeometry(*this, settings, keys::About);
    AlwaysOnTopTimer_TICKBOX.setValue(settings.read(keys::AlwaysOnTopTimer_TICKBOX));
}

// Only "OK" stores the position; the size is never stored.
void AboutWindow::OK_BUTTON_Click() {
    auto& settings = services_.settings;
    settings.write(settings::keys::About.left, left());
    settings.write(settings::keys::About.top, top());
    unload();
}

// Creates the launcher window when it does not exist yet, switches its timer
// to match the tick, puts it on screen when ticked, and stores the tick.
// Clearing leaves the launcher window where it is.
void AboutWindow::AlwaysOnTopTimer_TICKBOX_Click() {
    const bool on = AlwaysOnTopTimer_TICKBOX.value() == 1;
    auto& launcher = app().form<AtWindow>(kAtWindow);
    launcher.AlwaysOnTopTimer.setTimerEnabled(on);
    if (on && !launcher.shown()) launcher.show();
    services_.settings.write(settings::keys::AlwaysOnTopTimer_TICKBOX,
                             AlwaysOnTopTimer_TICKBOX.value());
}

void AboutWindow::ORVENDA_CREATOR_Click() { ORVENDA_CREATOR.setCaption(kMaintainersAddress); }

}  // namespace orvenda::windows
