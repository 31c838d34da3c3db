// app/win32: the Windows entry point. Opens the user's settings store,
// gathers the services, puts the program's windows on the Win32 backend,
// starts the compose window and runs the message loop until the last window
// has been unloaded.
#include "ui/win32/backend.h"

#include <windows.h>

#include <cstdlib>
#include <exception>
#include <memory>

#include "app/program.h"
#include "platform/ansi_files.h"
#include "platform/launch.h"
#include "platform/services.h"
#include "platform/win32/text.h"
#include "settings/settings.h"

using namespace orvenda;

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    try {
        std::unique_ptr<settings::Store> store = settings::openUserStore();
        settings::Settings settings(*store);
        std::unique_ptr<platform::Launcher> launcher = platform::makeSystemLauncher();
        std::unique_ptr<platform::AnsiTextFiles> files = platform::makeSystemAnsiTextFiles();
        platform::Services services{settings, *launcher, *files};
        ui::win32::Win32Backend backend;
        ui::Application app(backend);
        app::defineWindows(app, services);
        {
            // The compose window's load steps read through one open key.
            const auto keptOpen = store->keepOpen();
            // No window (no display to open it on): nothing to run.
            if (!app::start(app).handle()) return EXIT_FAILURE;
        }
        return backend.run();
    } catch (const std::exception& e) {
        MessageBoxW(nullptr, platform::win32::wide(e.what()).c_str(), L"ORVENDA", MB_OK | MB_ICONERROR);
        return EXIT_FAILURE;
    }
}
