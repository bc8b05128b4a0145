// Making, checking and thinning out the register's backups, and putting one back.
#include "backup_fixture.h"

#include "testlib/test_registry.h"

#include "backup/backup_messages.h"
#include "backup/backup_restore.h"
#include "backup/register_backup.h"
#include "engine/online_backup.h"
#include "engine/recordset.h"
#include "engine/transaction_guard.h"

#include <QTest>

using namespace zelk;
using namespace zelk::test;
using namespace zelk::backup;

namespace {

const QDateTime kNow(QDate(2026, 12, 6), QTime(19, 10));

} // namespace

class RegisterBackupTest : public QObject {
    Q_OBJECT

private slots:
    void backupWhileWorkIsPendingHoldsWhatWasCommitted()
    {
        TestWorld world;
        const QString path = world.file("zelk2002.mdb");
        makeRegister(path, {"Adams", "Brown"});
        auto db = Database::open(path);
        auto members = db->openRecordset(QStringLiteral("Select * from Zelk ORDER BY Surname"));
        members->moveFirst();
        // A member being typed (not yet stored) and an import's transaction not yet committed.
        auto typing = db->openRecordset(QStringLiteral("Zelk"));
        PendingEdit pending(*typing);
        typing->addNew();
        typing->setField(QStringLiteral("Number"), 9);
        typing->setField(QStringLiteral("Surname"), QStringLiteral("Typed"));
        TransactionGuard importing(*db);
        db->execute(QStringLiteral("INSERT INTO Zelk (Number, Surname) VALUES (3, \"Uncommitted\")"));

        const Outcome outcome = makeBackup(*db, Kind::BeforeImport, kNow);
        QVERIFY2(outcome.made(), qPrintable(outcome.detail));
        QCOMPARE(outcome.path, world.file("backups/zelk2002-2026-12-06-1910-before-import.mdb"));
        QCOMPARE(integrityProblems(outcome.path), QStringList());
        QCOMPARE(surnamesIn(outcome.path), QStringList({"Adams", "Brown"}));
        QCOMPARE(registerRows(outcome.path, "Select LastNumber from Settings"), QStringList({"1"}));

        // The register's own work goes on untouched.
        importing.commit();
        typing->update();
        QCOMPARE(surnamesIn(path), QStringList({"Adams", "Brown", "Uncommitted", "Typed"}));
        QCOMPARE(surnamesIn(outcome.path), QStringList({"Adams", "Brown"}));
    }

    void rotationKeepsTenEverydayAndThirtyDaysOfTheOthers()
    {
        TestWorld world;
        const QString path = world.file("zelk2002.mdb");
        makeRegister(path, {"Adams"});
        const QString folder = world.file("backups");
        for (int day = 1; day <= 12; ++day)
            writeFile(folder + "/" + backupName(path, kNow.addDays(-day), Kind::Everyday));
        writeFile(folder + "/zelk2002-2026-12-05-1910-2.mdb");   // a second one the same minute
        writeFile(folder + "/zelk2002-2026-11-07-0900-before-import.mdb");    // 29 days
        writeFile(folder + "/zelk2002-2026-11-05-0900-before-import.mdb");    // 31 days
        writeFile(folder + "/zelk2002-2026-10-01-0900-before-restore.mdb");   // 66 days
        writeFile(folder + "/zelk2002-2026-11-01-0900-damaged.mdb");
        writeFile(folder + "/zelk2002-2026-11-01-0900-damaged.mdb-journal");
        writeFile(folder + "/zelk2002-2027-03-01-0800.mdb");   // made while the clock was wrong
        writeFile(folder + "/notes.txt");
        writeFile(folder + "/zelk2002-copy.mdb");
        writeFile(folder + "/zelk2002-2026-12-01-0800.mdb.part");   // a backup killed part-way
        QFile part(folder + "/zelk2002-2026-12-01-0800.mdb.part");
        QVERIFY(part.open(QIODevice::ReadWrite));
        QVERIFY(part.setFileTime(kNow.addDays(-5), QFileDevice::FileModificationTime));
        part.close();

        QVERIFY(makeBackup(*Database::open(path), Kind::Everyday, kNow.addSecs(2 * 3600)).made());
        QCOMPARE(filesIn(folder), QStringList({"notes.txt",
                                               "zelk2002-2026-11-07-0900-before-import.mdb",
                                               "zelk2002-2026-11-29-1910.mdb",
                                               "zelk2002-2026-11-30-1910.mdb",
                                               "zelk2002-2026-12-01-1910.mdb",
                                               "zelk2002-2026-12-02-1910.mdb",
                                               "zelk2002-2026-12-03-1910.mdb",
                                               "zelk2002-2026-12-04-1910.mdb",
                                               "zelk2002-2026-12-05-1910-2.mdb",
                                               "zelk2002-2026-12-05-1910.mdb",
                                               "zelk2002-2026-12-06-2110.mdb",
                                               "zelk2002-2027-03-01-0800.mdb",
                                               "zelk2002-copy.mdb"}));
    }

