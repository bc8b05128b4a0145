// A new register, read back through the sqlite3 tool, as any other program would see it.
#include "testlib/test_registry.h"

#include "data/create_db.h"
#include "data/schema.h"
#include "engine/database.h"
#include "engine/engine_error.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace zelk;

namespace {

// The rows the sqlite3 tool prints for `sql` ("|" between values, Null as <null>), or
// "refused: " and its error.
QStringList viaTool(const QString& file, const QString& sql)
{
    QProcess tool;
    tool.start(QStringLiteral("sqlite3"), {QStringLiteral("-nullvalue"), QStringLiteral("<null>"), file, sql});
    tool.waitForFinished(20000);
    if (tool.exitCode() != 0)
        return {QStringLiteral("refused: ") + QString::fromUtf8(tool.readAllStandardError()).trimmed()};
    return QString::fromUtf8(tool.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
}

QByteArray contents(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

} // namespace

class CreateDbTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_file;

private slots:
    void init()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("sqlite3")).isEmpty())
            QSKIP("the sqlite3 tool is not installed");
        m_file = m_dir.filePath(QStringLiteral("zelk2002.mdb"));
        QFile::remove(m_file);
        buildNewDatabase(m_file);
    }

    void defaultRowsHoldTheirExactValues()
    {
        // The placeholder: empty texts where a member is entered, Null elsewhere.
        QCOMPARE(viaTool(m_file, QStringLiteral("SELECT Number, JoinDate, RenewDate, FeePaid, quote(Title), quote(Surname), "
                                                "quote(Address4), quote(Address5), quote(Lookup6), quote(Memo), "
                                                "quote(Email), quote(Picture), Lapsed FROM Zelk")),
                 QStringList{QStringLiteral("1|<null>|<null>|<null>|''|''|''|NULL|''|''|NULL|NULL|0")});
        QCOMPARE(viaTool(m_file, QStringLiteral("SELECT LastNumber, %1, YearStart, YearEnd, ScreenNumber, ScreenDelete, "
                                                "(SELECT count(*) FROM Lookups), (SELECT count(*) FROM Members) FROM Settings")
                                     .arg(schema::includeFlagFields().join(QStringLiteral(" + ")))),
                 QStringList{QStringLiteral("1|30|<null>|1y|<null>|<null>|0|0")});
        QCOMPARE(viaTool(m_file, QStringLiteral("SELECT * FROM Labels ORDER BY rowid")),
                 (QStringList{"L7159|0.54|0.25|1.33|2.52|0.0|0.11|3|8|<null>|<null>",
                              "L7160|0.63|0.28|1.5|2.5|0.0|0.1|3|7|<null>|<null>",
                              "L7162|0.54|0.18|1.33|3.9|0.0|0.1|2|8|<null>|<null>",
                              "L7163|0.63|0.18|1.5|3.9|0.0|0.1|2|7|<null>|<null>",
                              "5159|0.25|0.13|1.5|4.0|0.0|0.13|2|7|<null>|<null>",
                              "5162|0.83|0.16|1.33|4.0|0.0|0.19|2|7|<null>|<null>"}));
    }

    void otherToolsCannotStoreBadRows_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("why");
        QTest::newRow("same name in another case") << "INSERT INTO Labels (LabelName) VALUES ('l7160')" << "UNIQUE";
        QTest::newRow("empty member type") << "INSERT INTO Members VALUES ('')" << "Member Type may not be an empty text";
        QTest::newRow("101-character title") << "INSERT INTO Zelk (Title) VALUES ('" + QString(101, u'x') + "')" << "Title is too long";
        QTest::newRow("number out of range") << "INSERT INTO Zelk (Number) VALUES (2147483648)" << "Number has a value of the wrong type";
        QTest::newRow("no such day") << "INSERT INTO Zelk (JoinDate) VALUES ('2026-02-30')" << "JoinDate has a value";
        QTest::newRow("text as an amount") << "INSERT INTO Zelk (FeePaid) VALUES ('twelve')" << "FeePaid has a value";
    }
    void otherToolsCannotStoreBadRows()
    {
        QFETCH(QString, sql);
        QFETCH(QString, why);
        const QStringList said = viaTool(m_file, sql);
        QVERIFY2(said.size() == 1 && said[0].startsWith(QLatin1String("refused: ")) && said[0].contains(why), qPrintable(said.join(u'\n')));
    }

    void goodRowsAreTakenAsGiven()
    {
        QCOMPARE(viaTool(m_file, QStringLiteral("INSERT INTO Zelk (Number, Surname, Title, JoinDate, FeePaid, Lapsed) VALUES "
                                                "(2, 'Müller', '%1', '2024-02-29 09:30:00', 12.5, 1); SELECT Surname, "
                                                "length(Title), JoinDate, FeePaid FROM Zelk WHERE Number = 2").arg(QString(100, u'x'))),
                 QStringList{QStringLiteral("Müller|100|2024-02-29 09:30:00|12.5")});
    }

    // A file already there is never touched, and a build that cannot finish leaves nothing.
    void aBuildNeverHarmsAFileOrLeavesAPartOne()
    {
        const QByteArray before = contents(m_file);
        try {
            buildNewDatabase(m_file);
            QFAIL("a second build over the file succeeded");
        } catch (const EngineError& e) {
            QCOMPARE(e.number(), int(err::DatabaseExists));
        }
        QCOMPARE(contents(m_file), before);
        const QString inMissingFolder = m_dir.filePath(QStringLiteral("no-such-folder/zelk2002.mdb"));
        QVERIFY_THROWS_EXCEPTION(EngineError, buildNewDatabase(inMissingFolder));
        QVERIFY(!QFile::exists(inMissingFolder) && !QFile::exists(inMissingFolder + QStringLiteral(".building")));
    }

    // A build killed part-way leaves a half-made file and its journal; the next build (or
    // start) removes them and the register is whole.
    void whatAKilledBuildLeftIsRemoved()
    {
        const QString other = m_dir.filePath(QStringLiteral("other/zelk2002.mdb"));
        QVERIFY(QDir().mkpath(m_dir.filePath(QStringLiteral("other"))));
        for (const QString& left : {other + QStringLiteral(".building"), other + QStringLiteral(".building-journal")}) {
            QFile f(left);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("half made");
        }
        buildNewDatabase(other);
        QCOMPARE(viaTool(other, QStringLiteral("PRAGMA integrity_check; SELECT Number FROM Zelk")),
                 (QStringList{QStringLiteral("ok"), QStringLiteral("1")}));
        QVERIFY(!QFile::exists(other + QStringLiteral(".building")));
        QVERIFY(!QFile::exists(other + QStringLiteral(".building-journal")));

        QFile(m_file + QStringLiteral(".building-journal")).open(QIODevice::WriteOnly);
        removeUnfinishedBuild(m_file);
        QVERIFY(!QFile::exists(m_file + QStringLiteral(".building-journal")));
        QVERIFY(QFile::exists(m_file));
    }
};

ZELK_TEST(CreateDbTest)
#include "tst_create_db.moc"
