// platform: whole text files in the system's 8-bit (ANSI) code page.
// Platform free; the implementations sit in platform/win32 and
// platform/posix and may use platform/utf8.h.
//
// The model's texts are UTF-8; these files hold the same characters in the
// code page that the sender reads them in. Paths are the model's texts, with
// "\" as the folder separator. On Windows the code page is the system's
// (GetACP); the POSIX implementation uses code page 1252, as a default Wine
// prefix does, so native tests see what the Windows build writes.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace orvenda::platform {

class AnsiTextFiles {
public:
    virtual ~AnsiTextFiles() = default;
    // The first character of the text that the code page cannot hold.
    virtual std::optional<char32_t> firstUnrepresentable(std::string_view utf8) const = 0;
    // Replaces the file whole with the text, or not at all: the new text is
    // written to a temporary file beside it, which then takes its place (and
    // its attributes) in one step. A read-only file is refused, and so is
    // anything else at the path that is not a plain file (notAFileReason),
    // which is left as it is. On failure, the reason, and the file holds
    // what it held.
    virtual std::optional<std::string> write(const std::string& path, std::string_view utf8) = 0;
    // Reads the whole file into `utf8` (decodeFileText below); on failure,
    // the reason (notAFileReason for what is not a plain file), and `utf8`
    // is left alone.
    virtual std::optional<std::string> read(const std::string& path, std::string& utf8) = 0;
    // Deletes what earlier writes could not: temporary and backup files that
    // someone held open past the write's wait. The program calls it as it
    // closes; a write tries them again too.
    virtual void removeLeftovers() {}
};

// Why a folder (or a link, a device) at the file's path is refused.
std::string notAFileReason(bool folder);

std::unique_ptr<AnsiTextFiles> makeSystemAnsiTextFiles();

// Converts bytes in the code page to the model's UTF-8.
using CodePageDecoder = std::string (*)(std::string_view bytes);

// A file's bytes as the model's text, the way both implementations' read()
// takes them: after a UTF-8 byte-order mark, or when they are valid UTF-8
// holding at least one character beyond ASCII (as Notepad saves today), as
// UTF-8; after a UTF-16 LE or BE mark, as UTF-16; anything else, the empty
// file included, through `fromCodePage`. The mark is not part of the text.
// Refused, with the reason and `utf8` left alone: a NUL character, which a
// text field would show cut there, and UTF-16 that ends in half a character.
std::optional<std::string> decodeFileText(std::string_view bytes, std::string& utf8, CodePageDecoder fromCodePage);

}  // namespace orvenda::platform
