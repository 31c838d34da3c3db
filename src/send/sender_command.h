// send: the sender's command line and the lines around it, from plain
// values: the texts of the compose window's fields and of its fixed
// vocabulary in, a line out. Knows no window; a handler gathers the texts.
// Uses the command-line builder beside it only.
#pragma once

#include <string>
#include <string_view>

namespace orvenda::send {

// What the user typed or chose: the texts the line carries.
struct Fields {
    std::string_view folder, from, to, cc, bcc, subject, server, user, password;
    std::string_view tls;  // the TLS mode text: "no", "yes" or "auto"
};

// The fixed pieces of every line, as the compose window holds them.
struct Vocabulary {
    std::string_view quote;  // opens and closes a quoted value
    std::string_view dashF, dashT, dashCc, dashBcc, dashU, dashO, dashS, dashXu, dashXp;
    std::string_view dashReplyTo, dashL, dashTls, dashTlsU, dashTlsP, dashQ, dashV;
    std::string_view senderExe, logFile, messageFile;  // each "\" + a file name
    std::string_view notepad;                           // "notepad.exe "
};

// The whole line that runs the sender. Field texts pass through the
// command-line builder, so a quote, a caret or an ampersand typed into a
// field reaches the sender as part of that field and nothing else; texts of
// ordinary characters stand in the line as typed.
std::string senderCommandLine(const Fields& fields, const Vocabulary& words);

// Install folder + "\SE-EMAIL.txt".
std::string messageFilePath(std::string_view folder, const Vocabulary& words);
// The Notepad command lines: the sender's log and the message file.
std::string openLogCommand(std::string_view folder, const Vocabulary& words);
std::string editEmailCommand(std::string_view folder, const Vocabulary& words);

// The interpreter's prefix, then the sender's line in quotes.
std::string launchLine(std::string_view interpreter, std::string_view senderLine, const Vocabulary& words);

}  // namespace orvenda::send
