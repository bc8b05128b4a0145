// The Jet reader on the shared test files: every value of every row as the files' README
// gives it, read while the C library writes numbers with a decimal comma; and the files it
// cannot read, each named with the reason, never read short and never a crash.
#include "jet_expected.h"
#include "jet_test_support.h"

#include "testlib/test_checks.h"
#include "testlib/test_registry.h"
#include "testlib/test_world.h"

#include "data/create_db.h"
#include "import/jet_reader.h"
#include "import/jet_values.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>

using namespace zelk;
using namespace zelk::jet;
using namespace zelk::test;
namespace expected = zelk::test::jet_expected;

namespace {

// Each value as "row field value", so a difference names its place.
QStringList valuesOf(JetTable& table)
{
    QStringList out;
    while (table.next())
        for (size_t i = 0; i < table.fields().size(); ++i)
            out << QStringLiteral("%1 %2 %3").arg(table.rowNumber()).arg(table.fields()[i].name, shownValue(table.value(int(i))));
    return out;
}

// Everything a file holds, table by table, or the reason it cannot be read.
QString readWhole(const QString& path)
{
    try {
        auto file = JetFile::open(path);
        QStringList out;
        for (const QString& name : file->tableNames()) {
            auto table = file->openTable(name);
            out << name + u':' + valuesOf(*table).join(u'|');
        }
        return out.join(u'\n');
    } catch (const JetError& e) {
        return QStringLiteral("error %1: %2").arg(int(e.kind())).arg(e.message());
    }
}

QString copyOf(const QTemporaryDir& dir, const QString& name, qint64 size)
{
    QFile source(testData(QStringLiteral("mdb/zelk.mdb")));
    if (!source.open(QIODevice::ReadOnly))
        return {};
    QFile copy(dir.filePath(name));
    if (!copy.open(QIODevice::WriteOnly) || copy.write(source.read(size)) < 0)
        return {};
    return copy.fileName();
}

} // namespace

class JetReaderTest : public QObject {
    Q_OBJECT

private slots:
    void tablesAreListedAsTheFileKeepsThem()
    {
        QStringList tables;
        for (const char* name : {"zelk.mdb", "zelk-empty.mdb", "zelk-missing-table.mdb", "zelk2002.mdb"})
            tables << QLatin1String(name) + QStringLiteral(": ")
                          + JetFile::open(testData(QStringLiteral("mdb/") + QLatin1String(name)))->tableNames().join(QStringLiteral(", "));
        QCOMPARE(tables, (QStringList{"zelk.mdb: Zelk, Members, Lookups", "zelk-empty.mdb: Zelk, Members, Lookups",
                                      "zelk-missing-table.mdb: Zelk, Members", "zelk2002.mdb: Zelk, Lookups, Members, Settings, Labels"}));

        auto newer = JetFile::open(testData(QStringLiteral("mdb/zelk2002.mdb")));
        // Names are found whatever their case.
        QCOMPARE(newer->findTable(QStringLiteral("LABELS")), QStringLiteral("Labels"));
        QCOMPARE(newer->openTable(QStringLiteral("members"))->requireField(QStringLiteral("MEMBER TYPE")), 0);
    }

