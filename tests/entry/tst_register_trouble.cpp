// Everyday trouble with the register while members are entered: a read-only file or
// folder, a full disk, the file deleted under the program. Each is told plainly, nothing is
// half-written, and the typing stays on screen so the save can be tried again.
#include "testlib/test_checks.h"
#include "testlib/test_program.h"
#include "testlib/test_registry.h"

#include "core/everyday_trouble.h"

#include <QFile>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

using namespace zelk;
using namespace zelk::test;

namespace {

// File permissions hold for root too while this lives: a test run as root acts as an
// ordinary user. The program's and the settings' folders are opened to that user.
struct AsOrdinaryUser {
    bool switched = false;
    explicit AsOrdinaryUser(TestWorld& world)
    {
        if (geteuid() != 0)
            return;
        for (const QString& folder : {world.folder(), world.settingsFolder()})
            QFile::setPermissions(folder, QFile::Permissions(0x7777));
        switched = seteuid(65534) == 0;
    }
    // Permissions are changed as the owner of the files (root, when switched).
    void setPermissions(const QString& path, QFile::Permissions permissions)
    {
        if (switched && seteuid(0) != 0)
            qFatal("cannot become root again");
        QFile::setPermissions(path, permissions);
        if (switched && seteuid(65534) != 0)
            qFatal("cannot become an ordinary user again");
    }
    ~AsOrdinaryUser()
    {
        if (switched && seteuid(0) != 0)
            qFatal("cannot become root again");
    }
};

QStringList members(TestProgram& p)
{
    return registerRows(p.databasePath(), QStringLiteral("Select Surname, FirstName from Zelk where Number > 1"));
}

} // namespace

class RegisterTroubleTest : public QObject {
    Q_OBJECT

private slots:
    // A register that cannot be written is opened for reading, with a word at start-up;
    // a save says so again and keeps the typing; once the file or its folder can be
    // written again, the next save works without a restart.
    void aReadOnlyRegisterIsSaidAndTheNextSaveWorksOnceWritable_data()
    {
        QTest::addColumn<bool>("folderReadOnly");
        QTest::newRow("read-only file") << false;
        QTest::newRow("read-only folder") << true;
    }
    void aReadOnlyRegisterIsSaidAndTheNextSaveWorksOnceWritable()
    {
        QFETCH(bool, folderReadOnly);
        TestProgram p;
        p.addMember({{"Number", 2}, {"Surname", "Smith"}, {"Address1", "1 High Street"}, {"FirstName", "John"}});
        const QString readOnlyPath = folderReadOnly ? p.world().folder() : p.databasePath();
        QFile::setPermissions(p.databasePath(), QFile::Permissions(0x6666));
        const auto writable = QFile::Permissions(folderReadOnly ? 0x7777 : 0x6666);
        const auto readOnly = QFile::Permissions(folderReadOnly ? 0x5555 : 0x4444);
        {
            AsOrdinaryUser user(p.world());
            user.setPermissions(readOnlyPath, readOnly);
            MessageScript::answer(MsgAnswer::OK);
            p.start();
            QCOMPARE(MessageScript::asked(), QList<MessageRequest>{readOnlyRegisterMessage(p.databasePath())});
            auto& w = p.main();
            w.cmdNext_Click(3);
            w.setBoxText(6, "Jack");
            MessageScript::answer(MsgAnswer::OK);
            w.Command1_Click(0);
            QCOMPARE(MessageScript::asked().last(), *everydayTroubleMessage(err::ReadOnly));
            QCOMPARE(w.boxText(6), "Jack");
            QVERIFY(w.hasUnsavedChange());

            user.setPermissions(readOnlyPath, writable);
            w.Command1_Click(0);
            QVERIFY(!w.hasUnsavedChange());
            QCOMPARE(MessageScript::asked().size(), 2);
        }
        QCOMPARE(members(p), QStringList{"Smith|Jack"});
    }

    // A disk that fills during a save: nothing of the member is stored, the user is told,
    // and the same save works once there is room.
    void aFullDiskKeepsTheTypingForTheNextTry()
    {
        TestProgram p;
        p.start();
        auto& w = p.main();
        w.Command1_Click(2);
        w.setBoxText(kNumberBox, "2");
        w.setBoxText(kSurnameBox, "Brown");
        w.setBoxText(kAddress1Box, "9 New Street");
        w.setBoxText(kNotesBox, QString(60000, u'n'));   // more than the file has room for
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit unlimited{};
        getrlimit(RLIMIT_FSIZE, &unlimited);
        rlimit full = unlimited;
        full.rlim_cur = rlim_t(QFile(p.databasePath()).size());
        setrlimit(RLIMIT_FSIZE, &full);
        MessageScript::answer(MsgAnswer::OK);
        w.Command1_Click(0);
        setrlimit(RLIMIT_FSIZE, &unlimited);
        std::signal(SIGXFSZ, oldHandler);
        QCOMPARE(MessageScript::asked(), QList<MessageRequest>{*everydayTroubleMessage(err::DiskFull)});
        QCOMPARE(w.boxText(kSurnameBox), "Brown");
        QVERIFY(w.hasUnsavedChange());
        QCOMPARE(registerRows(p.databasePath(), "Select count(*), max(LastNumber) from Zelk, Settings"), QStringList{"1|1"});
        w.Command1_Click(0);
        QCOMPARE(registerRows(p.databasePath(), "Select Surname from Zelk where Number = 2"), QStringList{"Brown"});
    }

    // The register deleted while the program runs: a save is not made into a file no one
    // can find again, the user is told, and the typing stays.
    void aDeletedRegisterIsSaidAndTheTypingStays()
    {
        TestProgram p;
        p.addMember({{"Number", 2}, {"Surname", "Smith"}, {"Address1", "1 High Street"}});
        p.start();
        auto& w = p.main();
        w.cmdNext_Click(3);
        QVERIFY(QFile::remove(p.databasePath()));
        w.setBoxText(6, "Jack");
        MessageScript::answer(MsgAnswer::OK);
        w.Command1_Click(0);
        QCOMPARE(MessageScript::asked(), QList<MessageRequest>{*everydayTroubleMessage(err::FileNotFound)});
        QCOMPARE(w.boxText(6), "Jack");
        QVERIFY(w.hasUnsavedChange());
    }
};

ZELK_TEST(RegisterTroubleTest)
#include "tst_register_trouble.moc"
