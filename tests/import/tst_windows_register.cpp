// A register the Windows program kept, turned into one of ours in its place: every table
// copied as the file holds it, the original kept beside it, and a conversion that cannot
// be finished leaving the files exactly as they were.
#include "jet_expected.h"
#include "jet_test_support.h"

#include "testlib/test_checks.h"
#include "testlib/test_program.h"
#include "testlib/test_registry.h"
#include "testlib/test_world.h"

#include "data/create_db.h"
#include "import/windows_register.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>

#include <cstring>

using namespace zelk;
using namespace zelk::import;
using namespace zelk::test;
namespace expected = zelk::test::jet_expected;

namespace {

// A copy of a test file in the world's folder, under the register's name unless told.
QString placed(TestWorld& world, const QString& testFile, const QString& as = QStringLiteral("zelk2002.mdb"))
{
    return copyOfTestFile(testFile, world.file(as));
}

// The same file with one stored Single changed, found by its bytes (it must be there once).
void changeSingle(const QString& path, float from, float to)
{
    QByteArray bytes = bytesOf(path);
    const QByteArray old(reinterpret_cast<const char*>(&from), 4);
    QCOMPARE(bytes.count(old), 1);
    bytes.replace(bytes.indexOf(old), 4, QByteArray(reinterpret_cast<const char*>(&to), 4));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
}

QString conversionMessage(const QString& path)
{
    try {
        convertWindowsRegister(path);
        return QStringLiteral("converted");
    } catch (const ConversionFailed& e) {
        return e.message();
    }
}

} // namespace

class WindowsRegisterTest : public QObject {
    Q_OBJECT

private slots:
    void everyTableIsCopiedAsTheFileHoldsIt()
    {
        TestWorld world(QStringLiteral("de_DE"));
        GermanCLocale german;
        const QString path = placed(world, QStringLiteral("zelk2002.mdb"));
        // The file's own measurements win over those of our sheet of the same name.
        changeSingle(path, 0.83f, 0.9f);
        const QByteArray original = bytesOf(path);
        // What a conversion killed part-way left goes.
        for (const char* left : {"zelk2002.mdb.converting", "zelk2002.mdb.converting-journal"})
            QFile(world.file(QLatin1String(left))).open(QIODevice::WriteOnly);

        qint64 lastDone = 0, lastTotal = 0;
        const auto report = convertWindowsRegister(path, [&](qint64 done, qint64 total) {
            lastDone = done;
            lastTotal = total;
        });
        QCOMPARE((QList<qint64>{report.members, report.memberTypes, report.lookups, report.labelSheets, lastDone, lastTotal}),
                 (QList<qint64>{10, 7, 6, 7, 31, 31}));
        QCOMPARE(report.keptAs, world.file(QStringLiteral("zelk2002.mdb.windows")));
        QCOMPARE(filesBeside(path), (QStringList{"zelk2002.mdb", "zelk2002.mdb.windows"}));
        QVERIFY(bytesOf(report.keptAs) == original);

        QCOMPARE(registerValues(path, QStringLiteral("Zelk"), expected::zelk2002ZelkFields),
                 expectedValues(expected::zelk2002ZelkFields, expected::zelk2002Zelk));
        QCOMPARE(registerValues(path, QStringLiteral("Members"), expected::zelk2002MembersFields),
                 expectedValues(expected::zelk2002MembersFields, expected::zelk2002Members));
        QCOMPARE(registerValues(path, QStringLiteral("Lookups"), expected::zelk2002LookupsFields),
                 expectedValues(expected::zelk2002LookupsFields, expected::zelk2002Lookups));
        QCOMPARE(registerValues(path, QStringLiteral("Settings"), expected::zelk2002SettingsFields),
                 expectedValues(expected::zelk2002SettingsFields, expected::zelk2002Settings));
        expected::Rows labels = expected::zelk2002Labels;
        labels[5][1] = QStringLiteral("0.9");
        QCOMPARE(registerValues(path, QStringLiteral("Labels"), expected::zelk2002LabelsFields),
                 expectedValues(expected::zelk2002LabelsFields, labels));
    }