    void everyValueIsReadAsStored_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("fields");
        QTest::addColumn<expected::Rows>("rows");
        QTest::newRow("zelk Zelk") << "zelk.mdb" << "Zelk" << expected::zelkZelkFields << expected::zelkZelk;
        QTest::newRow("zelk Members") << "zelk.mdb" << "Members" << expected::zelkMembersFields << expected::zelkMembers;
        QTest::newRow("zelk Lookups") << "zelk.mdb" << "Lookups" << expected::zelkLookupsFields << expected::zelkLookups;
        QTest::newRow("empty Zelk") << "zelk-empty.mdb" << "Zelk" << expected::zelkEmptyZelkFields << expected::zelkEmptyZelk;
        QTest::newRow("empty Members") << "zelk-empty.mdb" << "Members" << expected::zelkEmptyMembersFields << expected::zelkEmptyMembers;
        QTest::newRow("empty Lookups") << "zelk-empty.mdb" << "Lookups" << expected::zelkEmptyLookupsFields << expected::zelkEmptyLookups;
        QTest::newRow("missing Zelk") << "zelk-missing-table.mdb" << "Zelk" << expected::zelkMissingTableZelkFields
                                      << expected::zelkMissingTableZelk;
        QTest::newRow("missing Members") << "zelk-missing-table.mdb" << "Members" << expected::zelkMissingTableMembersFields
                                         << expected::zelkMissingTableMembers;
        QTest::newRow("2002 Zelk") << "zelk2002.mdb" << "Zelk" << expected::zelk2002ZelkFields << expected::zelk2002Zelk;
        QTest::newRow("2002 Lookups") << "zelk2002.mdb" << "Lookups" << expected::zelk2002LookupsFields << expected::zelk2002Lookups;
        QTest::newRow("2002 Members") << "zelk2002.mdb" << "Members" << expected::zelk2002MembersFields << expected::zelk2002Members;
        QTest::newRow("2002 Settings") << "zelk2002.mdb" << "Settings" << expected::zelk2002SettingsFields << expected::zelk2002Settings;
        QTest::newRow("2002 Labels") << "zelk2002.mdb" << "Labels" << expected::zelk2002LabelsFields << expected::zelk2002Labels;
    }

    void everyValueIsReadAsStored()
    {
        QFETCH(QString, file);
        QFETCH(QString, table);
        QFETCH(QString, fields);
        QFETCH(expected::Rows, rows);
        TestWorld world(QStringLiteral("de_DE"));
        GermanCLocale german;
        QVERIFY2(german.hasDecimalComma(), "the C library could not be given a locale with a decimal comma");
        auto jet = JetFile::open(testData(QStringLiteral("mdb/") + file));
        auto t = jet->openTable(table);
        QCOMPARE(valuesOf(*t), expectedValues(fields, rows));
    }

    void datesBeforeAndAfterTheFirstDayOfTheCount_data()
    {
        QTest::addColumn<double>("serial");
        QTest::addColumn<QString>("date");   // "none": no date
        QTest::newRow("the first day of the count") << 0.0 << "1899-12-30";
        QTest::newRow("a quarter past, the day before") << -1.25 << "1899-12-29 06:00:00";
        QTest::newRow("1850") << -18260.0 << "1850-01-01";
        QTest::newRow("1850, evening") << -18259.75 << "1850-01-02 18:00:00";
        QTest::newRow("28 February 1900") << 60.0 << "1900-02-28";
        QTest::newRow("1 March 1900") << 61.0 << "1900-03-01";
        QTest::newRow("a time of day") << 37271.395833333336 << "2002-01-15 09:30:00";
        QTest::newRow("a hair before midnight") << 36525.9999999 << "2000-01-01";
        QTest::newRow("the year 100") << -657434.0 << "0100-01-01";
        QTest::newRow("before the year 100") << -657435.0 << "none";
        QTest::newRow("after 9999") << 2958466.0 << "none";
        QTest::newRow("not a number") << std::nan("") << "none";
    }
    void datesBeforeAndAfterTheFirstDayOfTheCount()
    {
        QFETCH(double, serial);
        QFETCH(QString, date);
        const auto read = dateFromSerial(serial);
        QCOMPARE(read ? shownValue(*read) : QStringLiteral("none"), date);
    }

    void tablesCanBeReadSideBySide()
    {
        auto jet = JetFile::open(testData(QStringLiteral("mdb/zelk.mdb")));
        auto types = jet->openTable(QStringLiteral("Members"));
        auto lookups = jet->openTable(QStringLiteral("Lookups"));
        QStringList both;
        while (types->next() && lookups->next())
            both << shownValue(types->value(0)) + u'/' + shownValue(lookups->value(0));
        QCOMPARE(both.first(), QStringLiteral("⟨Full⟩/⟨Committee⟩"));
        QCOMPARE(both.last(), QStringLiteral("⟨Life⟩/⟨Café helpers⟩"));
        QCOMPARE(both.size(), 8);
    }

    // The file (in the test's folder, or one of the shared test files "mdb/..."), the table
    // and field asked for, and what is said: "%1" stands for the file's full path.
    void whatCannotBeReadIsNamedWithItsReason_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("no file") << "nothing.mdb" << "" << "" << int(JetError::Kind::CannotOpen) << "There is no file %1.";
        QTest::newRow("a folder") << "folder" << "" << "" << int(JetError::Kind::CannotOpen) << "%1 is a folder, not a file.";
        QTest::newRow("a text file") << "text.mdb" << "" << "" << int(JetError::Kind::NotJet)
                                     << "The file %1 is not a Microsoft Access (Jet) database.";
        QTest::newRow("our own register") << "ours.mdb" << "" << "" << int(JetError::Kind::NotJet)
                                          << "The file %1 is not a Microsoft Access (Jet) database.";
        QTest::newRow("cut short") << "halfpage.mdb" << "" << "" << int(JetError::Kind::Damaged)
                                   << "The file %1 is damaged or incomplete: it ends part-way through.";
        QTest::newRow("no list of tables") << "blank.mdb" << "" << "" << int(JetError::Kind::Damaged)
                                           << "The file %1 is damaged or incomplete: its list of tables cannot be read.";
        QTest::newRow("no such table") << "mdb/zelk-missing-table.mdb" << "Lookups" << "" << int(JetError::Kind::NoTable)
                                       << "The file %1 has no table Lookups.";
        QTest::newRow("no such field") << "mdb/zelk.mdb" << "Zelk" << "Email" << int(JetError::Kind::NoField)
                                       << "The table Zelk of the file %1 has no field Email.";
    }
    void whatCannotBeReadIsNamedWithItsReason()
    {
        QFETCH(QString, file);
        QFETCH(QString, table);
        QFETCH(QString, field);
        QFETCH(int, kind);
        QFETCH(QString, message);
        TestWorld world;
        QDir(world.folder()).mkdir(QStringLiteral("folder"));
        const auto write = [&](const char* name, const QByteArray& bytes) {
            QFile f(world.file(QLatin1String(name)));
            if (f.open(QIODevice::WriteOnly))
                f.write(bytes);
        };
        buildNewDatabase(world.file(QStringLiteral("ours.mdb")));
        QByteArray jetHeader(4096 * 3, '\0');
        jetHeader.replace(4, 15, "Standard Jet DB");
        jetHeader[0x14] = 1;
        write("text.mdb", "Number,Surname\n1,Smith\n");
        write("halfpage.mdb", QByteArray(jetHeader).left(4096 * 2 + 100));
        write("blank.mdb", jetHeader);
        const QString path = file.startsWith(QLatin1String("mdb/")) ? testData(file) : world.file(file);
        try {
            auto jet = JetFile::open(path);
            if (!table.isEmpty()) {
                auto opened = jet->openTable(table);
                if (!field.isEmpty())
                    opened->requireField(field);
            }
            QFAIL("the file was read");
        } catch (const JetError& e) {
            QCOMPARE(int(e.kind()), kind);
            QCOMPARE(e.message(), message.arg(path));
        }
    }

    // A copy cut short anywhere is either read whole (what is lost lies past every table)
    // or reported as damaged: never read with rows or text missing, never a crash.
    void aCopyCutShortIsReportedNeverReadShort()
    {
        QTemporaryDir dir;
        const QString whole = readWhole(testData(QStringLiteral("mdb/zelk.mdb")));
        QVERIFY(whole.startsWith(QLatin1String("Zelk:1 Number 2|")));
        const qint64 size = QFileInfo(testData(QStringLiteral("mdb/zelk.mdb"))).size();
        QStringList wrong;
        int damaged = 0;
        QuietOutput quiet;   // libmdb describes each damage it meets on stdout and stderr
        for (qint64 cut = 0; cut < size; cut += 2048) {
            const QString copy = copyOf(dir, QStringLiteral("cut%1.mdb").arg(cut), cut);
            const QString read = readWhole(copy);
            if (read.startsWith(QStringLiteral("error %1: ").arg(int(JetError::Kind::Damaged))))
                ++damaged;
            else if (read != whole && !(cut < 32 && read.startsWith(QStringLiteral("error %1: ").arg(int(JetError::Kind::NotJet)))))
                wrong << QStringLiteral("%1 bytes: %2").arg(cut).arg(read.left(300));
        }
        quiet.end();
        QCOMPARE(wrong, QStringList());
        QVERIFY(damaged > 0);
    }
};

ZELK_TEST(JetReaderTest)

#include "tst_jet_reader.moc"
