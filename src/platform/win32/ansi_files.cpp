// platform/win32: message files in the system's ANSI code page. Characters the
// code page cannot hold are found with WC_NO_BEST_FIT_CHARS and the
// used-default flag, so nothing is ever written as a look-alike or a "?".
// A write goes to a temporary file "SE-hhhh.tmp" that ReplaceFileW (or
// MoveFileExW where there is no old file) puts in the old file's place,
// keeping the old file as "SE-hhhh.bak" until the new text is there, so that
// a scanner holding a file never costs both texts. Those two are deleted
// before the write returns, or, where someone holds them longer, at a later
// write and when the program closes, as are any that an earlier run left.
// Reading takes Unicode files as decodeFileText says. Uses the Win32 API, the
// helpers beside it and platform/utf8.h.
#include <windows.h>

#include <algorithm>
#include <vector>

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

// The system's reason. Access denied where a file is made or renamed means
// the folder: Program Files, or one that Controlled folder access guards.
std::string reason(DWORD error) {
    return win32::systemReason(error) +
           (error == ERROR_ACCESS_DENIED ? " Windows does not let programs create files in this folder (Program "
                                           "Files, or a folder under Controlled folder access), so choose a folder "
                                           "of your own."
                                         : "");
}

// The folder part of a path, with its separator; empty for a bare name.
std::wstring folderOf(const std::wstring& name) {
    const std::size_t slash = name.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : name.substr(0, slash + 1);
}

// Windows takes paths of fewer than MAX_PATH characters from a program that
// has not declared itself long-path aware; neither this program nor the
// sender, which reads the file too, has. Said before the system is asked:
// Wine takes any length.
std::optional<std::string> tooLong(const std::wstring& name) {
    const DWORD size = GetFullPathNameW(name.c_str(), 0, nullptr, nullptr);  // with the NUL
    if (size <= MAX_PATH) return std::nullopt;
    const std::wstring folder = folderOf(name);
    const std::size_t leaf = name.size() - folder.size() + 1;  // the file's name and its separator
    return "Its path has " + std::to_string(size - 1) + " characters, more than the " + std::to_string(MAX_PATH - 1) +
           " that Windows takes. Choose a shorter install folder than \"" +
           win32::narrow(folder.substr(0, std::max<std::size_t>(folder.size(), 1) - 1)) + "\", of at most " +
           std::to_string(MAX_PATH - 1 - leaf) + " characters.";
}

// A folder, a device, or a link to elsewhere (a symbolic link, a junction):
// ReplaceFileW would move it aside. Other reparse points, such as a cloud
// file's placeholder, are plain files.
bool notAFile(const std::wstring& name, DWORD attributes) {
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;
    if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) return true;
    if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return false;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(name.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    return IsReparseTagNameSurrogate(found.dwReserved0);
}

// Why the path can hold no message file, where it cannot.
std::optional<std::string> unusable(const std::wstring& name, DWORD attributes) {
    if (auto refused = tooLong(name)) return refused;
    if (notAFile(name, attributes)) return notAFileReason(attributes & FILE_ATTRIBUTE_DIRECTORY);
    return std::nullopt;
}

