// app: start-up. Defines every window of the program on an application and
// creates the compose window, the program's only entry point. Uses every
// room's window and the platform service bundle.
#pragma once

#include "platform/services.h"
#include "ui/form.h"

namespace orvenda::app {

void defineWindows(ui::Application& app, platform::Services& services);
// Creates the compose window (its load steps run) and shows it.
ui::Form& start(ui::Application& app);

}  // namespace orvenda::app
