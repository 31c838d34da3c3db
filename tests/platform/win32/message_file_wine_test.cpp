// The message file under Wine, through the Windows file service: the code
// page (CTest runs that test again under Windows-1251 and under UTF-8 as the
// system code page), a save that fails (read-only, folder gone, a name the
// system refuses) leaving the old bytes and saying so, and the system's reason in failure messages. Then the
// draft buttons of the real orvenda.exe: what stands at the file's path or
// in its folder's way, long folders, and saves beside a virus scanner that
// leave nothing of the program's behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <set>
#include <thread>

#include "platform/ansi_files.h"
#include "platform/win32/system_error.h"
#include "support/win32/driver.h"

namespace orvenda {
namespace {

namespace fs = std::filesystem;
using platform::win32::systemReason;
using Names = std::set<std::string>;
using testing::win32::readFile;
using testing::win32::waitUntil;

struct MessageFileWine : ::testing::Test {
    // The host's memory file system where there is one: flushing a file to
    // a disk costs some 15 ms here, and a test below saves 900 times.
    const fs::path folder = fs::path(fs::exists("Z:\\dev\\shm") ? "Z:\\dev\\shm" : "Z:\\tmp") /
                            ("orvenda-file-" + std::to_string(GetCurrentProcessId()));
    const fs::path file = folder / "SE-EMAIL.txt";
    const std::string couldNotWrite = "Could not write the message file \"" + file.string() + "\": ";
    std::unique_ptr<platform::AnsiTextFiles> files = platform::makeSystemAnsiTextFiles();
    MessageFileWine() { fs::create_directories(folder), std::ofstream(file, std::ios::binary) << "old\r\n"; }
    ~MessageFileWine() override { SetFileAttributesW(file.c_str(), 0), fs::remove_all(folder); }
    Names entries() const {
        Names names;
        for (auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
        return names;
    }
};

// The text in the system's code page, over the old file, and read back; the
// first character the code page cannot hold is named.
TEST_F(MessageFileWine, TextInTheSystemsCodePage) {
    struct CodePage { std::string text, bytes; std::optional<char32_t> unheld; };
    const std::map<UINT, CodePage> pages = {
        {1252, {"Grüße, 5 €\r\n", "Gr\xFC\xDF" "e, 5 \x80\r\n", U'Ω'}},
        {1251, {"Привет, 5 €\r\n", "\xCF\xF0\xE8\xE2\xE5\xF2, 5 \x88\r\n", U'ü'}},
        {CP_UTF8, {"Grüße Ω 😀\r\n", "Grüße Ω 😀\r\n", std::nullopt}}};
    ASSERT_TRUE(pages.count(GetACP())) << GetACP();
    const CodePage& page = pages.at(GetACP());
    EXPECT_EQ(files->firstUnrepresentable("Grüße € Ω ß Привет 😀"), page.unheld);
    ASSERT_EQ(files->write(file.string(), page.text), std::nullopt);
    EXPECT_EQ(readFile(file), page.bytes);
    std::string text;
    EXPECT_EQ(files->read(file.string(), text), std::nullopt);
    EXPECT_EQ(text, page.text);
}

// A save that fails (read-only, folder gone, a name the system refuses)
// leaves the old bytes and nothing beside, and says why and what the file
// holds now.
TEST_F(MessageFileWine, AFailedSaveKeepsTheOldBytesAndSaysWhy) {
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(files->write(file.string(), "new\r\n"), systemReason(ERROR_ACCESS_DENIED) + " The message file is read-only.");
    EXPECT_EQ(files->write((folder / "gone" / "SE-EMAIL.txt").string(), "new\r\n"), systemReason(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(files->write((folder / "SE-EMAIL?.txt").string(), "new\r\n"), systemReason(ERROR_INVALID_NAME) + " No message file was made.");
    EXPECT_EQ(readFile(file), "old\r\n");
    EXPECT_EQ(entries(), Names{"SE-EMAIL.txt"});
    // The number where the system has no text (its texts lose their line
    // breaks and placeholders as the native table of system texts shows).
    EXPECT_EQ(systemReason(0x20001234), "System error 536875572.");
}

// Real-time protection opens every new file for a moment, sharing reading
// and writing but not deletion, so that nothing can rename it meanwhile.
// This one looks at each new file of the pattern for `holdMs` as soon as
// the folder changes.
struct Scanner {
    std::atomic<bool> stop{false};
    std::atomic<int> scans{0};
    std::thread thread;
    Scanner(const fs::path& folder, const wchar_t* pattern, DWORD holdMs) : thread([=, this, pattern = (folder / pattern).wstring()] {
        std::map<std::wstring, ULONGLONG> seen;  // name to creation time: names come back
        HANDLE changed = FindFirstChangeNotificationW(folder.c_str(), FALSE, FILE_NOTIFY_CHANGE_FILE_NAME);
        while (!stop) {
            WIN32_FIND_DATAW found;
            HANDLE search = FindFirstFileW(pattern.c_str(), &found);
            for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileW(search, &found)) {
                const ULONGLONG created = ULONGLONG{found.ftCreationTime.dwHighDateTime} << 32 | found.ftCreationTime.dwLowDateTime;
                if (std::exchange(seen[found.cFileName], created) == created) continue;
                HANDLE file = CreateFileW((folder / found.cFileName).c_str(), GENERIC_READ,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
                if (file == INVALID_HANDLE_VALUE) continue;
                ++scans;
                Sleep(holdMs);
                CloseHandle(file);
            }
            if (search != INVALID_HANDLE_VALUE) FindClose(search);
            WaitForSingleObject(changed, 50);  // until the next file is made or renamed
            FindNextChangeNotification(changed);
        }
        FindCloseChangeNotification(changed);
    }) {}
    ~Scanner() { stop = true, thread.join(); }
};

// Clicks a button of the real orvenda.exe with `text` in the message
// field: what the program says, or "" once `done` holds.
std::string press(const testing::win32::Program& program, const testing::win32::Window& main, const char* button,
                  const std::string& text, const std::function<bool()>& done) {
    main.setText("MESSAGE_TEXTBOX", text), main.click(button);
    std::string said;
    EXPECT_TRUE(waitUntil([&] { return done() || !(said = program.message(0)).empty(); })) << button << " " << text;
    return said;
}

// The real orvenda.exe, whose install folder the test gives it; a failure's
// words are read from its message box.
struct DraftButtonsWine : MessageFileWine {
    testing::win32::Program program;
    testing::win32::Window main = program.waitWindow("ORVENDA_MAIN", 30000);  // a first start in a fresh prefix is slow
    DraftButtonsWine() { main.setText("INSTALL_FOLDER_TEXTBOX", folder.string()); }
    ~DraftButtonsWine() override { main.close(), program.waitExit(), testing::win32::clearSettings(); }
    std::string save(const std::string& text) { return press(program, main, "SAVE_DRAFT_BUTTON", text, [&] { return readFile(file) == text + "\r\n"; }); }
};

// A folder at the file's path stays as it is, with what it holds: SAVE
// DRAFT and SEND EMAIL say what stands there, and nothing starts. No one,
// root included, may make a file in the host's /sys: a folder such as
// Program Files is to a program.
TEST_F(DraftButtonsWine, AFolderInTheFilesPlaceOrAFolderThatTakesNoFileIsSaidSoAndKeepsEverything) {
    fs::remove(file), fs::create_directory(file);
    std::ofstream(file / "mine.txt") << "mine";
    for (const char* button : {"SAVE_DRAFT_BUTTON", "SEND_EMAIL_BUTTON"})
        EXPECT_EQ(press(program, main, button, "body", [] { return false; }), couldNotWrite + "A folder stands at this path, "
                  "where the message file belongs. Move or rename it, or choose another install folder.");
    Sleep(1000);  // time for a start that must not come
    EXPECT_FALSE(program.startedAny());
    EXPECT_TRUE(readFile(file / "mine.txt") == "mine" && entries() == Names{"SE-EMAIL.txt"});
    main.setText("INSTALL_FOLDER_TEXTBOX", "Z:\\sys");
    EXPECT_EQ(save("kept"), "Could not write the message file \"Z:\\sys\\SE-EMAIL.txt\": " + systemReason(ERROR_ACCESS_DENIED) +
                                " Windows does not let programs create files in this folder (Program Files, or a folder "
                                "under Controlled folder access), so choose a folder of your own.");
    EXPECT_EQ(main.text("MESSAGE_TEXTBOX"), "kept");
}

// Up to 246 characters the install folder saves and loads the draft byte
// for byte; beyond, the file's path passes the 259 characters Windows takes,
// and both buttons say so, keeping the field and making no file.
TEST_F(DraftButtonsWine, LongInstallFoldersSaveAndLoadByteForByteOrAreRefusedPlainly) {
    const std::string body = "line one\r\n\tline two";
    for (std::size_t length : {240, 246, 247, 250, 300}) {
        std::string install = (folder / std::to_string(length)).string();
        for (std::size_t rest; (rest = length - install.size()) > 0;) install += "\\" + std::string(rest > 150 ? 100 : rest - 1, 'd');
        fs::create_directories(install);
        main.setText("INSTALL_FOLDER_TEXTBOX", install);
        const bool fits = length <= 246;
        const std::string why = "\\SE-EMAIL.txt\": Its path has " + std::to_string(length + 13) + " characters, more than the 259 that "
                                "Windows takes. Choose a shorter install folder than \"" + install + "\", of at most 246 characters.";
        EXPECT_EQ(press(program, main, "SAVE_DRAFT_BUTTON", body, [&] { return readFile(install + "\\SE-EMAIL.txt") == body + "\r\n"; }),
                  fits ? "" : "Could not write the message file \"" + install + why);
        EXPECT_EQ(press(program, main, "LOAD_DRAFT_BUTTON", "other", [&] { return main.text("MESSAGE_TEXTBOX") == body + "\r\n"; }),
                  fits ? "" : "Could not read the message file \"" + install + why);
        EXPECT_EQ(main.text("MESSAGE_TEXTBOX"), fits ? body + "\r\n" : "other");
        // std::filesystem under Wine removes no path past MAX_PATH; what a
        // save must not leave keeps a folder from going.
        if (fits) DeleteFileW(fs::path(install + "\\SE-EMAIL.txt").c_str());
        for (std::wstring part = fs::path(install).wstring(); part.size() > folder.wstring().size(); part.resize(part.rfind(L'\\')))
            RemoveDirectoryW(part.c_str());
        EXPECT_FALSE(fs::exists(folder / std::to_string(length))) << length;
    }
}

// A save refused because the scanner held its temporary file past both
// waits (for the old file's place, then to delete it) leaves the old text;
// the file goes at the next save, or as the program closes. The scanner
// misses a file now and then; the save is tried until it holds one.
TEST_F(DraftButtonsWine, AFileHeldPastTheWaitsGoesAtTheNextSaveOrAsTheProgramCloses) {
    for (bool atClose : {false, true}) {
        {
            Scanner scanner(folder, L"SE-*.tmp", 2500);
            std::string said, before;
            for (int i = 0; i < 20 && said.empty(); ++i) before = readFile(file), said = save("try " + std::to_string(i));
            EXPECT_EQ(said, couldNotWrite + systemReason(ERROR_SHARING_VIOLATION) + " The message file keeps its earlier text.");
            EXPECT_EQ(readFile(file), before);
            EXPECT_EQ(entries().size(), 2u);
        }
        if (atClose) main.close(), program.waitExit();
        else save("after");
        EXPECT_TRUE(waitUntil([&] { return entries() == Names{"SE-EMAIL.txt"}; })) << atClose;
    }
}

// Three runs of 300 saves beside a scanner that holds each new file for
// 3 ms, with both cores kept busy: every save puts its text in place, and
// after each run's close only the message file is left, with the last
// text. Files of the program's names from before go at the first save; the
// user's of like names stay.
struct SavesBesideAScannerWine : MessageFileWine {};
TEST_F(SavesBesideAScannerWine, ThreeRunsOf300LeaveOnlyTheMessageFile) {
    const Names kept = {"SE-EMAIL.txt", "SE-EMAIL.bak", "SE-12345.tmp", "SE-beef.txt"};
    for (const char* name : {"SE-1a2b.bak", "SE-C3D4.tmp", "SE-EMAIL.bak", "SE-12345.tmp", "SE-beef.txt"}) std::ofstream(folder / name) << "x";
    // Two loops on the host while the folder lasts (at most 200 s).
    const std::string host = (fs::exists("Z:\\dev\\shm") ? "/dev/shm/" : "/tmp/") + folder.filename().string();
    testing::win32::startHost("for i in 1 2; do timeout 200 sh -c 'while [ -d " + host + " ]; do :; done' & done");
    Scanner scanner(folder, L"*", 3);
    for (int run = 0; run < 3; ++run) {
        testing::win32::Program program;
        testing::win32::Window main = program.waitWindow("ORVENDA_MAIN", 30000);
        main.setText("INSTALL_FOLDER_TEXTBOX", folder.string());
        for (int i = 0; i < 300; ++i) {
            const std::string text = "run " + std::to_string(run) + ", save " + std::to_string(i);
            ASSERT_EQ(press(program, main, "SAVE_DRAFT_BUTTON", text, [&] { return readFile(file) == text + "\r\n"; }), "");
            EXPECT_TRUE(run + i > 0 || !(fs::exists(folder / "SE-1a2b.bak") || fs::exists(folder / "SE-C3D4.tmp")));
        }
        main.close();
        ASSERT_TRUE(program.waitExit());
        EXPECT_EQ(entries(), kept) << "run " << run;
        EXPECT_EQ(readFile(file), "run " + std::to_string(run) + ", save 299\r\n");
    }
    std::cout << scanner.scans << " files scanned during 900 saves\n";  // the time is the test's
    EXPECT_GT(scanner.scans, 900);
    testing::win32::clearSettings();
}

}  // namespace
}  // namespace orvenda