// "SE-", one to four hexadecimal digits, ".tmp" or ".bak": the names of
// this program's temporary and backup files, now and in earlier versions
// (GetTempFileNameW's). Nothing else in the install folder is ever deleted.
bool leftoverName(std::wstring_view name) {
    const auto same = [](std::wstring_view a, const wchar_t* b) {
        return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b, -1, TRUE) == CSTR_EQUAL;
    };
    if (name.size() < 8 || name.size() > 11 || !same(name.substr(0, 3), L"SE-")) return false;
    const std::wstring_view digits = name.substr(3, name.size() - 7), type = name.substr(name.size() - 4);
    return std::all_of(digits.begin(), digits.end(), [](wchar_t c) { return c && wcschr(L"0123456789abcdefABCDEF", c); }) &&
           (same(type, L".tmp") || same(type, L".bak"));
}

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
        const std::wstring name = win32::wide(path), folder = folderOf(name);
        const DWORD attributes = GetFileAttributesW(name.c_str());
        const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
        if (auto refused = unusable(name, attributes)) return refused;
        // Windows refuses to replace a read-only file; say so the same way
        // where the system would let its administrator through.
        if (exists && (attributes & FILE_ATTRIBUTE_READONLY))
            return win32::systemReason(ERROR_ACCESS_DENIED) + " The message file is read-only.";
        std::erase_if(leftovers_, [](const std::wstring& file) { return removed(file, false) == 0; });
        // Only beside the message file: without it, such files may hold the
        // only copy of its text (a failure said so).
        if (exists) sweep(folder);
        // The new text goes to a temporary file in the same folder, which
        // takes the old file's place once all of it is on disk.
        std::wstring temporary;
        HANDLE file = INVALID_HANDLE_VALUE;
        if (const DWORD error = createTemporary(folder, temporary, file)) return reason(error);
        const char* afterwards = exists ? kKeptEarlier : kNoneMade;
        if (const DWORD error = writeWhole(file, bytes)) return reason(error) + discard(temporary, afterwards);
        if (exists) return replace(name, temporary, attributes);
        if (const DWORD error = move(temporary, name, MOVEFILE_REPLACE_EXISTING))
            return reason(error) + discard(temporary, afterwards);
        return std::nullopt;
    }

    std::optional<std::string> read(const std::string& path, std::string& utf8) override {
        const std::wstring name = win32::wide(path);
        if (auto refused = unusable(name, GetFileAttributesW(name.c_str()))) return refused;
        HANDLE file = CreateFileW(name.c_str(), GENERIC_READ,
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

    void removeLeftovers() override {
        std::erase_if(leftovers_, [](const std::wstring& file) { return removed(file) == 0; });
    }

private:
    // Temporary and backup files that someone held past the wait to delete
    // them.
    std::vector<std::wstring> leftovers_;
    // The next temporary file's number: GetTempFileNameW's start, in effect.
    unsigned next_ = GetTickCount() ^ GetCurrentProcessId();

    // A new, empty temporary file "SE-hhhh.tmp" in the folder, open for
    // writing, whose backup name is free too. Named here, not by
    // GetTempFileNameW, which on Windows refuses a folder of MAX_PATH-14
    // characters or more, and under Wine writes past its MAX_PATH buffer.
    DWORD createTemporary(const std::wstring& folder, std::wstring& temporary, HANDLE& file) {
        DWORD error = ERROR_FILE_EXISTS;
        for (int tries = 0; tries < 0x10000; ++tries) {
            std::wstring digits;
            for (int shift = 12; shift >= 0; shift -= 4) digits += L"0123456789abcdef"[(next_ >> shift) & 15];
            ++next_;
            temporary = folder + L"SE-" + digits + L".tmp";
            if (present(backupOf(temporary))) continue;
            // A scanner may open the file the moment it exists; sharing
            // reads lets both go on.
            file = CreateFileW(temporary.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
            if (file != INVALID_HANDLE_VALUE) return 0;
            // The name is taken, or its file is still being deleted (access
            // denied to it). Access denied to a free name is the folder's;
            // asking again would only make Controlled folder access warn
            // again.
            error = GetLastError();
            const bool taken = error == ERROR_FILE_EXISTS ||
                               (error == ERROR_ACCESS_DENIED && GetFileAttributesW(temporary.c_str()) == INVALID_FILE_ATTRIBUTES &&
                                GetLastError() != ERROR_FILE_NOT_FOUND);
            if (!taken) break;
        }
        return error;
    }

    // The bytes into the new temporary file, which this closes.
    static DWORD writeWhole(HANDLE file, const std::string& bytes) {
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
    std::optional<std::string> replace(const std::wstring& name, const std::wstring& temporary, DWORD attributes) {
        const std::wstring backup = backupOf(temporary);
        for (Patience patience;;) {
            if (ReplaceFileW(name.c_str(), temporary.c_str(), backup.c_str(), REPLACEFILE_IGNORE_MERGE_ERRORS,
                             nullptr, nullptr))
                break;
            DWORD error = GetLastError();
            if (!present(name)) {
                const bool old = present(backup);
                if (old && !(error = move(backup, name))) {
                    error = ERROR_UNABLE_TO_MOVE_REPLACEMENT;  // the old text is back; try again
                } else if (!(error = move(temporary, name))) {
                    break;  // the new text is in place
                } else {
                    return reason(error) + " The message file is missing now; " +
                           (old ? "its earlier text is in \"" + win32::narrow(backup) + "\" and " : std::string()) +
                           "the new text is in \"" + win32::narrow(temporary) + "\".";
                }
            }
            // Nothing changed, or the old file is back: a file that someone
            // holds open for a moment is tried again.
            const bool held = error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
                              error == ERROR_UNABLE_TO_MOVE_REPLACEMENT || error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2;
            if (!held || !patience.wait()) return reason(error) + discard(backup, "") + discard(temporary, kKeptEarlier);
        }
        // Windows' ReplaceFileW gives the new file the old one's attributes;
        // only hidden, system and not-indexed are the user's choice. The
        // archive bit says the file changed, and read-only was refused.
        const DWORD now = GetFileAttributesW(name.c_str());
        const DWORD wanted = FILE_ATTRIBUTE_ARCHIVE | (attributes & kKeptAttributes);
        const DWORD mask = kKeptAttributes | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY;
        if (now != INVALID_FILE_ATTRIBUTES && (now & mask) != wanted)
            SetFileAttributesW(name.c_str(), (now & ~mask) | wanted);
        discard(backup, "");
        return std::nullopt;
    }

    // Deletes a file of ours that is no longer needed, now or, if someone
    // holds it past the wait, later; `then` is returned, to end a message.
    std::string discard(const std::wstring& file, const char* then, bool patient = true) {
        if (removed(file, patient) && std::find(leftovers_.begin(), leftovers_.end(), file) == leftovers_.end())
            leftovers_.push_back(file);
        return then;
    }

    // The folder's files of this program's names, left by a write that
    // could not delete them or by an earlier run (a crash, a power cut).
    // Folders, links and read-only files are never the program's.
    void sweep(const std::wstring& folder) {
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((folder + L"SE-*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return;
        constexpr DWORD kNotOurs = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_READONLY |
                                   FILE_ATTRIBUTE_DEVICE;
        do {
            if (!(found.dwFileAttributes & kNotOurs) && leftoverName(found.cFileName))
                discard(folder + found.cFileName, "", false);
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }

    static std::wstring backupOf(std::wstring temporary) { return temporary.replace(temporary.size() - 3, 3, L"bak"); }

    static DWORD move(const std::wstring& from, const std::wstring& to, DWORD flags = 0) {
        return patiently([&] { return MoveFileExW(from.c_str(), to.c_str(), flags | MOVEFILE_WRITE_THROUGH) != 0; });
    }

    // 0 once the file is gone; with `patient`, a file held open for a
    // moment is waited for.
    static DWORD removed(const std::wstring& file, bool patient = true) {
        const auto remove = [&] { return DeleteFileW(file.c_str()) != 0; };
        const DWORD error = patient ? patiently(remove) : (remove() ? 0 : GetLastError());
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? 0 : error;
    }

    static bool present(const std::wstring& file) { return GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES; }
};

}  // namespace

std::unique_ptr<AnsiTextFiles> makeSystemAnsiTextFiles() { return std::make_unique<Win32AnsiFiles>(); }

}  // namespace orvenda::platform
