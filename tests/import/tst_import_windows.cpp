// The two import windows under the real main window: their controls, reading a file,
// choosing the fields, importing and checking, the DOS conversion with fake programs, and
// the main window's menu opening them.
#include "dos_fixture.h"

#include "testlib/test_checks.h"
#include "testlib/test_program.h"
#include "testlib/test_registry.h"

#include "core/program_folder.h"
#include "entry/member_boxes.h"
#include "import/frm_get_text_file.h"
#include "import/frm_get_zelk_dos.h"
#include "ui/modal.h"
#include "ui/user_dialogs.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace zelk;
using zelk::test::messagesShown;
using zelk::test::TestProgram;

namespace {

QString writeFile(TestProgram& p, const QString& name, const QByteArray& bytes)
{
    test::writeDosFile(p.world().folder(), name, bytes);
    return p.world().file(name);
}

// A program on a register holding the blank member 1 and Zed, number 40.
std::unique_ptr<TestProgram> startProgram()
{
    auto p = std::make_unique<TestProgram>();
    p->addMember({{"Number", 40}, {"Surname", "Zed"}, {"Address1", "1 High St"}});
    p->start();
    return p;
}

// Get File answered with `path` (empty: cancelled), and `messages` messages answered OK.
void getFile(frmGetTextFile& w, const QString& path, int messages = 0)
{
    DialogScript::answerFile(path);
    for (int m = 0; m < messages; ++m)
        MessageScript::answer(MsgAnswer::OK);
    QTest::mouseClick(w.Command1, Qt::LeftButton);
}

// Column by column: the name shown, the first value beside it and the field chosen.
QStringList columns(const frmGetTextFile& w, int count)
{
    QStringList out;
    for (int i = 0; i < count; ++i)
        out << w.lblFieldName[size_t(i)]->text() + " | " + w.lblFirstValue[size_t(i)]->text() + " | "
                + w.cmbWhereTo[size_t(i)]->currentText();
    return out;
}

const QByteArray kClub = "Number,Surname,First Name,Favourite colour\r\n12,\"Smith, J\",Mary,blue\r\n13,Adams,Bob,\r\n";

} // namespace

class ImportWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup()
    {
        QVERIFY(MessageScript::unexpected().isEmpty());
        QCOMPARE(MessageScript::pendingAnswers(), 0);
        QCOMPARE(DialogScript::unexpected(), 0);
    }

    // A file read, read again, taken apart by another separator, replaced by a narrower one,
    // and files it cannot use.
    void textWindow()
    {
        auto p = startProgram();
        frmGetTextFile w(p->state(), p->main());
        w.show();
        QVERIFY(w.optSep[0]->isChecked());
        QVERIFY(!w.Command2[0]->isEnabled() && !w.cmdCheck->isEnabled());

        w.optSep[1]->click();
        getFile(w, writeFile(*p, "club.csv", kClub));
        QCOMPARE(columns(w, 5), (QStringList{"Number | 12 | Number", "Surname | Smith, J | Surname", "First Name | Mary | FirstName",
                                             "Favourite colour | blue |  ", " |  |  "}));
        QVERIFY(w.Command2[0]->isEnabled());

        // Cancelling the dialog reads the same file again, and the choices made stay.
        w.cmbWhereTo[3]->setCurrentText(QStringLiteral("Memo"));
        getFile(w, QString());
        QCOMPARE(columns(w, 4).last(), QStringLiteral("Favourite colour | blue | Memo"));
        QCOMPARE(w.whereToTags()[3], QStringLiteral("Memo"));

        // Another separator takes the same file apart anew.
        w.optSep[2]->click();
        QCOMPARE(columns(w, 2), (QStringList{"Number,Surname,First Name,Favourite colour | 12,\"Smith, J\",Mary,blue |  ", " |  |  "}));

        // A narrower file leaves nothing of the earlier one beside its names.
        w.optSep[1]->click();
        getFile(w, writeFile(*p, "two.csv", "Surname,Post Code\r\nJones,LS1 1AA\r\n"));
        QCOMPARE(columns(w, 3), (QStringList{"Surname | Jones | Surname", "Post Code | LS1 1AA | PostCode", " |  |  "}));

        // A file of 31 names fills the 30 columns; an empty one is no file to import.
        QStringList names;
        for (int i = 1; i <= 31; ++i)
            names << QStringLiteral("F%1").arg(i);
        getFile(w, writeFile(*p, "wide.csv", names.join(u',').toUtf8() + "\r\n"), 1);
        QCOMPARE(w.lblFieldName[29]->text(), QStringLiteral("F30"));
        getFile(w, writeFile(*p, "empty.csv", ""), 1);
        QCOMPARE(messagesShown(), (QStringList{"Too many fields to import | OK Information OK | Sorry, I can only import a "
                                               "maximum of 30 different fields. Any further fields will be ignored.",
                                               "Nothing to do | OK Information OK | Sorry, that file does not appear to have "
                                               "any data in it."}));
        QCOMPARE(w.lblFieldName[29]->text(), QStringLiteral("F30"));
        QVERIFY(w.Command2[0]->isEnabled());
    }

    // Import, Check and their messages; the main window shows the members as they now are.
    void importing_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("members");
        QTest::addColumn<QString>("mainShows");
        QTest::newRow("imported") << kClub << "import"
                                  << "All done | OK Information OK | Your data has now been imported successfully."
                                  << QStringList{"12|Smith, J", "13|Adams", "40|Zed"} << "Adams";
        QTest::newRow("checked") << kClub << "check"
                                 << "File checked | OK Information OK | The file can be imported: 2 members would be added."
                                 << QStringList{"1|", "40|Zed"} << "";
        QTest::newRow("refused") << QByteArray("Number,Surname\r\n12,Smith\r\nx,Adams\r\n") << "import"
                                 << "Can't import data | OK Critical OK | Sorry, but I can't import all your data as the "
                                    "fields you have specified don't all contain the correct type of data.\n\nPlease check "
                                    "your data and try again.\n\nThe first problem I encountered was data the claimed to be "
                                    "Number but was actually x in line 2"
                                 << QStringList{"1|", "40|Zed"} << "";
    }
    void importing()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, button);
        QFETCH(QString, message);
        QFETCH(QStringList, members);
        QFETCH(QString, mainShows);
        auto p = startProgram();
        frmGetTextFile w(p->state(), p->main());
        w.show();
        w.optSep[1]->click();
        getFile(w, writeFile(*p, "club.csv", file));
        MessageScript::answer(MsgAnswer::OK);
        QTest::mouseClick(button == "check" ? w.cmdCheck : w.Command2[0], Qt::LeftButton);
        QCOMPARE(messagesShown(), QStringList{message});
        // Only a stored import closes the window; after any other the file can be tried again.
        const bool stored = message.startsWith("All done");
        QCOMPARE(w.isVisible(), !stored);
        QCOMPARE(w.result(), stored ? int(QDialog::Accepted) : int(QDialog::Rejected));
        QVERIFY(w.Command2[0]->isEnabled() && w.Command1->isEnabled());
        QCOMPARE(test::registerRows(p->databasePath(), "Select Number, Surname from Zelk ORDER BY Number").replaceInStrings("<null>", ""),
                 members);
        QCOMPARE(p->main().boxText(kSurnameBox), mainShows);
    }

    // The whole conversion with every message in turn; without the conversion programs the
    // register is left as it was and the window stays open.
    void dosConversion_data()
    {
        QTest::addColumn<QString>("programs");
        QTest::addColumn<QStringList>("titles");
        QTest::newRow("converted") << "all" << QStringList{"File Conversion", "Press once all done", "All done"};
        QTest::newRow("no programs") << "none" << QStringList{"Conversion files missing"};
    }
    void dosConversion()
    {
        QFETCH(QString, programs);
        QFETCH(QStringList, titles);
        auto p = startProgram();
        const test::FakePrograms fake(programFolder(), p->world().file("runs.log"));
        if (programs != "none") {
            fake.add("CFIL");
            fake.add("ccvt.exe");
        }
        const QString dos = p->world().file("DOS Data") + QDir::separator();
        test::writeDosFile(dos, "ZELK2.DAT", "");
        test::writeDosFile(dos, "ZELK.DAT", test::dosMemberLine("7", "0", "0", "5", "MRS", "ANN", "SMITH & JONES"));
        test::writeDosFile(dos, "TYP_LOOK.DAT", "\"FULL\",\"\"\r\n");
        frmGetZelkDos w(p->state(), p->main());
        w.show();
        QVERIFY(w.Label3->isHidden());
        w.chkProper->click();
        if (programs != "none")
            DialogScript::answerFile(dos + "ZELK2.DAT");
        for (int m = 0; m < titles.size(); ++m)
            MessageScript::answer(MsgAnswer::OK);
        QTest::mouseClick(w.Command2, Qt::LeftButton);
        QStringList asked;
        for (const MessageRequest& m : MessageScript::asked())
            asked << m.title;
        QCOMPARE(asked, titles);
        const QStringList members = test::registerRows(p->databasePath(), "Select Number, Surname from Zelk ORDER BY Number");
        if (programs == "none") {
            QCOMPARE(w.FilesMissing, -1);
            QVERIFY(w.isVisible() && w.Command2->isEnabled() && w.Label3->isHidden());
            QCOMPARE(members, (QStringList{"1|", "40|Zed"}));
            return;
        }
        QCOMPARE(w.DosFolder, dos);
        QCOMPARE(messagesShown().mid(0, 2),
                 (QStringList{"File Conversion | OK Information OK | Your current files will need to be converted to a format "
                              "that I can read in.\n\nA number of screens will appear during the process - they should close "
                              "themselves when everything is done.\n\nThis may take a while - please don't interrupt the process.",
                              "Press once all done | OK Exclamation OK | Once all the new screens have disappeared, please "
                              "press OK. Thanks!"}));
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QCOMPARE(members, (QStringList{"7|Smith & Jones", "40|Zed"}));
        QCOMPARE(w.Label3->text(), QStringLiteral("Converting Mrs Ann Smith & Jones"));
        QCOMPARE(p->main().boxText(kSurnameBox), QStringLiteral("Smith & Jones"));
    }

    // The main window's import menu opens each window over it.
    void menuOpensImports()
    {
        auto p = startProgram();
        QStringList opened;
        setModalHandler([&](QDialog& d) { opened << d.objectName() + " | " + d.windowTitle(); });
        p->main().menuImport[1]->trigger();
        p->main().menuImport[2]->trigger();
        setModalHandler({});
        QCOMPARE(opened, (QStringList{"frmGetZelkDos | Get data from Zelk for DOS", "frmGetTextFile | Get data from a text file"}));
    }
};

ZELK_TEST(ImportWindowsTest)
#include "tst_import_windows.moc"
