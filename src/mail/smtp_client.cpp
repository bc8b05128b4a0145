#include "smtp_client.h"

#include "mail_error.h"
#include "mail_message.h"
#include "mime_text.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <curl/curl.h>

#include <mutex>
#include <new>

namespace zelk::mail {

namespace {

void initialiseCurl()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// A curl string list, freed with its owner.
struct StringList {
    curl_slist* list = nullptr;
    StringList() = default;
    StringList(const StringList&) = delete;
    StringList& operator=(const StringList&) = delete;
    ~StringList() { curl_slist_free_all(list); }
    void add(const QByteArray& text)
    {
        curl_slist* longer = curl_slist_append(list, text.constData());
        if (!longer)
            throw std::bad_alloc();
        list = longer;
    }
    curl_slist* take()
    {
        curl_slist* taken = list;
        list = nullptr;
        return taken;
    }
};

void check(CURLcode code)
{
    if (code == CURLE_OUT_OF_MEMORY)
        throw std::bad_alloc();
    if (code != CURLE_OK)
        throw MailError(mailerr::Other, QString::fromUtf8(curl_easy_strerror(code)));
}

QString angle(const QString& address)
{
    return u'<' + envelopeAddress(address) + u'>';
}

} // namespace

// What one Send sets on the handle, undone when it ends so the handle never points at
// freed memory.
struct SmtpClient::Transfer {
    CURL* curl;
    SmtpClient& client;
    curl_mime* mime = nullptr;
    StringList headers;
    StringList recipients;
    char errorText[CURL_ERROR_SIZE] = {};
    QByteArray refusal;   // the server's last answer of 400 or more, for the messages

    Transfer(CURL* handle, SmtpClient& owner) : curl(handle), client(owner) {}
    Transfer(const Transfer&) = delete;
    Transfer& operator=(const Transfer&) = delete;
    ~Transfer()
    {
        curl_easy_setopt(curl, CURLOPT_MIMEPOST, nullptr);
        curl_easy_setopt(curl, CURLOPT_HTTPHEADER, nullptr);
        curl_easy_setopt(curl, CURLOPT_MAIL_RCPT, nullptr);
        curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, nullptr);
        curl_easy_setopt(curl, CURLOPT_DEBUGDATA, nullptr);
        curl_easy_setopt(curl, CURLOPT_XFERINFODATA, nullptr);
        curl_mime_free(mime);
    }

    static int onDebug(CURL*, curl_infotype type, char* data, size_t size, void* self)
    {
        if (type == CURLINFO_HEADER_IN && self) {
            const QByteArray line = QByteArray(data, qsizetype(size)).trimmed();
            if (line.left(3).toInt() >= 400)
                static_cast<Transfer*>(self)->refusal = line;
        }
        return 0;
    }

    static int onProgress(void* self, curl_off_t, curl_off_t, curl_off_t upTotal, curl_off_t upNow)
    {
        if (self) {
            // libcurl cannot know the size of encoded parts: the estimate stands until it can.
            auto& owner = static_cast<Transfer*>(self)->client;
            owner.m_total = upTotal > 0 ? qint64(upTotal) : std::max(owner.m_total.load(), qint64(upNow));
            owner.m_sent = upNow;
        }
        return 0;
    }

    void addTextPart(const MessagePart& part)
    {
        curl_mimepart* p = curl_mime_addpart(mime);
        if (!p)
            throw std::bad_alloc();
        const QByteArray body = withCrLf(part.Text()).toUtf8();
        check(curl_mime_data(p, body.constData(), size_t(body.size())));
        check(curl_mime_type(p, "text/plain; charset=utf-8"));
        check(curl_mime_encoder(p, "quoted-printable"));
    }

