// Where the register lives: the folder the user names, a portable copy's own folder, or
// the user's data folder, never a build folder that may be deleted with its register.
#include "core/program_folder.h"
#include "core/program_folder_choice.h"
#include "testlib/test_registry.h"
#include "testlib/test_world.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace zelk;
using zelk::test::TestWorld;

class TestProgramFolder : public QObject {
    Q_OBJECT

    QTemporaryDir m_home;
    QByteArray m_oldHome = qgetenv("HOME");

    QString dataFolder() const
    {
        return QDir::toNativeSeparators(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    }

private slots:
    void init() { qputenv("HOME", m_home.path().toLocal8Bit()); }
    void cleanup() { qputenv("HOME", m_oldHome); }

    void theFolderNamedByZelkHome()
    {
        TestWorld world;   // sets ZELK_HOME, and puts it back
        QCOMPARE(programFile(QStringLiteral("zelk2002.mdb")), QDir::toNativeSeparators(world.folder() + QStringLiteral("/zelk2002.mdb")));
    }

    void aMissingZelkHomeFolderIsMade()
    {
        const QString named = m_home.filePath(QStringLiteral("club/register"));
        QCOMPARE(chooseProgramFolder(named, QString()), QDir::toNativeSeparators(named));
        QVERIFY(QFileInfo(named).isDir());
    }

    void theUsersDataFolderWhenTheProgramsFolderHoldsNoRegister()
    {
        const QString buildFolder = m_home.filePath(QStringLiteral("build"));
        QVERIFY(QDir().mkpath(buildFolder));   // writable, but deleting it must not delete members
        const QString chosen = chooseProgramFolder(QString(), buildFolder);
        QCOMPARE(chosen, dataFolder());
        QVERIFY(chosen.startsWith(QDir::toNativeSeparators(m_home.path())));
        QVERIFY(QFileInfo(chosen).isDir());
    }

    void aPortableCopyKeepsItsRegisterBesideIt()
    {
        const QString portable = m_home.filePath(QStringLiteral("usb/zelk"));
        QVERIFY(QDir().mkpath(portable));
        QVERIFY(QFile(portable + QStringLiteral("/zelk2002.mdb")).open(QIODevice::WriteOnly));
        QCOMPARE(chooseProgramFolder(QString(), portable), QDir::toNativeSeparators(portable));
    }

    void anEmptyZelkHomeCountsAsUnset()
    {
        TestWorld world;
        qputenv("ZELK_HOME", QByteArray());
        QCOMPARE(programFolder(), dataFolder());
    }
};

ZELK_TEST(TestProgramFolder)
#include "tst_program_folder.moc"
