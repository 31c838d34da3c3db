// Wine test of the "@" window's topmost step against the real orvenda.exe:
// a taskbar (a window of the shell's class, here of this process) keeps its
// topmost standing while it has the input; any other window loses it.
#include <windows.h>

#include <gtest/gtest.h>

#include "support/win32/driver.h"

namespace orvenda::testing::win32 {
namespace {

bool topmost(HWND w) { return (GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

// A topmost window of the class along the screen's bottom, given the input.
HWND topmostWindowOfClass(const wchar_t* name) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = name;
    RegisterClassW(&wc);
    const HWND w = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, name, L"", WS_POPUP | WS_VISIBLE, 0, 1040, 1920, 40,
                                   nullptr, nullptr, wc.hInstance, nullptr);
    SetForegroundWindow(w);
    return w;
}

void pumpFor(int ms) {
    waitUntil([] {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        return false;
    }, ms);
}

TEST(AtWindowWine, TheTaskbarKeepsItsStandingAndAnyOtherWindowLosesIt) {
    clearSettings();
    Program program;
    Window main = program.waitWindow("ORVENDA_MAIN", 30000);
    ASSERT_TRUE(main);
    main.click("ABOUT_BUTTON");
    Window about = program.waitWindow("ORVENDA_ABOUT");
    ASSERT_TRUE(about);
    about.click("AlwaysOnTopTimer_TICKBOX");
    Window at = program.waitWindow("ORVENDA_AT_WINDOW");
    ASSERT_TRUE(at && waitUntil([&] { return topmost(at.hwnd()); }));
    for (const wchar_t* name : {L"Shell_TrayWnd", L"Shell_SecondaryTrayWnd", L"Orvenda_Other"}) {
        const bool taskbar = name[0] == L'S';
        const HWND bar = topmostWindowOfClass(name);
        pumpFor(3000);  // three ticks of "@"
        EXPECT_EQ(GetForegroundWindow(), bar);
        EXPECT_EQ(topmost(bar), taskbar) << (taskbar ? "a taskbar" : "another window");
        DestroyWindow(bar);
    }
    about.close();
    at.close();
    main.close();
    EXPECT_TRUE(program.waitExit());
    clearSettings();
}

}  // namespace
}  // namespace orvenda::testing::win32