    void addFilePart(const MessagePart& part)
    {
        // Checked again here: the file may have gone since it was attached.
        if (const auto problem = attachmentProblem(part.file()))
            throw MailError(mailerr::AttachmentUnreadable, *problem + QStringLiteral(" The message was not sent."));
        curl_mimepart* p = curl_mime_addpart(mime);
        if (!p)
            throw std::bad_alloc();
        check(curl_mime_filedata(p, QFile::encodeName(part.file()).constData()));
        // Our own Content-Disposition names the file; curl's would not encode a name
        // outside ASCII.
        check(curl_mime_filename(p, nullptr));
        check(curl_mime_type(p, part.mimeType().toLatin1().constData()));
        check(curl_mime_encoder(p, "base64"));
        StringList partHeaders;
        partHeaders.add("Content-Disposition: " + attachmentDisposition(QFileInfo(part.file()).fileName()));
        check(curl_mime_headers(p, partHeaders.list, 1));
        partHeaders.take();
    }
};

SmtpClient::SmtpClient(ConnectionOptions options)
    : m_options(std::move(options))
{
    initialiseCurl();
}

SmtpClient::~SmtpClient()
{
    dropConnection();
}

void SmtpClient::dropConnection()
{
    if (m_curl)
        curl_easy_cleanup(static_cast<CURL*>(m_curl));   // says QUIT on a connection still open
    m_curl = nullptr;
}

void SmtpClient::Connect(const QString& server, int flags)
{
    if (flags != 0)
        throw MailError(mailerr::Other, QStringLiteral("Connect takes no flags but 0."));
    m_server = parseServer(server, m_options.security);
    m_serverText = server.trimmed();
    if (!m_server)
        throw MailError(mailerr::BadServerName,
                        QStringLiteral("\"%1\" is not a mail server name I can use. Please give it in the Default settings "
                                       "as a name such as smtp.example.org, optionally followed by a colon and a port number "
                                       "(smtp.example.org:587), or as smtp://name or smtps://name.")
                            .arg(visibleControls(m_serverText)));
}

void SmtpClient::Disconnect()
{
    // The exchange for this message is over; the connection itself stays open for the next
    // message while the server allows it, and closes with the client.
    m_server.reset();
}

