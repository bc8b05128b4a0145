// The mail layer on its own: the text forms a message needs, and whole messages sent to a
// real SMTP server and read back with Python's email package: headers, bodies, subjects and
// file names in any language, attachments byte for byte, encryption, logins, refusals,
// servers that are not there or never answer, and the connection kept between messages.
#include "smtp_server.h"

#include "testlib/test_registry.h"
#include "testlib/test_world.h"

#include "mail/greeting.h"
#include "mail/mail_error.h"
#include "mail/mail_message.h"
#include "mail/mail_server.h"
#include "mail/mime_text.h"
#include "mail/sent_log.h"
#include "mail/smtp_client.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

using namespace zelk;
using namespace zelk::mail;
using zelk::test::SmtpServer;

namespace {

const QString kSender = "secretary@club.example";

MailMessage messageTo(const QString& recipient, const QString& subject = "Club news", const QString& body = "Hello")
{
    MailMessage m;
    m.Recipients().AddAddress(1, recipient);
    m.Originator().AddAddress(1, kSender);
    m.setSubject(subject);
    m.Parts().Item(1).setText(body);
    return m;
}

// Sends through a new client: the error's number and description, or "sent".
QString sendThrough(const QString& server, const MailMessage& message, const ConnectionOptions& options = {})
{
    try {
        SmtpClient client(options);
        client.Connect(server, 0);
        client.Send(message);
        client.Disconnect();
        return "sent";
    } catch (const MailError& e) {
        return QString::number(e.number(), 16).toUpper() + " " + e.description();
    }
}

QJsonObject part(const QJsonObject& message, int i) { return message["parts"].toArray()[i].toObject(); }

// Lines keep to 78 characters, but for libcurl's own multipart header with its long boundary.
bool onlyBoundaryIsLong(const QJsonObject& message)
{
    for (const QJsonValue& line : message["long_lines"].toArray())
        if (!line.toString().startsWith("Content-Type: multipart/mixed; boundary=") || line.toString().size() > 80)
            return false;
    return true;
}

QByteArray sha256(const QByteArray& bytes) { return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex(); }

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    QFile f(dir.filePath(name));
    if (!f.open(QIODevice::WriteOnly))
        return {};
    f.write(bytes);
    return f.fileName();
}

} // namespace

class MailLayerTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_certDir;
    QStringList m_cert;   // certificate, key

