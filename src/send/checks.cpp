// send: the checks before a send or a save, and the naming of characters in
// their messages. Plain text functions; uses platform/utf8.h and the file
// service's code page.
#include "send/checks.h"

#include <cstdio>

#include "platform/utf8.h"

namespace orvenda::send {

namespace {

// "ā" (U+0101): the character as typed and its code point, for messages.
std::string describeCharacter(char32_t c) {
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
    if (c < 0x20 || c == 0x7F) return code;
    std::string text = "\"";
    platform::appendUtf8(text, c);
    return text + "\" (" + code + ")";
}

// The first line break or other control character except the tab, which a
// single-line field cannot pass on a command line.
std::optional<char32_t> firstControlCharacter(std::string_view utf8) {
    for (char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        if ((c < 0x20 && c != '\t') || c == 0x7F) return c;
    }
    return std::nullopt;
}

std::optional<std::string> commandLineFailure(const NamedText& field) {
    const auto c = firstControlCharacter(field.text);
    if (!c) return std::nullopt;
    return std::string("The ") + field.name + " holds a line break or another control character (" +
           describeCharacter(*c) + "), which cannot be passed on a command line. " + kNothingSent;
}

std::size_t utf16Length(std::string_view utf8) {
    std::size_t units = 0;
    for (std::size_t pos = 0; pos < utf8.size();) units += platform::nextCharacter(utf8, pos) > 0xFFFF ? 2 : 1;
    return units;
}

}  // namespace

std::optional<std::string> codePageFailure(const platform::AnsiTextFiles& files, const NamedText& field,
                                           const char* outcome) {
    const auto c = files.firstUnrepresentable(field.text);
    if (!c) return std::nullopt;
    return std::string("The ") + field.name + " holds " + describeCharacter(*c) +
           ", a character that the system's code page cannot hold. " + outcome;
}

std::optional<std::string> failureBeforeSend(const platform::AnsiTextFiles& files,
                                             std::span<const NamedText> lineFields, std::string_view message,
                                             std::string_view outputLine, std::string_view launchLine,
                                             std::string_view interpreter) {
    for (const NamedText& field : lineFields) {
        if (auto failure = codePageFailure(files, field, kNothingSent)) return failure;
        if (auto failure = commandLineFailure(field)) return failure;
    }
    for (const NamedText& text : {NamedText{message, "message"}, NamedText{outputLine, "output command window"}})
        if (auto failure = codePageFailure(files, text, kNothingSent)) return failure;
    const std::size_t length = utf16Length(launchLine) - utf16Length(interpreter);
    if (length <= kInterpreterLineLimit) return std::nullopt;
    return "The command line is " + std::to_string(length) + " characters long; the command interpreter runs at most " +
           std::to_string(kInterpreterLineLimit) + ". " + kNothingSent;
}

}  // namespace orvenda::send
