#include "mail_bench.h"

#include "register_generator.h"
#include "timing.h"

#include "core/app_state.h"
#include "core/settings_store.h"
#include "engine/database.h"
#include "engine/recordset.h"
#include "mail/frm_get_message.h"
#include "mail/greeting.h"
#include "mail/mail_error.h"
#include "mail/mail_message.h"
#include "mail/smtp_client.h"
#include "ui/message_box.h"

#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QScopeGuard>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace zelk::bench {

namespace {

const QString kSubject = u"Annual general meeting — 14 March"_qs;
const QString kText = u"The annual general meeting is on Friday 14 March at 7.30 pm in the village hall.\n"
                      u"Please bring your membership card. Tea and cakes afterwards (£1).\n"_qs;
const QString kSender = u"secretary@club.example"_qs;
constexpr int kRounds = 3;

// The fixture server of the mail tests, discarding what it takes.
class Server {
public:
    Server()
    {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(u"/usr/bin/python3"_qs, {QStringLiteral(ZELK_SOURCE_DIR "/tests/mail/smtp_fixture.py"), u"serve"_qs});
        if (!m_process.waitForStarted(10000))
            return;
        while (m_process.state() == QProcess::Running && !m_process.canReadLine())
            m_process.waitForReadyRead(10000);
        const QByteArray line = m_process.readLine().trimmed();
        if (line.startsWith("READY "))
            port = line.mid(6).toInt();
    }
    ~Server()
    {
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(5000))
            m_process.kill();
        m_process.waitForFinished(5000);
    }
    int port = 0;

private:
    QProcess m_process;
};

