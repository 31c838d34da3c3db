// windows: the About window ORVENDA_ABOUT: title, version, credits, the
// external sender's name and page, the clear-text warning, and the
// "Always On Top" switch for the launcher window.
//
// It may touch the settings store (its position keys and the switch) and the
// launcher window, which its tickbox creates, shows and whose timer it sets.
#pragma once

#include "names/window_names.h"
#include "platform/services.h"
#include "ui/form.h"

namespace orvenda::windows {

using names::kAboutWindow;

// The credit label's text and the address a click on it shows instead.
inline constexpr const char* kCreditLine = "By the ORVENDA maintainers";
inline constexpr const char* kMaintainersAddress = "orvenda@example.org";

class AboutWindow : public ui::Form {
public:
    AboutWindow(ui::Application& app, platform::Services& services);

    ui::Label& ORVENDA_TITLE;
    ui::Label& ORVENDA_VERSION;
    ui::Label& ORVENDA_CREATOR;
    ui::Label& ORVENDA_TERMS_LABEL;
    ui::TextBox& SENDEMAIL_TEXTBOX;
    ui::TextBox& SENDEMAIL_WEBSITE_ADDRESS_TEXTBOX;
    ui::Label& ORVENDA_SAVED_DATA_WARNING_LABEL;
    ui::TickBox& AlwaysOnTopTimer_TICKBOX;
    ui::Button& OK_BUTTON;

    void OK_BUTTON_Click();
    void AlwaysOnTopTimer_TICKBOX_Click();
    void ORVENDA_CREATOR_Click();

protected:
    void Form_Load() override;

private:
    platform::Services& services_;
};

}  // namespace orvenda::windows
