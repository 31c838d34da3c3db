// app: the platform services that the windows' handlers use, gathered once
// at start-up and handed to every window.
#pragma once

#include "send/ansi_files.h"
#include "send/launch.h"
#include "settings/settings.h"

namespace orvenda::app {

struct Services {
    settings::Settings& settings;
    // Starts the interpreter and Notepad.
    send::Launcher& launcher;
    // The message file in the system's code page.
    send::AnsiTextFiles& files;
};

}  // namespace orvenda::app
