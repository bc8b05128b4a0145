// The program's start in a folder of its own: what it builds, what it opens, and how it
// ends when it cannot go on.
#include "testlib/test_registry.h"
#include "testlib/test_world.h"

#include "app/app_state.h"
#include "app/frm_splash.h"
#include "app/message_box.h"
#include "app/settings_store.h"
#include "app/startup.h"

#include "engine/database.h"
#include "engine/recordset.h"

#include <QCryptographicHash>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QTest>

using namespace zelk;
using zelk::test::TestWorld;

namespace {

struct Run {
    bool started = false;
    bool mainShown = false;
    QVariant firstNumber;
};

Run start(AppState& state)
{
    frmSplash splash;
    Run run;
    run.started = runStartup(state, splash, [&](AppState& s) {
        run.mainShown = true;
        if (!s.rsZelk->eof())
            run.firstNumber = s.rsZelk->field(QStringLiteral("Number"));
    });
    return run;
}

QByteArray digest(const QString& file)
{
    QFile f(file);
    f.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

const MessageRequest& lastMessage()
{
    return MessageScript::asked().last();
}

} // namespace

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void firstStartBuildsTheRegisterAndShowsThePlaceholder()
    {
        TestWorld world;
        saveSetting(setting::WebBrowser, QStringLiteral("/usr/bin/firefox"));
        AppState state;
        const Run run = start(state);
        QVERIFY(run.started);
        QVERIFY(run.mainShown);
        QCOMPARE(run.firstNumber, QVariant(1));
        QCOMPARE(state.DatabasePath, world.file(QStringLiteral("zelk2002.mdb")));
        QVERIFY(QFile::exists(state.DatabasePath));
        QCOMPARE(readSetting(setting::ZelkDB), state.DatabasePath);
        QCOMPARE(state.BrowserPath, QStringLiteral("/usr/bin/firefox"));
        QCOMPARE(state.SortOrder, QStringLiteral("Surname"));
        QCOMPARE(state.AutoCaps, -1);
        QCOMPARE(state.AutoDates, -1);
        QCOMPARE(state.PageDir, 1);
        QCOMPARE(state.HelpFile, world.file(QStringLiteral("zelkmembership2003.hlp")));
        QCOMPARE(state.SQLText, QStringLiteral("Select * from Labels"));
        QCOMPARE(state.rsLabels->recordCount(), 6);
        QCOMPARE(state.rsSettings->field(QStringLiteral("LastNumber")), QVariant(1));
        QVERIFY(state.rsMemberTypes->eof() && state.rsLookups->eof());
        QVERIFY(MessageScript::asked().isEmpty());
    }

    void storedDefaultsAreTaken()
    {
        TestWorld world;
        saveSetting(setting::WebBrowser, QStringLiteral("/opt/browser"));
        saveSetting(setting::SortOrder, QStringLiteral("Number"));
        saveSetting(setting::AutoCaps, QStringLiteral("0"));
        saveSetting(setting::AutoDates, QStringLiteral(" 0 "));
        saveSetting(setting::PageDir, QStringLiteral("0"));
        AppState state;
        QVERIFY(start(state).started);
        QCOMPARE(state.rsZelk->source(), QStringLiteral("Select * from Zelk ORDER BY Number"));
        QCOMPARE(state.AutoCaps, 0);
        QCOMPARE(state.AutoDates, 0);
        QCOMPARE(state.PageDir, 0);
    }

    void splashShowsTitleAndVersion()
    {
        frmSplash splash;
        splash.fillCaptions();
        QCOMPARE(splash.lblProductName->text(), QStringLiteral("Zelk Membership"));
        QVERIFY(splash.lblVersion->text().startsWith(QStringLiteral("Version 1.")));
        QCOMPARE(splash.lblVersion->text().count(u'.'), 2);
    }

