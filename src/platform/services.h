// platform: the services that the windows' handlers use, gathered once at
// start-up and handed to every window. Includes only the service interfaces
// beside it; the settings room's store front is named, not included, so
// that nothing here depends on a room above. No platform calls.
#pragma once

#include "platform/ansi_files.h"
#include "platform/launch.h"

namespace orvenda::settings {
class Settings;
}

namespace orvenda::platform {

struct Services {
    settings::Settings& settings;
    // Starts the interpreter and Notepad.
    Launcher& launcher;
    // The message file in the system's code page.
    AnsiTextFiles& files;
};

}  // namespace orvenda::platform