    void backupIsDueOnceADay_data()
    {
        QTest::addColumn<QStringList>("backups");
        QTest::addColumn<bool>("due");
        QTest::newRow("none yet") << QStringList{} << true;
        QTest::newRow("one this morning") << QStringList{"zelk2002-2026-12-06-0800.mdb"} << false;
        QTest::newRow("one a day and a minute ago") << QStringList{"zelk2002-2026-12-05-1909.mdb"} << true;
        QTest::newRow("before an import an hour ago") << QStringList{"zelk2002-2026-12-06-1810-before-import.mdb"} << false;
        QTest::newRow("only one dated in the future") << QStringList{"zelk2002-2027-01-06-1810.mdb"} << true;
        QTest::newRow("another file") << QStringList{"zelk2002-today.mdb"} << true;
    }
    void backupIsDueOnceADay()
    {
        QFETCH(QStringList, backups);
        QFETCH(bool, due);
        TestWorld world;
        for (const QString& name : backups)
            writeFile(world.file("backups/" + name));
        QCOMPARE(backupDue(world.file("zelk2002.mdb"), kNow), due);
    }

    // A backup of a damaged register fails its check and leaves every earlier one, and
    // nothing half-made.
    void failedBackupKeepsTheOldOnes()
    {
        TestWorld world;
        const QString path = world.file("zelk2002.mdb");
        makeRegister(path, manySurnames());
        for (int day = 1; day <= 10; ++day)
            QVERIFY(makeBackup(*Database::open(path), Kind::Everyday, kNow.addDays(-day)).made());
        const QStringList before = filesIn(world.file("backups"));
        damage(path);
        const Outcome outcome = makeBackup(*Database::open(path), Kind::Everyday, kNow);
        QCOMPARE(int(outcome.problem), int(Problem::RegisterDamaged));
        QVERIFY2(problemText(outcome).contains("The copy of the register failed its check ("), qPrintable(problemText(outcome)));
        QCOMPARE(filesIn(world.file("backups")), before);
    }

    void restoreReplacesTheRegisterAfterBackingItUp()
    {
        TestWorld world;
        const QString path = world.file("zelk2002.mdb");
        makeRegister(path, {"Adams", "Brown"});
        const Outcome saved = makeBackup(*Database::open(path), Kind::Everyday, kNow);
        QVERIFY(saved.made());
        Database::open(path)->execute("DELETE FROM Zelk WHERE Surname = \"Brown\"");
        Database::open(path)->execute("INSERT INTO Zelk (Number, Surname) VALUES (7, \"Cole\")");

        const RestoreOutcome outcome = restoreRegister(path, saved.path, kNow.addSecs(3600));
        QVERIFY(outcome.restored());
        QCOMPARE(outcome.members, 2);
        QCOMPARE(surnamesIn(path), QStringList({"Adams", "Brown"}));
        QCOMPARE(outcome.safety.path, world.file("backups/zelk2002-2026-12-06-2010-before-restore.mdb"));
        QCOMPARE(surnamesIn(outcome.safety.path), QStringList({"Adams", "Cole"}));
        QCOMPARE(surnamesIn(saved.path), QStringList({"Adams", "Brown"}));
        QCOMPARE(integrityProblems(path), QStringList());
    }

