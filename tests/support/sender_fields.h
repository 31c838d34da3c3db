// Test support: the compose window's texts that reach the sender, typed into
// the window in one go, and the arguments the sender must receive for them.
#pragma once

#include <string>
#include <vector>

#include "app/main_window.h"

namespace orvenda::testing {

struct SenderFields {
    std::string folder, from, to, cc, bcc, subject, server, user, password, tls;
};

// Types every field and, from mode no or the mode given, chooses the TLS mode
// as a user would.
inline void typeSenderFields(app::MainWindow& w, const SenderFields& f) {
    for (auto [box, text] : {std::pair{&w.INSTALL_FOLDER_TEXTBOX, &f.folder}, {&w.SEND_FROM_ADDRESS_TEXTBOX, &f.from},
                             {&w.SEND_TO_ADDRESS_TEXTBOX, &f.to}, {&w.SEND_CC_ADDRESS_TEXTBOX, &f.cc},
                             {&w.SEND_BCC_ADDRESS_TEXTBOX, &f.bcc}, {&w.SUBJECT_TEXTBOX, &f.subject},
                             {&w.SMTP_SERVER_ADDRESS_PORT_TEXTBOX, &f.server}, {&w.SMTP_USERNAME_TEXTBOX, &f.user},
                             {&w.SMTP_PASSWORD_TEXTBOX, &f.password}})
        box->userEdited(*text);
    if (w.TLS_TB_SETTING() == f.tls) return;
    w.TLS_NO_TICKBOX.userClick();
    (f.tls == "yes" ? w.TLS_YES_TICKBOX : w.TLS_AUTO_TICKBOX).userClick();
}

// The sender's arguments, program first, each field text exactly once where
// the line carries it.
inline std::vector<std::string> expectedArguments(const SenderFields& f) {
    return {f.folder + "\\SendEmail.exe", "-f", f.from, "-t", f.to, "-cc", f.cc, "-bcc", f.bcc,
            "-u", f.subject, "-o", "message-file=" + f.folder + "\\SE-EMAIL.txt", "-s", f.server,
            "-xu", f.user, "-xp", f.password, "-o", "reply-to=" + f.from, "-l",
            f.folder + "\\SENDEMAIL-LOG.txt", "-o", "tls=" + f.tls, "-o", "username=" + f.user,
            "-o", "password=" + f.password, "-q", "-v"};
}

}  // namespace orvenda::testing
