// The import from the first Windows edition: every member, type and lookup of zelk.mdb in
// the register as the old program held it, blanks trimmed; the placeholder member gone;
// and a file that cannot be imported leaving the register exactly as it was.
#include "import_register.h"
#include "jet_expected.h"
#include "jet_test_support.h"

#include "testlib/test_registry.h"

#include "import/earlier_windows_import.h"

#include <QTemporaryDir>

using namespace zelk;
using namespace zelk::import;
using namespace zelk::test;
namespace expected = zelk::test::jet_expected;

namespace {

// The README's rows as the import stores them: texts without leading and trailing blanks.
expected::Rows withoutBlanks(expected::Rows rows)
{
    for (auto& row : rows)
        for (QString& value : row)
            if (value.startsWith(u'⟨') && value.endsWith(u'⟩')) {
                QString text = value.mid(1, value.size() - 2);
                while (text.startsWith(u' '))
                    text.remove(0, 1);
                while (text.endsWith(u' '))
                    text.chop(1);
                value = u'⟨' + text + u'⟩';
            }
    return rows;
}

QString placedAs(ImportRegister& r, const QString& testFile, const QString& name = QStringLiteral("old/zelk.mdb"))
{
    QDir().mkpath(QFileInfo(r.world().file(name)).path());
    return copyOfTestFile(testFile, r.world().file(name));
}

QString outcome(const ImportResult& result)
{
    static const char* status[] = {"stored", "checked", "stopped"};
    return QStringLiteral("%1, %2 members, placeholder %3")
        .arg(QLatin1String(status[int(result.status)]))
        .arg(result.membersAdded)
        .arg(QLatin1String(result.placeholderRemoved ? "removed" : "kept"));
}

QString cannotImport(const QString& why)
{
    return QStringLiteral("Can't import data | OK Critical OK | Sorry, I can't import your data from Zelk for Windows.\n\n%1\n\n"
                          "Nothing has been imported: your register is as it was.")
        .arg(why);
}

} // namespace

class EarlierWindowsImportTest : public QObject {
    Q_OBJECT

private slots:
    void aNewRegisterEndsWithExactlyTheEarlierData()
    {
        ImportRegister r(QStringLiteral("de_DE"));
        GermanCLocale german;
        const QString file = placedAs(r, QStringLiteral("zelk.mdb"));
        AppState& s = r.state();
        QCOMPARE(outcome(GetData(s, file, r.callbacks())), QStringLiteral("stored, 12 members, placeholder removed"));
        QCOMPARE(messagesShown(), QStringList());

        QCOMPARE(registerValues(r.path(), QStringLiteral("Zelk"), expected::zelkZelkFields),
                 expectedValues(expected::zelkZelkFields, withoutBlanks(expected::zelkZelk)));
        // The fields the earlier edition did not have are left unset.
        QCOMPARE(r.rows(QStringLiteral("Select Address5, Picture, Email, Email2, InternetLink, AlwaysInclude, Lapsed from Zelk")),
                 QStringList(12, QStringLiteral("<null>|<null>|<null>|<null>|<null>|false|false")));
        QCOMPARE(r.rows(QStringLiteral("Select * from Members")), (QStringList{"Full", "Family", "Associate", "Full", "Life"}));
        QCOMPARE(r.rows(QStringLiteral("Select * from Lookups")),
                 (QStringList{"Committee", "Newsletter", "Volunteer", "Newsletter", "Café helpers"}));
        QCOMPARE(r.rows(QStringLiteral("Select LastNumber from Settings")), QStringList{"1"});
        QCOMPARE((QList<int>{s.rsZelk->recordCount(), s.rsMemberTypes->recordCount(), s.rsLookups->recordCount()}), (QList<int>{12, 5, 5}));
        QCOMPARE(s.SQLText, QStringLiteral("Select * from Zelk ORDER BY Surname"));
    }

