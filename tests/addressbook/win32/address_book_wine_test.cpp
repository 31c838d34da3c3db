// The address book in the real orvenda.exe, driven under Wine: "AB" and the
// modal opening, picks reaching the command line while the book is open,
// entries surviving a restart, the close box, CLEAR, the Cc column and a
// window stored off every monitor.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "support/win32/driver.h"

namespace orvenda {
namespace {

using namespace testing::win32;

constexpr const char* kMain = "ORVENDA_MAIN";
constexpr const char* kBook = "ORVENDA_ADDRESS_BOOK";

class AddressBookWine : public ::testing::Test {
protected:
    void SetUp() override { clearSettings(); }
    void TearDown() override { clearSettings(); }

    // Clicks "AB" and waits for the book to be on screen.
    static Window openBook(const Program& program, const Window& main) {
        main.click("ADDRESS_BOOK_BUTTON");
        return program.waitWindow(kBook);
    }
    static bool gone(const Window& w) { return !w || !IsWindowVisible(w.hwnd()); }
    // Ends the program by the compose window's close box.
    static void quit(Program& program, const Window& main) {
        main.close();
        EXPECT_TRUE(program.waitExit());
    }
};

TEST_F(AddressBookWine, AbAppearsWithSaveOnExitAndOpensTheBookModal) {
    Program program;
    Window main = program.waitWindow(kMain);
    ASSERT_TRUE(main);
    EXPECT_FALSE(main.visible("ADDRESS_BOOK_BUTTON"));
    main.click("SAVE_SETTINGS_TICKBOX");
    ASSERT_TRUE(waitUntil([&] { return main.visible("ADDRESS_BOOK_BUTTON"); }));

    Window book = openBook(program, main);
    ASSERT_TRUE(book);
    EXPECT_EQ(book.caption(), "ORVENDA - ADDRESS_BOOK");
    EXPECT_TRUE(book.isToolWindow());
    EXPECT_EQ(GetWindow(book.hwnd(), GW_OWNER), main.hwnd());
    EXPECT_FALSE(IsWindowEnabled(main.hwnd()));
    const LONG_PTR style = GetWindowLongPtrW(book.hwnd(), GWL_STYLE);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));

    // The compose window takes no input while the book is open: its "EXIT"
    // does nothing, and the book's own buttons still work afterwards.
    main.click("EXIT_BUTTON");
    book.click("SHOW_BCC_TB");
    ASSERT_TRUE(waitUntil([&] { return !book.visible("BCC_BUTTON_1"); }));
    EXPECT_TRUE(program.running());
    EXPECT_TRUE(IsWindow(main.hwnd()));

    book.close();
    ASSERT_TRUE(waitUntil([&] { return gone(book); }));
    EXPECT_TRUE(waitUntil([&] { return IsWindowEnabled(main.hwnd()) != FALSE; }));
    quit(program, main);
}

TEST_F(AddressBookWine, PickFillsTheComposeFieldAndTheCommandLineWhileTheBookIsOpen) {
    seedSetting("SAVE_SETTINGS_TICKBOX", "1");
    seedSetting("AT_ADDRESS_TEXTBOX_3", "bob@example.org");
    Program program;
    Window main = program.waitWindow(kMain);
    Window book = openBook(program, main);
    ASSERT_TRUE(book);
    EXPECT_EQ(book.text("AT_ADDRESS_TEXTBOX_3"), "bob@example.org");
    EXPECT_EQ(book.text("AT_ADDRESS_TEXTBOX_4"), "Address");

    book.click("TO_BUTTON_3");
    EXPECT_TRUE(waitUntil([&] { return main.text("SEND_TO_ADDRESS_TEXTBOX") == "bob@example.org"; }));
    // The composer ticks once a second, modal window or not.
    EXPECT_TRUE(waitUntil(
        [&] { return main.text("OUTPUT_COMMAND_TEXTBOX").find(R"( -t "bob@example.org")") != std::string::npos; },
        2000))
        << main.text("OUTPUT_COMMAND_TEXTBOX");
    EXPECT_FALSE(gone(book));

    // An address typed but not saved is picked as typed, and replaces.
    book.setText("AT_ADDRESS_TEXTBOX_4", "carol@example.org");
    book.click("TO_BUTTON_4");
    EXPECT_TRUE(waitUntil([&] { return main.text("SEND_TO_ADDRESS_TEXTBOX") == "carol@example.org"; }));
    book.click("FROM_BUTTON_1");
    EXPECT_TRUE(waitUntil([&] { return main.text("SEND_FROM_ADDRESS_TEXTBOX") == "Address"; }));
    EXPECT_EQ(main.text("SEND_TO_ADDRESS_TEXTBOX"), "carol@example.org");

    book.close();
    ASSERT_TRUE(waitUntil([&] { return gone(book); }));
    EXPECT_EQ(readSetting("AT_ADDRESS_TEXTBOX_4"), std::nullopt) << "the close box saves no entry";
    quit(program, main);
}

