#include "app/busy_cursor.h"
#include "app/modal.h"
#include "app/program_folder.h"
#include "app/program_folder_choice.h"
#include "testlib/test_registry.h"
#include "testlib/test_world.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace zelk;
using zelk::test::TestWorld;

namespace {
struct HandlerGuard {
    ~HandlerGuard() { setModalHandler({}); }
};

// Sets an environment variable for one test and puts the old value back.
struct EnvGuard {
    QByteArray name;
    QByteArray old;
    bool had;
    EnvGuard(const char* n, const QByteArray& value) : name(n), old(qgetenv(n)), had(qEnvironmentVariableIsSet(n))
    {
        qputenv(n, value);
    }
    ~EnvGuard()
    {
        if (had)
            qputenv(name.constData(), old);
        else
            qunsetenv(name.constData());
    }
};
} // namespace

class ServicesTest : public QObject {
    Q_OBJECT

private slots:
    void modalHandlerDrivesTheDialog()
    {
        TestWorld world;
        HandlerGuard guard;
        QDialog dialog;
        auto* name = new QLineEdit(&dialog);
        QString typed;
        bool wasVisible = false;
        setModalHandler([&](QDialog& d) {
            wasVisible = d.isVisible();
            QCOMPARE(&d, &dialog);
            QTest::keyClicks(name, "Smith");
            d.accept();
        });
        QObject::connect(&dialog, &QDialog::accepted, [&] { typed = name->text(); });

        QCOMPARE(runModal(dialog), int(QDialog::Accepted));
        QVERIFY(wasVisible);
        QCOMPARE(typed, QString("Smith"));
        QVERIFY(!dialog.isVisible());
    }

    void dialogLeftOpenIsRejected()
    {
        TestWorld world;
        HandlerGuard guard;
        QDialog dialog;
        const auto accept = [](QDialog& d) { d.accept(); };
        setModalHandler(accept);
        QCOMPARE(runModal(dialog), int(QDialog::Accepted));

        // The same dialog again: neither left open nor carrying the last answer over.
        setModalHandler([](QDialog&) {});
        QCOMPARE(runModal(dialog), int(QDialog::Rejected));
        QVERIFY(!dialog.isVisible());

        setModalHandler(accept);
        runModal(dialog);
        setModalHandler([](QDialog& d) { d.hide(); });
        QCOMPARE(runModal(dialog), int(QDialog::Rejected));
    }

    void withoutHandlerTheDialogRunsModally()
    {
        TestWorld world;
        QDialog dialog;
        bool wasModal = false;
        QTimer::singleShot(0, &dialog, [&] {
            wasModal = dialog.isModal();
            dialog.accept();
        });
        QCOMPARE(runModal(dialog), int(QDialog::Accepted));
        QVERIFY(wasModal);
    }

    void busyCursorNests()
    {
        QVERIFY(!QApplication::overrideCursor());
        {
            BusyCursor outer;
            QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
            {
                BusyCursor inner;
                letEventsRun();
            }
            QVERIFY(QApplication::overrideCursor());
            QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        }
        QVERIFY(!QApplication::overrideCursor());
    }

    void programFolderFollowsZelkHome()
    {
        TestWorld world;
        QCOMPARE(programFolder(), QDir::toNativeSeparators(world.folder()));
        QCOMPARE(programFile("report.htm"), QDir::toNativeSeparators(world.folder() + "/report.htm"));

        EnvGuard trailing("ZELK_HOME", (world.folder() + "/").toLocal8Bit());
        QCOMPARE(programFile("zelk2002.mdb"), QDir::toNativeSeparators(world.folder() + "/zelk2002.mdb"));
    }

    void programFolderWithoutZelkHomeIsTheExecutables()
    {
        TestWorld world;
        EnvGuard empty("ZELK_HOME", QByteArray());  // set but empty counts as not set
        const QString exeFolder = QCoreApplication::applicationDirPath();
        QCOMPARE(programFolder(), QDir::toNativeSeparators(exeFolder));
        // The writability probe leaves nothing behind.
        QVERIFY(QDir(exeFolder).entryList({"zelk-write-test-*"}, QDir::Files | QDir::Hidden).isEmpty());
    }

    void unwritableExecutableFolderFallsBackToUserData()
    {
        TestWorld world;
        QTemporaryDir home;
        EnvGuard homeGuard("HOME", home.path().toLocal8Bit());
        // Nothing can be created beneath a plain file, not even by an administrator.
        QFile blocker(QDir(home.path()).filePath("blocker"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const QString unwritable = blocker.fileName() + "/bin";
        QVERIFY(!folderIsWritable(unwritable));
        QVERIFY(folderIsWritable(home.path()));

        const QString chosen = chooseProgramFolder(QString(), unwritable);
        QCOMPARE(chosen,
                 QDir::toNativeSeparators(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)));
        QVERIFY(chosen.startsWith(QDir::toNativeSeparators(home.path())));
        QVERIFY(QFileInfo(chosen).isDir());

        QCOMPARE(chooseProgramFolder(QString(), home.path()), QDir::toNativeSeparators(home.path()));
    }
};

ZELK_TEST(ServicesTest)
#include "tst_services.moc"
