// platform/win32: message files in the system's ANSI code page. Characters the
// code page cannot hold are found with WC_NO_BEST_FIT_CHARS and the
// used-default flag, so nothing is ever written as a look-alike or a "?".
// A write goes to a temporary file that ReplaceFileW (or MoveFileExW where
// there is no old file) puts in the old file's place. Uses the Win32 API,
// the helpers beside it and platform/utf8.h.
#include <windows.h>

#include <algorithm>

#include "platform/ansi_files.h"
#include "platform/utf8.h"
#include "platform/win32/system_error.h"
#include "platform/win32/text.h"

namespace orvenda::platform {

namespace {

bool codePageIsUtf8() { return GetACP() == CP_UTF8; }

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
    if (size <= 0) return false;
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
        // takes the old file's place (and attributes) once all of it is on disk.
        const std::size_t slash = name.find_last_of(L"\\/");
        const std::wstring folder = slash == std::wstring::npos ? L"." : name.substr(0, slash + 1);
        wchar_t temporary[MAX_PATH + 1];
        if (!GetTempFileNameW(folder.c_str(), L"SE-", 0, temporary)) return win32::systemReason(GetLastError());
        const auto fail = [&](DWORD error, HANDLE file) {
            if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
            DeleteFileW(temporary);
            return win32::systemReason(error);
        };
        HANDLE file = CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return fail(GetLastError(), file);
        std::size_t done = 0;
        while (done < bytes.size()) {
            DWORD written = 0;
            const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
            if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr)) return fail(GetLastError(), file);
            done += written;
        }
        if (!FlushFileBuffers(file)) return fail(GetLastError(), file);
        if (!CloseHandle(file)) return fail(GetLastError(), INVALID_HANDLE_VALUE);
        const BOOL replaced =
            exists ? ReplaceFileW(name.c_str(), temporary, nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)
                   : MoveFileExW(temporary, name.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
        if (!replaced) return fail(GetLastError(), INVALID_HANDLE_VALUE);
        // ReplaceFileW keeps them on Windows; Wine's does not.
        if (exists) SetFileAttributesW(name.c_str(), attributes);
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
            DWORD got = 0;
            if (!ReadFile(file, buffer, sizeof buffer, &got, nullptr)) {
                const DWORD error = GetLastError();
                CloseHandle(file);
                return win32::systemReason(error);
            }
            if (got == 0) break;
            bytes.append(buffer, got);
        }
        CloseHandle(file);
        if (auto refused = nulByteReason(bytes)) return refused;
        std::wstring text;
        if (!bytes.empty()) {
            const int size = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()),
                                                 nullptr, 0);
            text.resize(static_cast<std::size_t>(size));
            MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), size);
        }
        utf8 = win32::narrow(text);
        return std::nullopt;
    }
};

}  // namespace

std::unique_ptr<AnsiTextFiles> makeSystemAnsiTextFiles() { return std::make_unique<Win32AnsiFiles>(); }

}  // namespace orvenda::platform
