// send: the sender's command line and the lines around it, from the texts
// of the compose window's fields; the fixed pieces they are made of are this
// composer's own constants. Knows no window: a handler gathers the texts.
// Uses the command-line builder beside it only.
#pragma once

#include <string>
#include <string_view>

namespace orvenda::send {

// What the user typed or chose: the texts the line carries.
struct Fields {
    std::string_view folder, from, to, cc, bcc, subject, server, user, password;
    std::string_view tls;  // the TLS mode's text
};

// The whole line that runs the sender. Field texts pass through the
// command-line builder, so a quote, a caret or an ampersand typed into a
// field reaches the sender as part of that field and nothing else; texts of
// ordinary characters stand in the line as typed.
std::string senderCommandLine(const Fields& fields);

// Install folder + "\SE-EMAIL.txt".
std::string messageFilePath(std::string_view folder);
// The Notepad command lines: the sender's log and the message file.
std::string openLogCommand(std::string_view folder);
std::string editEmailCommand(std::string_view folder);

// The interpreter's prefix for a send in a window of its own (`shown`) or
// hidden, and the whole line it launches: that prefix, then the sender's
// line in quotes.
std::string_view interpreter(bool shown);
std::string launchLine(std::string_view interpreter, std::string_view senderLine);

}  // namespace orvenda::send
