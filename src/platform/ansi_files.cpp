// platform: what both file services share: how a file's bytes are read back
// as text, whichever form Notepad or this program saved them in, and the
// words for a path at which no plain file stands.
// Platform free; uses platform/utf8.h.
#include "platform/ansi_files.h"

#include "platform/utf8.h"

namespace orvenda::platform {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF", kUtf16LeMark = "\xFF\xFE", kUtf16BeMark = "\xFE\xFF";

std::string nulCharacterReason(std::size_t offset) {
    return "The file holds a NUL character at byte offset " + std::to_string(offset) +
           ", which the message field cannot show. Nothing was loaded.";
}

// Valid UTF-8 with at least one character beyond ASCII. A malformed byte is
// the only thing that reads as one non-ASCII byte.
bool utf8BeyondAscii(std::string_view bytes) {
    bool beyond = false;
    for (std::size_t pos = 0; pos < bytes.size();) {
        const std::size_t start = pos;
        const bool ascii = static_cast<unsigned char>(bytes[pos]) < 0x80;
        nextCharacter(bytes, pos);
        if (!ascii && pos - start == 1) return false;
        beyond = beyond || !ascii;
    }
    return beyond;
}

// UTF-8 after a mark, with anything malformed read as U+FFFD.
std::string wellFormed(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (std::size_t pos = 0; pos < bytes.size();) appendUtf8(text, nextCharacter(bytes, pos));
    return text;
}

// UTF-16 code units after the mark; a surrogate without its partner reads
// as U+FFFD.
std::optional<std::string> fromUtf16(std::string_view units, bool bigEndian, std::string& utf8) {
    const auto unit = [&](std::size_t i) -> char32_t {
        const auto a = static_cast<unsigned char>(units[2 * i]), b = static_cast<unsigned char>(units[2 * i + 1]);
        return bigEndian ? (a << 8 | b) : (b << 8 | a);
    };
    const std::size_t count = units.size() / 2;
    std::string text;
    text.reserve(units.size());
    for (std::size_t i = 0; i < count; ++i) {
        char32_t c = unit(i);
        if (c == 0) return nulCharacterReason(kUtf16LeMark.size() + 2 * i);
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < count && unit(i + 1) >= 0xDC00 && unit(i + 1) <= 0xDFFF)
            c = 0x10000 + ((c - 0xD800) << 10) + (unit(++i) - 0xDC00);
        else if (c >= 0xD800 && c <= 0xDFFF)
            c = 0xFFFD;
        appendUtf8(text, c);
    }
    if (units.size() % 2 != 0)
        return "The file ends in half a UTF-16 character, at byte offset " +
               std::to_string(kUtf16LeMark.size() + units.size() - 1) + ". Nothing was loaded.";
    utf8 = std::move(text);
    return std::nullopt;
}

}  // namespace

std::string notAFileReason(bool folder) {
    return std::string(folder ? "A folder" : "Something other than a file (a link or a device)") +
           " stands at this path, where the message file belongs. Move or rename it, or choose another install "
           "folder.";
}

std::optional<std::string> decodeFileText(std::string_view bytes, std::string& utf8, CodePageDecoder fromCodePage) {
    const bool bigEndian = bytes.starts_with(kUtf16BeMark);
    if (bigEndian || bytes.starts_with(kUtf16LeMark)) return fromUtf16(bytes.substr(2), bigEndian, utf8);
    if (const std::size_t at = bytes.find('\0'); at != std::string_view::npos) return nulCharacterReason(at);
    if (bytes.starts_with(kUtf8Mark))
        utf8 = wellFormed(bytes.substr(kUtf8Mark.size()));
    else if (utf8BeyondAscii(bytes))
        utf8 = std::string(bytes);
    else
        utf8 = fromCodePage(bytes);
    return std::nullopt;
}

}  // namespace orvenda::platform
