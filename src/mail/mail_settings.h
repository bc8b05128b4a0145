#pragma once
// The e-mail settings of the per-user store, read at the start of each mail run: sender,
// server, greeting, and the server's login and connection security.
#include "greeting.h"
#include "mail_server.h"

#include <QString>

namespace zelk::mail {

struct MailSettings {
    QString sender;     // EmailSender
    QString server;     // EmailSMTP
    QString userName;   // EmailUser: empty for no login
    Security security = Security::None;
    Greeting greeting = Greeting::Friendly;

    // Sender and server are both set.
    bool complete() const { return !sender.isEmpty() && !server.isEmpty(); }
};

MailSettings readMailSettings();

} // namespace zelk::mail
