// Wine tests of the program's windows created in this process on the Win32
// backend, with the real window manager, fonts and registry: every text fits
// its control in the font selected into it, the "@" window opens at its
// stated size with the "@" over the whole client area, a window that nobody
// moved writes back exactly what it read, a move to a monitor of other
// scaling, the names screen readers give the fields, and Enter.
#include "ui/win32/backend.h"

#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>
#include <oleacc.h>

#include <climits>
#include <cmath>
#include <iostream>
#include <map>
#include <memory>
#include <set>

#include "app/program.h"
#include "platform/win32/text.h"
#include "settings/geometry.h"
#include "support/win32/driver.h"
#include "ui/win32/identity.h"

namespace orvenda {
namespace {

const char* const kForms[] = {"ORVENDA_MAIN", "ORVENDA_ABOUT", "ORVENDA_ADDRESS_BOOK", "ORVENDA_AT_WINDOW"};

struct Windows : ::testing::Test {
    Windows() {
        testing::win32::clearSettings();
        app::defineWindows(app, services);
    }
    ~Windows() override {
        for (const char* name : kForms)
            if (ui::Form* f = app.find(name)) app.dispatch([f] { f->unload(); });
        pump();
        testing::win32::clearSettings();
    }
    // Handles what the window system has queued; the quit that the last
    // unload posts ends nothing here.
    static void pump() {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ui::win32::Win32Backend::handleMessage(msg);
    }
    static HWND hwnd(const ui::Form& f) { return reinterpret_cast<HWND>(f.handle()); }

