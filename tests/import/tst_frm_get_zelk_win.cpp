// The window of the import from the first Windows edition: what it shows, where it looks,
// and what Get data and Cancel do, from the main window's Import data menu.
#include "import_register.h"
#include "jet_test_support.h"

#include "testlib/test_program.h"
#include "testlib/test_registry.h"

#include "import/frm_get_zelk_win.h"
#include "ui/main_view.h"
#include "ui/modal.h"

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>

using namespace zelk;
using namespace zelk::test;

namespace {

struct CountingView : MainView {
    int refreshed = 0;
    void RefreshData() override { ++refreshed; }
    void ApplyIncludeSkip() override {}
    void ApplyScreenText() override {}
    QString boxText(int) const override { return {}; }
    void setBoxText(int, const QString&) override {}
};

// A folder of the test's own holding a copy of one of the test files under `name`.
QString folderWith(const QTemporaryDir& dir, const QString& testFile, const QString& name)
{
    copyOfTestFile(testFile, dir.filePath(name));
    return dir.path();
}

} // namespace

class FrmGetZelkWinTest : public QObject {
    Q_OBJECT

private slots:
    void theWindowSaysWhetherTheFolderHoldsTheFileAndStaysAfterAFailure()
    {
        ImportRegister r;
        CountingView view;
        QTemporaryDir empty, old;
        folderWith(old, QStringLiteral("zelk.mdb"), QStringLiteral("ZELK.MDB"));
        frmGetZelkWin w(r.state(), view);
        w.setFolder(empty.path());
        QCOMPARE(w.lblFile->text(), QStringLiteral("There is no zelk.mdb in this folder."));
        w.setFolder(old.path());
        QCOMPARE(w.folder(), old.path());
        QCOMPARE(w.lblFile->text(), QStringLiteral("zelk.mdb is in this folder."));

        // Get data where there is no file says so, and the window stays for another choice.
        w.setFolder(empty.path());
        MessageScript::answer(MsgAnswer::OK);
        w.Command1_Click(1);
        QCOMPARE(messagesShown(), QStringList{"File isn't there | OK Exclamation OK | Sorry but I can't find the file ZELK.MDB in "
                                              + empty.path() + "\n\nPlease try again."});
        QCOMPARE(w.result(), int(QDialog::Rejected));
        QCOMPARE(view.refreshed, 0);

        // A file that cannot be imported is said so, and the window stays too.
        QTemporaryDir broken;
        folderWith(broken, QStringLiteral("zelk-missing-table.mdb"), QStringLiteral("zelk.mdb"));
        w.setFolder(broken.path());
        MessageScript::answer(MsgAnswer::OK);
        w.Command1_Click(1);
        QCOMPARE(messagesShown().size(), 2);
        QVERIFY(messagesShown().last().startsWith(QLatin1String("Can't import data | OK Critical OK | ")));
        QCOMPARE(w.result(), int(QDialog::Rejected));
        QVERIFY(w.Command1[0]->isEnabled() && w.Command1[1]->isEnabled());

        w.Command1_Click(0);
        QCOMPARE(w.result(), int(QDialog::Rejected));
        QCOMPARE(r.state().rsZelk->recordCount(), 1);
    }

    // From the main window's menu: the members come in, the main window shows the member
    // now current, and the window closes after saying so.
    void getDataFromTheMenuImportsAndShowsTheMembers()
    {
        TestProgram p;
        p.start();
        QTemporaryDir old;
        folderWith(old, QStringLiteral("zelk.mdb"), QStringLiteral("zelk.mdb"));
        QString opened;
        int result = -1;
        setModalHandler([&](QDialog& d) {
            auto* w = qobject_cast<frmGetZelkWin*>(&d);
            opened = d.objectName();
            if (!w)
                return;
            w->setFolder(old.path());
            MessageScript::answer(MsgAnswer::OK);
            w->Command1_Click(1);
            result = w->result();
        });
        p.main().menuImport[0]->trigger();
        setModalHandler({});
        QCOMPARE(opened, QStringLiteral("frmGetZelkWin"));
        QCOMPARE(result, int(QDialog::Accepted));
        QCOMPARE(messagesShown(), QStringList{"All done | OK Information OK | Your data has now been imported successfully."});
        QCOMPARE(p.state().rsZelk->recordCount(), 12);
        // In surname order the members without a surname come first: number 9, then 12.
        QCOMPARE(p.main().boxText(0), QStringLiteral("9"));
    }
};

ZELK_TEST(FrmGetZelkWinTest)

#include "tst_frm_get_zelk_win.moc"
