// windows: the launcher window ORVENDA_AT_WINDOW, a tiny "@" that a timer
// keeps above every other window and whose double click brings the compose
// window back.
//
// It may touch the settings store (its geometry keys and the "Always On Top"
// switch, read only), the window manager calls of the backend, and the
// compose window by the name in src/names. It is created only by the About
// window's "Always On Top" tickbox.
#pragma once

#include "names/window_names.h"
#include "platform/services.h"
#include "ui/form.h"

namespace orvenda::windows {

using names::kAtWindow;

class AtWindow : public ui::Form {
public:
    AtWindow(ui::Application& app, platform::Services& services);

    ui::Label& AT_SIGN_LABEL;
    ui::Timer& AlwaysOnTopTimer;

    void AlwaysOnTopTimer_Timer();
    void AT_SIGN_LABEL_DblClick();

protected:
    void Form_Load() override;
    void Form_Unload() override;

private:
    platform::Services& services_;
};

}  // namespace orvenda::windows
