// The backups as the program offers them: the everyday backup at start-up, the restore
// window over the main window, the offer for a damaged register, and the backup an import
// makes before it writes.
#include "backup_fixture.h"

#include "testlib/test_checks.h"
#include "testlib/test_registry.h"

#include "backup/backup_menu.h"
#include "backup/backup_restore.h"
#include "backup/frm_restore_backup.h"
#include "backup/register_backup.h"
#include "engine/online_backup.h"
#include "import/member_import.h"
#include "ui/modal.h"
#include "ui/register_backups.h"

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

using namespace zelk;
using namespace zelk::test;
using namespace zelk::backup;

class BackupWindowsTest : public QObject {
    Q_OBJECT

    static QVariantMap member(int number, const QString& surname)
    {
        return {{"Number", number}, {"Surname", surname}, {"Address1", "1 High Street"}};
    }

private slots:
    void init() { installStartupRoutines(); }
    void cleanup()
    {
        setRegisterBackupRoutines({});
        setModalHandler({});
    }

    void startupBacksUpOnceADay()
    {
        TestProgram program;
        program.addMember(member(2, "Adams"));
        program.start();
        const auto made = backupFiles(program.databasePath());
        QCOMPARE(made.size(), size_t(1));
        QCOMPARE(made.front().kind, Kind::Everyday);
        QCOMPARE(surnamesIn(made.front().path), QStringList({"", "Adams"}));
        // Started again the same day: the morning's backup is recent enough.
        backUpRegisterIfDue(program.state());
        QCOMPARE(backupFiles(program.databasePath()).size(), size_t(1));
        QCOMPARE(messagesShown(), QStringList());
    }

    void startupSaysOnceWhenTheBackupFailsAndGoesOn()
    {
        TestProgram program;
        program.addMember(member(2, "Adams"));
        writeFile(program.world().file("backups"), "a file where the folder should be");
        MessageScript::answer(MsgAnswer::OK);
        program.start();
        QCOMPARE(messagesShown(), QStringList({"Backup not made | OK Exclamation OK | Zelk Membership could not back up your register.\n\n"
                                               "The folder " + program.world().file("backups") + " cannot be written to. Check that the disk is "
                                               "there and that you may write to that folder.\n\nYour register has not been changed, and every "
                                               "earlier backup has been kept."}));
        QCOMPARE(program.state().rsZelk->recordCount(), 2);
    }

    void restoreReplacesTheRegisterAndTheWindowShowsIt()
    {
        TestProgram program;
        program.addMember(member(2, "Brown"));
        program.addMember(member(3, "Adams"));
        Database::open(program.databasePath())->execute("DELETE FROM Zelk WHERE Number = 1");
        QVERIFY(makeBackupOfFile(program.databasePath(), Kind::BeforeImport, QDateTime::currentDateTime().addDays(-1)).made());
        auto db = Database::open(program.databasePath());
        db->execute("DELETE FROM Zelk");
        db->execute("INSERT INTO Zelk (Number, Surname) VALUES (9, \"Cole\")");
        db->execute("UPDATE Settings SET ScreenSurname = \"Family name\"");
        db.reset();
        program.start();
        QCOMPARE(program.main().boxText(kSurnameBox), "Cole");

        QStringList listed;
        setModalHandler([&](QDialog& dialog) {
            auto& window = dynamic_cast<frmRestoreBackup&>(dialog);
            for (int row = 0; row < window.lstBackups->topLevelItemCount(); ++row) {
                const QTreeWidgetItem* item = window.lstBackups->topLevelItem(row);
                listed << QStringList{item->text(2), item->text(3)}.join(" | ");
            }
            if (!qEnvironmentVariableIsEmpty("ZELK_SCREENSHOT"))
                window.grab().save(qEnvironmentVariable("ZELK_SCREENSHOT"));
            // The older one, from before the import.
            window.lstBackups->setCurrentItem(window.lstBackups->topLevelItem(1));
            window.cmdRestore->click();
        });
        MessageScript::answer(MsgAnswer::Yes);
        MessageScript::answer(MsgAnswer::OK);
        program.main().findChild<QAction*>("mnuRestoreBackup")->trigger();

        QCOMPARE(listed, QStringList({"1 | Everyday backup", "2 | Before an import"}));
        QCOMPARE(program.main().boxText(kSurnameBox), "Adams");
        QCOMPARE(program.main().Label1[7]->text(), "Surname");
        QCOMPARE(program.state().rsZelk->recordCount(), 2);
        QCOMPARE(surnamesIn(program.databasePath()), QStringList({"Brown", "Adams"}));
        const QStringList shown = messagesShown();
        QCOMPARE(shown.size(), 2);
        QVERIFY2(shown[0].startsWith("Just checking | YesNo Question No | Do you want to put the backup of "), qPrintable(shown[0]));
        QVERIFY2(shown[1].startsWith("Register restored | OK Information OK | Your register has been restored from "), qPrintable(shown[1]));
        // Restoring can be undone: the register as it was is the newest backup.
        QCOMPARE(surnamesIn(backupFiles(program.databasePath()).front().path), QStringList({"Cole"}));
    }

