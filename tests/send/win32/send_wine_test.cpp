// The real orvenda.exe under Wine: what a failing file operation, a locked or
// read-only message file and a character outside the code page show the
// user, and (run by tests/send/e2e/run.sh, which provides the SMTP server and
// the sender) a whole send through cmd.exe and Debian's sendemail.
#include "support/win32/driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <fstream>
#include <iterator>
#include <string>

#include "ui/win32/text.h"

namespace orvenda::testing::win32 {
namespace {

constexpr const char* kMain = "ORVENDA_MAIN";

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string windowText(HWND hwnd) {
    wchar_t buffer[4096];
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(hwnd, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG,
                             2000, &length))
        return {};
    return ui::win32::narrow(std::wstring_view(buffer, length));
}

std::string className(HWND hwnd) {
    wchar_t name[256];
    const int n = GetClassNameW(hwnd, name, 256);
    return ui::win32::narrow(std::wstring_view(name, n > 0 ? n : 0));
}

// A visible top-level window that `accept` takes, or nullptr.
HWND findTopLevel(const std::function<bool(HWND)>& accept) {
    struct Search {
        const std::function<bool(HWND)>* accept;
        HWND found;
    } search{&accept, nullptr};
    EnumWindows(
        [](HWND hwnd, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            if (IsWindowVisible(hwnd) && (*s->accept)(hwnd)) {
                s->found = hwnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The message box the program shows, with its text, and a way to answer it.
struct MessageBox {
    HWND hwnd = nullptr;
    std::string text;
};

MessageBox waitMessageBox(const Program& program, int timeoutMs = 5000) {
    MessageBox box;
    waitUntil(
        [&] {
            box.hwnd = findTopLevel([&](HWND hwnd) {
                DWORD pid = 0;
                GetWindowThreadProcessId(hwnd, &pid);
                return pid == program.id() && className(hwnd) == "#32770";
            });
            return box.hwnd != nullptr;
        },
        timeoutMs);
    if (!box.hwnd) return box;
    EnumChildWindows(
        box.hwnd,
        [](HWND child, LPARAM param) -> BOOL {
            if (className(child) == "Static") reinterpret_cast<std::string*>(param)->append(windowText(child));
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&box.text));
    return box;
}

void dismiss(const MessageBox& box) {
    PostMessageW(box.hwnd, WM_COMMAND, IDOK, 0);
    waitUntil([&] { return !IsWindow(box.hwnd) || !IsWindowVisible(box.hwnd); });
}

// A fresh folder under the prefix's temporary folder, as the program names it.
struct Folder {
    std::filesystem::path path;
    Folder() {
        path = std::filesystem::temp_directory_path() /
               ("orvenda-send-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount()));
        std::filesystem::create_directories(path);
    }
    ~Folder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    std::string text() const { return ui::win32::narrow(path.wstring()); }
    std::filesystem::path messageFile() const { return path / "SE-EMAIL.txt"; }
};

class SendWine : public ::testing::Test {
protected:
    void SetUp() override { clearSettings(); }
    void TearDown() override {
        main.close();
        EXPECT_TRUE(program.waitExit());
        clearSettings();
    }
    void open() {
        main = program.waitWindow(kMain, 30000);  // a first start in a fresh prefix is slow
        ASSERT_TRUE(main) << "the compose window did not open";
    }
    // Clicks `button` and returns the message box that follows, answered.
    std::string failureAfter(const char* button) {
        main.click(button);
        MessageBox box = waitMessageBox(program);
        EXPECT_TRUE(box.hwnd) << "no message after " << button;
        if (box.hwnd) dismiss(box);
        return box.text;
    }

    Program program;
    Window main;
};

TEST_F(SendWine, MissingFolderLockedAndReadOnlyFilesAreReportedAndChangeNothing) {
    ASSERT_NO_FATAL_FAILURE(open());
    Folder folder;
    const std::string missing = folder.text() + "\\missing";
    main.setText("INSTALL_FOLDER_TEXTBOX", missing);
    main.setText("MESSAGE_TEXTBOX", "keep me");

    std::string text = failureAfter("SAVE_DRAFT_BUTTON");
    EXPECT_EQ(text.rfind("Could not write the message file \"" + missing + "\\SE-EMAIL.txt\": ", 0), 0u) << text;
    EXPECT_GT(text.size(), missing.size() + 50) << "no reason given: " << text;
    text = failureAfter("LOAD_DRAFT_BUTTON");
    EXPECT_EQ(text.rfind("Could not read the message file \"" + missing + "\\SE-EMAIL.txt\": ", 0), 0u) << text;
    text = failureAfter("SEND_EMAIL_BUTTON");
    EXPECT_EQ(text.rfind("Could not write the message file", 0), 0u) << text;
    EXPECT_EQ(main.text("MESSAGE_TEXTBOX"), "keep me");

    // Locked by another program: no sharing at all.
    main.setText("INSTALL_FOLDER_TEXTBOX", folder.text());
    std::ofstream(folder.messageFile(), std::ios::binary) << "held\r\n";
    HANDLE lock = CreateFileW(folder.messageFile().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    text = failureAfter("SAVE_DRAFT_BUTTON");
    EXPECT_NE(text.find(folder.text() + "\\SE-EMAIL.txt"), std::string::npos) << text;
    text = failureAfter("LOAD_DRAFT_BUTTON");
    EXPECT_EQ(text.rfind("Could not read the message file", 0), 0u) << text;
    CloseHandle(lock);
    EXPECT_EQ(readFile(folder.messageFile()), "held\r\n");
    EXPECT_EQ(main.text("MESSAGE_TEXTBOX"), "keep me");

    // Read-only.
    SetFileAttributesW(folder.messageFile().c_str(), FILE_ATTRIBUTE_READONLY);
    text = failureAfter("SAVE_DRAFT_BUTTON");
    EXPECT_EQ(text.rfind("Could not write the message file", 0), 0u) << text;
    SetFileAttributesW(folder.messageFile().c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(readFile(folder.messageFile()), "held\r\n");

    // And once the file is free again, save and load work.
    main.click("SAVE_DRAFT_BUTTON");
    ASSERT_TRUE(waitUntil([&] { return readFile(folder.messageFile()) == "keep me\r\n"; }));
    main.setText("MESSAGE_TEXTBOX", "");
    main.click("LOAD_DRAFT_BUTTON");
    EXPECT_TRUE(waitUntil([&] { return main.text("MESSAGE_TEXTBOX") == "keep me\r\n"; }));
}

TEST_F(SendWine, TextsOutsideTheCodePageAreRefusedAndTheCodePageIsWritten) {
    ASSERT_NO_FATAL_FAILURE(open());
    Folder folder;
    main.setText("INSTALL_FOLDER_TEXTBOX", folder.text());
    main.setText("MESSAGE_TEXTBOX", "Grüße, 5 €");
    main.click("SAVE_DRAFT_BUTTON");
    ASSERT_TRUE(waitUntil([&] { return readFile(folder.messageFile()) == "Gr\xFC\xDF" "e, 5 \x80\r\n"; }));

    main.setText("SUBJECT_TEXTBOX", "Ωmega");
    std::string text = failureAfter("SEND_EMAIL_BUTTON");
    EXPECT_EQ(text.rfind("The Subject field holds \"Ω\" (U+03A9), a character that the system's code page "
                         "cannot hold.", 0), 0u) << text;
    main.setText("MESSAGE_TEXTBOX", "Привет");
    text = failureAfter("SAVE_DRAFT_BUTTON");
    EXPECT_EQ(text.rfind("The message holds \"П\" (U+041F)", 0), 0u) << text;
    EXPECT_EQ(readFile(folder.messageFile()), "Gr\xFC\xDF" "e, 5 \x80\r\n");
    EXPECT_EQ(main.text("MESSAGE_TEXTBOX"), "Привет");
}

// --- The whole send, with the server and sender that run.sh provides ---

std::string env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

HWND notepadShowing(const std::string& fileName) {
    return findTopLevel([&](HWND hwnd) {
        const std::string caption = windowText(hwnd);
        return caption.find(fileName) != std::string::npos && caption.find("Notepad") != std::string::npos;
    });
}

TEST(SendEndToEndWine, SendReachesTheServerAndSeLogOpensTheLog) {
    const std::string install = env("ORVENDA_E2E_INSTALL");
    const std::string server = env("ORVENDA_E2E_SMTP");
    const std::string mailbox = env("ORVENDA_E2E_MAILBOX");
    if (install.empty() || server.empty() || mailbox.empty())
        GTEST_SKIP() << "needs the SMTP server and sender of tests/send/e2e/run.sh";
    const std::filesystem::path installPath = ui::win32::wide(install);

    clearSettings();
    Program program;
    Window main = program.waitWindow(kMain, 30000);  // a first start in a fresh prefix is slow
    ASSERT_TRUE(main);
    const std::string subject = "Report \"Q3\" & <notes> | 50% ^_^ (final)";
    const std::string password = "p&ss w\"d|x^";
    main.setText("INSTALL_FOLDER_TEXTBOX", install);
    main.setText("SEND_FROM_ADDRESS_TEXTBOX", "Alice <alice@example.org>");
    main.setText("SEND_TO_ADDRESS_TEXTBOX", "bob@example.org");
    main.setText("SEND_CC_ADDRESS_TEXTBOX", "carol@example.org");
    main.setText("SEND_BCC_ADDRESS_TEXTBOX", "dave@example.org");
    main.setText("SUBJECT_TEXTBOX", subject);
    main.setText("SMTP_SERVER_ADDRESS_PORT_TEXTBOX", server);
    main.setText("SMTP_USERNAME_TEXTBOX", "alice");
    main.setText("SMTP_PASSWORD_TEXTBOX", password);
    main.setText("MESSAGE_TEXTBOX", "Hello Bob,\r\nline two with \xC3\xBC & <tags> \"quoted\"");
    main.click("SHOW_SE_PROGRESS_TICKBOX");  // hidden: the interpreter ends with the sender
    ASSERT_TRUE(waitUntil([&] { return !main.checked("SHOW_SE_PROGRESS_TICKBOX"); }));
    ASSERT_TRUE(waitUntil([&] { return main.text("OUTPUT_COMMAND_TEXTBOX").find(server) != std::string::npos; }));

    main.click("SEND_EMAIL_BUTTON");
    const std::filesystem::path mailboxPath = ui::win32::wide(mailbox);
    ASSERT_TRUE(waitUntil([&] { return readFile(mailboxPath).find("\nDATA ") != std::string::npos; }, 60000))
        << "nothing reached the server; the sender was given:\n"
        << readFile(installPath / "arguments.txt");
    const std::string received = readFile(mailboxPath);
    EXPECT_EQ(received.rfind("FROM alice@example.org\n", 0), 0u) << received;
    EXPECT_NE(received.find("\nTO bob@example.org\nTO carol@example.org\nTO dave@example.org\nDATA "),
              std::string::npos) << received;
    EXPECT_NE(received.find("\r\nSubject: " + subject + "\r\n"), std::string::npos) << received;
    EXPECT_NE(received.find("\r\n\r\nHello Bob,\r\nline two with \xFC & <tags> \"quoted\"\r\n"), std::string::npos)
        << received;
    // The sender was given the password as one argument, twice.
    const std::string arguments = readFile(installPath / "arguments.txt");
    EXPECT_NE(arguments.find("\n-xp\n" + password + "\n"), std::string::npos) << arguments;
    EXPECT_NE(arguments.find("\npassword=" + password + "\n"), std::string::npos) << arguments;

    // The log appears in the install folder, where "SE-LOG" opens it.
    ASSERT_TRUE(waitUntil([&] { return std::filesystem::exists(installPath / "SENDEMAIL-LOG.txt"); }, 10000));
    EXPECT_NE(readFile(installPath / "SENDEMAIL-LOG.txt").find("Email was sent successfully"), std::string::npos);
    main.click("SENDEMAIL_LOG_BUTTON");
    HWND notepad = nullptr;
    EXPECT_TRUE(waitUntil([&] { return (notepad = notepadShowing("SENDEMAIL-LOG")) != nullptr; }, 15000));
    if (notepad) PostMessageW(notepad, WM_CLOSE, 0, 0);

    main.close();
    EXPECT_TRUE(program.waitExit());
    clearSettings();
}

}  // namespace
}  // namespace orvenda::testing::win32
