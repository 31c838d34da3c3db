// app: the platform services that the windows' handlers use, gathered once
// at start-up and handed to every window.
#pragma once

#include "settings/settings.h"

namespace orvenda::app {

struct Services {
    settings::Settings& settings;
};

}  // namespace orvenda::app
