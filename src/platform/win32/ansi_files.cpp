// platform/win32: message files in the system's ANSI code page. Characters the
// code page cannot hold are found with WC_NO_BEST_FIT_CHARS and the
// used-default flag, so nothing is ever written as a look-alike or a "?".
// A write goes to a temporary file that ReplaceFileW (or MoveFileExW where
// there is no old file) puts in the old file's place, keeping a backup until
// the new text is there, so that a scanner holding a file never costs both
// texts. Reading takes Unicode files as decodeFileText says. Uses the Win32
// API, the helpers beside it and platform/utf8.h.
#include <windows.h>

#include <algorithm>

#include "platform/ansi_files.h"
#include "platform/utf8.h"
#include "platform/win32/system_error.h"
#include "platform/win32/text.h"

namespace orvenda::platform {

namespace {

bool codePageIsUtf8() { return GetACP() == CP_UTF8; }

constexpr const char* kKeptEarlier = " The message file keeps its earlier text.";
constexpr const char* kNoneMade = " No message file was made.";
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// A file that someone else holds open (a virus scanner opens every new file
// for a moment) is tried again every few milliseconds for about a second
// before giving up.
class Patience {
public:
    // Waits before the next try; false once the second is used up.
    bool wait() {
        if (GetTickCount64() >= deadline_) return false;
        Sleep(5);
        return true;
    }

private:
    const ULONGLONG deadline_ = GetTickCount64() + 1000;
};

// Runs `step` until it succeeds (0) or fails other than by a sharing or lock
// violation, or the second is used up (the last error).
template <class Step>
DWORD patiently(Step step) {
    for (Patience patience;;) {
        if (step()) return 0;
        const DWORD error = GetLastError();
        if ((error != ERROR_SHARING_VIOLATION && error != ERROR_LOCK_VIOLATION) || !patience.wait()) return error;
    }
}

// Converts to the ANSI code page; false when a character had no mapping.
bool toAnsi(std::wstring_view text, std::string& out) {
    out.clear();
    if (text.empty()) return true;
    const bool utf8 = codePageIsUtf8();
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* used = utf8 ? nullptr : &usedDefault;
    const int size = WideCharToMultiByte(CP_ACP, flags, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, used);
    if (size == 0) return false;
    out.resize(static_cast<std::size_t>(size));
    WideCharToMultiByte(CP_ACP, flags, text.data(), static_cast<int>(text.size()), out.data(), size,
                        nullptr, used);
    return !usedDefault;
}

class Win32AnsiFiles : public AnsiTextFiles {
public:
    std::optional<char32_t> firstUnrepresentable(std::string_view utf8) const override {
        std::string bytes;
        if (toAnsi(win32::wide(utf8), bytes)) return std::nullopt;
        // Something did not convert: find the first character that does not.
        for (std::size_t pos = 0; pos < utf8.size();) {
            const std::size_t start = pos;
            const char32_t c = nextCharacter(utf8, pos);
            if (!toAnsi(win32::wide(utf8.substr(start, pos - start)), bytes)) return c;
        }
        return std::nullopt;
    }

    std::optional<std::string> write(const std::string& path, std::string_view utf8) override {
        std::string bytes;
        if (!toAnsi(win32::wide(utf8), bytes))
            return std::string("The text holds a character that the system's code page cannot hold.");
        const std::wstring name = win32::wide(path);
        // Windows refuses to replace a read-only file; say so the same way
        // where the system would let its administrator through.
        const DWORD attributes = GetFileAttributesW(name.c_str());
        const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
        if (exists && (attributes & FILE_ATTRIBUTE_READONLY) && !(attributes & FILE_ATTRIBUTE_DIRECTORY))
            return win32::systemReason(ERROR_ACCESS_DENIED);
        // The new text goes to a temporary file in the same folder, which
        // takes the old file's place once all of it is on disk.
        const std::size_t slash = name.find_last_of(L"\\/");
        const std::wstring folder = slash == std::wstring::npos ? L"." : name.substr(0, slash + 1);
        wchar_t temporary[MAX_PATH + 1];
        if (!GetTempFileNameW(folder.c_str(), L"SE-", 0, temporary)) return win32::systemReason(GetLastError());
        const char* afterwards = exists ? kKeptEarlier : kNoneMade;
        if (const DWORD error = writeWhole(temporary, bytes)) return win32::systemReason(error) + dropped(temporary, afterwards);
        if (exists) return replace(name, temporary, attributes);
        if (const DWORD error = move(temporary, name, MOVEFILE_REPLACE_EXISTING))
            return win32::systemReason(error) + dropped(temporary, afterwards);
        return std::nullopt;
    }

