// Test support: a launch service that records every launch instead of
// starting anything, and can be told to fail as the system would.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/launch.h"

namespace orvenda::testing {

struct RecordingLauncher : platform::Launcher {
    struct Launch {
        std::string commandLine;
        int windowStyle;
        bool operator==(const Launch&) const = default;
    };
    std::vector<Launch> launches;
    // When set, every launch fails with this reason and nothing is recorded.
    std::optional<std::string> failWith;

    std::optional<std::string> LaunchCommandLine(const std::string& commandLine, int windowStyle) override {
        if (!failWith) launches.push_back({commandLine, windowStyle});
        return failWith;
    }
};

}  // namespace orvenda::testing
