// A new register, read back through a plain SQLite connection and the sqlite3 tool, as any
// other program would see it.
#include "testlib/test_registry.h"

#include "data/create_db.h"
#include "data/schema.h"
#include "engine/database.h"
#include "engine/engine_error.h"
#include "engine/recordset.h"

#include <sqlite3.h>

#include <QCryptographicHash>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace zelk;

namespace {

// Rows of a query on a raw connection, each row's values joined by "|", Null as "<null>".
QStringList rawRows(const QString& file, const QString& sql)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(file).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* st = nullptr;
    QStringList rows;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr) != SQLITE_OK) {
        rows << QStringLiteral("ERROR: ") + QString::fromUtf8(sqlite3_errmsg(db));
    } else {
        while (sqlite3_step(st) == SQLITE_ROW) {
            QStringList values;
            for (int i = 0; i < sqlite3_column_count(st); ++i)
                values << (sqlite3_column_type(st, i) == SQLITE_NULL
                               ? QStringLiteral("<null>")
                               : QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, i))));
            rows << values.join(u'|');
        }
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    return rows;
}

// Runs SQL through the sqlite3 tool; returns its exit code and error text.
std::pair<int, QString> sqliteTool(const QString& file, const QString& sql)
{
    QProcess p;
    p.start(QStringLiteral("sqlite3"), {file, sql});
    p.waitForFinished(20000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardError())};
}

QByteArray digest(const QString& file)
{
    QFile f(file);
    f.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

} // namespace

class CreateDbTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_file;

