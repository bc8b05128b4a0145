#include "app/settings_store.h"
#include "testlib/test_registry.h"
#include "testlib/test_world.h"

#include <QFile>
#include <QSettings>
#include <QTest>

using namespace zelk;
using zelk::test::TestWorld;

Q_DECLARE_METATYPE(zelk::SettingKey)

class SettingsStoreTest : public QObject {
    Q_OBJECT

private slots:
    void newUserGetsTheDefaults_data()
    {
        QTest::addColumn<SettingKey>("key");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("expected");
        QTest::newRow("SortOrder") << setting::SortOrder << "Defaults" << "Surname";
        QTest::newRow("AutoCaps") << setting::AutoCaps << "Defaults" << "-1";
        QTest::newRow("AutoDates") << setting::AutoDates << "Defaults" << "-1";
        QTest::newRow("PageDir") << setting::PageDir << "Defaults" << "1";
        QTest::newRow("PrintOrder") << setting::PrintOrder << "Defaults" << "Surname";
        QTest::newRow("ReportType") << setting::ReportType << "Defaults" << "List";
        QTest::newRow("UpperCase") << setting::UpperCase << "Defaults" << "0";
        QTest::newRow("LabelSize") << setting::LabelSize << "Defaults" << "L7160";
        QTest::newRow("EmailSender") << setting::EmailSender << "Defaults" << "";
        QTest::newRow("EmailSMTP") << setting::EmailSMTP << "Defaults" << "";
        QTest::newRow("EmailGreeting") << setting::EmailGreeting << "Defaults" << "Friendly";
        QTest::newRow("WebBrowser") << setting::WebBrowser << "Location" << "";  // empty: search at start-up
    }

    void newUserGetsTheDefaults()
    {
        QFETCH(SettingKey, key);
        QFETCH(QString, section);
        QFETCH(QString, expected);
        TestWorld world;
        QCOMPARE(QString(key.section), section);
        QCOMPARE(readSetting(key), expected);
        QVERIFY(!QFile::exists(world.settingsFile()));  // reading never writes
    }

    void flagIsOnOnlyForMinusOne_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("on");
        QTest::newRow("-1") << "-1" << true;
        QTest::newRow("0") << "0" << false;
        QTest::newRow("1") << "1" << false;
        QTest::newRow("True") << "True" << false;
        QTest::newRow("blank around") << " -1" << false;
        QTest::newRow("empty") << "" << false;  // stored empty is not absent: no default
    }

    void flagIsOnOnlyForMinusOne()
    {
        QFETCH(QString, stored);
        QFETCH(bool, on);
        TestWorld world;
        QVERIFY(settingFlagIsOn(setting::AutoCaps));  // absent: the default "-1"
        QVERIFY(!settingFlagIsOn(setting::UpperCase));
        saveSetting(setting::AutoCaps, stored);
        QCOMPARE(settingFlagIsOn(setting::AutoCaps), on);
    }

    void valuesComeBackExactly_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("empty") << "";
        QTest::newRow("comma and semicolon") << "smtp.example.org, port 25; backup";
        QTest::newRow("blanks kept") << "  Surname  ";
        QTest::newRow("at sign first") << "@ByteArray(x)";
        QTest::newRow("accents") << "Émile Müller <émile@example.org>";
        QTest::newRow("windows path") << "C:\\Program Files\\Mozilla Firefox\\firefox.exe";
        QTest::newRow("quotes and equals") << "say \"hi\" = 'yes'";
        QTest::newRow("numeric text") << "007";
    }

    void valuesComeBackExactly()
    {
        QFETCH(QString, value);
        TestWorld world;
        SaveSetting("Defaults", "LabelSize", value);
        QCOMPARE(GetSetting("Defaults", "LabelSize", "L7160"), value);
        // Read back by a fresh reader of the file, as the next run of the program would.
        QSettings file(world.settingsFile(), QSettings::IniFormat);
        QCOMPARE(file.value("Defaults/LabelSize").toString(), value);
    }

    void iniFileHoldsBothSections()
    {
        TestWorld world;
        saveSetting(setting::SortOrder, "Number");
        saveSetting(setting::ZelkDB, "/home/club/zelk2002.mdb");
        saveSetting(setting::SortOrder, "PostCode");  // replaces

        QFile file(world.settingsFile());
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        const QString text = QString::fromUtf8(file.readAll());
        QVERIFY2(text.contains("[Defaults]\nSortOrder=PostCode\n"), qPrintable(text));
        QVERIFY2(text.contains("[Location]\nZelkDB=/home/club/zelk2002.mdb\n"), qPrintable(text));
        QCOMPARE(text.count("SortOrder"), 1);
        QCOMPARE(readSetting(setting::SortOrder), QString("PostCode"));
        QCOMPARE(readSetting(setting::AutoCaps), QString("-1"));  // others still default
    }

    void handEditedValueWithCommaReadsAsWritten()
    {
        TestWorld world;
        QDir().mkpath(QFileInfo(world.settingsFile()).path());
        QFile file(world.settingsFile());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Text));
        file.write("[Defaults]\nEmailSMTP=smtp.a.org,smtp.b.org\n");
        file.close();
        QCOMPARE(readSetting(setting::EmailSMTP), QString("smtp.a.org,smtp.b.org"));
    }
};

ZELK_TEST(SettingsStoreTest)
#include "tst_settings_store.moc"