namespace {

// What a failed transfer means to the user.
MailError mailErrorOf(CURLcode code, const char* errorText, const QByteArray& refusal, const ServerAddress& server,
                      const QString& serverText, const ConnectionOptions& options, const QString& recipient)
{
    const QString name = QStringLiteral("\"%1\"").arg(serverText);
    const QString said = refusal.isEmpty() ? QString() : QStringLiteral(" The server said: ") + QString::fromUtf8(refusal);
    const QString detail = QString::fromUtf8(errorText);
    const QString notSent = QStringLiteral(" The message was not sent.");
    switch (code) {
    case CURLE_URL_MALFORMAT:
        return MailError(mailerr::BadServerName, QStringLiteral("%1 is not a mail server name I can use.").arg(name) + notSent);
    case CURLE_COULDNT_RESOLVE_HOST:
        return MailError(mailerr::ServerNotFound,
                         QStringLiteral("The mail server %1 could not be found. Please check its name in the Default settings, "
                                        "and that this computer is connected to the internet.")
                                 .arg(name)
                             + notSent);
    case CURLE_COULDNT_CONNECT:
        return MailError(mailerr::CannotConnect,
                         QStringLiteral("Nothing answered at the mail server %1 on port %2. Please check the server's name and "
                                        "port in the Default settings, and this computer's internet connection.")
                                 .arg(name)
                                 .arg(server.port)
                             + notSent);
    case CURLE_OPERATION_TIMEDOUT:
        return MailError(mailerr::TimedOut,
                         QStringLiteral("The mail server %1 stopped answering (%2).").arg(name, detail) + notSent);
    case CURLE_USE_SSL_FAILED:
        return MailError(mailerr::NotEncrypted,
                         QStringLiteral("The mail server %1 does not offer an encrypted connection (STARTTLS)%2.")
                                 .arg(name, options.userName.isEmpty()
                                                ? QString()
                                                : QStringLiteral(", and a password is never sent over a connection that "
                                                                 "is not encrypted"))
                             + notSent
                             + QStringLiteral(" Please check the connection security in the Default settings."));
    case CURLE_PEER_FAILED_VERIFICATION:
        return MailError(mailerr::CertificateNotTrusted,
                         QStringLiteral("The certificate of the mail server %1 cannot be verified (%2), so this may not be "
                                        "the server it claims to be. Please check the server's name in the Default "
                                        "settings, or ask your mail provider.")
                                 .arg(name, detail)
                             + notSent);
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_ENGINE_NOTFOUND:
    case CURLE_SSL_ENGINE_SETFAILED:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_SHUTDOWN_FAILED:
    case CURLE_SSL_CRL_BADFILE:
    case CURLE_SSL_ISSUER_ERROR:
        return MailError(mailerr::SecureConnectionFailed,
                         QStringLiteral("No encrypted connection could be made with the mail server %1 (%2). Please check "
                                        "the connection security and the port in the Default settings.")
                                 .arg(name, detail)
                             + notSent);
    case CURLE_LOGIN_DENIED:
        return MailError(mailerr::LoginRefused,
                         QStringLiteral("The mail server %1 did not accept the user name \"%2\" with that password. Please "
                                        "check them in the Default settings.")
                                 .arg(name, options.userName)
                             + said + notSent);
    case CURLE_READ_ERROR:
        return MailError(mailerr::AttachmentUnreadable,
                         QStringLiteral("An attachment could not be read while it was being sent (%1).").arg(detail) + notSent);
    default:
        break;
    }
    // Refusals in the middle of the exchange: curl names the command that failed.
    const int reply = refusal.left(3).toInt();
    if (detail.startsWith(QLatin1String("MAIL failed"))) {
        if (reply == 530)
            return MailError(mailerr::LoginNeeded,
                             QStringLiteral("The mail server %1 wants a user name and password before it takes a message. "
                                            "Please set them in the Default settings.")
                                     .arg(name)
                                 + said + notSent);
        return MailError(mailerr::SenderRefused,
                         QStringLiteral("The mail server %1 refused the sender's address.").arg(name) + said + notSent);
    }
    if (detail.startsWith(QLatin1String("RCPT failed")))
        return MailError(mailerr::RecipientRefused,
                         QStringLiteral("The mail server %1 refused the address %2.").arg(name, recipient) + said + notSent);
    if (reply >= 400 && (detail.contains(QLatin1String("DATA")) || code == CURLE_WEIRD_SERVER_REPLY))
        return MailError(mailerr::MessageRefused,
                         QStringLiteral("The mail server %1 refused the message.").arg(name) + said + notSent);
    if (code == CURLE_SEND_ERROR || code == CURLE_RECV_ERROR || code == CURLE_GOT_NOTHING || code == CURLE_WEIRD_SERVER_REPLY)
        return MailError(mailerr::ConnectionLost,
                         QStringLiteral("The connection with the mail server %1 was lost (%2).")
                                 .arg(name, detail.isEmpty() ? QString::fromUtf8(curl_easy_strerror(code)) : detail)
                             + said + notSent);
    return MailError(mailerr::Other,
                     QStringLiteral("Sending through the mail server %1 failed: %2.")
                             .arg(name, detail.isEmpty() ? QString::fromUtf8(curl_easy_strerror(code)) : detail)
                         + said + notSent);
}

} // namespace

void SmtpClient::Send(const MailMessage& message)
{
    if (!m_server)
        throw MailError(mailerr::NotConnected, QStringLiteral("The message was not sent: no mail server was named (Connect)."));
    const QStringList& to = message.Recipients().addresses();
    const QStringList& from = message.Originator().addresses();
    if (to.isEmpty())
        throw MailError(mailerr::NoRecipient, QStringLiteral("The message has no recipient. The message was not sent."));
    if (from.isEmpty())
        throw MailError(mailerr::NoSender, QStringLiteral("The message has no sender. The message was not sent."));

    if (!m_curl) {
        m_curl = curl_easy_init();
        if (!m_curl)
            throw std::bad_alloc();
    }
    if (std::optional<MailError> failure = transfer(message, static_cast<CURL*>(m_curl))) {
        // Whatever state the connection was left in, the next message starts on a fresh one.
        dropConnection();
        throw *failure;
    }
}

