#include "password_store.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QHash>

#include <qt6keychain/keychain.h>

namespace zelk::mail {

namespace {

const QString kService = QStringLiteral("Zelk2002");

// The passwords given in this run of the program: the process keeps them, nothing else.
struct Memory {
    QHash<QString, QString> passwords;
    bool keyringUsed = true;
};

Memory& memory()
{
    static Memory m;
    return m;
}

QString keyOf(const QString& user, const QString& server)
{
    return user + u'@' + server.trimmed();
}

// Runs a keychain job to its end; false when it failed.
bool finish(QKeychain::Job& job)
{
    if (!QCoreApplication::instance())
        return false;
    job.setAutoDelete(false);
    QEventLoop loop;
    QObject::connect(&job, &QKeychain::Job::finished, &loop, &QEventLoop::quit);
    job.start();
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    return job.error() == QKeychain::NoError;
}

} // namespace

std::optional<QString> storedPassword(const QString& user, const QString& server)
{
    const QString key = keyOf(user, server);
    const auto given = memory().passwords.constFind(key);
    if (given != memory().passwords.constEnd())
        return *given;
    if (!memory().keyringUsed)
        return std::nullopt;
    QKeychain::ReadPasswordJob job(kService);
    job.setKey(key);
    if (!finish(job))
        return std::nullopt;
    return job.textData();
}

void rememberPassword(const QString& user, const QString& server, const QString& password)
{
    memory().passwords.insert(keyOf(user, server), password);
}

PasswordKept storePassword(const QString& user, const QString& server, const QString& password)
{
    const QString key = keyOf(user, server);
    memory().passwords.insert(key, password);
    if (!memory().keyringUsed)
        return PasswordKept::UntilProgramEnds;
    QKeychain::WritePasswordJob job(kService);
    job.setKey(key);
    job.setTextData(password);
    return finish(job) ? PasswordKept::InKeyring : PasswordKept::UntilProgramEnds;
}

void forgetPassword(const QString& user, const QString& server)
{
    memory().passwords.remove(keyOf(user, server));
}

void useKeyring(bool use)
{
    memory().keyringUsed = use;
    memory().passwords.clear();
}

} // namespace zelk::mail
