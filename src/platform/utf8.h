// platform: reading and writing UTF-8 one character at a time, the model's
// text form. Platform free; used by the file services and by the send room.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orvenda::platform {

// The next character of a UTF-8 text from `pos`, moving `pos` past it. A
// malformed sequence reads as U+FFFD, one byte at a time.
char32_t nextCharacter(std::string_view utf8, std::size_t& pos);
void appendUtf8(std::string& out, char32_t c);

}  // namespace orvenda::platform
