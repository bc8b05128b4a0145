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

QString typeName(const JetField& f)
{
    switch (f.type) {
    case JetType::Boolean: return QStringLiteral("Yes/No (Boolean)");
    case JetType::Integer: return QStringLiteral("Integer");
    case JetType::Long: return QStringLiteral("Long");
    case JetType::Currency: return QStringLiteral("Currency");
    case JetType::Single: return QStringLiteral("Single");
    case JetType::DateTime: return QStringLiteral("Date/Time");
    case JetType::Text: return QStringLiteral("Text(%1)").arg(f.size);
    case JetType::Memo: return QStringLiteral("Memo");
    default: return QStringLiteral("other");
    }
}

QString fieldList(const JetTable& table)
{
    QStringList out;
    for (const auto& f : table.fields())
        out << f.name + u' ' + typeName(f);
    return out.join(QStringLiteral(", "));
}

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
    void tablesAndFieldsAreListedAsTheFileKeepsThem()
    {
        QStringList tables;
        for (const char* name : {"zelk.mdb", "zelk-empty.mdb", "zelk-missing-table.mdb", "zelk2002.mdb"})
            tables << QLatin1String(name) + QStringLiteral(": ")
                          + JetFile::open(testData(QStringLiteral("mdb/") + QLatin1String(name)))->tableNames().join(QStringLiteral(", "));
        QCOMPARE(tables, (QStringList{"zelk.mdb: Zelk, Members, Lookups", "zelk-empty.mdb: Zelk, Members, Lookups",
                                      "zelk-missing-table.mdb: Zelk, Members", "zelk2002.mdb: Zelk, Lookups, Members, Settings, Labels"}));

        auto older = JetFile::open(testData(QStringLiteral("mdb/zelk.mdb")));
        auto newer = JetFile::open(testData(QStringLiteral("mdb/zelk2002.mdb")));
        QCOMPARE(fieldList(*older->openTable(QStringLiteral("Zelk"))), expected::zelkZelkFields);
        QCOMPARE(fieldList(*newer->openTable(QStringLiteral("Zelk"))), expected::zelk2002ZelkFields);
        QCOMPARE(fieldList(*newer->openTable(QStringLiteral("Settings"))), expected::zelk2002SettingsFields);
        QCOMPARE(fieldList(*newer->openTable(QStringLiteral("Labels"))), expected::zelk2002LabelsFields);
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

    // Amounts are exact to their four decimals, a time of day is kept, serial 0 is a date.
    void amountsAndDatesAreTheStoredOnesExactly()
    {
        auto jet = JetFile::open(testData(QStringLiteral("mdb/zelk.mdb")));
        auto t = jet->openTable(QStringLiteral("Zelk"));
        const int fee = t->requireField(QStringLiteral("FeePaid"));
        const int joined = t->requireField(QStringLiteral("JoinDate"));
        QVariantList fees, dates;
        while (t->next()) {
            fees << t->value(fee);
            dates << t->value(joined);
        }
        QVERIFY(fees[2].toDouble() == 1234.5678 && fees[6].toDouble() == -25.75 && fees[1].toDouble() == 0.0);
        QCOMPARE(dates[6], QVariant(QDate(1899, 12, 30)));
        QCOMPARE(dates[11], QVariant(QDateTime(QDate(2002, 1, 15), QTime(9, 30), Qt::UTC)));
    }

    void datesBeforeAndAfterTheFirstDayOfTheCount()
    {
        checkEach({{"0", "1899-12-30"},
                   {"-1.25", "1899-12-29 06:00:00"},
                   {"-18260", "1850-01-01"},
                   {"-18259.75", "1850-01-02 18:00:00"},
                   {"60", "1900-02-28"},
                   {"61", "1900-03-01"},
                   {"37271.395833333336", "2002-01-15 09:30:00"},
                   {"36525.9999999", "2000-01-01"},
                   {"-657434", "0100-01-01"},
                   {"2958465.5", "9999-12-31 12:00:00"},
                   {"-657435", "none"},
                   {"2958466", "none"},
                   {"1e300", "none"},
                   {"nan", "none"}},
                  [](const QString& serial) {
                      const auto date = dateFromSerial(serial == QLatin1String("nan") ? std::nan("") : serial.toDouble());
                      return date ? shownValue(*date) : QStringLiteral("none");
                  });
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

    void whatCannotBeReadIsNamedWithItsReason()
    {
        TestWorld world;
        QDir(world.folder()).mkdir(QStringLiteral("folder"));
        const auto write = [&](const char* name, const QByteArray& bytes) {
            QFile f(world.file(QLatin1String(name)));
            if (f.open(QIODevice::WriteOnly))
                f.write(bytes);
            return f.fileName();
        };
        buildNewDatabase(world.file(QStringLiteral("ours.mdb")));
        QByteArray jetHeader(4096 * 3, '\0');
        jetHeader.replace(4, 15, "Standard Jet DB");
        jetHeader[0x14] = 1;
        const QString w = world.folder() + u'/';
        checkEach({{"nothing.mdb", "CannotOpen: There is no file " + w + "nothing.mdb."},
                   {"folder", "CannotOpen: " + w + "folder is a folder, not a file."},
                   {"empty.mdb", "NotJet: The file " + w + "empty.mdb is not a Microsoft Access (Jet) database."},
                   {"text.mdb", "NotJet: The file " + w + "text.mdb is not a Microsoft Access (Jet) database."},
                   {"ours.mdb", "NotJet: The file " + w + "ours.mdb is not a Microsoft Access (Jet) database."},
                   {"halfpage.mdb", "Damaged: The file " + w + "halfpage.mdb is damaged or incomplete: it ends part-way through."},
                   {"blank.mdb", "Damaged: The file " + w + "blank.mdb is damaged or incomplete: its list of tables cannot be read."},
                   {"noTable", "NoTable: The file " + testData("mdb/zelk-missing-table.mdb") + " has no table Lookups."},
                   {"noField", "NoField: The table Zelk of the file " + testData("mdb/zelk.mdb") + " has no field Email."}},
                  [&](const QString& name) {
                      write("empty.mdb", QByteArray());
                      write("text.mdb", "Number,Surname\n1,Smith\n");
                      write("halfpage.mdb", QByteArray(jetHeader).left(4096 * 2 + 100));
                      write("blank.mdb", jetHeader);
                      static const char* kinds[] = {"CannotOpen", "NotJet", "Damaged", "NoTable", "NoField"};
                      try {
                          if (name == QLatin1String("noTable"))
                              JetFile::open(testData(QStringLiteral("mdb/zelk-missing-table.mdb")))->openTable(QStringLiteral("Lookups"));
                          else if (name == QLatin1String("noField"))
                              JetFile::open(testData(QStringLiteral("mdb/zelk.mdb")))->openTable(QStringLiteral("Zelk"))->requireField(QStringLiteral("Email"));
                          else
                              JetFile::open(w + name);
                          return QStringLiteral("opened");
                      } catch (const JetError& e) {
                          return QLatin1String(kinds[int(e.kind())]) + QStringLiteral(": ") + e.message();
                      }
                  });
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