    void whatCannotBeImportedLeavesTheRegisterAsItWas_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<qint64>("cutTo");
        QTest::addColumn<QString>("message");
        QTest::newRow("no members") << "zelk-empty.mdb" << qint64(0)
                                    << "Empty database | OK Exclamation OK | There don't appear to be any members in that database.";
        QTest::newRow("no lookups") << "zelk-missing-table.mdb" << qint64(0)
                                    << cannotImport(QStringLiteral("The file %1 has no table Lookups."));
        QTest::newRow("not Jet") << "" << qint64(0)
                                 << cannotImport(QStringLiteral("The file %1 is not a Microsoft Access (Jet) database."));
        QTest::newRow("damaged part-way") << "zelk.mdb" << qint64(36 * 4096)
                                          << cannotImport(QStringLiteral("The file %1 is damaged or incomplete: the long text in the "
                                                                         "field Memo, row 5 of the table Zelk cannot be read."));
    }

    void whatCannotBeImportedLeavesTheRegisterAsItWas()
    {
        QFETCH(QString, file);
        QFETCH(qint64, cutTo);
        QFETCH(QString, message);
        ImportRegister r;
        r.addMember({{"Number", 5}, {"Surname", "Kept"}});
        const QString path = file.isEmpty() ? r.writeFile(QStringLiteral("old/zelk.mdb"), "Number,Surname\n1,Smith\n") : placedAs(r, file);
        if (cutTo > 0)
            QFile::resize(path, cutTo);
        const QStringList before = r.everything();
        MessageScript::answer(MsgAnswer::OK);
        QuietOutput quiet;
        const ImportResult result = GetData(r.state(), path, r.callbacks());
        quiet.end();
        QCOMPARE(outcome(result), QStringLiteral("stopped, 0 members, placeholder kept"));
        QCOMPARE(messagesShown(), QStringList{QString(message).replace(QStringLiteral("%1"), path)});
        QCOMPARE(r.everything(), before);
        QCOMPARE(r.state().rsZelk->recordCount(), 2);
    }

    void theFileIsFoundWhateverTheCaseOfItsName()
    {
        QTemporaryDir dir;
        QDir(dir.path()).mkpath(QStringLiteral("upper"));
        QDir(dir.path()).mkpath(QStringLiteral("folder named so/zelk.mdb"));
        QFile(dir.filePath(QStringLiteral("upper/ZELK.MDB"))).open(QIODevice::WriteOnly);
        QCOMPARE(earlierWindowsFile(dir.filePath(QStringLiteral("upper"))), dir.filePath(QStringLiteral("upper/ZELK.MDB")));
        QCOMPARE(earlierWindowsFile(dir.filePath(QStringLiteral("folder named so"))), QString());
        QCOMPARE(earlierWindowsFile(dir.filePath(QStringLiteral("missing"))), QString());
    }

    void theFolderChoiceStartsInAWinePrefixWhenThereIsOne()
    {
        QTemporaryDir home, prefix;
        const QByteArray oldHome = qgetenv("HOME"), oldPrefix = qgetenv("WINEPREFIX");
        qputenv("HOME", home.path().toLocal8Bit());
        qunsetenv("WINEPREFIX");
        QStringList starts;
        starts << earlierWindowsStartFolder();
        QDir(home.path()).mkpath(QStringLiteral(".wine/drive_c/Program Files (x86)/zelkwin"));
        starts << earlierWindowsStartFolder();
        QDir(home.path()).mkpath(QStringLiteral(".wine/drive_c/Program Files/zelkwin"));
        starts << earlierWindowsStartFolder();
        QDir(prefix.path()).mkpath(QStringLiteral("drive_c/Program Files/zelkwin"));
        qputenv("WINEPREFIX", prefix.path().toLocal8Bit());
        starts << earlierWindowsStartFolder();
        qputenv("HOME", oldHome);
        oldPrefix.isEmpty() ? qunsetenv("WINEPREFIX") : qputenv("WINEPREFIX", oldPrefix);
        QCOMPARE(starts, (QStringList{home.path(), home.path() + "/.wine/drive_c/Program Files (x86)/zelkwin",
                                      home.path() + "/.wine/drive_c/Program Files/zelkwin", prefix.path() + "/drive_c/Program Files/zelkwin"}));
    }

    void theCommandImportsOrSaysWhyNot()
    {
        ImportRegister r;
        const QString folder = QFileInfo(placedAs(r, QStringLiteral("zelk.mdb"), QStringLiteral("old/ZELK.MDB"))).path();
        const CommandRun done = runCommand({QStringLiteral("import-windows"), folder});
        QCOMPARE((QStringList{QString::number(done.exitCode), done.out, done.err}),
                 (QStringList{"0", "Your data has now been imported successfully. 12 members were added from " + folder + "/ZELK.MDB.\n", ""}));
        QCOMPARE(r.rows(QStringLiteral("Select Number from Zelk")).size(), 12);

        const CommandRun empty = runCommand({QStringLiteral("import-windows"), r.world().folder()});
        QCOMPARE((QStringList{QString::number(empty.exitCode), empty.out, empty.err}),
                 (QStringList{"1", "", "Sorry but I can't find the file ZELK.MDB in " + r.world().folder() + "\n\nPlease try again.\n"}));
    }
};

ZELK_TEST(EarlierWindowsImportTest)

#include "tst_earlier_windows_import.moc"
