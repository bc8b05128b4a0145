// The message window on a register of its own, sending to a real SMTP server: what each
// member receives, who is passed over, the questions and messages of a run, Cancel and
// errors in the middle of one, the log and the browser, the password, the test message
// and the keys.
#include "smtp_server.h"

#include "testlib/test_checks.h"
#include "testlib/test_registry.h"
#include "testlib/test_world.h"

#include "core/app_state.h"
#include "core/settings_store.h"
#include "data/create_db.h"
#include "engine/database.h"
#include "engine/recordset.h"
#include "mail/frm_get_message.h"
#include "mail/password_store.h"
#include "ui/message_box.h"
#include "ui/modal.h"
#include "ui/user_dialogs.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace zelk;
using namespace zelk::test;

namespace {

const QString kSender = "secretary@club.example";
const QString kSelection = "SELECT * from Zelk  ORDER BY  Number";

// Title|FirstName|Surname|Email, numbered from 1 in this order; "-" is Null.
const QStringList kClub{"Mrs|Ann|Adams|ann@example.org", "Mr|-|Baker|bob@example.org", "-|Cat|Carter|cat@example.org",
                        "Dr|Dan|-|dan@example.org"};

// A register, the shared state over it, the e-mail settings and a browser that notes what
// it was asked to open.
class MailWorld {
public:
    explicit MailWorld(const QStringList& members, const QString& server)
    {
        saveSetting(setting::EmailSender, kSender);
        saveSetting(setting::EmailSMTP, server);
        const QString path = m_world.file("zelk2002.mdb");
        buildNewDatabase(path);
        {
            auto db = Database::open(path);
            db->execute("Delete from Zelk");
            auto rs = db->openRecordset("Zelk");
            int number = 1;
            for (const QString& member : members) {
                const QStringList f = member.split('|');
                rs->addNew();
                rs->setField("Number", number++);
                rs->setField("Address1", "1 High St");
                const QStringList names{"Title", "FirstName", "Surname", "Email"};
                for (int i = 0; i < 4; ++i)
                    if (f[i] != "-")
                        rs->setField(names[i], f[i]);
                rs->update();
            }
        }
        state.dbZelk = Database::open(path);
        state.reopen(state.rsZelk, membersInOrder("Surname"));
        state.SelectionSQL = kSelection;
        // A browser started late, after its test, still finds its script and its file.
        static QTemporaryDir browsers;
        static int worlds = 0;
        m_opened = browsers.filePath(QString("opened-%1").arg(++worlds));
        QFile browser(browsers.filePath(QString("browser-%1").arg(worlds)));
        browser.open(QIODevice::WriteOnly);
        browser.write("#!/bin/sh\nprintf '%s\\n' \"$@\" >> \"" + m_opened.toUtf8() + "\"\n");
        browser.close();
        browser.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        state.BrowserPath = "  " + browser.fileName() + " ";
    }

    QString logPath() const { return m_world.file("messages.html"); }
    QString log() const
    {
        QFile f(logPath());
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString("(no log)");
    }
    // What the browser was asked to open, once it has been started.
    QStringList opened() const
    {
        QFile f(m_opened);
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts);
    }
    bool browserOpenedLog() const { return QTest::qWaitFor([&] { return opened() == QStringList{logPath()}; }); }

    TestWorld m_world;
    AppState state;

private:
    QString m_opened;
};

QString logOf(const QStringList& lines)
{
    QString text = "\uFEFF<html><body><h3>Message sent to:</h3>";
    for (const QString& line : lines)
        text += line + "<br>\r\n";
    return text + "\r\n";
}

// Each message the server took: "to: body" (the body's line breaks shown as "/").
QStringList received(const SmtpServer& server)
{
    QStringList out;
    for (int n = 1; n <= server.count(); ++n) {
        const QJsonObject m = server.message(n);
        out << m["headers"].toObject()["To"].toString() + ": "
                   + m["parts"].toArray()[0].toObject()["text"].toString().replace("\r\n", "/");
    }
    return out;
}

