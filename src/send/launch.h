// send: starting a command line as a new process, without waiting for it.
//
// The Win32 implementation hands the line unchanged to the platform, which
// finds the first word ("cmd.exe", "notepad.exe") as it finds any program
// named without a folder. The POSIX implementation, used by the native tests,
// splits the line by the Windows rules and starts the first word found on
// PATH, so that a test can stand a recording "cmd.exe" or "notepad.exe" there.
#pragma once

#include <memory>
#include <optional>
#include <string>

namespace orvenda::send {

// Window styles of a launch.
inline constexpr int kHidden = 0;
inline constexpr int kNormalWithFocus = 1;

class Launcher {
public:
    virtual ~Launcher() = default;
    // Starts the line and returns at once; on failure, the system's reason.
    virtual std::optional<std::string> LaunchCommandLine(const std::string& commandLine,
                                                         int windowStyle) = 0;
};

std::unique_ptr<Launcher> makeSystemLauncher();

}  // namespace orvenda::send
