// platform: what both file services share: the reason a file's bytes are
// refused. Platform free.
#include "platform/ansi_files.h"

namespace orvenda::platform {

std::optional<std::string> nulByteReason(std::string_view bytes) {
    const std::size_t at = bytes.find('\0');
    if (at == std::string_view::npos) return std::nullopt;
    return "The file holds a NUL byte at byte offset " + std::to_string(at) +
           ", which the message field cannot show. Nothing was loaded.";
}

}  // namespace orvenda::platform
