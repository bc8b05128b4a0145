// The e-mail settings of the program defaults window: the login and the connection security
// stored with the other settings, the password kept out of the settings file (in the
// keyring, or where none runs until the program ends), and nothing stored on Cancel.
#include "testlib/test_checks.h"
#include "testlib/test_registry.h"
#include "testlib/test_world.h"

#include "config/frm_zelk_defaults.h"
#include "core/app_state.h"
#include "core/settings_store.h"
#include "data/create_db.h"
#include "engine/database.h"
#include "mail/password_store.h"
#include "ui/message_box.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace zelk;
using namespace zelk::test;

class MailSettingsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestWorld> m_world;
    AppState m_state;

private slots:
    void init()
    {
        mail::useKeyring(false);
        m_world = std::make_unique<TestWorld>();
        buildNewDatabase(m_world->file("zelk2002.mdb"));
        m_state.dbZelk = Database::open(m_world->file("zelk2002.mdb"));
        m_state.reopen(m_state.rsZelk, membersInOrder("Surname"));
    }
    void cleanup()
    {
        QCOMPARE(MessageScript::unexpected().size(), 0);
        m_state.rsZelk.reset();
        m_state.dbZelk.reset();
        m_world.reset();
    }

    void opensWithTheStoredLogin()
    {
        saveSetting(setting::EmailUser, "ann@club.example");
        saveSetting(setting::EmailSecurity, "SSL/TLS");
        frmZelkDefaults w(m_state);
        QCOMPARE(w.txtUser->text(), "ann@club.example");
        QCOMPARE(w.cmbSecurity->currentText(), "SSL/TLS");
        QCOMPARE(w.txtPassword->echoMode(), QLineEdit::Password);
    }

    // Saved with the other settings; the password never reaches the settings file.
    void saveKeepsThePasswordOutOfTheSettings()
    {
        frmZelkDefaults w(m_state);
        w.txtSMTP->setText("smtp.club.example:587");
        w.txtUser->setText("ann@club.example");
        w.txtPassword->setText("pässword 1");
        w.cmbSecurity->setCurrentIndex(1);
        MessageScript::answer(MsgAnswer::OK);
        w.Command1[1]->click();
        QCOMPARE(messagesShown(),
                 QStringList{"Password kept for now | OK Information OK | There is no keyring on this desktop to keep the password "
                             "in, so it is kept only until Zelk Membership ends. After that you will be asked for it when you "
                             "send e-mail."});
        QCOMPARE(readSetting(setting::EmailUser), "ann@club.example");
        QCOMPARE(readSetting(setting::EmailSecurity), "STARTTLS");
        QCOMPARE(mail::storedPassword("ann@club.example", "smtp.club.example:587").value_or("(none)"), "pässword 1");
        QFile ini(m_world->settingsFile());
        QVERIFY(ini.open(QIODevice::ReadOnly));
        const QByteArray settings = ini.readAll();
        QVERIFY(settings.contains("EmailSMTP=smtp.club.example:587"));
        QVERIFY(!settings.contains("ssword"));

        // An empty box keeps the password; an emptied user name means no login.
        frmZelkDefaults again(m_state);
        QCOMPARE(again.txtPassword->text(), "");
        again.txtUser->clear();
        again.Command1[1]->click();
        QCOMPARE(readSetting(setting::EmailUser), "");
        QCOMPARE(mail::storedPassword("ann@club.example", "smtp.club.example:587").value_or("(none)"), "pässword 1");
    }

    void cancelStoresNothing()
    {
        frmZelkDefaults w(m_state);
        w.txtUser->setText("ann");
        w.txtPassword->setText("secret");
        w.cmbSecurity->setCurrentIndex(2);
        MessageScript::answer(MsgAnswer::Yes);
        w.Command1[0]->click();
        QCOMPARE(readSetting(setting::EmailUser) + readSetting(setting::EmailSecurity), "None");
        QVERIFY(!mail::storedPassword("ann", "").has_value());
    }
};

ZELK_TEST(MailSettingsTest)
#include "tst_mail_settings.moc"