TEST_F(AddressBookWine, SavedEntriesComeBackAfterARestart) {
    seedSetting("SAVE_SETTINGS_TICKBOX", "1");
    {
        Program program;
        Window main = program.waitWindow(kMain);
        Window book = openBook(program, main);
        ASSERT_TRUE(book);
        book.setText("AT_NAME_TEXTBOX_2", "Alice Example");
        book.setText("AT_ADDRESS_TEXTBOX_2", "alice@example.org");
        book.setText("AT_NAME_TEXTBOX_20", "");
        book.click("SAVE_CLOSE_BUTTON");
        ASSERT_TRUE(waitUntil([&] { return gone(book); }));
        EXPECT_EQ(readSetting("AT_NAME_TEXTBOX_2"), "Alice Example");
        EXPECT_EQ(readSetting("AT_ADDRESS_TEXTBOX_1"), "Address") << "all 40 keys are written";
        EXPECT_EQ(readSetting("AT_NAME_TEXTBOX_20"), "");
        EXPECT_TRUE(readSetting("ABMainLeft").has_value());
        quit(program, main);
    }
    Program program;
    Window main = program.waitWindow(kMain);
    Window book = openBook(program, main);
    ASSERT_TRUE(book);
    EXPECT_EQ(book.text("AT_NAME_TEXTBOX_2"), "Alice Example");
    EXPECT_EQ(book.text("AT_ADDRESS_TEXTBOX_2"), "alice@example.org");
    EXPECT_EQ(book.text("AT_NAME_TEXTBOX_20"), "");
    EXPECT_EQ(book.text("AT_NAME_TEXTBOX_1"), "Name");
    book.close();
    ASSERT_TRUE(waitUntil([&] { return gone(book); }));
    quit(program, main);
}

TEST_F(AddressBookWine, ClearIsGuardedAndResetsTheStoreAtOnce) {
    seedSetting("SAVE_SETTINGS_TICKBOX", "1");
    seedSetting("AT_NAME_TEXTBOX_5", "Dave");
    Program program;
    Window main = program.waitWindow(kMain);
    Window book = openBook(program, main);
    ASSERT_TRUE(book);
    EXPECT_FALSE(book.enabled("CLEAR_SAVED_DATA_BUTTON"));
    // Its caption is longer than the button is wide: it must wrap to be read.
    EXPECT_TRUE(book.style("CLEAR_SAVED_DATA_BUTTON") & BS_MULTILINE);
    EXPECT_EQ(book.text("CLEAR_SAVED_DATA_BUTTON"), "CLEAR ALL NAMES AMD ADDRESSES");
    EXPECT_FALSE(book.checked("ENABLE_CLEAR_DATA_BUTTON_TICKBOX"));
    EXPECT_TRUE(book.checked("SHOW_CC_TB"));

    book.click("ENABLE_CLEAR_DATA_BUTTON_TICKBOX");
    ASSERT_TRUE(waitUntil([&] { return book.enabled("CLEAR_SAVED_DATA_BUTTON"); }));
    book.click("CLEAR_SAVED_DATA_BUTTON");
    EXPECT_TRUE(waitUntil([&] { return readSetting("AT_NAME_TEXTBOX_5") == "Name"; }));
    EXPECT_EQ(book.text("AT_NAME_TEXTBOX_5"), "Name");
    EXPECT_EQ(readSetting("AT_ADDRESS_TEXTBOX_20"), "Address");
    EXPECT_FALSE(gone(book));

    // The Cc column goes and comes back as a whole.
    book.click("SHOW_CC_TB");
    EXPECT_TRUE(waitUntil([&] { return !book.visible("CC_BUTTON_1") && !book.visible("CC_BUTTON_20"); }));
    EXPECT_TRUE(book.visible("TO_BUTTON_20"));
    EXPECT_TRUE(book.visible("BCC_BUTTON_20"));
    book.click("SHOW_CC_TB");
    EXPECT_TRUE(waitUntil([&] { return book.visible("CC_BUTTON_1") && book.visible("CC_BUTTON_20"); }));

    book.close();
    ASSERT_TRUE(waitUntil([&] { return gone(book); }));
    quit(program, main);
}

TEST_F(AddressBookWine, ABookStoredOffEveryMonitorOpensOnScreen) {
    seedSetting("SAVE_SETTINGS_TICKBOX", "1");
    seedSetting("ABMainLeft", "-480000");
    seedSetting("ABMainTop", "-480000");
    Program program;
    Window main = program.waitWindow(kMain);
    Window book = openBook(program, main);
    ASSERT_TRUE(book);
    RECT r = book.rect();
    EXPECT_NE(MonitorFromRect(&r, MONITOR_DEFAULTTONULL), nullptr)
        << r.left << "," << r.top << " " << r.right << "," << r.bottom;

    // The close box stores where the book now is.
    book.close();
    ASSERT_TRUE(waitUntil([&] { return gone(book); }));
    auto left = readSetting("ABMainLeft");
    ASSERT_TRUE(left.has_value());
    EXPECT_GT(std::stof(*left), -2000.0f);
    quit(program, main);
}

}  // namespace
}  // namespace orvenda
