// Wine tests of the program's windows created in this process on the Win32
// backend, with the real window manager, fonts and registry: every text fits
// its control in the font selected into it, the "@" window opens at its
// stated size with the "@" over the whole client area, a window that nobody
// moved writes back exactly what it read, a move to a monitor of other
// scaling, and the names screen readers give the fields.
#include "ui/win32/backend.h"

#include <gtest/gtest.h>

#include <climits>
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
// scaling (Wine never does): the new DPI in both words of wParam, the window
// rectangle it suggests in lParam. Another program keeps the input.
TEST_F(Windows, AMoveToAMonitorOfOtherScalingTakesTheSuggestedRectangleAndNeverTheInput) {
    ui::Form& main = app.form("ORVENDA_MAIN");
    main.show();
    HWND w = hwnd(main), other = CreateWindowExW(0, L"STATIC", L"another program", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                                 900, 600, 200, 100, nullptr, nullptr, nullptr, nullptr);
    auto layout = [&] {  // each control's edges and font height; the status bar places itself
        std::vector<LONG> out;
        for (size_t i = 0; i < main.controls().size(); ++i) {
            RECT r{};
            LOGFONTW f{};
            HWND c = GetDlgItem(w, ui::win32::kFirstControlId + int(i));
            if (!c || main.controls()[i]->kind() == ui::Kind::StatusBar) continue;
            GetWindowRect(c, &r);
            MapWindowPoints(nullptr, w, reinterpret_cast<POINT*>(&r), 2);
            GetObjectW(reinterpret_cast<HFONT>(SendMessageW(c, WM_GETFONT, 0, 0)), sizeof f, &f);
            out.insert(out.end(), {r.left, r.top, r.right, r.bottom, f.lfHeight});
        }
        return out;
    };
    auto dpiChanged = [&](unsigned dpi, RECT suggested) {
        SetForegroundWindow(other);
        SendMessageW(w, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        pump();
        RECT now{};
        GetWindowRect(w, &now);
        return EqualRect(&now, &suggested) && GetForegroundWindow() == other;
    };
    pump();
    RECT first{};
    GetWindowRect(w, &first);
    const std::vector<LONG> at96 = layout();
    EXPECT_TRUE(dpiChanged(144, {400, 120, 1758, 945}));
    const std::vector<LONG> at144 = layout();
    for (size_t i = 0; i < std::min(at96.size(), at144.size()); ++i) EXPECT_LE(std::abs(at144[i] - 1.5 * at96[i]), 1.0) << i;
    EXPECT_TRUE(dpiChanged(96, first) && layout() == at96);
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
        form.show();
        pump();
        for (size_t i = 0; i < form.controls().size(); ++i) {
            HWND c = GetDlgItem(hwnd(form), ui::win32::kFirstControlId + int(i)), label = c;
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

}  // namespace
}  // namespace orvenda
