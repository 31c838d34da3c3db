// drafts: the message file's text and the viewer buttons' command.
#include "drafts/draft.h"

namespace orvenda::drafts {

std::string messageFileText(std::string_view message) {
    std::string text(message);
    text += "\r\n";
    return text;
}

std::string viewerCommand(std::string_view field, std::string_view placeholder, std::string built) {
    return field == placeholder ? std::move(built) : std::string(field);
}

}  // namespace orvenda::drafts
