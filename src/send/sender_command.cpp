// send: the sender's command line from the fields and the vocabulary. Keeps
// no state; uses the command-line builder only.
#include "send/sender_command.h"

#include "send/command_line.h"

namespace orvenda::send {

namespace {

std::string join(std::initializer_list<std::string_view> pieces) {
    std::string text;
    for (std::string_view piece : pieces) text += piece;
    return text;
}

}  // namespace

std::string senderCommandLine(const Fields& f, const Vocabulary& w) {
    CommandLineBuilder line(w.quote);
    line.quoted(join({f.folder, w.senderExe}));
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
    line.fixed(w.dashL).quoted(join({f.folder, w.logFile}));
    line.fixed(w.dashTls).bare(f.tls);
    line.fixed(w.dashTlsU).bare(f.user);
    line.fixed(w.dashTlsP).bare(f.password);
    line.fixed(w.dashQ);
    line.fixed(w.dashV);
    return line.take();
}

std::string messageFilePath(std::string_view folder, const Vocabulary& w) {
    return join({folder, w.messageFile});
}

std::string openLogCommand(std::string_view folder, const Vocabulary& w) {
    return join({w.notepad, folder, w.logFile});
}

std::string editEmailCommand(std::string_view folder, const Vocabulary& w) {
    return join({w.notepad, folder, w.messageFile});
}

std::string launchLine(std::string_view interpreter, std::string_view senderLine, const Vocabulary& w) {
    return join({interpreter, w.quote, senderLine, w.quote});
}

}  // namespace orvenda::send
