// drafts: the one draft and the Notepad viewers, as plain values: the
// message file's text, and the command a viewer button starts. Knows no
// window and no file; the compose window's handlers (app) gather the texts,
// write and read the file through the platform services and launch.
#pragma once

#include <string>
#include <string_view>

namespace orvenda::drafts {

// What SAVE DRAFT and SEND write to the message file: the message followed
// by CR LF. LOAD DRAFT reads the whole file back, that line end included.
std::string messageFileText(std::string_view message);

// The command a viewer button starts: the one the composer last wrote into
// the button's command field or, before the composer's first tick, while
// the field still holds its placeholder (which names no program), `built`.
std::string viewerCommand(std::string_view field, std::string_view placeholder, std::string built);

}  // namespace orvenda::drafts
