// platform: the system's own wording of a failure, made whole for the user.
// Platform free; used by the implementations in platform/win32.
#pragma once

#include <string>
#include <string_view>

namespace orvenda::platform {

// A system message fetched without its inserts, with every placeholder and
// escape resolved: "%1" (with or without a "!format!" after it) becomes
// `first`, any higher insert (which no caller supplies) "(unknown)", "%0"
// ends the text, "%n" and "%t" read as spaces, "%r" as nothing and "%%",
// "%." or "%!" as the character itself. No "%" placeholder is left, and
// no line break or space at the end.
std::string withInserts(std::string_view text, std::string_view first);

}  // namespace orvenda::platform
