// send: the sender's command line from the fields. Keeps no state; uses the
// command-line builder only.
#include "send/sender_command.h"

#include "send/command_line.h"

namespace orvenda::send {

namespace {

// The fixed pieces of the lines. Each option begins with one space; the
// "-o" options end with "=", the others with a space.
constexpr std::string_view SM_TB = "\"";
constexpr std::string_view DASH_F_TB = " -f ";
constexpr std::string_view DASH_T_TB = " -t ";
constexpr std::string_view DASH_CC_TB = " -cc ";
constexpr std::string_view DASH_BCC_TB = " -bcc ";
constexpr std::string_view DASH_U_TB = " -u ";
constexpr std::string_view DASH_O_TB = " -o message-file=";
constexpr std::string_view DASH_S_TB = " -s ";
constexpr std::string_view DASH_XU_TB = " -xu ";
constexpr std::string_view DASH_XP_TB = " -xp ";
constexpr std::string_view DASH_L_TB = " -l ";
constexpr std::string_view DASH_Q_TB = " -q ";
constexpr std::string_view DASH_V_TB = " -v ";
constexpr std::string_view DASH_REPLY_TO_TB = " -o reply-to=";
constexpr std::string_view DASH_TLS_TB = " -o tls=";
constexpr std::string_view DASH_TLS_U_TB = " -o username=";
constexpr std::string_view DASH_TLS_P_TB = " -o password=";
constexpr std::string_view SENDEMAIL_EXE_TEXTBOX = "\\SendEmail.exe";
constexpr std::string_view SE_LOG_FILE_TEXTBOX = "\\SENDEMAIL-LOG.txt";
constexpr std::string_view SE_EMAIL_MESSAGE_FILE_TEXTBOX = "\\SE-EMAIL.txt";
constexpr std::string_view NOTEPAD_TEXTBOX = "notepad.exe ";
// "/V:OFF" keeps a "!" typed into a field literal where an administrator has
// switched delayed expansion on. A hidden send ends with the sender ("/c"),
// as no one can close a window that is not shown.
constexpr std::string_view CMD_COMMAND_TEXTBOX = "cmd.exe /V:OFF /k ";
constexpr std::string_view CMD_HIDDEN_COMMAND_TEXTBOX = "cmd.exe /V:OFF /c ";

std::string join(std::initializer_list<std::string_view> pieces) {
    std::string text;
    for (std::string_view piece : pieces) text += piece;
    return text;
}

}  // namespace

std::string senderCommandLine(const Fields& f) {
    CommandLineBuilder line(SM_TB);
    line.quoted(join({f.folder, SENDEMAIL_EXE_TEXTBOX}));
    line.fixed(DASH_F_TB).quoted(f.from);
    line.fixed(DASH_T_TB).quoted(f.to);
    line.fixed(DASH_CC_TB).quoted(f.cc);
    line.fixed(DASH_BCC_TB).quoted(f.bcc);
    line.fixed(DASH_U_TB).quoted(f.subject);
    line.fixed(DASH_O_TB).quoted(messageFilePath(f.folder));
    line.fixed(DASH_S_TB).quoted(f.server);
    line.fixed(DASH_XU_TB).quoted(f.user);
    line.fixed(DASH_XP_TB).quoted(f.password);
    line.fixed(DASH_REPLY_TO_TB).bare(f.from);
    line.fixed(DASH_L_TB).quoted(join({f.folder, SE_LOG_FILE_TEXTBOX}));
    line.fixed(DASH_TLS_TB).bare(f.tls);
    line.fixed(DASH_TLS_U_TB).bare(f.user);
    line.fixed(DASH_TLS_P_TB).bare(f.password);
    line.fixed(DASH_Q_TB);
    line.fixed(DASH_V_TB);
    return line.take();
}

std::string messageFilePath(std::string_view folder) { return join({folder, SE_EMAIL_MESSAGE_FILE_TEXTBOX}); }

std::string openLogCommand(std::string_view folder) { return join({NOTEPAD_TEXTBOX, folder, SE_LOG_FILE_TEXTBOX}); }

std::string editEmailCommand(std::string_view folder) {
    return join({NOTEPAD_TEXTBOX, folder, SE_EMAIL_MESSAGE_FILE_TEXTBOX});
}

std::string_view interpreter(bool shown) { return shown ? CMD_COMMAND_TEXTBOX : CMD_HIDDEN_COMMAND_TEXTBOX; }

std::string launchLine(std::string_view interpreter, std::string_view senderLine) {
    return join({interpreter, SM_TB, senderLine, SM_TB});
}

}  // namespace orvenda::send