    void restoreWaitsForAnUnsavedChange()
    {
        TestProgram program;
        program.addMember(member(2, "Adams"));
        program.start();
        program.main().txtInfo[kSurnameBox]->setText("Adamson");
        bool opened = false;
        setModalHandler([&](QDialog&) { opened = true; });
        MessageScript::answer(MsgAnswer::OK);
        program.main().findChild<QAction*>("mnuRestoreBackup")->trigger();
        QVERIFY(!opened);
        QCOMPARE(messagesShown().value(0), "Unsaved changes | OK Exclamation OK | You have changed this member but not saved the changes.\n\n"
                                           "Please save or undo them before restoring a backup.");
    }

    void damagedRegisterIsOfferedTheNewestGoodBackup()
    {
        TestWorld world;
        const QString path = world.file("zelk2002.mdb");
        makeRegister(path, manySurnames());
        QVERIFY(makeBackupOfFile(path, Kind::Everyday, QDateTime(QDate(2026, 12, 5), QTime(9, 30))).made());
        damage(path);
        MessageScript::answer(MsgAnswer::Yes);
        MessageScript::answer(MsgAnswer::OK);
        QVERIFY(offerBackupForDamagedRegister(path));
        QCOMPARE(integrityProblems(path), QStringList());
        QCOMPARE(messagesShown().value(0), "Register damaged | YesNo Question Yes | Your register " + path + " is damaged.\n\n"
                                           "The newest good backup was made on Saturday, 5 December 2026 at 09:30 and holds 400 members. "
                                           "Do you want to put it in place of the damaged register? The damaged register will be kept in "
                                           "the backups folder as it is.");
    }

    void importIsBackedUpBeforeItsFirstMember()
    {
        TestProgram program;
        program.addMember(member(2, "Adams"));
        program.start();
        const auto before = backupFiles(program.databasePath()).size();
        QStringList seenByWork;
        import::ImportCallbacks io{[](const MessageRequest& m) { return MessageBox::show(m); }, {}};
        const auto result = import::runImport(program.state(), import::ImportMode::Store, io, [&] {
            const auto files = backupFiles(program.databasePath());
            seenByWork << QString::number(files.size() - before) << (files.front().kind == Kind::BeforeImport ? "before import" : "other")
                       << surnamesIn(files.front().path).join(',');
            program.state().dbZelk->execute("INSERT INTO Zelk (Number, Surname) VALUES (3, \"Brown\")");
            return 1;
        });
        QVERIFY(!result.stopped());
        QCOMPARE(seenByWork, QStringList({"1", "before import", ",Adams"}));
    }

    void importWithoutABackupOnlyWhenTheUserSaysSo()
    {
        TestProgram program;
        program.addMember(member(2, "Adams"));
        program.start();
        QFile::remove(program.world().file("backups"));
        QDir(program.world().file("backups")).removeRecursively();
        writeFile(program.world().file("backups"), "a file where the folder should be");
        bool worked = false;
        MessageScript::answer(MsgAnswer::No);
        import::ImportCallbacks io{[](const MessageRequest& m) { return MessageBox::show(m); }, {}};
        const auto result = import::runImport(program.state(), import::ImportMode::Store, io, [&] {
            worked = true;
            return 0;
        });
        QVERIFY(result.stopped());
        QVERIFY(!worked);
        QVERIFY2(messagesShown().value(0).startsWith("Backup not made | YesNo Exclamation No | Zelk Membership could not back up your "
                                                     "register before this import."),
                 qPrintable(messagesShown().value(0)));
        QVERIFY(messagesShown().value(0).endsWith("Do you want to import without a backup?"));
    }
};

ZELK_TEST(BackupWindowsTest)
#include "tst_backup_windows.moc"
