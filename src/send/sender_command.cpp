// send: the sender's command line from the fields and the vocabulary. Keeps
// no state; uses the command-line builder only.
#include "send/sender_command.h"

#include "send/command_line.h"

namespace orvenda::send {

std::string senderCommandLine(const Fields& f, const Vocabulary& w) {
    const std::string folder(f.folder);
    CommandLineBuilder line(w.quote);
    line.quoted(folder + std::string(w.senderExe));
    line.fixed(w.dashF).quoted(f.from);
    line.fixed(w.dashT).quoted(f.to);
    line.fixed(w.dashCc).quoted(f.cc);
    line.fixed(w.dashBcc).quoted(f.bcc);
    line.fixed(w.dashU).quoted(f.subject);
    line.fixed(w.dashO).quoted(messageFilePath(f.folder, w));
    line.fixed(w.dashS).quoted(f.server);
    line.fixed(w.dashXu).quoted(f.user);
    line.fixed(w.dashXp).quoted(f.password);
    line.fixed(w.dashReplyTo).bare(f.from);
    line.fixed(w.dashL).quoted(folder + std::string(w.logFile));
    line.fixed(w.dashTls).bare(f.tls);
    line.fixed(w.dashTlsU).bare(f.user);
    line.fixed(w.dashTlsP).bare(f.password);
    line.fixed(w.dashQ);
    line.fixed(w.dashV);
    return line.take();
}

std::string messageFilePath(std::string_view folder, const Vocabulary& w) {
    return std::string(folder) + std::string(w.messageFile);
}

std::string openLogCommand(std::string_view folder, const Vocabulary& w) {
    return std::string(w.notepad) + std::string(folder) + std::string(w.logFile);
}

std::string editEmailCommand(std::string_view folder, const Vocabulary& w) {
    return std::string(w.notepad) + messageFilePath(folder, w);
}

std::string launchLine(std::string_view interpreter, std::string_view senderLine, const Vocabulary& w) {
    std::string line(interpreter);
    line += w.quote;
    line += senderLine;
    line += w.quote;
    return line;
}

}  // namespace orvenda::send
