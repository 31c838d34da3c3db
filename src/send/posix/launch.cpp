// send/posix: LaunchCommandLine for native runs. The line is split by the
// Windows rules and its first word is started from PATH; the window style
// has no meaning here. The child is reaped by a small detached thread, so
// no caller waits and no zombie is left.
#include <spawn.h>
#include <sys/wait.h>

#include <cstring>
#include <thread>
#include <vector>

#include "send/command_line.h"
#include "send/launch.h"

extern char** environ;

namespace orvenda::send {

namespace {

class PosixLauncher : public Launcher {
public:
    std::optional<std::string> LaunchCommandLine(const std::string& commandLine, int) override {
        std::vector<std::string> args = splitArguments(commandLine);
        if (args.front().empty()) return std::string("The command line names no program.");
        std::vector<char*> argv;
        for (auto& arg : args) argv.push_back(arg.data());
        argv.push_back(nullptr);
        pid_t pid = 0;
        const int error = posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ);
        if (error != 0) return std::string(std::strerror(error));
        std::thread([pid] {
            int status = 0;
            waitpid(pid, &status, 0);
        }).detach();
        return std::nullopt;
    }
};

}  // namespace

std::unique_ptr<Launcher> makeSystemLauncher() { return std::make_unique<PosixLauncher>(); }

}  // namespace orvenda::send
