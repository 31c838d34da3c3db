// Wine test of the toolkit's keyboard focus, on a window of the test's own:
// a control disabled or hidden while it has the focus hands it to the next
// enabled, visible tab stop (where Tab would go), also while its window is
// not the active one, and no window is left without a focused control.
#include <gtest/gtest.h>

#include <windows.h>

#include "support/win32/driver.h"
#include "ui/form.h"
#include "ui/win32/backend.h"

namespace orvenda {
namespace {

// Tab stops in an order other than that of creation, a label among them.
struct Ring : ui::Form {
    explicit Ring(ui::Application& app) : Form(app, "ORVENDA_TEST_FOCUS", "focus", ui::Border::Sizable, {0, 0, 3000, 2400}) {}
    static ui::Look at(int row, int tabIndex) { return ui::Look{{120, 120 + 400.0f * row, 2000, 285}, tabIndex, {}, {}, {}}; }
    ui::TextBox& a = add<ui::TextBox>("A", at(0, 0), "a");
    ui::Label& label = add<ui::Label>("LABEL", at(1, 1), "label");
    ui::TickBox& b = add<ui::TickBox>("B", at(2, 3), "b", 0);
    ui::Button& c = add<ui::Button>("C", at(3, 2), "c");
    ui::Button& d = add<ui::Button>("D", at(4, 4), "d");
};

void pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ui::win32::Win32Backend::handleMessage(msg);
}

TEST(FocusWine, AControlDisabledOrHiddenUnderTheFocusHandsItToTheNextTabStop) {
    ui::win32::Win32Backend backend;
    ui::Application app{backend};
    app.define("ORVENDA_TEST_FOCUS", [](ui::Application& a) { return std::make_unique<Ring>(a); });
    auto& f = app.form<Ring>("ORVENDA_TEST_FOCUS");
    f.show();
    pump();
    const testing::win32::Window window(reinterpret_cast<HWND>(f.handle()));
    ASSERT_EQ(GetFocus(), window.require("A"));
    // Control, hidden (or else disabled), where the focus goes: past the
    // label, by tab index, and around past the end.
    const std::tuple<ui::Control*, bool, const char*> steps[] = {
        {&f.a, false, "C"}, {&f.c, true, "B"}, {&f.b, false, "D"}, {&f.d, true, "A"}};
    for (const auto& [control, hide, next] : steps) {
        if (control == &f.d) f.a.setEnabled(true);
        const HWND tab = GetNextDlgTabItem(window.hwnd(), GetFocus(), FALSE);
        app.dispatch([control = control, hide = hide] { hide ? control->setVisible(false) : control->setEnabled(false); });
        pump();
        EXPECT_EQ(GetFocus(), window.require(next)) << control->name();
        EXPECT_EQ(GetFocus(), tab) << "Tab goes elsewhere from " << control->name();
    }
    // Inactive, the window keeps the control that gets the focus back.
    f.c.setVisible(true);
    const HWND other = CreateWindowExW(0, L"STATIC", L"another window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 900, 100, 300,
                                       200, nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    pump();
    ASSERT_EQ(GetForegroundWindow(), other);
    f.a.setVisible(false);
    SetForegroundWindow(window.hwnd());
    pump();
    EXPECT_EQ(GetFocus(), window.require("C"));
    DestroyWindow(other);
    app.dispatch([&f] { f.unload(); });
    pump();
}

}  // namespace
}  // namespace orvenda