    std::optional<std::string> read(const std::string& path, std::string& utf8) override {
        HANDLE file = CreateFileW(win32::wide(path).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return win32::systemReason(GetLastError());
        std::string bytes;
        char buffer[65536];
        for (;;) {
            DWORD got;
            if (!ReadFile(file, buffer, sizeof buffer, &got, nullptr)) {
                const DWORD error = GetLastError();
                CloseHandle(file);
                return win32::systemReason(error);
            }
            if (got == 0) break;
            bytes.append(buffer, got);
        }
        CloseHandle(file);
        return decodeFileText(bytes, utf8, [](std::string_view codePage) {
            std::wstring text;
            if (!codePage.empty()) {
                const int size = MultiByteToWideChar(CP_ACP, 0, codePage.data(), static_cast<int>(codePage.size()),
                                                     nullptr, 0);
                text.resize(static_cast<std::size_t>(size));
                MultiByteToWideChar(CP_ACP, 0, codePage.data(), static_cast<int>(codePage.size()), text.data(), size);
            }
            return win32::narrow(text);
        });
    }

private:
    // The bytes into the (empty) temporary file. A scanner may open it the
    // moment it exists; sharing reads lets both go on.
    static DWORD writeWhole(const wchar_t* temporary, const std::string& bytes) {
        HANDLE file = INVALID_HANDLE_VALUE;
        if (const DWORD error = patiently([&] {
                file = CreateFileW(temporary, GENERIC_WRITE, FILE_SHARE_READ, nullptr, TRUNCATE_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
                return file != INVALID_HANDLE_VALUE;
            }))
            return error;
        std::size_t done = 0;
        DWORD error = 0;
        while (done < bytes.size() && !error) {
            DWORD written;  // set by WriteFile, to 0 on failure
            const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
            if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr)) error = GetLastError();
            done += written;
        }
        if (!error && !FlushFileBuffers(file)) error = GetLastError();
        if (!CloseHandle(file) && !error) error = GetLastError();
        return error;
    }

    // ReplaceFileW with a backup of the old file beside it. When the call
    // fails having taken the old file away (a scanner holding the temporary
    // file: 1176 without a backup, 1177 with one), a file is put back in
    // place at once: the old one from the backup where there is one, else
    // the new one. The temporary file is never deleted while the message
    // file is missing, and the backup only once the new text is in place.
    static std::optional<std::string> replace(const std::wstring& name, const wchar_t* temporary, DWORD attributes) {
        std::wstring backup = temporary;
        backup.replace(backup.size() - 3, 3, L"bak");
        DeleteFileW(backup.c_str());
        for (Patience patience;;) {
            if (ReplaceFileW(name.c_str(), temporary, backup.c_str(), REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                             nullptr))
                break;
            DWORD error = GetLastError();
            if (!present(name)) {
                const bool old = present(backup);
                if (old && !(error = move(backup.c_str(), name))) {
                    error = ERROR_UNABLE_TO_MOVE_REPLACEMENT;  // the old text is back; try again
                } else if (!(error = move(temporary, name))) {
                    break;  // the new text is in place
                } else {
                    return win32::systemReason(error) + " The message file is missing now; " +
                           (old ? "its earlier text is in \"" + win32::narrow(backup) + "\" and " : std::string()) +
                           "the new text is in \"" + win32::narrow(temporary) + "\".";
                }
            }
            // Nothing changed, or the old file is back: a file that someone
            // holds open for a moment is tried again.
            const bool held = error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
                              error == ERROR_UNABLE_TO_MOVE_REPLACEMENT || error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2;
            if (!held || !patience.wait()) {
                removed(backup.c_str());
                return win32::systemReason(error) + dropped(temporary, kKeptEarlier);
            }
        }
        // Windows' ReplaceFileW gives the new file the old one's attributes;
        // only hidden, system and not-indexed are the user's choice. The
        // archive bit says the file changed, and read-only was refused.
        const DWORD now = GetFileAttributesW(name.c_str());
        const DWORD wanted = FILE_ATTRIBUTE_ARCHIVE | (attributes & kKeptAttributes);
        const DWORD mask = kKeptAttributes | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY;
        if (now != INVALID_FILE_ATTRIBUTES && (now & mask) != wanted)
            SetFileAttributesW(name.c_str(), (now & ~mask) | wanted);
        if (const DWORD error = removed(backup.c_str()))
            return "The new text was saved, but the earlier text stays in \"" + win32::narrow(backup) +
                   "\": " + win32::systemReason(error);
        return std::nullopt;
    }

    // The end of a failure's message: what the message file holds, and the
    // temporary file gone (or where it stays).
    static std::string dropped(const wchar_t* temporary, const char* afterwards) {
        if (const DWORD error = removed(temporary))
            return afterwards + std::string(" The new text stays in \"") + win32::narrow(temporary) + "\" (" +
                   win32::systemReason(error) + ").";
        return afterwards;
    }

    static DWORD move(const wchar_t* from, const std::wstring& to, DWORD flags = 0) {
        return patiently([&] { return MoveFileExW(from, to.c_str(), flags | MOVEFILE_WRITE_THROUGH) != 0; });
    }

    static DWORD removed(const wchar_t* file) {
        const DWORD error = patiently([&] { return DeleteFileW(file) != 0; });
        return error == ERROR_FILE_NOT_FOUND ? 0 : error;
    }

    static bool present(const std::wstring& file) { return GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES; }
};

}  // namespace

std::unique_ptr<AnsiTextFiles> makeSystemAnsiTextFiles() { return std::make_unique<Win32AnsiFiles>(); }

}  // namespace orvenda::platform
