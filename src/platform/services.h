// platform: the services that the windows' handlers use, gathered once at
// start-up and handed to every window. Names only the service interfaces
// beside it and the settings room's store front; no platform calls.
#pragma once

#include "platform/ansi_files.h"
#include "platform/launch.h"
#include "settings/settings.h"

namespace orvenda::platform {

struct Services {
    settings::Settings& settings;
    // Starts the interpreter and Notepad.
    Launcher& launcher;
    // The message file in the system's code page.
    AnsiTextFiles& files;
};

}  // namespace orvenda::platform
