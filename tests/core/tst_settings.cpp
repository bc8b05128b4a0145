// The per-user settings: what is stored, and a save the settings file refuses.
#include "testlib/test_registry.h"
#include "testlib/test_world.h"

#include "core/settings_store.h"

#include <QFile>
#include <QSettings>
#include <QTest>

using namespace zelk;
using zelk::test::TestWorld;

class SettingsTest : public QObject {
    Q_OBJECT

private slots:
    // What is stored comes back as it was, and a hand-edited line with an unquoted comma
    // reads as written.
    void valuesComeBackAsStored()
    {
        TestWorld world;
        const QString awkward = "  @x, \"é\" = 'y'; C:\\z  ";
        saveSetting(setting::EmailSMTP, awkward);
        QCOMPARE(readSetting(setting::EmailSMTP), awkward);
        QCOMPARE(QSettings(world.settingsFile(), QSettings::IniFormat).value("Defaults/EmailSMTP").toString(), awkward);
        QFile file(world.settingsFile());
        QVERIFY(file.open(QIODevice::Append | QIODevice::Text));
        file.write("\n[Location]\nWebBrowser=/opt/a,b\n");
        file.close();
        QCOMPARE(readSetting(setting::WebBrowser), "/opt/a,b");
    }

    // The settings folder cannot be made (a file stands where it should be): the save says
    // so rather than losing the value without a word.
    void aSaveTheFileRefusesIsReported()
    {
        TestWorld world;
        QFile blocker(world.settingsFolder() + "/Zelk2002");
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        try {
            saveSetting(setting::PageDir, "0");
            QFAIL("the save was not reported");
        } catch (const SettingsNotSaved& e) {
            QCOMPARE(e.file(), world.settingsFile());
        }
        QCOMPARE(readSetting(setting::PageDir), "1");
    }
};

ZELK_TEST(SettingsTest)
#include "tst_settings.moc"
