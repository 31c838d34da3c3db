// send: reading the model's UTF-8 texts character by character, for the
// checks made before a text is written in the system's code page or passed
// on a command line, and the check made on a file's bytes before loading.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace orvenda::send {

// The next character of a UTF-8 text from `pos`, moving `pos` past it. A
// malformed sequence reads as U+FFFD, one byte at a time.
char32_t nextCharacter(std::string_view utf8, std::size_t& pos);
void appendUtf8(std::string& out, char32_t c);

// "ā" (U+0101): the character as typed and its code point, for messages.
std::string describeCharacter(char32_t c);

// The first line break or other control character except the tab, which a
// single-line field cannot pass on a command line.
std::optional<char32_t> firstControlCharacter(std::string_view utf8);

// A file's bytes holding a NUL, which a text field would show cut there:
// the reason for refusing them, naming the byte's offset.
std::optional<std::string> nulByteReason(std::string_view bytes);

}  // namespace orvenda::send