    void badSettingsEndTheStartWithTheirErrorNumber_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("number");
        QTest::newRow("sort field the register lacks") << "SortOrder" << "Nonsense" << 3061;
        QTest::newRow("flag that is no number") << "AutoDates" << "abc" << 13;
        QTest::newRow("capitals flag empty") << "AutoCaps" << "" << 13;
        QTest::newRow("page direction text") << "PageDir" << "up" << 13;
    }
    void badSettingsEndTheStartWithTheirErrorNumber()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(int, number);
        TestWorld world;
        saveSetting(setting::WebBrowser, QStringLiteral("/usr/bin/firefox"));
        SaveSetting(QStringLiteral("Defaults"), key, value);
        AppState state;
        const Run run = start(state);
        QVERIFY(!run.started);
        QVERIFY(!run.mainShown);
        QCOMPARE(MessageScript::asked().size(), 1);
        QCOMPARE(lastMessage().text, QStringLiteral("I have encountered an unexpected error, number %1 in frmSplash.\n\n"
                                                    "Please contact Bramwick for advice.").arg(number));
        QCOMPARE(lastMessage().title, QStringLiteral("Problem loading Zelk Membership"));
        QCOMPARE(lastMessage().icon, MsgIcon::Critical);
        QCOMPARE(lastMessage().buttons, MsgButtons::OK);
    }

    void anOlderRegisterWithoutLabelsGainsThem()
    {
        TestWorld world;
        saveSetting(setting::WebBrowser, QStringLiteral("/usr/bin/firefox"));
        {
            AppState first;
            QVERIFY(start(first).started);
            first.rsLabels.reset();
            first.dbZelk->execute(QStringLiteral("DROP TABLE Labels"));
        }
        AppState state;
        const Run run = start(state);
        QVERIFY(run.started);
        QVERIFY(run.mainShown);
        QCOMPARE(state.rsLabels->recordCount(), 6);
        QVERIFY(MessageScript::asked().isEmpty());
    }

    void aFileThatIsNotOurDatabaseIsNeverWritten_data()
    {
        QTest::addColumn<QString>("source");
        QTest::newRow("earlier Windows edition") << zelk::test::testData(QStringLiteral("mdb/zelk2002.mdb"));
        QTest::newRow("empty file") << QString();
    }
    void aFileThatIsNotOurDatabaseIsNeverWritten()
    {
        QFETCH(QString, source);
        TestWorld world;
        saveSetting(setting::WebBrowser, QStringLiteral("/usr/bin/firefox"));
        const QString file = world.file(QStringLiteral("zelk2002.mdb"));
        if (source.isEmpty()) {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
        } else {
            QVERIFY(QFile::copy(source, file));
            QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
        }
        const QByteArray before = digest(file);
        AppState state;
        const Run run = start(state);
        QVERIFY(!run.started);
        QCOMPARE(digest(file), before);
        QCOMPARE(QDir(world.folder()).entryList(QDir::Files), QStringList{QStringLiteral("zelk2002.mdb")});
        QCOMPARE(lastMessage().title, QStringLiteral("Problem loading Zelk Membership"));
        QVERIFY(lastMessage().text.startsWith(QStringLiteral("The file %1 is not a membership register").arg(file)));
        QVERIFY(lastMessage().text.contains(QStringLiteral("The file has not been changed.")));
        QCOMPARE(lastMessage().icon, MsgIcon::Critical);
    }

    void aSqliteFileOfAnotherProgramIsNotMended()
    {
        TestWorld world;
        saveSetting(setting::WebBrowser, QStringLiteral("/usr/bin/firefox"));
        const QString file = world.file(QStringLiteral("zelk2002.mdb"));
        {
            auto other = Database::create(file);
            other->execute(QStringLiteral("CREATE TABLE Things (Name TEXT)"));
        }
        const QByteArray before = digest(file);
        AppState state;
        QVERIFY(!start(state).started);
        QCOMPARE(digest(file), before);
        QCOMPARE(lastMessage().text, QStringLiteral("I have encountered an unexpected error, number 3078 in frmSplash.\n\n"
                                                    "Please contact Bramwick for advice."));
    }

    void anotherCopyHoldingTheRegisterExclusivelyStopsTheStart()
    {
        TestWorld world;
        saveSetting(setting::WebBrowser, QStringLiteral("/usr/bin/firefox"));
        {
            AppState first;
            QVERIFY(start(first).started);
        }
        QProcess holder;
        holder.start(QStringLiteral(ZELK_HOLD_EXCLUSIVE), {world.file(QStringLiteral("zelk2002.mdb"))});
        QVERIFY(holder.waitForReadyRead(10000));
        QCOMPARE(holder.readLine().trimmed(), QByteArray("locked"));

        AppState state;
        const Run run = start(state);
        holder.closeWriteChannel();
        holder.waitForFinished(10000);
        QVERIFY(!run.started);
        QCOMPARE(lastMessage().text, QStringLiteral("Someone on your machine or network has got a copy of Zelk open on their machine for exclusive use.\n\n"
                                                    "Please close down that copy and try again."));
        QCOMPARE(lastMessage().title, QStringLiteral("Another person is using Zelk"));
        QCOMPARE(lastMessage().icon, MsgIcon::Critical);
        QCOMPARE(lastMessage().buttons, MsgButtons::OK);

        // Once the other copy has gone, the program starts normally.
        AppState again;
        QVERIFY(start(again).started);
    }
};

ZELK_TEST(StartupTest)
#include "tst_startup.moc"
