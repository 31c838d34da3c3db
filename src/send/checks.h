// send: the checks made before anything is written or launched, on plain
// texts: each gives the failure text to show the user, or nothing. Knows no
// window; asks the code page of the platform's file service (platform/).
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/ansi_files.h"

namespace orvenda::send {

inline constexpr const char* kNothingSent = "Nothing was written or sent.";
inline constexpr const char* kNothingWritten = "Nothing was written.";
// The command interpreter runs no line longer than this, in UTF-16 units.
inline constexpr std::size_t kInterpreterLineLimit = 8191;

// A text and the name the user knows its field by ("To field").
struct NamedText {
    std::string_view text;
    std::string name;
};

// A character of `field` that the system's code page cannot hold; `outcome`
// ends the message ("Nothing was written.").
std::optional<std::string> codePageFailure(const platform::AnsiTextFiles& files, const NamedText& field,
                                           const char* outcome);

// Every text that reaches the sender must survive the trip unchanged: each
// of `lineFields` fits the code page and holds no line break or other
// control character, the message and the output command window fit the code
// page, and the launch line (less the interpreter's prefix) is short enough
// for the interpreter. The first failure, in that order.
std::optional<std::string> failureBeforeSend(const platform::AnsiTextFiles& files,
                                             std::span<const NamedText> lineFields, std::string_view message,
                                             std::string_view outputLine, std::string_view launchLine,
                                             std::string_view interpreter);

}  // namespace orvenda::send
