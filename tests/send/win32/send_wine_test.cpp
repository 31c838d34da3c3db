// The whole send under Wine, run by tests/send/e2e/run.sh, which provides the
// SMTP server and Debian's sendemail as SendEmail.exe: the real orvenda.exe,
// the real cmd.exe and the real sender, with metacharacters in the fields.
// orvenda.exe runs from a copy in a folder that, like the folder it is
// started in, holds a planted cmd.exe and notepad.exe (scripts that record
// that they ran): the system's own must start, and nothing planted.
#include "support/win32/driver.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/win32/text.h"

namespace orvenda::testing::win32 {
namespace {

std::string env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

TEST(SendEndToEndWine, SendReachesTheServerAndTheLogIsWritten) {
    const std::string install = env("ORVENDA_E2E_INSTALL"), server = env("ORVENDA_E2E_SMTP");
    const std::filesystem::path folder = platform::win32::wide(install), mailbox = platform::win32::wide(env("ORVENDA_E2E_MAILBOX")),
                                planted = platform::win32::wide(env("ORVENDA_E2E_PLANTED"));
    if (install.empty() || server.empty() || mailbox.empty() || planted.empty())
        GTEST_SKIP() << "needs the SMTP server and sender of tests/send/e2e/run.sh";
    clearSettings();
    Program program(platform::win32::wide(env("ORVENDA_E2E_PROGRAM")), platform::win32::wide(env("ORVENDA_E2E_CURRENT")));
    Window main = program.waitWindow("ORVENDA_MAIN", 30000);  // a first start in a fresh prefix is slow
    ASSERT_TRUE(main);
    const std::string subject = "Report \"Q3\" & <notes> | 50% ^_^ (final)!", password = "p&ss w\"d|x^!";
    for (auto [field, text] : {std::pair<const char*, std::string>{"INSTALL_FOLDER_TEXTBOX", install},
                               {"SEND_FROM_ADDRESS_TEXTBOX", "Alice <alice@example.org>"},
                               {"SEND_TO_ADDRESS_TEXTBOX", "bob@example.org"}, {"SEND_CC_ADDRESS_TEXTBOX", "carol@example.org"},
                               {"SEND_BCC_ADDRESS_TEXTBOX", "dave@example.org"},
                               {"SUBJECT_TEXTBOX", subject}, {"SMTP_SERVER_ADDRESS_PORT_TEXTBOX", server},
                               {"SMTP_USERNAME_TEXTBOX", "alice"}, {"SMTP_PASSWORD_TEXTBOX", password},
                               {"MESSAGE_TEXTBOX", "Hello Bob,\r\nline two with \xC3\xBC & <tags>"}})
        main.setText(field, text);
    main.click("SHOW_SE_PROGRESS_TICKBOX");  // hidden: the interpreter ends with the sender
    ASSERT_TRUE(waitUntil([&] { return main.text("OUTPUT_COMMAND_TEXTBOX").find(server) != std::string::npos; }));
    main.click("SEND_EMAIL_BUTTON");

    ASSERT_TRUE(waitUntil([&] { return readFile(mailbox).find("\nDATA ") != std::string::npos; }, 60000))
        << "nothing reached the server; the sender was given:\n" << readFile(folder / "arguments.txt");
    const std::string received = readFile(mailbox), arguments = readFile(folder / "arguments.txt");
    EXPECT_EQ(received.rfind("FROM alice@example.org\nTO bob@example.org\nTO carol@example.org\n"
                             "TO dave@example.org\nDATA ", 0), 0u) << received;
    EXPECT_NE(received.find("\r\nSubject: " + subject + "\r\n"), std::string::npos) << received;
    EXPECT_NE(received.find("\r\n\r\nHello Bob,\r\nline two with \xFC & <tags>\r\n"), std::string::npos) << received;
    EXPECT_NE(arguments.find("\n-xp\n" + password + "\n"), std::string::npos) << arguments;
    EXPECT_NE(arguments.find("\npassword=" + password + "\n"), std::string::npos) << arguments;
    EXPECT_TRUE(waitUntil([&] { return readFile(folder / "SENDEMAIL-LOG.txt").find("Email was sent successfully") !=
                                       std::string::npos; }, 10000));
    main.click("NOTEPAD_EMAIL_BUTTON");
    Window notepad = waitTopLevel("Notepad");
    EXPECT_TRUE(notepad);
    EXPECT_FALSE(std::filesystem::exists(planted)) << readFile(planted);
    if (notepad) notepad.close();
    main.close();
    EXPECT_TRUE(program.waitExit());
    clearSettings();
}

}  // namespace
}  // namespace orvenda::testing::win32