private slots:
    void initTestCase()
    {
        m_cert = SmtpServer::makeCertificate(m_certDir.path());
        QCOMPARE(m_cert.size(), 2);
    }

    void serverForms_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("security");
        QTest::addColumn<QString>("url");
        QTest::newRow("a name keeps port 25") << " smtp.example.org " << "None" << "smtp://smtp.example.org:25";
        QTest::newRow("name and port") << "smtp.example.org:587" << "STARTTLS" << "smtp://smtp.example.org:587";
        QTest::newRow("smtps scheme is 465") << "SMTPS://Mail.example.org/" << "None" << "smtps://Mail.example.org:465";
        QTest::newRow("smtps with a port") << "smtps://mail.example.org:2465" << "STARTTLS" << "smtps://mail.example.org:2465";
        QTest::newRow("SSL/TLS chosen") << "mail.example.org" << "SSL/TLS" << "smtps://mail.example.org:465";
        QTest::newRow("IPv6") << "[::1]:2525" << "None" << "smtp://[::1]:2525";
        QTest::newRow("letters of any script") << "пошта.приклад.укр" << "None" << "smtp://пошта.приклад.укр:25";
        for (const char* bad : {"", "http://mail.example.org", "user@mail.example.org", "mail.example.org:0",
                                "mail.example.org:65536", "mail.example.org/x", "mail example.org", "mail.example.org:",
                                "smtp://", "mail.example.org\nx"})
            QTest::addRow("refused: %s", qPrintable(visibleControls(bad))) << bad << "None" << "";
    }
    void serverForms()
    {
        QFETCH(QString, text);
        QFETCH(QString, security);
        QFETCH(QString, url);
        const auto server = parseServer(text, securityOf(security));
        QCOMPARE(server ? server->url() : QString(), url);
        if (!server)
            QCOMPARE(sendThrough(text, messageTo("ann@example.org")).left(5), "7001 ");
    }

    void greetings_data()
    {
        QTest::addColumn<QString>("greeting");
        QTest::addColumn<QVariantList>("fields");   // first name, title, surname
        QTest::addColumn<QString>("line");          // "(as it was)" when the body is left alone
        const QVariant null;
        QTest::newRow("friendly") << "Friendly" << QVariantList{"Ann", "Mrs", "Smith"} << "Dear Ann,\r\n\r\n";
        QTest::newRow("friendly, empty first name") << "Friendly" << QVariantList{"", "Mrs", "Smith"} << "Dear ,\r\n\r\n";
        QTest::newRow("formal, no title") << "Formal" << QVariantList{"Ann", null, "Smith"} << "(as it was)";
        QTest::newRow("unknown setting is none") << "Casual" << QVariantList{"Ann", "Mrs", "Smith"} << "";
    }
    void greetings()
    {
        QFETCH(QString, greeting);
        QFETCH(QVariantList, fields);
        QFETCH(QString, line);
        const auto text = greetingLine(greetingOf(greeting), fields[0], fields[1], fields[2]);
        QCOMPARE(text.value_or("(as it was)"), line);
    }

    void englishDates()
    {
        QLocale::setDefault(QLocale("de_DE"));
        const QDateTime when(QDate(2025, 3, 4), QTime(9, 5, 7), QTimeZone(3600));
        QCOMPARE(dateHeader(when), "Tue, 4 Mar 2025 09:05:07 +0100");
        QCOMPARE(dateHeader(QDateTime(QDate(2024, 12, 29), QTime(23, 0), QTimeZone(-9 * 3600 - 1800))),
                 "Sun, 29 Dec 2024 23:00:00 -0930");
        QLocale::setDefault(QLocale("en_GB"));
    }

    void sentLogPage()
    {
        SentLog log;
        log.begin();
        QCOMPARE(log.page(), "\xEF\xBB\xBF<html><body><h3>Message sent to:</h3>\r\n");
        log.reached("ann@example.org");
        log.reached("<b>bob</b>&co@example.org");
        log.reached("zoë@example.org");
        log.notSent("Error # 700A refused <550>");
        QCOMPARE(QString::fromUtf8(log.page()),
                 QString("\uFEFF<html><body><h3>Message sent to:</h3>ann@example.org<br>\r\n"
                         "&lt;b&gt;bob&lt;/b&gt;&amp;co@example.org<br>\r\n"
                         "zoë@example.org - not sent: Error # 700A refused &lt;550&gt;<br>\r\n\r\n"));
        log.begin();
        QCOMPARE(log.count(), 0);
    }

    // Nothing that could add a header line gets into one: such a message is refused before
    // anything is sent.
    void headerInjectionRefused_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::newRow("recipient with a line break") << "to" << "ann@example.org\r\nBcc: all@example.org";
        QTest::newRow("sender with a CR") << "from" << "secretary@club.example\rX: y";
        QTest::newRow("subject with a line break") << "subject" << "News\r\nBcc: all@example.org";
        QTest::newRow("subject with a NUL") << "subject" << QString("News") + QChar(0) + "x";
        QTest::newRow("subject with a line separator") << "subject" << QString("News") + QChar(0x2028) + "x";
    }
    void headerInjectionRefused()
    {
        QFETCH(QString, field);
        QFETCH(QString, value);
        MailMessage m;
        try {
            if (field == "to")
                m.Recipients().AddAddress(1, value);
            else if (field == "from")
                m.Originator().AddAddress(1, value);
            else
                m.setSubject(value);
            QFAIL("accepted");
        } catch (const MailError& e) {
            QCOMPARE(e.number(), mailerr::HeaderInjection);
            QVERIFY2(e.description().contains(visibleControls(value)), qPrintable(e.description()));
            QVERIFY(!e.description().contains('\n') && !e.description().contains('\r'));
        }
        QVERIFY(m.Recipients().addresses().isEmpty() && m.Originator().addresses().isEmpty() && m.Subject().isEmpty());
    }

    // What the recipient's mail program sees: every header, the body as typed in any language
    // with CR LF line ends, and a subject that reads back exactly, whatever it holds.
    void wholeMessage_data()
    {
        QTest::addColumn<QString>("subject");
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("bodyBack");
        QTest::newRow("plain") << "Club news" << "Hello\nAGM on Friday.\n" << "Hello\r\nAGM on Friday.\r\n";
        QTest::newRow("accents and emoji") << "Réunion générale — 5 € 😀" << "Chère Zoë,\rÀ bientôt ✓" << "Chère Zoë,\r\nÀ bientôt ✓";
        QTest::newRow("looks encoded") << "=?UTF-8?B?SGk=?= not really" << "x" << "x";
        QTest::newRow("long ASCII subject, dots and trailing blanks")
            << QString("The annual general meeting of the society will be held in the village hall ").repeated(3).trimmed()
            << ".\n..leading dots  \nlong " + QString("word ").repeated(40) + "\n" << ".\r\n..leading dots  \r\nlong " + QString("word ").repeated(40) + "\r\n";
        QTest::newRow("long Greek subject") << QString("Ετήσια γενική συνέλευση του συλλόγου ").repeated(4) << "Γεια σας" << "Γεια σας";
    }
    void wholeMessage()
    {
        QFETCH(QString, subject);
        QFETCH(QString, body);
        QFETCH(QString, bodyBack);
        SmtpServer server;
        QVERIFY(server.started());
        QCOMPARE(sendThrough(server.address(), messageTo("  ann.smith@example.org ", subject, body)), "sent");
        QCOMPARE(server.count(), 1);
        const QJsonObject m = server.message(1);
        const QJsonObject h = m["headers"].toObject();
        QCOMPARE(h["From"].toString(), kSender);
        QCOMPARE(h["To"].toString(), "ann.smith@example.org");
        QCOMPARE(h["Subject"].toString(), subject);
        QCOMPARE(h["MIME-Version"].toString(), "1.0");
        QVERIFY(QDateTime::fromString(h["Date"].toString(), Qt::RFC2822Date).isValid());
        QVERIFY2(h["Message-ID"].toString().endsWith("@club.example>"), qPrintable(h["Message-ID"].toString()));
        QCOMPARE(m["defects"].toArray().size(), 0);
        QCOMPARE(m["bare_line_ends"].toInt(), 0);
        QVERIFY2(onlyBoundaryIsLong(m), qPrintable(server.rawMessage(1)));
        QCOMPARE(m["parts"].toArray().size(), 1);
        QCOMPARE(part(m, 0)["type"].toString(), "text/plain");
        QCOMPARE(part(m, 0)["charset"].toString(), "utf-8");
        QCOMPARE(part(m, 0)["encoding"].toString(), "quoted-printable");
        QCOMPARE(part(m, 0)["text"].toString(), bodyBack);
        const QJsonObject envelope = m["envelope"].toObject();
        QCOMPARE(envelope["from"].toString(), kSender);
        QCOMPARE(envelope["to"].toArray().first().toString(), "ann.smith@example.org");
    }

    // Files arrive byte for byte under their own names, each with its type.
    void attachments()
    {
        QTemporaryDir dir;
        QByteArray binary(300000, '\0');
        for (char& c : binary)
            c = char(QRandomGenerator::global()->bounded(256));
        const QByteArray text = "Minutes\r\nline two\nno end";
        const QList<std::pair<QString, QByteArray>> files{
            {"minutes.txt", text},
            {"newsletter.pdf", "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n1 0 obj\n<<>>\nendobj\ntrailer\n<<>>\n%%EOF\n"},
            {"photo.bin", binary},
            {"Übersicht für Müller – 2025 年.txt", "ü"},
            {QString("A very long file name of the club's annual general meeting agenda, ").repeated(2) + "version 2.txt", "long"},
            {"odd \"quoted\"; name.txt", "odd"},
        };
        MailMessage m = messageTo("ann@example.org");
        for (const auto& [name, bytes] : files)
            m.Parts().Add().AttachFile(writeFile(dir, name, bytes));

        SmtpServer server;
        QCOMPARE(sendThrough(server.address(), m), "sent");
        const QJsonObject got = server.message(1);
        QCOMPARE(got["content_type"].toString(), "multipart/mixed");
        QCOMPARE(got["defects"].toArray().size(), 0);
        QVERIFY(onlyBoundaryIsLong(got));
        QCOMPARE(got["parts"].toArray().size(), 1 + files.size());
        QCOMPARE(part(got, 0)["text"].toString(), "Hello");
        const QStringList types{"text/plain", "application/pdf", "application/octet-stream", "text/plain", "text/plain", "text/plain"};
        for (int i = 0; i < files.size(); ++i) {
            const QJsonObject p = part(got, i + 1);
            QCOMPARE(p["filename"].toString(), files[i].first);
            QCOMPARE(p["sha256"].toString().toLatin1(), sha256(files[i].second));
            QCOMPARE(p["type"].toString(), types[i]);
        }
    }

    void unreadableAttachment()
    {
        QTemporaryDir dir;
        MailMessage m = messageTo("ann@example.org");
        const QString path = writeFile(dir, "agenda.txt", "x");
        try {
            m.Parts().Add().AttachFile(dir.filePath("missing.txt"));
            QFAIL("attached");
        } catch (const MailError& e) {
            QCOMPARE(e.number(), mailerr::AttachmentUnreadable);
            QVERIFY(e.description().contains(dir.filePath("missing.txt")));
        }
        m.Parts().Add().AttachFile(path);
        QFile::remove(path);   // gone between attaching and sending
        SmtpServer server;
        QVERIFY(sendThrough(server.address(), m).startsWith("700D The attachment \"" + path + "\" cannot be read"));
        QCOMPARE(server.count(), 0);
    }

    // Encryption is verified and never quietly dropped; a password never goes unencrypted.
    void security_data()
    {
        QTest::addColumn<QStringList>("serverOptions");   // "CERT" stands for the test's certificate
        QTest::addColumn<QString>("security");
        QTest::addColumn<bool>("trust");
        QTest::addColumn<QString>("login");
        QTest::addColumn<QString>("result");   // error number, or "sent" / "sent, encrypted"
        const QStringList starttls{"CERT"};
        QTest::newRow("STARTTLS offered, certificate not trusted") << starttls << "None" << false << "" << "7006";
        QTest::newRow("STARTTLS offered and trusted") << starttls << "None" << true << "" << "sent, encrypted";
        QTest::newRow("STARTTLS required and offered") << starttls << "STARTTLS" << true << "" << "sent, encrypted";
        QTest::newRow("STARTTLS required, not offered") << QStringList{} << "STARTTLS" << true << "" << "7005";
        QTest::newRow("plain server, nothing required") << QStringList{} << "None" << true << "" << "sent";
        QTest::newRow("SSL/TLS, trusted") << QStringList{"CERT", "--implicit-tls"} << "SSL/TLS" << true << "" << "sent, encrypted";
        QTest::newRow("SSL/TLS, not trusted") << QStringList{"CERT", "--implicit-tls"} << "SSL/TLS" << false << "" << "7006";
        QTest::newRow("SSL/TLS against a plain server") << QStringList{} << "SSL/TLS" << true << "" << "7007";
        QTest::newRow("PLAIN, good password") << QStringList{"CERT", "--login", "ann:s3cret é", "--mechanism", "PLAIN"} << "None" << true << "ann:s3cret é" << "sent, encrypted";
        QTest::newRow("PLAIN, bad password") << QStringList{"CERT", "--login", "ann:s3cret é", "--mechanism", "PLAIN"} << "None" << true << "ann:wrong" << "7008";
        QTest::newRow("LOGIN, good password") << QStringList{"CERT", "--login", "ann:s3cret", "--mechanism", "LOGIN"} << "STARTTLS" << true << "ann:s3cret" << "sent, encrypted";
        QTest::newRow("LOGIN, bad password") << QStringList{"CERT", "--login", "ann:s3cret", "--mechanism", "LOGIN"} << "STARTTLS" << true << "ann:s3cre" << "7008";
        QTest::newRow("login, server without encryption") << QStringList{"--login", "ann:s3cret", "--auth-plain-text"} << "None" << true << "ann:s3cret" << "7005";
        QTest::newRow("server wants a login") << QStringList{"CERT", "--login", "ann:s3cret", "--auth-required"} << "None" << true << "" << "7013";
    }
    void security()
    {
        QFETCH(QStringList, serverOptions);
        QFETCH(QString, security);
        QFETCH(bool, trust);
        QFETCH(QString, login);
        QFETCH(QString, result);
        QStringList args;
        for (const QString& o : serverOptions)
            args << (o == "CERT" ? QStringList{"--cert", m_cert[0], "--key", m_cert[1]} : QStringList{o});
        SmtpServer server(args);
        QVERIFY(server.started());
        ConnectionOptions options;
        options.security = securityOf(security);
        options.limits.caFile = trust ? m_cert[0] : QString();
        options.userName = login.section(':', 0, 0);
        options.password = login.section(':', 1);
        options.limits.stallSeconds = 10;
        const QString outcome = sendThrough(server.address(), messageTo("ann@example.org"), options);
        if (result.startsWith("sent")) {
            QCOMPARE(outcome, "sent");
            const QJsonObject envelope = server.message(1)["envelope"].toObject();
            QCOMPARE(envelope["tls"].toBool(), result == "sent, encrypted");
            QCOMPARE(envelope["login"].toString(), options.userName.isEmpty() ? QString() : options.userName);
        } else {
            QVERIFY2(outcome.startsWith(result + " "), qPrintable(outcome));
            QCOMPARE(server.count(), 0);
        }
    }

    void errorDescriptions()
    {
        // A refused recipient: the server's own words reach the user.
        SmtpServer refusing({"--refuse", "gone@example.org"});
        QCOMPARE(sendThrough(refusing.address(), messageTo("gone@example.org")),
                 "700A The mail server \"" + refusing.address() + "\" refused the address gone@example.org. The server said: "
                 "550 5.1.1 <gone@example.org>: Recipient address rejected: no such user The message was not sent.");
        QCOMPARE(refusing.count(), 0);

        const QString closed = QString("127.0.0.1:%1").arg(SmtpServer::closedPort());
        QCOMPARE(sendThrough(closed, messageTo("ann@example.org")),
                 "7003 Nothing answered at the mail server \"" + closed + "\" on port " + closed.section(':', 1)
                     + ". Please check the server's name and port in the Default settings, and this computer's internet "
                       "connection. The message was not sent.");

        // A server that takes the connection and never answers: the limit ends the wait.
        SmtpServer silent({"--silent"});
        ConnectionOptions quick;
        quick.limits.connectSeconds = 1;
        quick.limits.stallSeconds = 1;
        QVERIFY2(sendThrough(silent.address(), messageTo("ann@example.org"), quick)
                     .startsWith("7004 The mail server \"" + silent.address() + "\" stopped answering ("),
                 "no time limit");

        try {
            SmtpClient client;
            client.Send(messageTo("ann@example.org"));
            QFAIL("sent without Connect");
        } catch (const MailError& e) {
            QCOMPARE(e.number(), mailerr::NotConnected);
        }
    }

    // One connection carries every message of a client; after an error the next message
    // opens a fresh one, and a new client opens its own.
    void connectionKeptBetweenMessages()
    {
        SmtpServer server({"--refuse", "gone@example.org"});
        auto port = [&](int n) { return server.message(n)["envelope"].toObject()["peer_port"].toInt(); };
        {
            SmtpClient client;
            for (const char* to : {"a@example.org", "b@example.org", "gone@example.org", "c@example.org", "d@example.org"}) {
                client.Connect(server.address(), 0);
                try {
                    client.Send(messageTo(to));
                } catch (const MailError& e) {
                    QCOMPARE(e.number(), mailerr::RecipientRefused);
                }
                client.Disconnect();
            }
        }
        QCOMPARE(sendThrough(server.address(), messageTo("e@example.org")), "sent");
        QCOMPARE(server.count(), 5);
        QCOMPARE(port(2), port(1));
        QVERIFY(port(3) != port(2));
        QCOMPARE(port(4), port(3));
        QVERIFY(port(5) != port(4));
    }
};

ZELK_TEST(MailLayerTest)
#include "tst_mail_layer.moc"
