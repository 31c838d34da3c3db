// platform: starting a command line as a new process, without waiting for it.
// Platform free; the implementations sit in platform/win32 (the system's)
// and in the tests (a recording one).
//
// The Win32 implementation hands the line unchanged to the program its first
// word names ("cmd.exe", "notepad.exe"), taken from the system folder when
// the word names no folder, and runs it in the system folder. Native tests
// record launches instead.
#pragma once

#include <memory>
#include <optional>
#include <string>

namespace orvenda::platform {

// Window styles of a launch.
inline constexpr int kHidden = 0;
inline constexpr int kNormalWithFocus = 1;

class Launcher {
public:
    virtual ~Launcher() = default;
    // Starts the line and returns at once; on failure, the system's reason,
    // naming the program where the system's text names one.
    virtual std::optional<std::string> LaunchCommandLine(const std::string& commandLine,
                                                         int windowStyle) = 0;
};

std::unique_ptr<Launcher> makeSystemLauncher();

}  // namespace orvenda::platform
