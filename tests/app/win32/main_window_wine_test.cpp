// The compose window of the real orvenda.exe, driven from outside with
// window messages and checked through its controls and the registry.
#include "support/win32/driver.h"

#include <gtest/gtest.h>

#include <cmath>

namespace orvenda::testing::win32 {
namespace {

constexpr const char* kMain = "ORVENDA_MAIN";
constexpr const char* kInitialOutput = "OUTPUT COMMAND WINDOW\r\n";
constexpr const char* kFirstLine =
    R"("e.g. C:\SendEmail\SendEmail.exe" -f "" -t "" -cc "" -bcc "" -u "" -o message-file="e.g. C:\SendEmail\SE-EMAIL.txt" -s "e.g. IP:25 or FQDN:25" -xu "username" -xp "pwsample" -o reply-to= -l "e.g. C:\SendEmail\SENDEMAIL-LOG.txt" -o tls=no -o username=username -o password=pwsample -q  -v )";

int px(float twips, unsigned dpi) { return int(std::lround(twips * dpi / 1440.0)); }

class MainWindowWine : public ::testing::Test {
protected:
    void SetUp() override { clearSettings(); }
    void TearDown() override { clearSettings(); }

    // Starts the program and waits for its compose window.
    Window start(Program& program) {
        Window w = program.waitWindow(kMain);
        EXPECT_TRUE(w) << "the compose window did not open";
        return w;
    }
    // Closes the compose window and expects the program to end with it.
    void closeAndExit(Program& program, const Window& w) {
        w.close();
        EXPECT_TRUE(program.waitExit());
        EXPECT_EQ(runningPrograms(), 0);
    }
    bool outputHolds(const Window& w, const std::string& piece) {
        return waitUntil([&] { return w.text("OUTPUT_COMMAND_TEXTBOX").find(piece) != std::string::npos; },
                         3000);
    }
};

TEST_F(MainWindowWine, FirstStartOpensAtTheDefaultsAndComposesAfterOneSecond) {
    Program program;
    Window w = start(program);
    ASSERT_TRUE(w);
    // Read at once: the first tick comes a second after the load steps.
    EXPECT_EQ(w.text("OUTPUT_COMMAND_TEXTBOX"), kInitialOutput);

    EXPECT_EQ(w.caption(), "ORVENDA");
    EXPECT_FALSE(w.isToolWindow());
    const unsigned dpi = w.dpi();
    RECT r = w.rect();
    EXPECT_EQ(r.left, px(1000, dpi));
    EXPECT_EQ(r.top, px(1000, dpi));
    EXPECT_EQ(r.right - r.left, px(13575, dpi));
    EXPECT_EQ(r.bottom - r.top, px(8250, dpi));
    if (dpi == 96) {
        EXPECT_EQ(r.right - r.left, 905);
    }

    EXPECT_EQ(w.text("INSTALL_FOLDER_TEXTBOX"), "e.g. C:\\SendEmail");
    EXPECT_EQ(w.text("SMTP_SERVER_ADDRESS_PORT_TEXTBOX"), "e.g. IP:25 or FQDN:25");
    EXPECT_EQ(w.text("SMTP_USERNAME_TEXTBOX"), "username");
    EXPECT_EQ(w.text("SMTP_PASSWORD_TEXTBOX"), "pwsample");
    EXPECT_EQ(SendMessageW(w.require("SMTP_PASSWORD_TEXTBOX"), EM_GETPASSWORDCHAR, 0, 0), L'*');
    for (const char* empty : {"SEND_FROM_ADDRESS_TEXTBOX", "SEND_TO_ADDRESS_TEXTBOX", "SEND_CC_ADDRESS_TEXTBOX",
                              "SEND_BCC_ADDRESS_TEXTBOX", "SUBJECT_TEXTBOX", "MESSAGE_TEXTBOX"})
        EXPECT_EQ(w.text(empty), "") << empty;
    EXPECT_FALSE(w.checked("SAVE_SETTINGS_TICKBOX"));
    EXPECT_TRUE(w.checked("OUTPUT_TB_TICKBOX"));
    EXPECT_TRUE(w.checked("SHOW_SE_PROGRESS_TICKBOX"));
    EXPECT_TRUE(w.checked("TLS_NO_TICKBOX"));
    EXPECT_TRUE(w.enabled("TLS_NO_TICKBOX"));
    EXPECT_FALSE(w.checked("TLS_YES_TICKBOX"));
    EXPECT_FALSE(w.enabled("TLS_YES_TICKBOX"));
    EXPECT_FALSE(w.checked("TLS_AUTO_TICKBOX"));
    EXPECT_FALSE(w.enabled("TLS_AUTO_TICKBOX"));
    EXPECT_FALSE(w.visible("ADDRESS_BOOK_BUTTON"));
    EXPECT_TRUE(w.visible("OUTPUT_COMMAND_TEXTBOX"));
    EXPECT_EQ(w.text("ORVENDA_TITLE"), "VELDRIN - ORVENDA");
    // Hidden vocabulary stays off screen.
    EXPECT_FALSE(w.visible("DASH_F_TB"));

    // Each label comes just before its field, and the caret starts in To.
    EXPECT_EQ(GetWindow(w.require("SEND_TO_ADDRESS_TEXTBOX"), GW_HWNDPREV), w.require("TO_LABEL"));
    EXPECT_EQ(GetWindow(w.require("SMTP_PASSWORD_TEXTBOX"), GW_HWNDPREV), w.require("SMTP_PASSWORD_LABEL"));
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    ASSERT_TRUE(GetGUIThreadInfo(GetWindowThreadProcessId(w.hwnd(), nullptr), &gui));
    EXPECT_EQ(gui.hwndFocus, w.require("SEND_TO_ADDRESS_TEXTBOX"));

    EXPECT_TRUE(waitUntil([&] { return w.text("OUTPUT_COMMAND_TEXTBOX") == kFirstLine; }, 3000))
        << w.text("OUTPUT_COMMAND_TEXTBOX");
    closeAndExit(program, w);
}

TEST_F(MainWindowWine, TextsSetFromOutsideReachTheLineAtTheNextTick) {
    Program program;
    Window w = start(program);
    ASSERT_TRUE(w);
    w.setText("SEND_TO_ADDRESS_TEXTBOX", "bob@example.org");
    EXPECT_TRUE(outputHolds(w, R"( -t "bob@example.org" )"));
    // EM_REPLACESEL, as an accessibility tool inserts text.
    w.replaceSelection("SUBJECT_TEXTBOX", "Hello", true);
    w.replaceSelection("SUBJECT_TEXTBOX", " there", false);
    EXPECT_TRUE(outputHolds(w, R"( -u "Hello there" )"));

    // The multi-line message field keeps what was set into it.
    w.setText("MESSAGE_TEXTBOX", "line one\r\nline two");
    w.replaceSelection("MESSAGE_TEXTBOX", "\r\nline three", false);
    Sleep(1200);
    EXPECT_EQ(w.text("MESSAGE_TEXTBOX"), "line one\r\nline two\r\nline three");

    // A hand edit of the output window is reverted at the next tick, by
    // either route.
    const std::string line = w.text("OUTPUT_COMMAND_TEXTBOX");
    w.setText("OUTPUT_COMMAND_TEXTBOX", "typed by hand");
    EXPECT_EQ(w.text("OUTPUT_COMMAND_TEXTBOX"), "typed by hand");
    EXPECT_TRUE(waitUntil([&] { return w.text("OUTPUT_COMMAND_TEXTBOX") == line; }, 3000));
    w.replaceSelection("OUTPUT_COMMAND_TEXTBOX", "more", false);
    EXPECT_TRUE(waitUntil([&] { return w.text("OUTPUT_COMMAND_TEXTBOX") == line; }, 3000));

    // No 32K limit: 100,000 characters in Subject. (The output window is
    // hidden first: Wine's multi-line edit needs minutes to lay out a line
    // that long.)
    w.click("OUTPUT_TB_TICKBOX");
    ASSERT_TRUE(waitUntil([&] { return !w.visible("OUTPUT_COMMAND_TEXTBOX"); }));
    const std::string big(100'000, 's');
    w.setText("SUBJECT_TEXTBOX", big);
    EXPECT_EQ(w.text("SUBJECT_TEXTBOX"), big);
    EXPECT_GE(SendMessageW(w.require("SUBJECT_TEXTBOX"), EM_GETLIMITTEXT, 0, 0), 1'000'000);
    EXPECT_GE(SendMessageW(w.require("MESSAGE_TEXTBOX"), EM_GETLIMITTEXT, 0, 0), 1'000'000);
    EXPECT_GE(SendMessageW(w.require("OUTPUT_COMMAND_TEXTBOX"), EM_GETLIMITTEXT, 0, 0), 1'000'000);
    Sleep(1100);
    EXPECT_EQ(w.text("SUBJECT_TEXTBOX").size(), big.size());
    w.click("EXIT_BUTTON");
    EXPECT_TRUE(program.waitExit());
    EXPECT_EQ(runningPrograms(), 0);
}

TEST_F(MainWindowWine, TlsTickBoxesActAsOneChoice) {
    Program program;
    Window w = start(program);
    ASSERT_TRUE(w);
    // A greyed box ignores a click; the click after it on "no" shows that
    // both were handled, in order.
    w.click("TLS_YES_TICKBOX");
    w.click("TLS_NO_TICKBOX");
    ASSERT_TRUE(waitUntil([&] { return !w.checked("TLS_NO_TICKBOX"); }));
    EXPECT_FALSE(w.checked("TLS_YES_TICKBOX"));
    EXPECT_TRUE(w.enabled("TLS_YES_TICKBOX"));
    EXPECT_TRUE(w.enabled("TLS_AUTO_TICKBOX"));
    EXPECT_TRUE(outputHolds(w, " -o tls=no "));

    w.click("TLS_YES_TICKBOX");
    ASSERT_TRUE(waitUntil([&] { return w.checked("TLS_YES_TICKBOX"); }));
    EXPECT_FALSE(w.checked("TLS_NO_TICKBOX"));
    EXPECT_FALSE(w.enabled("TLS_NO_TICKBOX"));
    EXPECT_FALSE(w.enabled("TLS_AUTO_TICKBOX"));
    EXPECT_TRUE(outputHolds(w, " -o tls=yes "));

    w.click("TLS_YES_TICKBOX");  // back to "no"
    ASSERT_TRUE(waitUntil([&] { return w.checked("TLS_NO_TICKBOX"); }));
    EXPECT_TRUE(w.enabled("TLS_NO_TICKBOX"));
    EXPECT_FALSE(w.enabled("TLS_YES_TICKBOX"));
    EXPECT_FALSE(w.enabled("TLS_AUTO_TICKBOX"));

    w.click("TLS_NO_TICKBOX");
    w.click("TLS_AUTO_TICKBOX");
    ASSERT_TRUE(waitUntil([&] { return w.checked("TLS_AUTO_TICKBOX"); }));
    EXPECT_FALSE(w.enabled("TLS_YES_TICKBOX"));
    EXPECT_FALSE(w.enabled("TLS_NO_TICKBOX"));
    EXPECT_TRUE(outputHolds(w, " -o tls=auto "));
    closeAndExit(program, w);
}

TEST_F(MainWindowWine, SaveOnExitStoresTheAccountAndTheNextStartRestoresIt) {
    {
        Program program;
        Window w = start(program);
        ASSERT_TRUE(w);
        w.click("SAVE_SETTINGS_TICKBOX");
        ASSERT_TRUE(waitUntil([&] { return w.visible("ADDRESS_BOOK_BUTTON"); }));
        EXPECT_TRUE(w.checked("SAVE_SETTINGS_TICKBOX"));
        w.setText("INSTALL_FOLDER_TEXTBOX", "C:\\Mail");
        w.setText("SMTP_SERVER_ADDRESS_PORT_TEXTBOX", "smtp.example.org:587");
        w.setText("SMTP_USERNAME_TEXTBOX", "alice");
        w.setText("SMTP_PASSWORD_TEXTBOX", "s3cr\u00e9t");
        w.setText("SEND_FROM_ADDRESS_TEXTBOX", "alice@example.org");
        w.setText("SEND_TO_ADDRESS_TEXTBOX", "never@stored.example");
        w.click("OUTPUT_TB_TICKBOX");
        w.click("TLS_NO_TICKBOX");
        w.click("TLS_AUTO_TICKBOX");
        ASSERT_TRUE(waitUntil([&] { return w.checked("TLS_AUTO_TICKBOX"); }));
        EXPECT_FALSE(w.visible("OUTPUT_COMMAND_TEXTBOX"));
        EXPECT_EQ(readSetting("OUTPUT_WINDOW_VISIBLE"), "False");  // written at once
        EXPECT_EQ(readSetting("SAVE_SETTINGS_TICKBOX"), std::nullopt);  // not before closing
        closeAndExit(program, w);
    }
    EXPECT_EQ(readSetting("MainLeft"), "1000");
    EXPECT_EQ(readSetting("MainTop"), "1000");
    EXPECT_EQ(readSetting("MainWidth"), "13575");
    EXPECT_EQ(readSetting("MainHeight"), "8250");
    EXPECT_EQ(readSetting("SAVE_SETTINGS_TICKBOX"), "1");
    EXPECT_EQ(readSetting("OUTPUT_TB_TICKBOX"), "0");
    EXPECT_EQ(readSetting("OUTPUT_COMMAND_TEXTBOX"), "False");
    EXPECT_EQ(readSetting("SHOW_SE_PROGRESS_TICKBOX"), "1");
    EXPECT_EQ(readSetting("INSTALL_FOLDER_TEXTBOX"), "C:\\Mail");
    EXPECT_EQ(readSetting("SMTP_SERVER_ADDRESS_PORT_TEXTBOX"), "smtp.example.org:587");
    EXPECT_EQ(readSetting("SMTP_USERNAME_TEXTBOX"), "alice");
    EXPECT_EQ(readSetting("SMTP_PASSWORD_TEXTBOX"), "s3cr\u00e9t");
    EXPECT_EQ(readSetting("SEND_FROM_ADDRESS_TEXTBOX"), "alice@example.org");
    EXPECT_EQ(readSetting("TLS_NO_TICKBOX"), "0");
    EXPECT_EQ(readSetting("TLS_YES_TICKBOX"), "0");
    EXPECT_EQ(readSetting("TLS_AUTO_TICKBOX"), "1");
    EXPECT_EQ(readSetting("SEND_TO_ADDRESS_TEXTBOX"), std::nullopt);

    Program program;
    Window w = start(program);
    ASSERT_TRUE(w);
    EXPECT_TRUE(w.checked("SAVE_SETTINGS_TICKBOX"));
    EXPECT_TRUE(w.visible("ADDRESS_BOOK_BUTTON"));
    EXPECT_FALSE(w.checked("OUTPUT_TB_TICKBOX"));
    EXPECT_FALSE(w.visible("OUTPUT_COMMAND_TEXTBOX"));
    EXPECT_EQ(w.text("INSTALL_FOLDER_TEXTBOX"), "C:\\Mail");
    EXPECT_EQ(w.text("SMTP_PASSWORD_TEXTBOX"), "s3cr\u00e9t");
    EXPECT_EQ(w.text("SEND_FROM_ADDRESS_TEXTBOX"), "alice@example.org");
    EXPECT_EQ(w.text("SEND_TO_ADDRESS_TEXTBOX"), "");
    EXPECT_TRUE(w.checked("TLS_AUTO_TICKBOX"));
    EXPECT_FALSE(w.checked("TLS_NO_TICKBOX"));
    EXPECT_FALSE(w.enabled("TLS_NO_TICKBOX"));
    EXPECT_FALSE(w.enabled("TLS_YES_TICKBOX"));
    // Shown again, the output window is created in its place and composes.
    w.click("OUTPUT_TB_TICKBOX");
    ASSERT_TRUE(waitUntil([&] { return w.visible("OUTPUT_COMMAND_TEXTBOX"); }));
    EXPECT_TRUE(outputHolds(w, " -o tls=auto "));
    closeAndExit(program, w);
}

TEST_F(MainWindowWine, GeometryFollowsTheWindowAndAMinimizedCloseReopensOnScreen) {
    {
        Program program;
        Window w = start(program);
        ASSERT_TRUE(w);
        const unsigned dpi = w.dpi();
        SetWindowPos(w.hwnd(), nullptr, 100, 120, 800, 500, SWP_NOZORDER | SWP_NOACTIVATE);
        w.minimize();
        ASSERT_TRUE(waitUntil([&] { return w.iconic(); }));
        closeAndExit(program, w);
        // The restored rectangle, not the minimized one.
        EXPECT_EQ(readSetting("MainLeft"), std::to_string(int(std::lround(100 * 1440.0 / dpi))));
        EXPECT_EQ(readSetting("MainTop"), std::to_string(int(std::lround(120 * 1440.0 / dpi))));
        EXPECT_EQ(readSetting("MainWidth"), std::to_string(int(std::lround(800 * 1440.0 / dpi))));
        EXPECT_EQ(readSetting("MainHeight"), std::to_string(int(std::lround(500 * 1440.0 / dpi))));
    }
    {
        Program program;
        Window w = start(program);
        ASSERT_TRUE(w);
        RECT r = w.rect();
        EXPECT_EQ(r.left, 100);
        EXPECT_EQ(r.top, 120);
        EXPECT_EQ(r.right - r.left, 800);
        closeAndExit(program, w);
    }
    // Stored far off every monitor, e.g. the minimized position an older
    // version wrote: the window opens on screen.
    seedSetting("MainLeft", "-48000");
    seedSetting("MainTop", "-48000");
    Program program;
    Window w = start(program);
    ASSERT_TRUE(w);
    RECT r = w.rect();
    EXPECT_GE(r.left, 0);
    EXPECT_GE(r.top, 0);
    EXPECT_LT(r.left, GetSystemMetrics(SM_CXVIRTUALSCREEN));
    EXPECT_LT(r.top, GetSystemMetrics(SM_CYVIRTUALSCREEN));
    closeAndExit(program, w);
}

}  // namespace
}  // namespace orvenda::testing::win32