private slots:
    void init()
    {
        QLocale::setDefault(QLocale(QStringLiteral("en_GB")));
        m_file = m_dir.filePath(QStringLiteral("zelk2002.mdb"));
        QFile::remove(m_file);
        buildNewDatabase(m_file);
    }

    void tablesAndFieldsStandInOrder()
    {
        QCOMPARE(rawRows(m_file, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'")),
                 (QStringList{"Zelk", "Lookups", "Members", "Settings", "Labels"}));
        for (const auto& table : schema::allTables()) {
            QStringList expected;
            for (const auto& f : table.fields)
                expected << f.name;
            QStringList actual;
            for (const auto& row : rawRows(m_file, QStringLiteral("SELECT name FROM pragma_table_info('%1')").arg(table.name)))
                actual << row;
            QCOMPARE(actual, expected);
        }
        QCOMPARE(rawRows(m_file, QStringLiteral("SELECT count(*) FROM pragma_table_info('Zelk')")).first(), QStringLiteral("33"));
        QCOMPARE(rawRows(m_file, QStringLiteral("SELECT count(*) FROM pragma_table_info('Settings')")).first(), QStringLiteral("60"));
        QCOMPARE(rawRows(m_file, QStringLiteral("PRAGMA integrity_check")), QStringList{QStringLiteral("ok")});
    }

    void indexesCoverTheirFieldsAndOnlyLabelNameIsUnique()
    {
        const QString indexes = QStringLiteral(
            "SELECT il.name, il.\"unique\", group_concat(ii.name, ';') FROM sqlite_master m, pragma_index_list(m.name) il, "
            "pragma_index_info(il.name) ii WHERE m.type = 'table' GROUP BY il.name ORDER BY m.rowid, il.name");
        QCOMPARE(rawRows(m_file, indexes),
                 (QStringList{"Zelk_Date|0|RenewDate", "Zelk_Lookups|0|Lookup1;Lookup2;Lookup3;Lookup4;Lookup5;Lookup6",
                              "Zelk_Number|0|Number", "Zelk_PostCode|0|PostCode", "Zelk_Surname|0|Surname",
                              "Zelk_Type|0|MemberType", "Lookups_Lookups|0|Lookups", "Members_Member Type|0|Member Type",
                              "Labels_LabelName|1|LabelName"}));
    }

    void defaultRowsHoldTheirExactValues()
    {
        // The placeholder: empty texts where a member is entered, Null elsewhere.
        QCOMPARE(rawRows(m_file, QStringLiteral("SELECT Number, JoinDate, RenewDate, FeePaid, quote(Title), quote(Surname), "
                                                "quote(Address4), quote(Address5), quote(Lookup6), quote(Memo), "
                                                "quote(Email), quote(Picture), Lapsed FROM Zelk")),
                 QStringList{QStringLiteral("1|<null>|<null>|<null>|''|''|''|NULL|''|''|NULL|NULL|0")});
        QCOMPARE(rawRows(m_file, QStringLiteral("SELECT LastNumber, YearStart, YearEnd, ScreenNumber, ScreenDelete FROM Settings")),
                 QStringList{QStringLiteral("1|<null>|1y|<null>|<null>")});
        QString allFlags = QStringLiteral("SELECT ") + schema::includeFlagFields().join(QStringLiteral(" + ")) + QStringLiteral(" FROM Settings");
        QCOMPARE(rawRows(m_file, allFlags), QStringList{QStringLiteral("30")});
        QCOMPARE(rawRows(m_file, QStringLiteral("SELECT count(*) FROM Lookups UNION ALL SELECT count(*) FROM Members")),
                 (QStringList{"0", "0"}));
        QCOMPARE(rawRows(m_file, QStringLiteral("SELECT * FROM Labels ORDER BY rowid")),
                 (QStringList{"L7159|0.54|0.25|1.33|2.52|0.0|0.11|3|8|<null>|<null>",
                              "L7160|0.63|0.28|1.5|2.5|0.0|0.1|3|7|<null>|<null>",
                              "L7162|0.54|0.18|1.33|3.9|0.0|0.1|2|8|<null>|<null>",
                              "L7163|0.63|0.18|1.5|3.9|0.0|0.1|2|7|<null>|<null>",
                              "5159|0.25|0.13|1.5|4.0|0.0|0.13|2|7|<null>|<null>",
                              "5162|0.83|0.16|1.33|4.0|0.0|0.19|2|7|<null>|<null>"}));
        // The Single fields hold the nearest float to each value.
        auto db = Database::open(m_file);
        auto labels = db->openRecordset(QStringLiteral("Labels"));
        QCOMPARE(labels->field(QStringLiteral("TopMargin")).toFloat(), 0.54f);
        QCOMPARE(labels->field(QStringLiteral("LabelsWide")).toInt(), 3);
    }

    void theFileRefusesBadRowsFromAnyTool_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("why");
        QTest::newRow("duplicate sheet name") << "INSERT INTO Labels (LabelName) VALUES ('L7160')" << "UNIQUE";
        QTest::newRow("same name in another case") << "INSERT INTO Labels (LabelName) VALUES ('l7160')" << "UNIQUE";
        QTest::newRow("empty member type") << "INSERT INTO Members VALUES ('')" << "Member Type may not be an empty text";
        QTest::newRow("empty lookup") << "INSERT INTO Lookups VALUES ('')" << "Lookups may not be an empty text";
        QTest::newRow("empty sheet name") << "INSERT INTO Labels (LabelName) VALUES ('')" << "LabelName may not be an empty text";
        QTest::newRow("101-character title") << QStringLiteral("INSERT INTO Zelk (Title) VALUES ('%1')").arg(QString(101, u'x'))
                                             << "Title is too long";
        QTest::newRow("11-character suffix") << "INSERT INTO Zelk (Suffix) VALUES ('abcdefghijk')" << "Suffix is too long";
        QTest::newRow("text in a number") << "INSERT INTO Zelk (Number) VALUES ('abc')" << "Number has a value of the wrong type";
        QTest::newRow("number out of range") << "INSERT INTO Zelk (Number) VALUES (2147483648)" << "Number has a value of the wrong type";
        QTest::newRow("labels across too many") << "INSERT INTO Labels (LabelName, LabelsWide) VALUES ('X', 40000)" << "LabelsWide has a value";
        QTest::newRow("no such day") << "INSERT INTO Zelk (JoinDate) VALUES ('2026-02-30')" << "JoinDate has a value";
        QTest::newRow("date in another form") << "INSERT INTO Zelk (JoinDate) VALUES ('01/04/2026')" << "JoinDate has a value";
        QTest::newRow("flag that is not a flag") << "INSERT INTO Zelk (Lapsed) VALUES (2)" << "Lapsed has a value";
        QTest::newRow("text as an amount") << "INSERT INTO Zelk (FeePaid) VALUES ('twelve')" << "FeePaid has a value";
    }
    void theFileRefusesBadRowsFromAnyTool()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("sqlite3")).isEmpty())
            QSKIP("the sqlite3 tool is not installed");
        QFETCH(QString, sql);
        QFETCH(QString, why);
        const auto [code, error] = sqliteTool(m_file, sql);
        QVERIFY2(code != 0, qPrintable(sql));
        QVERIFY2(error.contains(why), qPrintable(error));
    }

    void goodRowsAreAcceptedByTheTool()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("sqlite3")).isEmpty())
            QSKIP("the sqlite3 tool is not installed");
        const auto [code, error] = sqliteTool(
            m_file, QStringLiteral("INSERT INTO Zelk (Number, Surname, Title, JoinDate, FeePaid, Lapsed) "
                                   "VALUES (2, 'Müller', '%1', '2024-02-29 09:30:00', 12.5, 1)").arg(QString(100, u'x')));
        QVERIFY2(code == 0, qPrintable(error));
        QCOMPARE(rawRows(m_file, QStringLiteral("SELECT Surname, JoinDate, FeePaid FROM Zelk WHERE Number = 2")),
                 QStringList{QStringLiteral("Müller|2024-02-29 09:30:00|12.5")});
    }

    void anExistingFileIsLeftAlone()
    {
        const QByteArray before = digest(m_file);
        try {
            buildNewDatabase(m_file);
            QFAIL("a second build over the file succeeded");
        } catch (const EngineError& e) {
            QCOMPARE(e.number(), err::DatabaseExists);
        }
        QCOMPARE(digest(m_file), before);
    }

    void aBuildThatCannotFinishLeavesNoFile()
    {
        const QString inMissingFolder = m_dir.filePath(QStringLiteral("no-such-folder/zelk2002.mdb"));
        QVERIFY_THROWS_EXCEPTION(EngineError, buildNewDatabase(inMissingFolder));
        QVERIFY(!QFile::exists(inMissingFolder));
        QVERIFY(!QFile::exists(inMissingFolder + QStringLiteral(".building")));
    }

    void labelSheetsAreAddedOnlyWhereMissing()
    {
        {
            auto db = Database::open(m_file);
            db->execute(QStringLiteral("DELETE FROM Labels WHERE LabelName = \"L7160\""));
            db->execute(QStringLiteral("UPDATE Labels SET TopMargin = 1 WHERE LabelName = \"5159\""));
        }
        CreateLabelsTable(m_file);
        QCOMPARE(rawRows(m_file, QStringLiteral("SELECT LabelName, TopMargin FROM Labels ORDER BY rowid")),
                 (QStringList{"L7159|0.54", "L7162|0.54", "L7163|0.63", "5159|1.0", "5162|0.83", "L7160|0.63"}));
        const QByteArray before = digest(m_file);
        CreateLabelsTable(m_file);   // a complete register is not changed
        QCOMPARE(digest(m_file), before);
    }

    void anOlderRegisterGainsTheLabelsTable()
    {
        {
            auto db = Database::open(m_file);
            db->execute(QStringLiteral("DROP TABLE Labels"));
            QVERIFY(!db->tableExists(QStringLiteral("Labels")));
        }
        CreateLabelsTable(m_file);
        QCOMPARE(rawRows(m_file, QStringLiteral("SELECT count(*) FROM Labels")), QStringList{QStringLiteral("6")});
        QCOMPARE(rawRows(m_file, QStringLiteral("SELECT \"unique\" FROM pragma_index_list('Labels')")), QStringList{QStringLiteral("1")});
    }

    // Every window finds its fields and captions through the catalogue: each entry must
    // name a real field, flag and caption field of the tables.
    void catalogueNamesRealFields()
    {
        const auto zelk = schema::zelkTable();
        const auto settings = schema::settingsTable();
        auto find = [](const TableDef& t, const QString& name) {
            return std::find_if(t.fields.begin(), t.fields.end(), [&](const FieldDef& f) { return f.name == name; });
        };
        QCOMPARE(int(schema::memberFieldCatalogue().size()), 31);
        for (const auto& m : schema::memberFieldCatalogue()) {
            const auto field = find(zelk, m.field);
            QVERIFY2(field != zelk.fields.end(), qPrintable(m.field));
            QCOMPARE(field->type, m.type);
            QCOMPARE(field->size, m.size);
            if (!m.includeFlag.isEmpty())
                QVERIFY2(find(settings, m.includeFlag) != settings.fields.end(), qPrintable(m.includeFlag));
            QVERIFY2(find(settings, m.captionField) != settings.fields.end(), qPrintable(m.captionField));
        }
        QCOMPARE(int(schema::captionFields().size()), 27);
        QCOMPARE(schema::captionFields()[10].defaultText, QStringLiteral("Home Phone"));
        QCOMPARE(schema::captionFields()[21].defaultText, QStringLiteral("Membership lapsed"));
        QCOMPARE(schema::captionFields()[26].field, QStringLiteral("ScreenDelete"));
    }
};

ZELK_TEST(CreateDbTest)
#include "tst_create_db.moc"
