// app: which windows exist and how the program starts. Uses every room's
// window.
#include "app/program.h"

#include "addressbook/address_book.h"
#include "app/main_window.h"
#include "windows/about_window.h"
#include "windows/at_window.h"

namespace orvenda::app {

void defineWindows(ui::Application& app, platform::Services& services) {
    app.define(kMainWindow, [&services](ui::Application& a) {
        return std::make_unique<MainWindow>(a, services);
    });
    // Opened by the compose window, as its owner, which takes its picks.
    app.define(addressbook::kAddressBookWindow, [&services](ui::Application& a) {
        auto* compose = dynamic_cast<MainWindow*>(a.find(kMainWindow));
        return std::make_unique<addressbook::AddressBook>(a, services, compose);
    });
    app.define(windows::kAboutWindow, [&services](ui::Application& a) {
        return std::make_unique<windows::AboutWindow>(a, services);
    });
    app.define(windows::kAtWindow, [&services](ui::Application& a) {
        return std::make_unique<windows::AtWindow>(a, services);
    });
}

ui::Form& start(ui::Application& app) {
    ui::Form& main = app.form(kMainWindow);
    main.show();
    return main;
}

}  // namespace orvenda::app
