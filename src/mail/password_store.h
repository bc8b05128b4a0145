#pragma once
// The password of the mail server's user. It is kept in the desktop's keyring, never in the
// settings file; where no keyring runs, a password given is kept in memory until the
// program ends, and asked for again at its next start.
#include <QString>
#include <optional>

namespace zelk::mail {

// The password of `user` on `server`: the one given in this run of the program, else the
// keyring's; nothing when neither has one.
std::optional<QString> storedPassword(const QString& user, const QString& server);

enum class PasswordKept { InKeyring, UntilProgramEnds };
// Keeps the password for this run of the program, and in the keyring when one runs.
PasswordKept storePassword(const QString& user, const QString& server, const QString& password);

// Keeps the password for this run of the program only (one typed when a run asked for it).
void rememberPassword(const QString& user, const QString& server, const QString& password);

// Forgets the password given in this run (after the server refused it), so the next run
// asks again or reads the keyring afresh.
void forgetPassword(const QString& user, const QString& server);

// Whether the keyring is used at all; tests turn it off so they never touch the user's own.
void useKeyring(bool use);

} // namespace zelk::mail