// A register of `count` generated members, every one with an address, numbered from 2.
bool buildRegister(const QString& path, int count)
{
    generateRegister(path, count);
    sqlite3* db = nullptr;
    bool ok = sqlite3_open(QFile::encodeName(path).constData(), &db) == SQLITE_OK
        && sqlite3_exec(db, "UPDATE Zelk SET Email = 'member' || Number || '@example.org' WHERE Email IS NULL", nullptr, nullptr,
                        nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

void row(const char* what, double ms, int messages, const QString& note)
{
    std::printf("%-52s %10.1f  %7.0f msg/s  %s\n", what, ms, ms > 0 ? messages * 1000.0 / ms : 0.0, note.toUtf8().constData());
}

} // namespace

void printMailRun(int members)
{
    QTemporaryDir dir;
    Server server;
    if (!dir.isValid() || server.port == 0) {
        std::fprintf(stderr, "e-mail run: no local SMTP server (needs /usr/bin/python3 with aiosmtpd)\n");
        return;
    }
    // The run reads and writes the settings and the program's folder: keep them apart from the user's.
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.filePath(u"config"_qs));
    const QByteArray home = qgetenv("ZELK_HOME");
    qputenv("ZELK_HOME", QFile::encodeName(dir.path()));
    const auto restore = qScopeGuard([&] {
        if (home.isEmpty())
            qunsetenv("ZELK_HOME");
        else
            qputenv("ZELK_HOME", home);
    });
    const QString address = u"127.0.0.1:%1"_qs.arg(server.port);
    saveSetting(setting::EmailSender, kSender);
    saveSetting(setting::EmailSMTP, address);
    saveSetting(setting::EmailGreeting, u"Friendly"_qs);

    const QString path = dir.filePath(u"zelk2002.mdb"_qs);
    if (!buildRegister(path, members)) {
        std::fprintf(stderr, "e-mail run: could not build the register\n");
        return;
    }
    AppState state;
    state.dbZelk = Database::open(path);
    state.reopen(state.rsZelk, membersInOrder(u"Surname"_qs));
    state.SelectionSQL = u"SELECT * from Zelk WHERE Number >= 2  ORDER BY  Surname"_qs;
    state.BrowserPath = u"/bin/true"_qs;

    // The same messages for every sender: each member's greeting and the text.
    QJsonArray messages;
    {
        auto rs = state.dbZelk->openRecordset(state.SelectionSQL);
        for (; !rs->eof(); rs->moveNext()) {
            const auto line = mail::greetingLine(mail::Greeting::Friendly, rs->field(u"FirstName"_qs), rs->field(u"Title"_qs),
                                                 rs->field(u"Surname"_qs));
            messages.append(QJsonArray{rs->field(u"Email"_qs).toString(), line.value_or(QString()) + kText});
        }
    }
    const int count = int(messages.size());

    // A few messages first, so no figure includes the server's own start.
    try {
        mail::SmtpClient client;
        for (int k = 0; k < 50; ++k) {
            mail::MailMessage message;
            message.Recipients().AddAddress(1, u"warm-up@example.org"_qs);
            message.Originator().AddAddress(1, kSender);
            message.Parts().Item(1).setText(kText);
            client.Connect(address, 0);
            client.Send(message);
        }
    } catch (const mail::MailError& e) {
        std::fprintf(stderr, "e-mail run: %s\n", qPrintable(e.description()));
        return;
    }

    QFile work(dir.filePath(u"messages.json"_qs));
    work.open(QIODevice::WriteOnly);
    work.write(QJsonDocument(QJsonObject{{u"sender"_qs, kSender}, {u"subject"_qs, kSubject}, {u"messages"_qs, messages}}).toJson());
    work.close();

    // Each way in turn, three rounds, so a busy moment of the machine weighs on all alike.
    std::vector<double> windowMs, layerMs, pythonMs;
    QString windowNote, layerNote = u"one connection, no window"_qs, pythonNote = u"one connection"_qs;
    MessageScript::start();   // a message box would wait for a user: note it instead
    for (int round = 0; round < kRounds; ++round) {
        // The message window, as the user runs it.
        {
            frmGetMessage window(state);
            window.txtSubject->setText(kSubject);
            window.txtMsg->setPlainText(kText);
            windowMs.push_back(elapsedMs([&] { window.cmd1[0]->click(); }));
            windowNote = u"\"%1\", %2 shown; Send message to the log written"_qs.arg(window.lblStatus->text(), window.lblCount->text());
        }
        if (!MessageScript::asked().isEmpty())
            windowNote = u"FAILED: "_qs + MessageScript::asked().first().text;

        // The mail layer alone: the same messages built and sent on one client.
        try {
            mail::SmtpClient client;
            layerMs.push_back(elapsedMs([&] {
                for (const QJsonValue& m : messages) {
                    mail::MailMessage message;
                    message.Recipients().AddAddress(1, m[0].toString());
                    message.Originator().AddAddress(1, kSender);
                    message.setSubject(kSubject);
                    message.Parts().Item(1).setText(m[1].toString());
                    client.Connect(address, 0);
                    client.Send(message);
                    client.Disconnect();
                }
            }));
        } catch (const mail::MailError& e) {
            layerNote = u"FAILED: "_qs + e.description();
        }

        // Python's smtplib, the same messages over one connection.
        QProcess python;
        python.start(u"/usr/bin/python3"_qs,
                     {QStringLiteral(ZELK_SOURCE_DIR "/bench/smtplib_send.py"), QString::number(server.port), work.fileName()});
        if (python.waitForFinished(600000) && python.exitCode() == 0)
            pythonMs.push_back(python.readAllStandardOutput().trimmed().toDouble() * 1000);
        else
            pythonNote = u"FAILED"_qs;
    }
    MessageScript::stop();

    const auto figure = [](const std::vector<double>& times) { return times.empty() ? -1.0 : median(times); };
    const auto spread = [](const std::vector<double>& times) {
        if (times.empty())
            return QString();
        const auto [low, high] = std::minmax_element(times.begin(), times.end());
        return u"median of %1 (%2 to %3 ms); "_qs.arg(times.size()).arg(*low, 0, 'f', 0).arg(*high, 0, 'f', 0);
    };
    std::printf("%-52s %10s  %13s  %s\n", "e-mail to the members (local aiosmtpd)", "ms", "rate", "note");
    std::printf("%-52s %10s  %13s  %s\n", QByteArray(52, '-').constData(), "----------", "-------------", "----");
    row("message window, Send message", figure(windowMs), count, spread(windowMs) + u"%1 members; "_qs.arg(count) + windowNote);
    row("mail layer alone", figure(layerMs), count, spread(layerMs) + layerNote);
    row("Python smtplib, same messages", figure(pythonMs), count,
        spread(pythonMs) + pythonNote
            + (pythonMs.empty() ? QString() : u"; window / smtplib = %1x"_qs.arg(figure(windowMs) / figure(pythonMs), 0, 'f', 2)));
    std::printf("\n");
}

} // namespace zelk::bench
