// The message file under Wine, through the Windows file service: the code
// page (CTest runs that test again under Windows-1251 and under UTF-8 as the
// system code page), a save that fails (file held open without sharing,
// read-only, folder gone, a name the system refuses) leaving the old bytes
// and saying so, the forms Notepad saves in read back as the same text,
// saves against a virus scanner, and the system's reason in failure messages.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <thread>

#include "platform/ansi_files.h"
#include "platform/win32/system_error.h"
#include "support/win32/driver.h"

namespace orvenda {
namespace {

namespace fs = std::filesystem;
using testing::win32::readFile;

struct MessageFileWine : ::testing::Test {
    // Under Wine, the host's memory file system where there is one: flushing
    // a file to a disk costs some 15 ms here, and the scanner's test saves
    // 2,000 times.
    const fs::path folder = (fs::exists("Z:\\dev\\shm") ? fs::path("Z:\\dev\\shm") : fs::temp_directory_path()) /
                            ("orvenda-file-" + std::to_string(GetCurrentProcessId()));
    const fs::path file = folder / "SE-EMAIL.txt";
    std::unique_ptr<platform::AnsiTextFiles> files = platform::makeSystemAnsiTextFiles();
    MessageFileWine() { fs::create_directories(folder), std::ofstream(file, std::ios::binary) << "old\r\n"; }
    ~MessageFileWine() override { SetFileAttributesW(file.c_str(), 0), fs::remove_all(folder); }
    // Our own temporary and backup files; Wine's ReplaceFileW leaves an
    // "rf*.tmp" of its own beside when it fails, which Windows does not.
    bool nothingLeftBeside() const {
        for (auto& entry : fs::directory_iterator(folder))
            if (entry.path().filename().string().starts_with("SE-") && entry.path() != file) return false;
        return true;
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

TEST_F(MessageFileWine, NotepadsFormsAndAFailedSaveThatKeepsTheOldBytesAndSaysWhy) {
    std::string text;  // Notepad's UTF-8 (with a mark or without), "Unicode" (UTF-16 LE) and "ANSI".
    using namespace std::string_literals;
    for (const std::string& notepad : {"\xEF\xBB\xBF" "Caf\xC3\xA9 Gr\xC3\xBC\xC3\x9F" "e\r\n"s, "Caf\xC3\xA9 Gr\xC3\xBC\xC3\x9F" "e\r\n"s,
                                       "\xFF\xFE" "C\0a\0f\0\xE9\0 \0G\0r\0\xFC\0\xDF\0e\0\r\0\n\0"s, "Caf\xE9 Gr\xFC\xDF" "e\r\n"s}) {
        std::ofstream(file, std::ios::binary) << notepad;
        EXPECT_EQ(files->read(file.string(), text), std::nullopt);
        EXPECT_EQ(text, "Café Grüße\r\n");
    }
    // A save that fails (file held open without sharing, read-only, folder
    // gone, a name the system refuses) leaves the old bytes and nothing
    // beside, and says why and what the file holds now.
    using platform::win32::systemReason;
    std::ofstream(file, std::ios::binary) << "old\r\n";
    HANDLE held = CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(files->write(file.string(), "new\r\n"), systemReason(ERROR_SHARING_VIOLATION) + " The message file keeps its earlier text.");
    CloseHandle(held);
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(files->write(file.string(), "new\r\n"), systemReason(ERROR_ACCESS_DENIED));
    EXPECT_EQ(files->write((folder / "gone" / "SE-EMAIL.txt").string(), "new\r\n"), systemReason(ERROR_DIRECTORY));
    EXPECT_EQ(files->write((folder / "SE-EMAIL?.txt").string(), "new\r\n"), systemReason(ERROR_INVALID_NAME) + " No message file was made.");
    EXPECT_EQ(readFile(file), "old\r\n");
    EXPECT_TRUE(nothingLeftBeside());
    // The system's reason that such failure messages carry: its own sentence
    // without the line break, and the number where the system has no text.
    for (unsigned long code : {ERROR_ACCESS_DENIED, ERROR_SHARING_VIOLATION}) {
        const std::string reason = platform::win32::systemReason(code);
        EXPECT_TRUE(reason.size() > 2 && !reason.starts_with("System error") && reason.find_first_of("\r\n ", reason.size() - 1) == std::string::npos)
            << code << ": \"" << reason << "\"";
    }
    EXPECT_EQ(platform::win32::systemReason(0x20001234), "System error 536875572.");
}

// Real-time protection opens every new file for a moment, sharing reading
// and writing but not deletion, so that nothing can rename it meanwhile.
// This one looks at each new SE-*.tmp file as soon as the folder changes,
// for 1 ms, and at every `longEvery`th for `longMs`.
struct Scanner {
    std::atomic<bool> stop{false};
    std::atomic<int> scans{0}, longLooks{0};
    std::thread thread;
    Scanner(const fs::path& folder, int longEvery, DWORD longMs) : thread([=, this, pattern = (folder / "SE-*.tmp").wstring()] {
        std::map<std::wstring, ULONGLONG> seen;  // name to creation time: GetTempFileNameW reuses names
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
                const bool longLook = ++scans % longEvery == longEvery / 2;
                Sleep(longLook ? longMs : 1);
                longLooks += longLook;
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

// Every save against the scanner leaves the old text or the new one, never
// no file, and nothing of its own beside; a save refused says so.
TEST_F(MessageFileWine, ASaveThatAScannerGetsInTheWayOfKeepsTheOldTextOrTheNew) {
    constexpr int kSaves = 2000;
    std::string before = "old\r\n";
    int refused = 0, scans = 0, longLooks = 0;
    const ULONGLONG start = GetTickCount64();
    {
        // Now and then a long look, past the second a save waits for a file
        // held open: that save must give up and keep the old text.
        Scanner scanner(folder, 500, 1500);
        for (int i = 0; i < kSaves; ++i) {
            const std::string text = "save " + std::to_string(i) + "\r\n";
            const auto failure = files->write(file.string(), text);
            const std::string after = readFile(file);
            ASSERT_TRUE(after == text || (failure && after == before)) << i << ": \"" << after << "\" " << failure.value_or("");
            if (failure) ++refused, std::cout << "refused: " << *failure << "\n";
            before = after;
        }
        scans = scanner.scans, longLooks = scanner.longLooks;
    }
    std::cout << kSaves << " saves, " << scans << " temporary files scanned, " << refused << " saves refused ("
              << longLooks << " files held past the retries), " << (GetTickCount64() - start) / 1000.0 << " s\n";
    EXPECT_GT(scans, kSaves / 2);
    EXPECT_GE(longLooks, 2);
    EXPECT_GE(refused, longLooks);
    EXPECT_LE(refused, longLooks + kSaves / 100);  // only a machine stalled for a second refuses more
    EXPECT_TRUE(nothingLeftBeside());
}

// A temporary file held past both waits (for the old file's place, then to
// delete it) stays, and the message says where. The scanner misses a file
// now and then; the save is tried until it holds one.
TEST_F(MessageFileWine, ANewTextThatCannotBeSavedNorRemovedStaysAndTheMessageSaysWhere) {
    std::optional<std::string> failure;
    {
        Scanner scanner(folder, 1, 2500);
        for (int i = 0; i < 10 && !failure; ++i) failure = files->write(file.string(), "new\r\n");
    }
    const std::string said = failure.value_or("saved"), stays = " The message file keeps its earlier text. The new text stays in \"";
    const size_t start = said.find(stays) + stays.size(), end = said.find("\" (", start);
    ASSERT_TRUE(said.find(stays) != std::string::npos && end != std::string::npos) << said;
    EXPECT_EQ(said.substr(end), "\" (" + platform::win32::systemReason(ERROR_SHARING_VIOLATION) + ").");
    EXPECT_EQ(readFile(said.substr(start, end - start)), "new\r\n");
    fs::remove(said.substr(start, end - start));
    EXPECT_TRUE(nothingLeftBeside());
}

}  // namespace
}  // namespace orvenda