    // Nothing but a sound register is restored; the register stays as it was.
    void restoreRefuses_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("refusal");
        QTest::newRow("damaged backup") << "damaged" << int(Refusal::Damaged);
        QTest::newRow("another program's database") << "other" << int(Refusal::NotARegister);
        QTest::newRow("text file") << "text" << int(Refusal::NotADatabase);
        QTest::newRow("no such file") << "missing" << int(Refusal::Missing);
        QTest::newRow("the register itself") << "register" << int(Refusal::IsTheRegister);
    }
    void restoreRefuses()
    {
        QFETCH(QString, file);
        QFETCH(int, refusal);
        TestWorld world;
        const QString path = world.file("zelk2002.mdb");
        makeRegister(path, {"Adams"});
        QString chosen = world.file("chosen.mdb");
        if (file == "damaged") {
            makeRegister(chosen, manySurnames());
            damage(chosen);
        } else if (file == "other") {
            Database::create(chosen)->execute("CREATE TABLE Zelk (Number INTEGER)");
        } else if (file == "text") {
            writeFile(chosen, "Number,Surname\n1,Adams\n");
        } else if (file == "register") {
            chosen = path;
        }
        const RestoreOutcome outcome = restoreRegister(path, chosen, kNow);
        QCOMPARE(int(outcome.status), int(RestoreOutcome::Status::Refused));
        QCOMPARE(int(outcome.refusal), refusal);
        QCOMPARE(surnamesIn(path), QStringList({"Adams"}));
        QCOMPARE(filesIn(world.file("backups")), QStringList());
        QVERIFY(restoreOutcomeMessage(outcome, chosen).text.endsWith("\n\nYour register has not been changed."));
    }

    void damagedRegisterIsSetAsideAndTheNewestGoodBackupRestored()
    {
        TestWorld world;
        const QString path = world.file("zelk2002.mdb");
        makeRegister(path, manySurnames());
        QVERIFY(makeBackup(*Database::open(path), Kind::Everyday, kNow.addDays(-2)).made());
        // The newest backup is damaged too: the one before it is offered.
        const QString newest = world.file("backups/" + backupName(path, kNow.addDays(-1), Kind::Everyday));
        QVERIFY(QFile::copy(path, newest));
        damage(newest);
        damage(path);
        QFile damagedFile(path);
        QVERIFY(damagedFile.open(QIODevice::ReadOnly));
        const QByteArray damagedBytes = damagedFile.readAll();
        damagedFile.close();
        writeFile(path + "-journal", "a journal left by a crash");

        const auto good = newestGoodBackup(path);
        QVERIFY(good);
        QCOMPARE(good->made, kNow.addDays(-2));
        const RestoreOutcome outcome = restoreRegister(path, good->path, kNow);
        QVERIFY2(outcome.restored(), qPrintable(restoreOutcomeMessage(outcome, good->path).text));
        QCOMPARE(integrityProblems(path), QStringList());
        QCOMPARE(surnamesIn(path).size(), 400);
        QVERIFY(!QFileInfo::exists(path + "-journal"));
        QCOMPARE(outcome.safety.path, world.file("backups/zelk2002-2026-12-06-1910-damaged.mdb"));
        QFile aside(outcome.safety.path);
        QVERIFY(aside.open(QIODevice::ReadOnly));
        QVERIFY(aside.readAll() == damagedBytes);
        QVERIFY(QFileInfo::exists(outcome.safety.path + "-journal"));
    }

    void listShowsEachBackupWithSizeAndMembers()
    {
        TestWorld world;
        const QString path = world.file("zelk2002.mdb");
        buildNewDatabase(path);   // the blank member of a new register is no member
        QVERIFY(makeBackup(*Database::open(path), Kind::Everyday, kNow.addDays(-1)).made());
        Database::open(path)->execute("INSERT INTO Zelk (Number, Surname) VALUES (2, \"Adams\")");
        Database::open(path)->execute("INSERT INTO Zelk (Number, Surname) VALUES (3, \"Brown\")");
        QVERIFY(makeBackup(*Database::open(path), Kind::BeforeImport, kNow).made());
        writeFile(world.file("backups/zelk2002-2026-12-06-1911.mdb"), "unreadable");
        writeFile(world.file("backups/zelk2002-2026-12-06-1912-damaged.mdb"), "set aside");
        QStringList lines;
        for (const BackupSummary& b : listBackups(path))
            lines << QStringLiteral("%1 %2 %3").arg(QFileInfo(b.file.path).fileName()).arg(b.size > 4096).arg(b.members);
        QCOMPARE(lines, QStringList({"zelk2002-2026-12-06-1911.mdb 0 -1", "zelk2002-2026-12-06-1910-before-import.mdb 1 2",
                                     "zelk2002-2026-12-05-1910.mdb 1 0"}));
    }
};

ZELK_TEST(RegisterBackupTest)
#include "tst_register_backup.moc"
