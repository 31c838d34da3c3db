// Wine tests of the program's windows created in this process on the Win32
// backend, with the real window manager, fonts and registry: every text fits
// its control in the font selected into it and is drawn where its label is
// aligned, the "@" over the whole client area of its window, which stores
// where the user put it, every window's client area the one it was laid out
// for under thick and classic frames, a window that nobody moved writing back
// exactly what it read, the compose window's icons, labels and status bar
// clock, every control showing its model's state, a move to a monitor of
// other scaling, and the names screen readers give the fields.
#include "ui/win32/backend.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cmath>
#include <cstdlib>
#include <map>
#include <memory>
#include <tuple>

#include "app/main_window.h"
#include "app/program.h"
#include "platform/win32/text.h"
#include "settings/geometry.h"
#include "support/win32/driver.h"
#include "ui/win32/identity.h"
#include "ui/win32/units.h"

namespace orvenda {
namespace {

const char* const kForms[] = {"ORVENDA_MAIN", "ORVENDA_ABOUT", "ORVENDA_ADDRESS_BOOK", "ORVENDA_AT_WINDOW"};

// What a control draws (or a window's background, with WM_ERASEBKGND),
// painted into a bitmap of its own: the pixels of each colour, and the blank
// columns left and right of what differs from the commonest (the background).
struct Drawn {
    std::map<UINT32, long> colours;
    long left, right;
    UINT32 back = 0;
};
Drawn draw(HWND control, UINT message = WM_PRINTCLIENT) {
    RECT r{};
    GetClientRect(control, &r);
    BITMAPINFO bi{{sizeof(BITMAPINFOHEADER), r.right, -r.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    UINT32* px = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, CreateDIBSection(dc, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&px), nullptr, 0));
    SendMessageW(control, message, reinterpret_cast<WPARAM>(dc), message == WM_PRINTCLIENT ? PRF_CLIENT | PRF_ERASEBKGND : 0);
    Drawn d{{}, r.right, r.right};
    for (long i = 0; i < r.right * r.bottom; ++i) ++d.colours[px[i] &= 0xFFFFFF];
    d.back = std::max_element(d.colours.begin(), d.colours.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
    for (long i = 0; i < r.right * r.bottom; ++i)
        if (px[i] != d.back) d.left = std::min(d.left, i % r.right), d.right = std::min(d.right, r.right - 1 - i % r.right);
    DeleteObject(SelectObject(dc, old));
    DeleteDC(dc);
    return d;
}
// Windows made here see the system DPI, as orvenda.exe's manifest has it.
const BOOL kDpiAware = SetProcessDPIAware();

UINT32 pixel(ui::Rgb c) { return UINT32(c.r) << 16 | UINT32(c.g) << 8 | c.b; }
UINT32 pixel(COLORREF c) { return pixel(ui::Rgb{GetRValue(c), GetGValue(c), GetBValue(c)}); }

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
    static HWND shown(ui::Form& form) {
        form.show();
        pump();
        return hwnd(form);
    }
    // Every native control of the form shows its model's state: shown,
    // enabled, text or caption, tick, colours. Labels wrap within their
    // bounds, buttons inside their border; a tickbox's one line leaves room
    // for its box (at 96 DPI, the test display's). Each has the size and
    // weight of its model font in the system's dialog face, and a label's
    // text sits at its alignment's side (Wine draws the text a few pixels
    // narrower than it measures it) or leaves room on both.
    void check(ui::Form& form) {
        for (size_t i = 0; i < form.controls().size(); ++i) {
            const ui::Control& c = *form.controls()[i];
            const HWND h = GetDlgItem(hwnd(form), ui::win32::kFirstControlId + int(i));
            if (!h && (c.kind() == ui::Kind::Timer || (c.kind() == ui::Kind::TextBox && !c.visible()))) continue;
            ASSERT_TRUE(h) << c.name();
            wchar_t text[4096] = L"";
            const std::string drawnText = platform::win32::narrow({text, size_t(GetWindowTextW(h, text, 4096))});
            EXPECT_EQ((GetWindowLongW(h, GWL_STYLE) & WS_VISIBLE) != 0, c.visible()) << c.name();
            EXPECT_EQ(IsWindowEnabled(h) != FALSE, c.enabled()) << c.name();
            if (auto* box = dynamic_cast<const ui::TextBox*>(&c); box && box->visible()) { EXPECT_EQ(drawnText, box->text()); }
            if (auto* label = dynamic_cast<const ui::Label*>(&c)) {
                EXPECT_EQ(drawnText, label->caption());
                const Drawn d = draw(h);
                EXPECT_TRUE(label->align() == ui::Align::Center ? std::min(d.left, d.right) > 4
                            : label->align() == ui::Align::Right ? d.right <= 8 : d.left <= 4)
                    << c.name() << " has " << d.left << " px left and " << d.right << " px right";
            }
            if (auto* tick = dynamic_cast<const ui::TickBox*>(&c)) { EXPECT_EQ(SendMessageW(h, BM_GETCHECK, 0, 0), tick->ticked()) << c.name(); }
            if (const ui::Look& look = c.look(); look.backColor && c.visible()) {
                const Drawn d = draw(h);  // the text too on the control's own background
                EXPECT_TRUE(d.back == pixel(*look.backColor) && !d.colours.count(0xFFFFFF) &&
                            (!look.foreColor || d.colours.count(pixel(*look.foreColor))))
                    << c.name() << " drawn on " << std::hex << d.back;
            }
            if (c.kind() != ui::Kind::Label && c.kind() != ui::Kind::Button && c.kind() != ui::Kind::TickBox) continue;
            const auto font = reinterpret_cast<HFONT>(SendMessageW(h, WM_GETFONT, 0, 0));
            LOGFONTW lf{};
            GetObjectW(font, sizeof lf, &lf);
            EXPECT_TRUE(lf.lfHeight == -std::lround(c.look().font.points * 96 / 72) && (lf.lfWeight == FW_BOLD) == c.look().font.bold)
                << c.name() << " " << lf.lfHeight << " " << lf.lfWeight;
            HDC dc = GetDC(h);
            HGDIOBJ old = SelectObject(dc, font);
            // The face asked for, and the one behind that substitute name.
            alignas(OUTLINETEXTMETRICW) char buf[2048];
            auto* otm = reinterpret_cast<OUTLINETEXTMETRICW*>(buf);
            const std::wstring face = std::wstring(lf.lfFaceName) + L" -> " +
                (GetOutlineTextMetricsW(dc, sizeof buf, otm) ? reinterpret_cast<const wchar_t*>(buf + size_t(otm->otmpFamilyName)) : L"?");
            EXPECT_TRUE(face == L"MS Shell Dlg -> Tahoma" || face == L"MS Shell Dlg -> Microsoft Sans Serif") << c.name();
            RECT box{};
            GetClientRect(h, &box);
            int zero = 0;
            GetCharWidth32W(dc, L'0', L'0', &zero);
            if (c.kind() == ui::Kind::TickBox) box.left += 13 + zero / 2;  // the box and its gap
            if (c.kind() == ui::Kind::Button) InflateRect(&box, -2, -2);   // the raised border
            RECT need = box;
            DrawTextW(dc, text, -1, &need,
                      DT_CALCRECT | DT_NOPREFIX | (c.kind() == ui::Kind::TickBox ? DT_SINGLELINE : DT_WORDBREAK));
            SelectObject(dc, old);
            ReleaseDC(h, dc);
            EXPECT_TRUE(need.right <= box.right && need.bottom <= box.bottom)
                << form.name() << " " << c.name() << " \"" << drawnText << "\" needs " << need.right - need.left << "x"
                << need.bottom - need.top << " px of " << box.right - box.left << "x" << box.bottom - box.top << " in "
                << platform::win32::narrow(face);
        }
    }

    std::unique_ptr<settings::Store> store = settings::openUserStore();
    settings::Settings settings{*store};
    std::unique_ptr<platform::Launcher> launcher = platform::makeSystemLauncher();
    std::unique_ptr<platform::AnsiTextFiles> files = platform::makeSystemAnsiTextFiles();
    platform::Services services{settings, *launcher, *files};
    ui::win32::Win32Backend backend;
    ui::Application app{backend};
};

// The "@" covers the "@" window's client area, also when the user has sized
// it, and the window stores where it was left: the client area it showed
// plus the classic frame, whatever frame it was drawn with.
TEST_F(Windows, TheAtSignCoversItsWindowAndTheWindowStoresWhereItWasLeft) {
    auto labelIsClient = [](HWND at) {
        RECT client{}, label{};
        GetClientRect(at, &client);
        GetWindowRect(GetDlgItem(at, ui::win32::kFirstControlId), &label);
        MapWindowPoints(nullptr, at, reinterpret_cast<POINT*>(&label), 2);
        return EqualRect(&label, &client) != FALSE;
    };
    HWND at = shown(app.form("ORVENDA_AT_WINDOW"));
    RECT outer{}, client{};
    GetWindowRect(at, &outer);
    GetClientRect(at, &client);
    EXPECT_TRUE(labelIsClient(at));
    SetWindowPos(at, nullptr, 200, 150, outer.right - outer.left - client.right + 144,
                 outer.bottom - outer.top - client.bottom + 96, SWP_NOZORDER | SWP_NOACTIVATE);
    pump();
    EXPECT_TRUE(labelIsClient(at));
    // Its background is erased in the "@"'s colour: sizing it shows no grey.
    EXPECT_EQ(draw(at, WM_ERASEBKGND).back, pixel(*app.form("ORVENDA_AT_WINDOW").find("AT_SIGN_LABEL")->look().backColor));
    EXPECT_EQ(SendMessageW(at, WM_CLOSE, 0, 0), 0);  // closed, and the close handled
    std::string stored;
    for (const char* key : {"ATMainLeft", "ATMainTop", "ATMainWidth", "ATMainHeight"})
        stored += testing::win32::readSetting(key).value_or("none") + " ";
    EXPECT_EQ(stored, "3000 2250 2280 1800 ");
}

// Stored sizes are the laid-out client area plus the classic frame. With the
// prefix's frames and scaling (Windows 10 and 11 frames at 96 DPI, run again
// by tests/CMakeLists.txt with classic frames and at 120 and 144 DPI) each
// window shows the same client area, pixel for pixel, at its default size
// and at a stored one, with every control inside it and the compose
// window's above its status bar. Opened and closed, then restarted three
// times (once minimized), a window writes back exactly what was stored.
TEST_F(Windows, EveryWindowShowsItsLaidOutClientAreaInAnyFrameAndWritesBackWhatWasStored) {
    const int dpi = int(ui::win32::systemDpi());
    // The run's frames and DPI (frames.sh) in effect: Windows 10's small captions are as tall as the others.
    const char* const run = std::getenv("ORVENDA_TEST_FRAMES");
    const bool win10 = GetSystemMetrics(SM_CYSMCAPTION) == GetSystemMetrics(SM_CYCAPTION);
    EXPECT_EQ(run ? run : "win10 96", (win10 ? "win10 " : "classic ") + std::to_string(dpi));
    std::map<int, std::string> expected = {{96, "897x523 617x259 772x594 65x33 "},
        {120, "1121x654 771x324 965x743 81x41 "}, {144, "1346x785 926x389 1158x891 98x50 "}};
    const settings::GeometryKeys geometry[] = {settings::keys::Main, settings::keys::About,  // kForms' own
                                               settings::keys::AddressBook, settings::keys::AtWindow};
    std::string clients;
    for (const bool seeded : {false, true}) {
        for (size_t n = 0; n < 4; ++n) {
            const settings::GeometryKeys& keys = geometry[n];
            const settings::NumberKey four[] = {keys.left, keys.top, keys.width, keys.height};
            // 720 by 480 twips more are whole pixels at each DPI.
            const float stored[] = {seeded ? 1001.f : 1000.f, seeded ? 997.f : 1000.f,
                                    keys.width.fallback + 720 * seeded, keys.height.fallback + 480 * seeded};
            for (int i = 0; seeded && i < 4; ++i) settings.write(four[i], stored[i]);
            for (int start = 0; start < 4; ++start) {
                ui::Form& form = app.form(kForms[n]);
                const HWND w = shown(form);
                RECT client{}, bar{};
                GetClientRect(w, &client);
                const HWND status = FindWindowExW(w, nullptr, STATUSCLASSNAMEW, nullptr);
                if (status) GetWindowRect(status, &bar), MapWindowPoints(nullptr, w, reinterpret_cast<POINT*>(&bar), 2);
                const LONG bottom = status ? bar.top : client.bottom;
                for (HWND c = GetWindow(w, GW_CHILD); c && start == 0; c = GetWindow(c, GW_HWNDNEXT)) {
                    RECT r{};
                    GetWindowRect(c, &r);
                    MapWindowPoints(nullptr, w, reinterpret_cast<POINT*>(&r), 2);
                    EXPECT_TRUE(c == status || (r.left >= 0 && r.top >= 0 && r.right <= client.right && r.bottom <= bottom))
                        << kForms[n] << " " << form.controls()[size_t(GetDlgCtrlID(c) - ui::win32::kFirstControlId)]->name()
                        << " ends at " << r.right << "," << r.bottom << " of " << client.right << "," << bottom;
                }
                if (start == 0) clients += std::to_string(client.right - seeded * dpi / 2) + "x" +
                                           std::to_string(client.bottom - seeded * dpi / 3) + " ";
                if (start == 2) ShowWindow(w, SW_SHOWMINNOACTIVE);  // its normal place is stored
                pump();
                app.dispatch([&form] {
                    if (auto* ok = dynamic_cast<ui::Button*>(form.find("OK_BUTTON"))) ok->userClick();
                    else form.unload();
                });
                pump();
                for (int i = 0; i < 4; ++i)
                    EXPECT_EQ(settings.read(four[i]), stored[i]) << four[i].name << " after start " << start;
            }
        }
    }
    // At the stored size, 720 by 480 twips more than the default.
    EXPECT_EQ(clients, expected[dpi] + expected[dpi]) << "at " << dpi << " DPI";
}

// Every native control of every window shows its model's state (check) as
// made, and keeps showing it as the model changes. What is done to the
// native control (another
// program's WM_SETTEXT, a click, typing into a text the program put there)
// reaches the model. The compose window carries the program's icon in both
// sizes, the arrow pointer and the dialog colour; the status bar's clock puts
// date and time back within a couple of seconds when something else
// overwrote them.
TEST_F(Windows, EveryControlShowsItsModelsStateAsItChangesAndReportsWhatIsDoneToIt) {
    for (const char* name : kForms) check(app.form(name));
    ui::Form &main = app.form("ORVENDA_MAIN"), &about = app.form("ORVENDA_ABOUT");
    const HWND window = hwnd(main);
    EXPECT_TRUE(GetClassLongPtrW(window, GCLP_HICON) && GetClassLongPtrW(window, GCLP_HICONSM) &&
                GetClassLongPtrW(window, GCLP_HCURSOR) == reinterpret_cast<ULONG_PTR>(LoadCursorW(nullptr, IDC_ARROW)));
    EXPECT_EQ(draw(window, WM_ERASEBKGND).back, pixel(GetSysColor(COLOR_BTNFACE)));
    const HWND bar = FindWindowExW(window, nullptr, STATUSCLASSNAMEW, nullptr);
    auto part = [bar](int i) {
        wchar_t text[128] = L"";
        SendMessageW(bar, SB_GETTEXTW, WPARAM(i), reinterpret_cast<LPARAM>(text));
        return platform::win32::narrow(text);
    };
    SYSTEMTIME now;
    GetLocalTime(&now);
    for (int i : {1, 2}) SendMessageW(bar, SB_SETTEXTW, WPARAM(i), reinterpret_cast<LPARAM>(L"-"));
    const testing::win32::Window native(window);
    auto& w = static_cast<app::MainWindow&>(main);
    SendMessageW(native.require("SUBJECT_TEXTBOX"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Caf\u00e9"));
    SendMessageW(native.require("SAVE_SETTINGS_TICKBOX"), BM_CLICK, 0, 0);  // the AB button appears
    EXPECT_TRUE(w.SUBJECT_TEXTBOX.text() == "Caf\xC3\xA9" && w.SAVE_SETTINGS_TICKBOX.ticked());
    w.TLS_NO_TICKBOX.userClick();
    w.OUTPUT_TB_TICKBOX.userClick();
    static_cast<ui::Label*>(about.find("ORVENDA_CREATOR"))->userClick();
    w.SEND_TO_ADDRESS_TEXTBOX.setText("bob@example.org");
    EXPECT_TRUE(testing::win32::waitUntil([&] {  // a composer tick and a clock tick
        pump();
        return w.OUTPUT_COMMAND_TEXTBOX.text().find("bob@") != std::string::npos &&
               part(1).find(std::to_string(now.wYear)) != std::string::npos && part(2).find(':') != std::string::npos;
    }, 3000)) << part(1) << " | " << part(2);
    EXPECT_EQ(part(0), "Status");
    // Typing on after a text the program put into the field.
    SendMessageW(native.require("SEND_TO_ADDRESS_TEXTBOX"), EM_SETSEL, 15, 15);
    SendMessageW(native.require("SEND_TO_ADDRESS_TEXTBOX"), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L",carol"));
    EXPECT_EQ(w.SEND_TO_ADDRESS_TEXTBOX.text(), "bob@example.org,carol");
    check(main);
    check(about);
    w.OUTPUT_TB_TICKBOX.userClick();  // shown again, with the new line
    check(main);
    // The date and time panels keep their 1800 and 1500 twips at the right;
    // a window narrower than both leaves the text panel nothing.
    auto edges = [bar](bool narrow) {
        int e[3] = {};
        RECT r{};
        SendMessageW(bar, SB_GETPARTS, 3, reinterpret_cast<LPARAM>(e));
        GetClientRect(bar, &r);
        return std::to_string(narrow ? e[0] : r.right - e[0]) + " " + std::to_string(e[1] - e[0]) + " " + std::to_string(e[2]);
    };
    EXPECT_EQ(edges(false), "220 120 -1");
    SetWindowPos(window, nullptr, 0, 0, 150, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(edges(true), "0 120 -1");
}

// Windows sends WM_DPICHANGED when a window moves onto a monitor of other
// scaling (Wine never does): the new DPI in both words of wParam, the window
// rectangle it suggests in lParam. Another program keeps the input.
TEST_F(Windows, AMoveToAMonitorOfOtherScalingTakesTheSuggestedRectangleAndNeverTheInput) {
    ui::Form& main = app.form("ORVENDA_MAIN");
    HWND w = shown(main), other = CreateWindowExW(0, L"STATIC", L"another program", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                                 900, 600, 200, 100, nullptr, nullptr, nullptr, nullptr);
    auto layout = [&] {  // each control's edges and font height; the status bar's date panel
        std::vector<LONG> out;
        for (size_t i = 0; i < main.controls().size(); ++i) {
            RECT r{};
            LOGFONTW f{};
            HWND c = GetDlgItem(w, ui::win32::kFirstControlId + int(i));
            if (!c) continue;
            if (main.controls()[i]->kind() == ui::Kind::StatusBar) {  // it places itself; its panels keep their twips
                int e[3] = {};
                out.push_back(SendMessageW(c, SB_GETPARTS, 3, reinterpret_cast<LPARAM>(e)) == 3 ? e[1] - e[0] : -1);
                continue;
            }
            GetWindowRect(c, &r);
            MapWindowPoints(nullptr, w, reinterpret_cast<POINT*>(&r), 2);
            GetObjectW(reinterpret_cast<HFONT>(SendMessageW(c, WM_GETFONT, 0, 0)), sizeof f, &f);
            out.insert(out.end(), {r.left, r.top, r.right, r.bottom, f.lfHeight});
        }
        return out;
    };
    auto dpiChanged = [&](unsigned dpi, RECT suggested) {
        SetForegroundWindow(other);
        const LRESULT handled = SendMessageW(w, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        pump();
        RECT now{};
        GetWindowRect(w, &now);
        return handled == 0 && EqualRect(&now, &suggested) && GetForegroundWindow() == other;
    };
    pump();
    RECT first{};
    GetWindowRect(w, &first);
    const std::vector<LONG> at96 = layout();
    EXPECT_TRUE(dpiChanged(144, {400, 120, 1758, 945}));
    const std::vector<LONG> at144 = layout();
    for (size_t i = 0; i < std::min(at96.size(), at144.size()); ++i) EXPECT_LE(std::abs(at144[i] - 1.5 * at96[i]), 1.0) << i;
    EXPECT_TRUE(dpiChanged(96, first) && layout() == at96);
    main.show();  // shown again: in front of the other program
    pump();
    EXPECT_EQ(GetForegroundWindow(), w);
    DestroyWindow(other);
}

// Screen readers name a field after the nearest static text before it among
// its siblings in z-order (oleacc's rule; Wine's AccessibleObjectFromWindow
// and get_accName follow it too and give the same names).
TEST_F(Windows, EveryFieldIsNamedAsASightedUserReadsIt) {
    std::map<std::string, std::string> expected = {{"SEND_TO_ADDRESS_TEXTBOX", "To"}, {"SEND_FROM_ADDRESS_TEXTBOX", "From"},
        {"SEND_CC_ADDRESS_TEXTBOX", "Cc"}, {"SEND_BCC_ADDRESS_TEXTBOX", "Bcc"}, {"SUBJECT_TEXTBOX", "Subject"},
        {"MESSAGE_TEXTBOX", "Message"}, {"SMTP_SERVER_ADDRESS_PORT_TEXTBOX", "SMTP SERVER:PORT"},
        {"SMTP_USERNAME_TEXTBOX", "SMTP USERNAME"}, {"SMTP_PASSWORD_TEXTBOX", "SMTP PASSWORD"},
        {"OUTPUT_COMMAND_TEXTBOX", "Command line"}, {"INSTALL_FOLDER_TEXTBOX", "INSTALL FOLDER"},
        {"SENDEMAIL_TEXTBOX", "Mail sender"}, {"SENDEMAIL_WEBSITE_ADDRESS_TEXTBOX", "Mail sender's web page"}};
    for (int n = 1; n <= 20; ++n)
        expected["AT_NAME_TEXTBOX_" + std::to_string(n)] = "Name " + std::to_string(n),
        expected["AT_ADDRESS_TEXTBOX_" + std::to_string(n)] = "Address " + std::to_string(n);
    size_t fields = 0;
    for (const char* name : {"ORVENDA_MAIN", "ORVENDA_ABOUT", "ORVENDA_ADDRESS_BOOK"}) {
        ui::Form& form = app.form(name);
        const HWND window = shown(form);
        for (size_t i = 0; i < form.controls().size(); ++i) {
            HWND c = GetDlgItem(window, ui::win32::kFirstControlId + int(i)), label = c;
            wchar_t text[256] = L"";
            if (!c || form.controls()[i]->kind() != ui::Kind::TextBox) continue;
            while ((label = GetWindow(label, GW_HWNDPREV)) && !(GetClassNameW(label, text, 256) && !lstrcmpiW(text, L"Static"))) {}
            if (label) GetWindowTextW(label, text, 256); else text[0] = 0;
            EXPECT_EQ(platform::win32::narrow(text), expected[form.controls()[i]->name()]);
            ++fields;
        }
    }
    EXPECT_EQ(fields, expected.size());
}

// A window of the test's own. A field hidden when its window is made is made
// when first shown, with the text it was given meanwhile, in its place in
// z-order (the order Tab follows and screen readers name by) and with its
// name just before it; a label shows as the program says. Each timer ticks
// for itself, and not once disabled. The focus never falls into nothing.
TEST_F(Windows, AFieldFirstShownLaterTakesItsPlaceAndItsTextAndEachTimerTicksForItself) {
    struct Late : ui::Form {
        explicit Late(ui::Application& app) : Form(app, "ORVENDA_TEST_LATE", "late", ui::Border::Sizable, {0, 0, 3000, 2000}) {
            for (int i = 0; i < 3; ++i)
                add<ui::TextBox>("FIELD_" + std::to_string(i), ui::Look{{120, 120 + 400.0f * i, 2000, 285}, i, {}, {}, {}}, "")
                    .setSpokenName("Field " + std::to_string(i));
            find("FIELD_1")->setVisible(false);
            add<ui::Label>("NOTE", ui::Look{{120, 1400, 2000, 285}, -1, {}, {}, {}}, "note", ui::Align::Left).setVisible(false);
            slow.onTimer = [this] { ++slowTicks; };
            fast.onTimer = [this] { ++fastTicks; };
        }
        ui::Timer& slow = add<ui::Timer>("SLOW", 60000, true);
        ui::Timer& fast = add<ui::Timer>("FAST", 50, true);
        int slowTicks = 0, fastTicks = 0;
    };
    app.define("ORVENDA_TEST_LATE", [](ui::Application& app) { return std::make_unique<Late>(app); });
    auto& late = app.form<Late>("ORVENDA_TEST_LATE");
    const HWND window = shown(late);
    auto children = [window] {
        std::string out;
        for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            wchar_t kind[64] = L"", text[64] = L"";
            GetClassNameW(c, kind, 64);
            GetWindowTextW(c, text, 64);
            out += platform::win32::narrow(kind) + ":" + platform::win32::narrow(text) + (IsWindowVisible(c) ? " " : "(hidden) ");
        }
        return out;
    };
    EXPECT_EQ(children(), "Static:Field 0 Edit: Static:Field 2 Edit: Static:note(hidden) ");
    auto& field = static_cast<ui::TextBox&>(*late.find("FIELD_1"));
    field.setText("later");
    field.setVisible(true);
    late.find("NOTE")->setVisible(true);
    EXPECT_EQ(children(), "Static:Field 0 Edit: Static:Field 1 Edit:later Static:Field 2 Edit: Static:note ");
    EXPECT_TRUE(testing::win32::waitUntil([&] { return pump(), late.fastTicks >= 3; }, 3000));
    late.fast.setTimerEnabled(false);
    const int ticks = late.fastTicks;
    EXPECT_FALSE(testing::win32::waitUntil([&] { return pump(), late.fastTicks > ticks; }, 300));
    EXPECT_EQ(late.slowTicks, 0);
    // A field disabled or hidden under the focus hands it to the next tab
    // stop, where Tab goes, around past the last; while another window is
    // active, to the field that gets the focus back.
    const testing::win32::Window native(window);
    SetForegroundWindow(window);
    SetFocus(native.require("FIELD_1"));
    for (auto [name, hide, next] : {std::tuple{"FIELD_1", false, "FIELD_2"}, {"FIELD_2", true, "FIELD_0"}}) {
        const HWND tab = GetNextDlgTabItem(window, GetFocus(), FALSE);
        ui::Control& c = *late.find(name);
        app.dispatch([&c, hide = hide] { hide ? c.setVisible(false) : c.setEnabled(false); });
        pump();
        EXPECT_TRUE(GetFocus() == native.require(next) && GetFocus() == tab) << name;
    }
    late.find("FIELD_1")->setEnabled(true);
    const HWND other = CreateWindowExW(0, L"STATIC", L"another window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 900, 100,
                                       300, 200, nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    pump();
    late.find("FIELD_0")->setVisible(false);
    SetForegroundWindow(window);
    pump();
    EXPECT_EQ(GetFocus(), native.require("FIELD_1"));
    DestroyWindow(other);
    app.dispatch([&late] { late.unload(); });
}

}  // namespace
}  // namespace orvenda