void compose(frmGetMessage& w, const QString& subject, const QString& text)
{
    w.txtSubject->setText(subject);
    w.txtMsg->setPlainText(text);
}

} // namespace

class MessageWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init() { mail::useKeyring(false); }
    void cleanup()
    {
        QCOMPARE(MessageScript::unexpected().size(), 0);
        QCOMPARE(DialogScript::unexpected(), 0);
    }

    void opensWithTheGreetingSetting_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("selected");
        QTest::newRow("none stored") << "" << 1;
        QTest::newRow("Formal") << "Formal" << 0;
        QTest::newRow("anything else") << "friendly" << 2;
    }
    void opensWithTheGreetingSetting()
    {
        QFETCH(QString, stored);
        QFETCH(int, selected);
        MailWorld world({}, "unused");
        if (!stored.isEmpty())
            saveSetting(setting::EmailGreeting, stored);
        frmGetMessage w(world.state);
        QVERIFY(w.optGreeting[size_t(selected)]->isChecked());
        QCOMPARE(w.txtSubject->text() + w.txtMsg->toPlainText() + w.lblStatus->text(), "");
        QCOMPARE(w.lstAttachments->count(), 0);
    }

    // Each member's own copy, with the greeting the fields allow, in the order of the selection.
    void greetings_data()
    {
        QTest::addColumn<int>("option");
        QTest::addColumn<QStringList>("bodies");
        QTest::newRow("Formal") << 0
                                << QStringList{"ann@example.org: Dear Mrs Adams,//Hello all/AGM soon",
                                               "bob@example.org: Dear Mr Baker,//Hello all/AGM soon",
                                               "cat@example.org: Hello all/AGM soon", "dan@example.org: Dear Dr ,//Hello all/AGM soon"};
        QTest::newRow("Friendly") << 1
                                  << QStringList{"ann@example.org: Dear Ann,//Hello all/AGM soon", "bob@example.org: Hello all/AGM soon",
                                                 "cat@example.org: Dear Cat,//Hello all/AGM soon",
                                                 "dan@example.org: Dear Dan,//Hello all/AGM soon"};
        QTest::newRow("None") << 2
                              << QStringList{"ann@example.org: Hello all/AGM soon", "bob@example.org: Hello all/AGM soon",
                                             "cat@example.org: Hello all/AGM soon", "dan@example.org: Hello all/AGM soon"};
    }
    void greetings()
    {
        QFETCH(int, option);
        QFETCH(QStringList, bodies);
        SmtpServer server;
        MailWorld world(kClub, server.address());
        frmGetMessage w(world.state);
        compose(w, "  AGM", "Hello all\nAGM soon");
        w.optGreeting[size_t(option)]->click();
        w.cmd1[0]->click();
        QCOMPARE(received(server), bodies);
        QCOMPARE(server.message(1)["headers"].toObject()["Subject"].toString(), "  AGM");
        QCOMPARE(server.message(1)["headers"].toObject()["From"].toString(), kSender);
        QCOMPARE(w.lblStatus->text(), "Finished sending");
        QCOMPARE(w.lblCount->text(), "4 of 4");
        QCOMPARE(w.Sending, 0);
        QCOMPARE(world.log(), logOf({"ann@example.org", "bob@example.org", "cat@example.org", "dan@example.org"}));
        QVERIFY(world.browserOpenedLog());
        QVERIFY(world.state.rsZelk->source() == kSelection);
        QCOMPARE(messagesShown(), QStringList{});
        // The window stays open for another run.
        QVERIFY(w.cmd1[0]->isEnabled() && !w.txtSubject->isReadOnly() && w.menuDefaults->isEnabled());
    }

    // A member with no address, an empty one or blanks alone is passed over and not logged;
    // so is every member of an empty selection.
    void membersWithoutAddressesPassedOver()
    {
        SmtpServer server;
        MailWorld world({"-|A|Abbot|-", "-|B|Bell|", "-|C|Cole|   ", "-|D|Dean|dean@example.org", "-|E|Eddy|o'neil&co@example.org"},
                        server.address());
        frmGetMessage w(world.state);
        compose(w, "News", "Hi");
        w.optGreeting[2]->click();
        w.cmd1[0]->click();
        QCOMPARE(received(server), (QStringList{"dean@example.org: Hi", "o'neil&co@example.org: Hi"}));
        QCOMPARE(w.lblCount->text(), "2 of 2");
        QCOMPARE(world.log(), logOf({"dean@example.org", "o'neil&amp;co@example.org"}));

        world.state.SelectionSQL = "SELECT * from Zelk WHERE Surname = \"Nobody\"  ORDER BY  Number";
        w.cmd1[0]->click();
        QCOMPARE(server.count(), 2);
        QCOMPARE(w.lblStatus->text(), "Finished sending");
        QCOMPARE(w.lblCount->text(), "0 of 0");
        QCOMPARE(world.log(), logOf({}));
    }

    // What is refused before anything is sent, and says why.
    void refusedBeforeSending_data()
    {
        QTest::addColumn<QString>("subject");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("sender");
        QTest::addColumn<QString>("server");
        QTest::addColumn<bool>("missingAttachment");
        QTest::addColumn<QString>("message");
        QTest::newRow("blank subject") << "   " << "Hi" << kSender << "set" << false
                                       << "No subject | OK Information OK | You can't send a message with a blank subject.";
        QTest::newRow("blank message") << "News" << "  \n \n" << kSender << "set" << false
                                       << "No message to send | OK Information OK | You can't send a blank message.";
        const QString setUp = "No sender set up | OK None OK | Please set up the defaults for email sending using the Default settings menu.";
        QTest::newRow("no sender") << "News" << "Hi" << "" << "set" << false << setUp;
        QTest::newRow("no server") << "News" << "Hi" << kSender << "" << false << setUp;
        QTest::newRow("attachment gone") << "News" << "Hi" << kSender << "set" << true
                                         << "Attachment missing | OK Exclamation OK | The attachment \"%1\" cannot be read (it is not there "
                                            "any more).\n\nPlease put the file back, or remove it from the attachments, and then send "
                                            "the message. Nothing has been sent.";
    }
    void refusedBeforeSending()
    {
        QFETCH(QString, subject);
        QFETCH(QString, text);
        QFETCH(QString, sender);
        QFETCH(QString, server);
        QFETCH(bool, missingAttachment);
        QFETCH(QString, message);
        SmtpServer smtp;
        MailWorld world(kClub, server.isEmpty() ? "" : smtp.address());
        saveSetting(setting::EmailSender, sender);
        QFile::remove(world.logPath());
        QTemporaryDir dir;
        frmGetMessage w(world.state);
        compose(w, subject, text);
        if (missingAttachment)
            w.lstAttachments->addItem(dir.filePath("agenda.pdf"));
        MessageScript::answer(MsgAnswer::OK);
        w.cmd1[0]->click();
        QCOMPARE(messagesShown(), QStringList{missingAttachment ? message.arg(dir.filePath("agenda.pdf")) : message});
        QCOMPARE(smtp.count(), 0);
        QVERIFY(!QFile::exists(world.logPath()));
        QCOMPARE(w.Sending, 0);
    }

    // Cancel during a run asks; Yes finishes the member in hand and stops, No goes on.
    void cancelDuringARun_data()
    {
        QTest::addColumn<bool>("stop");
        QTest::addColumn<int>("sent");
        QTest::newRow("Yes") << true << 1;
        QTest::newRow("No") << false << 4;
    }
    void cancelDuringARun()
    {
        QFETCH(bool, stop);
        QFETCH(int, sent);
        SmtpServer server({"--slow", "0.2"});
        MailWorld world(kClub, server.address());
        frmGetMessage w(world.state);
        compose(w, "News", "Hi");
        QStringList seen;   // what the window showed while the first message was on its way
        QTimer::singleShot(0, &w, [&] {
            seen << w.lblStatus->text() << w.lblCount->text() << QString::number(server.count())
                 << (w.txtSubject->isReadOnly() && w.txtMsg->isReadOnly() && !w.cmd1[0]->isEnabled() && !w.cmdAdd->isEnabled()
                             && !w.menuDefaults->isEnabled() && w.cmd1[1]->isEnabled()
                         ? "composing locked"
                         : "composing open");
            MessageScript::answer(stop ? MsgAnswer::Yes : MsgAnswer::No);
            w.cmd1[1]->click();
        });
        w.cmd1[0]->click();
        QCOMPARE(seen, (QStringList{"Sending Message to ann@example.org", "1 of 4", "0", "composing locked"}));
        QCOMPARE(messagesShown(), QStringList{"Just checking | YesNo Question Yes | Are you sure you want to stop sending this message?"});
        QCOMPARE(server.count(), sent);
        QCOMPARE(w.lblStatus->text(), "Finished sending");
        QCOMPARE(world.log(), logOf(QStringList{"ann@example.org", "bob@example.org", "cat@example.org", "dan@example.org"}.mid(0, sent)));
        QVERIFY(world.browserOpenedLog());
    }

    // A member's message that fails ends the run there: the user is told, and the log says
    // that member was not sent.
    void errorInOneMember_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("error");
        QTest::newRow("refused by the server")
            << "bob@example.org"
            << "Error # 700A The mail server \"%1\" refused the address bob@example.org. The server said: 550 5.1.1 "
               "<bob@example.org>: Recipient address rejected: no such user The message was not sent.";
        QTest::newRow("a line break in the address")
            << "bob@example.org\nBcc: everyone@example.org"
            << "Error # 700E The recipient's address \"bob@example.org\\nBcc: everyone@example.org\" holds a line break or "
               "another control character, so it cannot go into the message's header. The message was not sent.";
    }
    void errorInOneMember()
    {
        QFETCH(QString, address);
        QFETCH(QString, error);
        SmtpServer server({"--refuse", "bob@example.org"});
        QStringList club = kClub;
        club[1] = "Mr|-|Baker|" + address;
        MailWorld world(club, server.address());
        frmGetMessage w(world.state);
        compose(w, "News", "Hi");
        MessageScript::answer(MsgAnswer::OK);
        w.cmd1[0]->click();
        const QString text = error.contains("%1") ? error.arg(server.address()) : error;
        QCOMPARE(messagesShown(), QStringList{"Error | OK None OK | " + text});
        QCOMPARE(w.LastMailError, text);
        QCOMPARE(w.lblStatus->text(), "Finished sending");
        QCOMPARE(received(server), QStringList{"ann@example.org: Dear Ann,//Hi"});
        QCOMPARE(world.log(), logOf({"ann@example.org", address.toHtmlEscaped() + " - not sent: " + text.toHtmlEscaped()}));
        QVERIFY(world.browserOpenedLog());
    }

    // An error of the run itself (here a member deleted while the run goes on) offers Abort,
    // Retry and Ignore: Abort ends the run at once and keeps the last log; the others end it
    // as usual.
    void errorOfTheRun_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("Abort") << int(MsgAnswer::Abort);
        QTest::newRow("Ignore") << int(MsgAnswer::Ignore);
    }
    void errorOfTheRun()
    {
        QFETCH(int, answer);
        SmtpServer server;
        MailWorld world(kClub, server.address());
        QFile previous(world.logPath());
        QVERIFY(previous.open(QIODevice::WriteOnly));
        previous.write("last run's log");
        previous.close();
        frmGetMessage w(world.state);
        compose(w, "News", "Hi");
        QTimer::singleShot(0, &w, [&] { world.state.dbZelk->execute("Delete from Zelk WHERE Surname = \"Carter\""); });
        MessageScript::answer(MsgAnswer(answer));
        w.cmd1[0]->click();
        const QString text = "Error # C5F Record is deleted.";
        QCOMPARE(messagesShown(), QStringList{"Error | AbortRetryIgnore None Abort | " + text});
        QCOMPARE(server.count(), 2);
        QCOMPARE(w.Sending, 0);
        if (MsgAnswer(answer) == MsgAnswer::Abort) {
            QCOMPARE(w.lblStatus->text(), text);
            QCOMPARE(world.log(), "last run's log");
            QTest::qWait(200);
            QCOMPARE(world.opened(), QStringList{});
        } else {
            QCOMPARE(w.lblStatus->text(), "Finished sending");
            QCOMPARE(world.log(), logOf({"ann@example.org", "bob@example.org"}));
            QVERIFY(world.browserOpenedLog());
        }
        QVERIFY(w.cmd1[0]->isEnabled());
    }

    void browserThatCannotStart()
    {
        SmtpServer server;
        MailWorld world(kClub.mid(0, 1), server.address());
        world.state.BrowserPath = "";
        frmGetMessage w(world.state);
        compose(w, "News", "Hi");
        MessageScript::answer(MsgAnswer::Ignore);
        w.cmd1[0]->click();
        QCOMPARE(messagesShown(), QStringList{"Error | AbortRetryIgnore None Abort | Error # 35 The web browser \"\" could not be "
                                              "started to show the list of addresses, which is in \"" + world.logPath() + "\"."});
        QCOMPARE(world.log(), logOf({"ann@example.org"}));
    }

    // Attachments go to every member; the same file may be added twice; Remove takes the
    // highlighted one only.
    void attachments()
    {
        SmtpServer server;
        MailWorld world(kClub.mid(0, 2), server.address());
        QTemporaryDir dir;
        QFile file(dir.filePath("Ünïcode agenda.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("agenda\x00\xff", 8);
        file.close();
        frmGetMessage w(world.state);
        compose(w, "News", "Hi");
        DialogScript::answerFile(file.fileName());
        DialogScript::answerFile(file.fileName());
        DialogScript::answerFile("");
        for (int i = 0; i < 3; ++i)
            w.cmdAdd->click();
        QCOMPARE(w.lstAttachments->count(), 2);
        QCOMPARE(w.lstAttachments->currentRow(), 1);
        w.cmdRemove->click();
        QCOMPARE(w.lstAttachments->count(), 1);
        w.lstAttachments->clearSelection();
        w.cmdRemove->click();
        QCOMPARE(w.lstAttachments->count(), 1);
        w.cmd1[0]->click();
        QCOMPARE(server.count(), 2);
        for (int n = 1; n <= 2; ++n) {
            const QJsonObject attached = server.message(n)["parts"].toArray()[1].toObject();
            QCOMPARE(attached["filename"].toString(), "Ünïcode agenda.txt");
            QCOMPARE(QByteArray::fromBase64(attached["base64"].toString().toLatin1()), QByteArray("agenda\x00\xff", 8));
        }
    }

    // Where no keyring runs the password is asked for at the first run and kept until the
    // program ends; one the server refuses is asked for again.
    void passwordAskedWhenNoKeyring()
    {
        QTemporaryDir certDir;
        const QStringList cert = SmtpServer::makeCertificate(certDir.path());
        SmtpServer server({"--cert", cert[0], "--key", cert[1], "--login", "ann:s3cret", "--auth-required"});
        MailWorld world(kClub.mid(0, 1), server.address());
        saveSetting(setting::EmailUser, "ann");
        frmGetMessage w(world.state, nullptr, {cert[0], 30, 10});
        compose(w, "News", "Hi");

        DialogScript::answerInput(std::nullopt);
        w.cmd1[0]->click();
        QCOMPARE(w.lblStatus->text(), "Nothing was sent: the mail server needs your password.");

        DialogScript::answerInput("wrong");
        MessageScript::answer(MsgAnswer::OK);
        w.cmd1[0]->click();
        DialogScript::answerInput("s3cret");
        w.cmd1[0]->click();
        w.cmd1[0]->click();   // not asked again
        QCOMPARE(server.count(), 2);
        QCOMPARE(server.message(1)["envelope"].toObject()["login"].toString(), "ann");
        QCOMPARE(DialogScript::inputQuestions().size(), 3);
        const InputQuestion asked = DialogScript::inputQuestions().first();
        QCOMPARE(asked.title + " | " + asked.prompt + (asked.hidden ? " | hidden" : ""),
                 "Mail server password | Please type the password of ann on the mail server " + server.address() + ": | hidden");
        QCOMPARE(messagesShown().size(), 1);
        QVERIFY(messagesShown().first().startsWith("Error | OK None OK | Error # 7008 The mail server"));
    }

    // The test goes to the sender alone, greeting the first member of the selection who
    // has an address, and leaves the log alone.
    void testMessageToMe()
    {
        SmtpServer server;
        MailWorld world({"Mrs|Ann|Adams|", "Mr|Bob|Baker|bob@example.org", "Ms|Cat|Carter|cat@example.org"}, server.address());
        QFile::remove(world.logPath());
        frmGetMessage w(world.state);
        compose(w, "News", "Hi");
        w.optGreeting[0]->click();
        w.cmdTest->click();
        QCOMPARE(received(server), QStringList{kSender + ": Dear Mr Baker,//Hi"});
        QCOMPARE(server.message(1)["envelope"].toObject()["to"].toArray().first().toString(), kSender);
        QCOMPARE(w.lblStatus->text(), "Test message sent to " + kSender);
        QVERIFY(!QFile::exists(world.logPath()));
        QCOMPARE(world.state.rsZelk->source(), membersInOrder("Surname"));
    }

    // Cancel when idle asks first; the close box and Escape are Cancel too.
    void cancelWhenIdle()
    {
        MailWorld world(kClub, "unused");
        frmGetMessage w(world.state);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        MessageScript::answer(MsgAnswer::No);
        w.cmd1[1]->click();
        QVERIFY(w.isVisible());
        MessageScript::answer(MsgAnswer::No);
        QTest::keyClick(&w, Qt::Key_Escape);
        QVERIFY(w.isVisible());
        MessageScript::answer(MsgAnswer::Yes);
        w.cmd1[1]->click();
        QVERIFY(!w.isVisible());
        QCOMPARE(w.result(), int(QDialog::Rejected));
        QCOMPARE(messagesShown(), QStringList(3, "Just checking | YesNo Question Yes | Are you sure you want to cancel this message?"));
    }

    // Up and Down move like Shift+Tab and Tab everywhere; Enter moves on except in the
    // message, where it starts a new line.
    void keys()
    {
        MailWorld world(kClub, "unused");
        world.state.MultiLineFocus = -1;   // left so by a box of the window beneath
        {
            frmGetMessage w(world.state);
            w.show();
            w.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&w));
            w.txtSubject->setFocus();
            const auto press = [&](Qt::Key key) {
                QTest::keyClick(QApplication::focusWidget(), key);
                return QApplication::focusWidget();
            };
            QCOMPARE(press(Qt::Key_Return), w.txtMsg);
            QTest::keyClicks(w.txtMsg, "one");
            QCOMPARE(press(Qt::Key_Return), w.txtMsg);
            QTest::keyClicks(w.txtMsg, "two");
            QCOMPARE(w.txtMsg->toPlainText(), "one\ntwo");
            QCOMPARE(press(Qt::Key_Down), w.optGreeting[0]);
            QCOMPARE(press(Qt::Key_Up), w.txtMsg);
            QCOMPARE(press(Qt::Key_Up), w.txtSubject);
            QCOMPARE(press(Qt::Key_Return), w.txtMsg);
            QCOMPARE(press(Qt::Key_Tab), w.optGreeting[0]);
            QCOMPARE(press(Qt::Key_Return), w.lstAttachments);   // out of the group of options, as Tab goes
            QCOMPARE(w.txtMsg->toPlainText(), "one\ntwo");
        }
        QCOMPARE(world.state.MultiLineFocus, -1);
    }
};

ZELK_TEST(MessageWindowTest)
#include "tst_frm_get_message.moc"