    // The first Windows edition's file has no Settings or Labels, and its members fewer
    // fields: what it lacks is what a new register holds.
    void whatTheFileLacksKeepsOurDefaults()
    {
        TestWorld world;
        const QString path = placed(world, QStringLiteral("zelk-missing-table.mdb"));
        QCOMPARE(conversionMessage(path), QStringLiteral("converted"));
        QCOMPARE(registerRows(path, QStringLiteral("Select Number, Surname, Address5, Email, Lapsed from Zelk")),
                 (QStringList{"2|Smith|<null>|<null>|false", "3|Smith|<null>|<null>|false"}));
        QCOMPARE(registerRows(path, QStringLiteral("Select * from Members")), (QStringList{"Full", "Family"}));
        QCOMPARE(registerRows(path, QStringLiteral("Select * from Lookups")), QStringList());
        QCOMPARE(registerRows(path, QStringLiteral("Select LastNumber, AllowAddress5, ScreenNumber, YearStart, YearEnd from Settings")),
                 (QStringList{"1|true|<null>|<null>|1y"}));
        QCOMPARE(registerRows(path, QStringLiteral("Select LabelName from Labels")),
                 (QStringList{"L7159", "L7160", "L7162", "L7163", "5159", "5162"}));
    }

    // Whatever stops a conversion, the file is as it was and nothing is left beside it.
    void aConversionThatCannotFinishChangesNothing_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<qint64>("cutTo");
        QTest::addColumn<QString>("why");
        // The earlier edition's file holds an empty membership type, which a register
        // refuses: the members are copied by then.
        QTest::newRow("value refused") << "zelk.mdb" << qint64(0)
                                       << "In the table Members, row 5, the field Member Type holds an empty text, which this "
                                          "register does not keep in that field.";
        QTest::newRow("cut short") << "zelk2002.mdb" << qint64(57 * 4096 - 8192)
                                   << "The file %1 is damaged or incomplete: only 0 of the 7 rows of the table Labels can be read.";
        QTest::newRow("not a Jet file") << "ours" << qint64(0) << "The file %1 is not a Microsoft Access (Jet) database.";
    }

    void aConversionThatCannotFinishChangesNothing()
    {
        QFETCH(QString, file);
        QFETCH(qint64, cutTo);
        QFETCH(QString, why);
        TestWorld world;
        QString path = world.file(QStringLiteral("zelk2002.mdb"));
        if (file == QLatin1String("ours"))
            buildNewDatabase(path);
        else
            placed(world, file);
        if (cutTo > 0)
            QFile::resize(path, cutTo);
        const QByteArray before = bytesOf(path);
        QuietOutput quiet;
        const QString message = conversionMessage(path);
        quiet.end();
        QCOMPARE(message, QStringLiteral("The register %1 could not be converted.\n\n%2\n\nNothing has been changed: the file is as it was.")
                              .arg(path, QString(why).replace(QStringLiteral("%1"), path)));
        QVERIFY(bytesOf(path) == before);
        QCOMPARE(filesBeside(path), QStringList{"zelk2002.mdb"});
    }

    void anOriginalKeptEarlierIsNeverOverwritten()
    {
        TestWorld world;
        const QString path = placed(world, QStringLiteral("zelk2002.mdb"));
        QFile earlier(world.file(QStringLiteral("zelk2002.mdb.windows")));
        QVERIFY(earlier.open(QIODevice::WriteOnly) && earlier.write("kept from before") > 0);
        earlier.close();
        QCOMPARE(convertWindowsRegister(path).keptAs, world.file(QStringLiteral("zelk2002.mdb.windows.2")));
        QCOMPARE(bytesOf(earlier.fileName()), QByteArray("kept from before"));
        QVERIFY(bytesOf(world.file(QStringLiteral("zelk2002.mdb.windows.2"))) == bytesOf(testData(QStringLiteral("mdb/zelk2002.mdb"))));
        QCOMPARE(keptOriginalName(path), world.file(QStringLiteral("zelk2002.mdb.windows.3")));
    }

    void theCommandConvertsOrSaysWhyNot()
    {
        TestWorld world;
        const QString path = placed(world, QStringLiteral("zelk2002.mdb"));
        const CommandRun done = runCommand({QStringLiteral("convert-windows-register"), path});
        QCOMPARE(done.exitCode, 0);
        QCOMPARE(done.out, QStringLiteral("Converted %1: 10 members, 7 membership types, 6 lookups and 7 label sheets.\n"
                                          "The Windows program's file is kept as %1.windows.\n")
                               .arg(path));
        QCOMPARE(done.err, QString());

        const CommandRun again = runCommand({QStringLiteral("convert-windows-register"), path});
        QCOMPARE(again.exitCode, 1);
        QCOMPARE(again.out, QString());
        QCOMPARE(again.err, QStringLiteral("The register %1 could not be converted.\n\nThe file %1 is not a Microsoft Access (Jet) "
                                           "database.\n\nNothing has been changed: the file is as it was.\n")
                                .arg(path));
        QCOMPARE(runCommand({QStringLiteral("convert-windows-register")}).exitCode, 2);
    }
};

ZELK_TEST(WindowsRegisterTest)

#include "tst_windows_register.moc"