    std::unique_ptr<settings::Store> store = settings::openUserStore();
    settings::Settings settings{*store};
    std::unique_ptr<platform::Launcher> launcher = platform::makeSystemLauncher();
    std::unique_ptr<platform::AnsiTextFiles> files = platform::makeSystemAnsiTextFiles();
    platform::Services services{settings, *launcher, *files};
    ui::win32::Win32Backend backend;
    ui::Application app{backend};
};

// Labels wrap within their bounds, buttons inside their border; a tickbox's
// one line leaves room for its box. At 96 DPI, the test display's.
TEST_F(Windows, EveryCaptionFitsItsControlInTheFontSelectedIntoIt) {
    std::set<std::string> faces;
    std::pair<long, std::string> tightest{LONG_MAX, ""};  // least room left, for the log
    for (const char* name : kForms) {
        ui::Form& form = app.form(name);
        for (size_t i = 0; i < form.controls().size(); ++i) {
            const ui::Kind kind = form.controls()[i]->kind();
            if (kind != ui::Kind::Label && kind != ui::Kind::Button && kind != ui::Kind::TickBox) continue;
            HWND control = GetDlgItem(hwnd(form), ui::win32::kFirstControlId + int(i));
            ASSERT_TRUE(control) << form.controls()[i]->name();
            wchar_t text[512], asked[LF_FACESIZE];
            GetWindowTextW(control, text, 512);
            HDC dc = GetDC(control);
            HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
            GetTextFaceW(dc, LF_FACESIZE, asked);
            // The face behind a substitute name such as "MS Shell Dlg".
            alignas(OUTLINETEXTMETRICW) char buf[2048];
            auto* otm = reinterpret_cast<OUTLINETEXTMETRICW*>(buf);
            const std::string face = platform::win32::narrow(asked) + " -> " +
                (GetOutlineTextMetricsW(dc, sizeof buf, otm)
                     ? platform::win32::narrow(reinterpret_cast<const wchar_t*>(buf + size_t(otm->otmpFamilyName)))
                     : "?");
            faces.insert(face);
            RECT box{};
            GetClientRect(control, &box);
            int zero = 0;
            GetCharWidth32W(dc, L'0', L'0', &zero);
            if (kind == ui::Kind::TickBox) box.left += 13 + zero / 2;  // the box and its gap
            if (kind == ui::Kind::Button) InflateRect(&box, -2, -2);   // the raised border
            RECT need = box;
            DrawTextW(dc, text, -1, &need,
                      DT_CALCRECT | DT_NOPREFIX | (kind == ui::Kind::TickBox ? DT_SINGLELINE : DT_WORDBREAK));
            SelectObject(dc, old);
            ReleaseDC(control, dc);
            tightest = std::min(tightest, {box.right - need.right, platform::win32::narrow(text) + " " +
                                           std::to_string(need.right - need.left) + " of " +
                                           std::to_string(box.right - box.left) + " px"});
            EXPECT_TRUE(need.right <= box.right && need.bottom <= box.bottom)
                << name << " " << form.controls()[i]->name() << " \"" << platform::win32::narrow(text) << "\" needs "
                << need.right - need.left << "x" << need.bottom - need.top << " px of "
                << box.right - box.left << "x" << box.bottom - box.top << " in " << face;
        }
    }
    std::cout << "tightest: " << tightest.second << "\n";
    for (const auto& face : faces) {
        std::cout << "face: " << face << "\n";
        EXPECT_TRUE(face.ends_with("> Tahoma") || face.ends_with("> Microsoft Sans Serif")) << face;
    }
}

TEST_F(Windows, TheAtWindowOpensAtItsStatedSizeWithTheAtSignOverItsClientArea) {
    auto open = [&] {
        ui::Form& at = app.form("ORVENDA_AT_WINDOW");
        at.show();
        pump();
        return hwnd(at);
    };
    auto labelIsClient = [](HWND at) {
        RECT client{}, label{};
        GetClientRect(at, &client);
        GetWindowRect(GetDlgItem(at, ui::win32::kFirstControlId), &label);
        MapWindowPoints(nullptr, at, reinterpret_cast<POINT*>(&label), 2);
        return EqualRect(&label, &client) != FALSE;
    };
    HWND at = open();
    RECT outer{};
    GetWindowRect(at, &outer);
    EXPECT_EQ(outer.left, 67);  // 1000 twips at 96 DPI
    EXPECT_EQ(outer.top, 67);
    EXPECT_EQ(outer.right - outer.left, 73);  // 1095
    EXPECT_EQ(outer.bottom - outer.top, 57);  // 855
    EXPECT_TRUE(labelIsClient(at));
    app.dispatch([this] { app.find("ORVENDA_AT_WINDOW")->unload(); });
    for (auto [key, value] : {std::pair{"ATMainLeft", "1000"}, {"ATMainTop", "1000"}, {"ATMainWidth", "1095"},
                              {"ATMainHeight", "855"}})
        EXPECT_EQ(testing::win32::readSetting(key), value) << key;
    // Sized larger by the user, the "@" still covers the whole client area.
    at = open();
    SetWindowPos(at, nullptr, 0, 0, 160, 120, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    pump();
    EXPECT_TRUE(labelIsClient(at));
}

// Values that are no whole number of pixels come back unchanged, however
// often each window is opened and closed the way it stores its position.
TEST_F(Windows, AnUnmovedWindowWritesBackExactlyWhatItRead) {
    const std::pair<const char*, settings::GeometryKeys> windows[] = {
        {"ORVENDA_MAIN", settings::keys::Main},
        {"ORVENDA_ABOUT", settings::keys::About},
        {"ORVENDA_ADDRESS_BOOK", settings::keys::AddressBook},
        {"ORVENDA_AT_WINDOW", settings::keys::AtWindow}};
    for (const auto& [name, keys] : windows) {
        const settings::NumberKey four[] = {keys.left, keys.top, keys.width, keys.height};
        const float seeded[] = {1001, 997, keys.width.fallback + 8, keys.height.fallback + 7};
        for (int i = 0; i < 4; ++i) settings.write(four[i], seeded[i]);
        for (int cycle = 0; cycle < 5; ++cycle) {
            ui::Form& form = app.form(name);
            form.show();
            if (cycle % 2) ShowWindow(hwnd(form), SW_SHOWMINNOACTIVE);  // its normal place is stored
            pump();
            app.dispatch([&form] {
                if (auto* ok = dynamic_cast<ui::Button*>(form.find("OK_BUTTON"))) ok->userClick();
                else form.unload();
            });
            pump();
        }
        for (int i = 0; i < 4; ++i) EXPECT_EQ(settings.read(four[i]), seeded[i]) << four[i].name;
    }
}

// Windows sends WM_DPICHANGED when a window moves onto a monitor of other
// scaling (Wine, with one DPI for all, never does): the new DPI in both words
// of wParam, the window rectangle it suggests in lParam. Another window has
// the input throughout, also while the window is maximised.
TEST_F(Windows, AMoveToAMonitorOfOtherScalingTakesTheSuggestedRectangleAndNeverTheInput) {
    ui::Form& main = app.form("ORVENDA_MAIN");
    main.show();
    pump();
    HWND w = hwnd(main);
    struct Placed {
        RECT rect;
        LONG font;
        bool operator==(const Placed& o) const { return EqualRect(&rect, &o.rect) && font == o.font; }
    };
    auto layout = [&] {  // every native control but the status bar, which places itself
        std::map<std::string, Placed> out;
        for (size_t i = 0; i < main.controls().size(); ++i) {
            HWND c = GetDlgItem(w, ui::win32::kFirstControlId + int(i));
            if (!c || main.controls()[i]->kind() == ui::Kind::StatusBar) continue;
            Placed p{};
            LOGFONTW lf{};
            GetObjectW(reinterpret_cast<HFONT>(SendMessageW(c, WM_GETFONT, 0, 0)), sizeof lf, &lf);
            GetWindowRect(c, &p.rect);
            MapWindowPoints(nullptr, w, reinterpret_cast<POINT*>(&p.rect), 2);
            p.font = lf.lfHeight;
            out[main.controls()[i]->name()] = p;
        }
        return out;
    };
    auto outer = [w] { RECT r{}; GetWindowRect(w, &r); return r; };
    auto dpiChanged = [&](unsigned dpi, RECT suggested) {
        SendMessageW(w, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        pump();
    };
    HWND other = CreateWindowExW(0, L"STATIC", L"another program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 900, 600, 200,
                                 100, nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    pump();
    ASSERT_EQ(GetForegroundWindow(), other);
    const auto first = layout();
    const RECT firstOuter = outer(), suggested{400, 120, 400 + 1358, 120 + 825};
    dpiChanged(144, suggested);
    const RECT now = outer();
    EXPECT_TRUE(EqualRect(&now, &suggested)) << now.left << "," << now.top << " " << now.right << "," << now.bottom;
    EXPECT_EQ(GetForegroundWindow(), other);
    ASSERT_EQ(layout().size(), first.size());
    for (const auto& [name, at144] : layout()) {
        const Placed& at96 = first.at(name);
        const LONG was[] = {at96.rect.left, at96.rect.top, at96.rect.right, at96.rect.bottom, at96.font},
                   is[] = {at144.rect.left, at144.rect.top, at144.rect.right, at144.rect.bottom, at144.font};
        for (int i = 0; i < 5; ++i) EXPECT_LE(std::abs(is[i] - 1.5 * was[i]), 1.0) << name << " " << i;
    }
    dpiChanged(96, firstOuter);
    const RECT back = outer();
    EXPECT_TRUE(EqualRect(&back, &firstOuter) && layout() == first);

    ShowWindow(w, SW_MAXIMIZE);
    SetForegroundWindow(other);
    pump();
    dpiChanged(144, suggested);
    EXPECT_EQ(GetForegroundWindow(), other);
    EXPECT_TRUE(IsZoomed(w));
    DestroyWindow(other);
}

// Screen readers name a field after the nearest static text before it among
// its siblings in z-order. The test walks that rule, and asks the system's
// accessibility layer, as a screen reader does, for the same name.
TEST_F(Windows, EveryFieldIsNamedAsASightedUserReadsIt) {
    std::map<std::string, std::string> expected = {
        {"SEND_TO_ADDRESS_TEXTBOX", "To"}, {"SEND_FROM_ADDRESS_TEXTBOX", "From"}, {"SEND_CC_ADDRESS_TEXTBOX", "Cc"},
        {"SEND_BCC_ADDRESS_TEXTBOX", "Bcc"}, {"SUBJECT_TEXTBOX", "Subject"}, {"MESSAGE_TEXTBOX", "Message"},
        {"SMTP_SERVER_ADDRESS_PORT_TEXTBOX", "SMTP SERVER:PORT"}, {"SMTP_USERNAME_TEXTBOX", "SMTP USERNAME"},
        {"SMTP_PASSWORD_TEXTBOX", "SMTP PASSWORD"}, {"OUTPUT_COMMAND_TEXTBOX", "Command line"},
        {"INSTALL_FOLDER_TEXTBOX", "INSTALL FOLDER"}, {"SENDEMAIL_TEXTBOX", "Mail sender"},
        {"SENDEMAIL_WEBSITE_ADDRESS_TEXTBOX", "Mail sender's web page"}};
    for (int n = 1; n <= 20; ++n) {
        expected["AT_NAME_TEXTBOX_" + std::to_string(n)] = "Name " + std::to_string(n);
        expected["AT_ADDRESS_TEXTBOX_" + std::to_string(n)] = "Address " + std::to_string(n);
    }
    auto byRule = [](HWND field) {
        wchar_t text[256] = L"";
        for (HWND h = GetWindow(field, GW_HWNDPREV); h; h = GetWindow(h, GW_HWNDPREV))
            if (GetClassNameW(h, text, 256) && !lstrcmpiW(text, L"Static")) {
                GetWindowTextW(h, text, 256);
                return platform::win32::narrow(text);
            }
        return std::string("(none)");
    };
    auto spoken = [](HWND field) {
        IAccessible* acc = nullptr;
        BSTR name = nullptr;
        VARIANT self{};
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        if (SUCCEEDED(AccessibleObjectFromWindow(field, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&acc))))
            acc->get_accName(self, &name), acc->Release();
        std::string out = name ? platform::win32::narrow(name) : "(none)";
        SysFreeString(name);
        return out;
    };
    CoInitialize(nullptr);
    size_t fields = 0;
    for (const char* form : {"ORVENDA_MAIN", "ORVENDA_ABOUT", "ORVENDA_ADDRESS_BOOK"}) {
        ui::Form& f = app.form(form);
        f.show();
        pump();
        for (size_t i = 0; i < f.controls().size(); ++i) {
            HWND c = GetDlgItem(hwnd(f), ui::win32::kFirstControlId + int(i));
            const std::string& name = f.controls()[i]->name();
            if (!c || f.controls()[i]->kind() != ui::Kind::TextBox) continue;
            ++fields;
            EXPECT_EQ(byRule(c), expected[name]) << name;
            EXPECT_EQ(spoken(c), expected[name]) << name;
        }
    }
    CoUninitialize();
    EXPECT_EQ(fields, expected.size());
}

// Enter: the dialog manager sends IDOK with no control where no button is
// the default one, as Windows does in a window that is not a dialog. On a
// focused push button it presses it; anywhere else it presses nothing. A
// colour change reaches the common controls.
TEST_F(Windows, EnterPressesTheFocusedButtonOnlyAndColourChangesReachTheStatusBar) {
    ui::Form& main = app.form("ORVENDA_MAIN");
    main.show();
    ui::Form& about = app.form("ORVENDA_ABOUT");
    about.show();
    pump();
    auto enterOn = [&](ui::Form& f, const char* control) {
        SetFocus(testing::win32::Window(hwnd(f)).require(control));
        SendMessageW(hwnd(f), WM_COMMAND, IDOK, 0);
        pump();
    };
    for (const char* control : {"SENDEMAIL_TEXTBOX", "AlwaysOnTopTimer_TICKBOX"}) enterOn(about, control);
    EXPECT_TRUE(app.loaded("ORVENDA_ABOUT") && !app.loaded("ORVENDA_AT_WINDOW"));
    EXPECT_FALSE(testing::win32::readSetting("AboutLeft"));
    enterOn(about, "OK_BUTTON");
    EXPECT_FALSE(app.loaded("ORVENDA_ABOUT"));
    EXPECT_EQ(testing::win32::readSetting("AboutLeft"), "1000");

    static int colourChanges = 0;
    SUBCLASSPROC count = [](HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
        colourChanges += msg == WM_SYSCOLORCHANGE;
        return DefSubclassProc(h, msg, wp, lp);
    };
    HWND bar = FindWindowExW(hwnd(main), nullptr, STATUSCLASSNAMEW, nullptr);
    ASSERT_TRUE(bar && SetWindowSubclass(bar, count, 1, 0));
    SendMessageW(hwnd(main), WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_EQ(colourChanges, 1);
    RemoveWindowSubclass(bar, count, 1);
}

}  // namespace
}  // namespace orvenda
