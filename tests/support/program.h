// Test support: the whole program on the headless backend, with a settings
// store in memory, a clock the test advances by hand, a launch service that
// records instead of starting anything, and the real message-file service.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/program.h"
#include "settings/settings.h"
#include "support/memory_store.h"
#include "support/recording_launcher.h"
#include "support/headless.h"

namespace orvenda::testing {

using Writes = std::vector<MemoryStore::Write>;

struct Program {
    MemoryStore store;
    settings::Settings settings{store};
    RecordingLauncher launcher;
    std::unique_ptr<platform::AnsiTextFiles> files = platform::makeSystemAnsiTextFiles();
    platform::Services services{settings, launcher, *files};
    ui::headless::HeadlessBackend backend;
    ui::Application app{backend};

    Program() { app::defineWindows(app, services); }

    // Starts the program as a user does: the compose window loads and shows.
    app::MainWindow& start() {
        app::start(app);
        return main();
    }
    app::MainWindow& main() { return app.form<app::MainWindow>(app::kMainWindow); }
    void advance(std::int64_t ms) { backend.advance(ms); }

    // The window of that name that is loaded now; never creates one, so a
    // test that expects it open fails when it is not.
    template <class T>
    T& loaded(const char* name) {
        if (auto* form = dynamic_cast<T*>(app.find(name))) return *form;
        throw std::runtime_error(std::string(name) + " is not loaded");
    }
};

}  // namespace orvenda::testing
