// "zelk-membership backup" and "restore" run as processes of their own, as a script runs
// them; a full disk and a read-only backups folder are real ones, mounted for the process.
#include "backup_fixture.h"

#include "testlib/test_registry.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTest>

using namespace zelk;
using namespace zelk::test;

class BackupCommandsTest : public QObject {
    Q_OBJECT

    // Runs the program with `arguments` on the world's register, or the `shell` line in a
    // mount namespace of its own ($PROGRAM names the program); gives its exit code, output
    // and errors.
    static QStringList run(const TestWorld& world, const QStringList& arguments, const QString& shell = {})
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("ZELK_HOME", world.folder());
        env.insert("XDG_CONFIG_HOME", world.file("config"));
        env.insert("PROGRAM", ZELK_PROGRAM);
        QProcess process;
        process.setProcessEnvironment(env);
        if (shell.isEmpty())
            process.start(ZELK_PROGRAM, arguments);
        else
            process.start("unshare", {"--mount", "--propagation", "private", "sh", "-c", shell});
        process.waitForFinished(60000);
        QString err = QString::fromUtf8(process.readAllStandardError());
        err.remove(QRegularExpression("QStandardPaths: [^\n]*\n"));
        return {QString::number(process.exitCode()), QString::fromUtf8(process.readAllStandardOutput()), err};
    }

private slots:
    void backupAndRestoreAsAScriptRunsThem()
    {
        TestWorld world;
        const QString path = world.file("zelk2002.mdb");
        makeRegister(path, {"Adams", "Brown"});
        const QStringList made = run(world, {"backup"});
        QCOMPARE(made.value(0), "0");
        const QString backup = made.value(1).section(" to ", 1).trimmed();
        QVERIFY2(QFileInfo(backup).absolutePath() == world.file("backups") && backup.endsWith(".mdb"), qPrintable(made.join('|')));
        const QString offsite = world.file("offsite/zelk.mdb");
        writeFile(offsite, "last week's copy");
        QCOMPARE(run(world, {"backup", offsite}), QStringList({"0", "Backed up the register to " + offsite + "\n", ""}));
        QCOMPARE(surnamesIn(offsite), QStringList({"Adams", "Brown"}));

        Database::open(path)->execute("DELETE FROM Zelk");
        const QStringList restored = run(world, {"restore", offsite});
        QCOMPARE(restored.value(0), "0");
        QVERIFY2(restored.value(1).startsWith("Restored the register " + path + " from " + offsite + ": 2 members.\n"
                                              "The register as it was is kept as " + world.file("backups/zelk2002-")),
                 qPrintable(restored.value(1)));
        QCOMPARE(surnamesIn(path), QStringList({"Adams", "Brown"}));
    }

    void refusals_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("result");
        QTest::newRow("restore without a file") << QStringList{"restore"}
                                                << QStringList{"2", "", "restore needs the name of the backup to restore, and nothing more.\n"};
        QTest::newRow("restore a text file") << QStringList{"restore", "notes.txt"}
                                             << QStringList{"1", "", "The file %1/notes.txt is not a backup of a register: it is not a database at all.\n\n"
                                                                     "Your register has not been changed.\n"};
        QTest::newRow("backup into a folder that is not there") << QStringList{"backup", "nowhere/copy.mdb"}
                                                                << QStringList{"1", "", "The register was not backed up. The folder %1/nowhere cannot be written to. "
                                                                                        "Check that the disk is there and that you may write to that folder.\n"};
    }
    void refusals()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, result);
        TestWorld world;
        makeRegister(world.file("zelk2002.mdb"), {"Adams"});
        writeFile(world.file("notes.txt"));
        for (QString& a : arguments)
            if (a.contains('.'))
                a = world.file(a);
        result[2].replace("%1", world.folder());
        QCOMPARE(run(world, arguments), result);
        QCOMPARE(surnamesIn(world.file("zelk2002.mdb")), QStringList({"Adams"}));
    }

    // A disk that is full, and a backups folder that cannot be written to, as the system
    // has them: the old backups stay, nothing half-made is left, and it is said once.
    void backupOnATroubledDisk_data()
    {
        QTest::addColumn<QString>("mount");
        QTest::addColumn<QString>("says");
        QTest::newRow("full disk") << "size=160k" << "The register was not backed up. The disk that holds %1/backups is full. Make some space on it, then back up again.\n";
        QTest::newRow("read-only folder") << "ro" << "The register was not backed up. The folder %1/backups cannot be written to. Check that the disk is there and that you may write to that folder.\n";
    }
    void backupOnATroubledDisk()
    {
        QFETCH(QString, mount);
        QFETCH(QString, says);
        if (QProcess::execute("unshare", {"--mount", "--propagation", "private", "mount", "-t", "tmpfs", "tmpfs", "/mnt"}) != 0)
            QSKIP("This machine does not let a test mount a file system of its own (unshare --mount).");
        TestWorld world;
        makeRegister(world.file("zelk2002.mdb"), manySurnames(2000));
        writeFile(world.file("backups/zelk2002-2026-12-01-0800.mdb"), "an earlier backup");
        // The backups folder becomes a small file system of its own, holding the earlier backup.
        const QString shell = QStringLiteral("set -e; b=\"$ZELK_HOME/backups\"; cp \"$b/zelk2002-2026-12-01-0800.mdb\" \"$ZELK_HOME/old\"; "
                                             "mount -t tmpfs -o size=160k tmpfs \"$b\"; cp \"$ZELK_HOME/old\" \"$b/zelk2002-2026-12-01-0800.mdb\"; "
                                             "[ %1 = ro ] && mount -o remount,ro \"$b\"; "
                                             "\"$PROGRAM\" backup && exit 9; ls -A \"$b\"")
                                  .arg(mount);
        QCOMPARE(run(world, {}, shell), QStringList({"0", "zelk2002-2026-12-01-0800.mdb\n", says.arg(world.folder())}));
    }
};

ZELK_TEST(BackupCommandsTest)
#include "tst_backup_commands.moc"
