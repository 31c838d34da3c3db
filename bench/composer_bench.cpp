// One composer tick on the compose window, with typical fields and with a
// 1 MiB subject.
#include <benchmark/benchmark.h>

#include "app/main_window.h"
#include "app/program.h"
#include "settings/settings.h"
#include "support/headless.h"

namespace {

using namespace orvenda;

class NullStore : public settings::Store {
public:
    std::string read(const std::string&, const std::string&, const std::string&,
                     const std::string& fallback) override {
        return fallback;
    }
    void write(const std::string&, const std::string&, const std::string&,
               const std::string&) override {}
};

class NullLauncher : public platform::Launcher {
public:
    std::optional<std::string> LaunchCommandLine(const std::string&, int) override { return std::nullopt; }
};

struct Fixture {
    NullStore store;
    settings::Settings settings{store};
    NullLauncher launcher;
    std::unique_ptr<platform::AnsiTextFiles> files = platform::makeSystemAnsiTextFiles();
    platform::Services services{settings, launcher, *files};
    ui::headless::HeadlessBackend backend;
    ui::Application application{backend};
    app::MainWindow* main;

    Fixture() {
        app::defineWindows(application, services);
        main = &dynamic_cast<app::MainWindow&>(app::start(application));
        main->INSTALL_FOLDER_TEXTBOX.setText("C:\\Program Files\\SendEmail");
        main->SEND_FROM_ADDRESS_TEXTBOX.setText("alice@example.org");
        main->SEND_TO_ADDRESS_TEXTBOX.setText("bob@example.org;carol@example.org");
        main->SEND_CC_ADDRESS_TEXTBOX.setText("dave@example.org");
        main->SUBJECT_TEXTBOX.setText("Weekly report for the team");
        main->SMTP_SERVER_ADDRESS_PORT_TEXTBOX.setText("smtp.example.org:587");
        main->SMTP_USERNAME_TEXTBOX.setText("alice");
        main->SMTP_PASSWORD_TEXTBOX.setText("correct horse battery staple");
    }
};

void BM_ComposerTick_TypicalFields(benchmark::State& state) {
    Fixture f;
    for (auto _ : state) {
        f.main->OUTPUT_COMMAND_TIMER_Timer();
        benchmark::DoNotOptimize(f.main->OUTPUT_COMMAND_TEXTBOX.text().data());
    }
}
BENCHMARK(BM_ComposerTick_TypicalFields);

void BM_ComposerTick_OneMebibyteSubject(benchmark::State& state) {
    Fixture f;
    f.main->SUBJECT_TEXTBOX.setText(std::string(1 << 20, 's'));
    for (auto _ : state) {
        f.main->OUTPUT_COMMAND_TIMER_Timer();
        benchmark::DoNotOptimize(f.main->OUTPUT_COMMAND_TEXTBOX.text().data());
    }
    state.SetBytesProcessed(state.iterations() * (1 << 20));
}
BENCHMARK(BM_ComposerTick_OneMebibyteSubject);

}  // namespace

BENCHMARK_MAIN();