std::optional<MailError> SmtpClient::transfer(const MailMessage& message, void* handle)
{
    CURL* curl = static_cast<CURL*>(handle);
    const QStringList& to = message.Recipients().addresses();
    const QStringList& from = message.Originator().addresses();
    m_sent = 0;
    m_total = 0;

    Transfer t(curl, *this);
    t.headers.add("From: " + from.join(QStringLiteral(", ")).toUtf8());
    t.headers.add("To: " + to.join(QStringLiteral(", ")).toUtf8());
    t.headers.add("Subject: " + encodedHeaderText(message.Subject(), 9));
    t.headers.add("Date: " + dateHeader(QDateTime::currentDateTime()));
    t.headers.add("Message-ID: " + newMessageId(from.first()));
    t.headers.add("MIME-Version: 1.0");
    for (const QString& address : to)
        t.recipients.add(angle(address).toUtf8());

    t.mime = curl_mime_init(curl);
    if (!t.mime)
        throw std::bad_alloc();
    const MessageParts& parts = message.Parts();
    qint64 estimate = 1024;   // the headers
    for (int i = 1; i <= parts.Count(); ++i) {
        const MessagePart& part = parts.Item(i);
        if (part.isFile()) {
            t.addFilePart(part);
            estimate += QFileInfo(part.file()).size() * 4 / 3 * 78 / 76 + 256;   // base64 in lines of 76
        } else {
            t.addTextPart(part);
            estimate += part.Text().toUtf8().size() * 3 / 2 + 256;   // quoted-printable, roughly
        }
    }
    m_total = estimate;

    const QByteArray url = m_server->url().toUtf8();
    const QByteArray mailFrom = angle(from.first()).toUtf8();
    const QByteArray user = m_options.userName.toUtf8();
    const QByteArray password = m_options.password.toUtf8();
    const QByteArray caFile = QFile::encodeName(m_options.limits.caFile);
    // A password goes only over an encrypted connection.
    const long useTls = (m_options.security == Security::None && m_options.userName.isEmpty()) ? CURLUSESSL_TRY : CURLUSESSL_ALL;

    check(curl_easy_setopt(curl, CURLOPT_URL, url.constData()));
    check(curl_easy_setopt(curl, CURLOPT_MAIL_FROM, mailFrom.constData()));
    check(curl_easy_setopt(curl, CURLOPT_MAIL_RCPT, t.recipients.list));
    check(curl_easy_setopt(curl, CURLOPT_HTTPHEADER, t.headers.list));
    check(curl_easy_setopt(curl, CURLOPT_MIMEPOST, t.mime));
    check(curl_easy_setopt(curl, CURLOPT_USE_SSL, useTls));
    check(curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L));
    check(curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L));
    if (!caFile.isEmpty())
        check(curl_easy_setopt(curl, CURLOPT_CAINFO, caFile.constData()));
    if (!user.isEmpty()) {
        check(curl_easy_setopt(curl, CURLOPT_USERNAME, user.constData()));
        check(curl_easy_setopt(curl, CURLOPT_PASSWORD, password.constData()));
    } else {
        check(curl_easy_setopt(curl, CURLOPT_USERNAME, nullptr));
        check(curl_easy_setopt(curl, CURLOPT_PASSWORD, nullptr));
    }
    check(curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, long(m_options.limits.connectSeconds)));
    check(curl_easy_setopt(curl, CURLOPT_SERVER_RESPONSE_TIMEOUT, long(m_options.limits.stallSeconds)));
    check(curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L));
    check(curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, long(m_options.limits.stallSeconds)));
    check(curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L));
    check(curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, t.errorText));
    check(curl_easy_setopt(curl, CURLOPT_VERBOSE, 1L));
    check(curl_easy_setopt(curl, CURLOPT_DEBUGFUNCTION, &Transfer::onDebug));
    check(curl_easy_setopt(curl, CURLOPT_DEBUGDATA, &t));
    check(curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L));
    check(curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, &Transfer::onProgress));
    check(curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &t));

    const CURLcode code = curl_easy_perform(curl);
    if (code == CURLE_OK)
        return std::nullopt;
    return mailErrorOf(code, t.errorText, t.refusal, *m_server, m_serverText, m_options, to.join(QStringLiteral(", ")));
}

} // namespace zelk::mail
