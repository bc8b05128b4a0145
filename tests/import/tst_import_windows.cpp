// The two import windows under the real main window: their controls, reading a file,
// choosing the fields, importing, checking, and the DOS conversion with fake programs;
// and the main window's menu opening them.
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
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace zelk;
using zelk::test::messagesShown;
using zelk::test::TestProgram;

namespace {

QString writeFile(TestProgram& p, const QString& name, const QByteArray& bytes)
{
    const QString path = p.world().file(name);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return path;
}

// A program on a register holding one member, Zed, number 40.
std::unique_ptr<TestProgram> startProgram()
{
    auto p = std::make_unique<TestProgram>();
    p->addMember({{"Number", 40}, {"Surname", "Zed"}, {"Address1", "1 High St"}});
    p->start();
    return p;
}

// The window's file read: Get File answered with `path`, messages answered OK.
void getFile(frmGetTextFile& w, const QString& path, int messages = 0)
{
    DialogScript::answerFile(path);
    for (int m = 0; m < messages; ++m)
        MessageScript::answer(MsgAnswer::OK);
    QTest::mouseClick(w.Command1, Qt::LeftButton);
}

QStringList shown(const std::array<QLabel*, import::kTextColumns>& labels, int count)
{
    QStringList out;
    for (int i = 0; i < count; ++i)
        out << labels[size_t(i)]->text();
    return out;
}

QStringList chosen(const frmGetTextFile& w, int count)
{
    QStringList out;
    for (int i = 0; i < count; ++i)
        out << w.cmbWhereTo[size_t(i)]->currentText();
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

    void textWindowOpens()
    {
        auto p = startProgram();
        frmGetTextFile w(p->state(), p->main());
        QCOMPARE(w.windowTitle(), QStringLiteral("Get data from a text file"));
        QCOMPARE(w.Label1->text(), QStringLiteral("Please check the appropriate button to let me know how the information in "
                                                  "your text file is separated. Then click the Import File button. Note: the "
                                                  "first line of your file MUST contain field names."));
        QCOMPARE((QStringList{w.optSep[0]->text(), w.optSep[1]->text(), w.optSep[2]->text(), w.Command1->text()}),
                 (QStringList{"Tab", "Comma", "Semicolon", "&Get File"}));
        QVERIFY(w.optSep[0]->isChecked());
        QCOMPARE((QStringList{w.Label2[0]->text(), w.Label2[1]->text(), w.Label2[2]->text(), w.Label2[3]->text()}),
                 (QStringList{"Your field names:", "Import into this field:", "Import into this field:", "Your field names:"}));
        for (QComboBox* c : w.cmbWhereTo) {
            QStringList items;
            for (int i = 0; i < c->count(); ++i)
                items << c->itemText(i);
            QCOMPARE(items, import::textImportTargets());
            QCOMPARE(c->currentText(), QStringLiteral(" "));
        }
        QCOMPARE(import::textImportTargets().size(), 31);
        QCOMPARE(import::textImportTargets().last(), QStringLiteral("Memo"));
        QCOMPARE((QStringList{w.Command2[0]->text(), w.cmdCheck->text(), w.Command2[1]->text()}),
                 (QStringList{"&Import file", "Chec&k file", "Cancel"}));
        QVERIFY(!w.Command2[0]->isEnabled());
        QVERIFY(!w.cmdCheck->isEnabled());
    }

    // The names of the first line, the first member's values beside them, and the fields
    // their names stand for.
    void fileRead()
    {
        auto p = startProgram();
        frmGetTextFile w(p->state(), p->main());
        w.show();
        w.optSep[1]->click();
        getFile(w, writeFile(*p, "club.csv", kClub));
        QCOMPARE(DialogScript::fileQuestions().last().filter, QStringLiteral("Text Files (*.prn, *.txt, *.csv)|*.prn;*.txt;*.csv"));
        QCOMPARE(shown(w.lblFieldName, 5), (QStringList{"Number", "Surname", "First Name", "Favourite colour", ""}));
        QCOMPARE(shown(w.lblFirstValue, 5), (QStringList{"12", "Smith, J", "Mary", "blue", ""}));
        QCOMPARE(chosen(w, 5), (QStringList{"Number", "Surname", "FirstName", " ", " "}));
        QVERIFY(w.Command2[0]->isEnabled());

        // Chosen again after a change of mind: cancelling the dialog reads the same file,
        // and the choices made stay.
        w.cmbWhereTo[3]->setCurrentText(QStringLiteral("Memo"));
        getFile(w, QString());
        QCOMPARE(chosen(w, 4), (QStringList{"Number", "Surname", "FirstName", "Memo"}));
        QCOMPARE(w.whereToTags()[3], QStringLiteral("Memo"));

        // Another separator takes the same file apart anew.
        w.optSep[2]->click();
        QCOMPARE(shown(w.lblFieldName, 2), (QStringList{"Number,Surname,First Name,Favourite colour", ""}));
        QCOMPARE(chosen(w, 1), QStringList{" "});

        // A file of fewer columns leaves nothing of the earlier one beside its names.
        w.optSep[1]->click();
        getFile(w, writeFile(*p, "two.csv", "Surname,Post Code\r\nJones,LS1 1AA\r\n"));
        QCOMPARE(shown(w.lblFieldName, 4), (QStringList{"Surname", "Post Code", "", ""}));
        QCOMPARE(shown(w.lblFirstValue, 4), (QStringList{"Jones", "LS1 1AA", "", ""}));
        QCOMPARE(chosen(w, 4), (QStringList{"Surname", "PostCode", " ", " "}));
    }

    void fileNotRead_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty") << QByteArray() << "Nothing to do | OK Information OK | Sorry, that file does not appear to have any data in it.";
        QTest::newRow("not text") << QByteArray("\x89PNG\r\n\x1a\n\x00\x00", 10)
                                  << "Not a text file | OK Critical OK | Sorry, the file <path> does not appear to be a text "
                                     "file.\n\nPlease save your data as a text file (separated by commas, tabs or "
                                     "semicolons, such as a CSV file), then try again.";
    }
    void fileNotRead()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        auto p = startProgram();
        frmGetTextFile w(p->state(), p->main());
        const QString path = writeFile(*p, "members.txt", bytes);
        getFile(w, path, 1);
        QCOMPARE(messagesShown(), QStringList{message.replace("<path>", path)});
        QVERIFY(!w.Command2[0]->isEnabled());
    }

    void tooManyNames()
    {
        auto p = startProgram();
        frmGetTextFile w(p->state(), p->main());
        QStringList names;
        for (int i = 1; i <= 31; ++i)
            names << QStringLiteral("F%1").arg(i);
        getFile(w, writeFile(*p, "wide.txt", names.join(u'\t').toUtf8() + "\r\n"), 1);
        QCOMPARE(messagesShown(), QStringList{"Too many fields to import | OK Information OK | Sorry, I can only import a "
                                              "maximum of 30 different fields. Any further fields will be ignored."});
        QCOMPARE(w.lblFieldName[29]->text(), QStringLiteral("F30"));
        QVERIFY(w.Command2[0]->isEnabled());
    }

    // Import, Check and their messages; the main window shows the members as they now are.
    void importing_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<QStringList>("members");
        QTest::addColumn<QString>("mainShows");
        QTest::newRow("imported") << kClub << "import"
                                  << QStringList{"All done | OK Information OK | Your data has now been imported successfully."}
                                  << true << QStringList{"12|Smith, J", "13|Adams", "40|Zed"} << "Adams";
        QTest::newRow("checked") << kClub << "check"
                                 << QStringList{"File checked | OK Information OK | The file can be imported: 2 members would be added."}
                                 << false << QStringList{"1|", "40|Zed"} << "";
        QTest::newRow("refused") << QByteArray("Number,Surname\r\n12,Smith\r\nx,Adams\r\n") << "import"
                                 << QStringList{"Can't import data | OK Critical OK | Sorry, but I can't import all your data as "
                                                "the fields you have specified don't all contain the correct type of data.\n\n"
                                                "Please check your data and try again.\n\nThe first problem I encountered was "
                                                "data the claimed to be Number but was actually x in line 2"}
                                 << false << QStringList{"1|", "40|Zed"} << "";
        QTest::newRow("nothing chosen") << QByteArray("Colour\r\nblue\r\n") << "import"
                                        << QStringList{"Nothing selected | OK Information OK | You must choose at least one field to import."}
                                        << false << QStringList{"1|", "40|Zed"} << "";
    }
    void importing()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, button);
        QFETCH(QStringList, messages);
        QFETCH(bool, closed);
        QFETCH(QStringList, members);
        QFETCH(QString, mainShows);
        auto p = startProgram();
        frmGetTextFile w(p->state(), p->main());
        w.show();
        w.optSep[1]->click();
        getFile(w, writeFile(*p, "club.csv", file));
        for (int m = 0; m < messages.size(); ++m)
            MessageScript::answer(MsgAnswer::OK);
        QTest::mouseClick(button == "check" ? w.cmdCheck : w.Command2[0], Qt::LeftButton);
        QCOMPARE(messagesShown(), messages);
        QCOMPARE(w.isVisible(), !closed);
        QCOMPARE(w.result(), closed ? int(QDialog::Accepted) : int(QDialog::Rejected));
        QCOMPARE(test::registerRows(p->databasePath(), "Select Number, Surname from Zelk ORDER BY Number").replaceInStrings("<null>", ""),
                 members);
        QCOMPARE(p->main().boxText(kSurnameBox), mainShows);
        QVERIFY(w.Command1->isEnabled());
        QVERIFY(w.Command2[0]->isEnabled());
        QVERIFY(!w.prgImport->isVisible());
    }

    void dosWindowOpens()
    {
        auto p = startProgram();
        frmGetZelkDos w(p->state(), p->main());
        QCOMPARE(w.windowTitle(), QStringLiteral("Get data from Zelk for DOS"));
        QCOMPARE(w.Label1->text(), QStringLiteral("Only use option this if you want to import your data from Bramwick Zelk - DOS version."));
        QCOMPARE(w.Label2->text(), QStringLiteral("To convert your data from the DOS version of Zelk you will need to run the DOS "
                                                  "conversion program. Please ensure that all your files are backed up before "
                                                  "you start the conversion."));
        QCOMPARE((QStringList{w.Frame1->title(), w.chkBirthday->text(), w.chkBirthday->toolTip(), w.chkProper->text(),
                              w.chkProper->toolTip(), w.Command2->text(), w.Command3->text()}),
                 (QStringList{"Conversion options:", "Change renewal date to birthday",
                              "For those clubs that used the renewal field for birthdays", "Change data to mixed case",
                              "Useful if all your data was entered in UPPER CASE", "Convert files", "Cancel"}));
        QVERIFY(w.Label3->isHidden());
    }

    void dosProgramsMissing()
    {
        auto p = startProgram();
        frmGetZelkDos w(p->state(), p->main());
        w.show();
        MessageScript::answer(MsgAnswer::OK);
        QTest::mouseClick(w.Command2, Qt::LeftButton);
        QCOMPARE(messagesShown(), QStringList{"Conversion files missing | OK Critical OK | You don't appear to have downloaded "
                                              "the DOS conversion files yet.\n\nI can't do the conversion for you without these."});
        QCOMPARE(w.FilesMissing, -1);
        QVERIFY(DialogScript::fileQuestions().isEmpty());
        QVERIFY(w.isVisible());
    }

    // The whole conversion, with every message in turn; a program that fails stops it with
    // the register as it was and the window open.
    void dosConversion_data()
    {
        QTest::addColumn<int>("ccvtExit");
        QTest::addColumn<QStringList>("titles");
        QTest::newRow("converted") << 0 << QStringList{"File Conversion", "Press once all done", "All done"};
        QTest::newRow("a program fails") << 2 << QStringList{"File Conversion", "Conversion failed"};
    }
    void dosConversion()
    {
        QFETCH(int, ccvtExit);
        QFETCH(QStringList, titles);
        auto p = startProgram();
        const test::FakePrograms programs(programFolder(), p->world().file("runs.log"));
        programs.add("CFIL");
        programs.add("ccvt.exe", ccvtExit);
        const QString dos = p->world().file("DOS Data") + QDir::separator();
        test::writeDosFile(dos, "ZELK2.DAT", "");
        test::writeDosFile(dos, "ZELK.DAT", test::dosMemberLine("7", "0", "0", "5", "MRS", "ANN", "SMITH & JONES"));
        test::writeDosFile(dos, "TYP_LOOK.DAT", "\"FULL\",\"\"\r\n");
        frmGetZelkDos w(p->state(), p->main());
        w.show();
        w.chkProper->click();
        DialogScript::answerFile(dos + "ZELK2.DAT");
        for (int m = 0; m < titles.size(); ++m)
            MessageScript::answer(MsgAnswer::OK);
        QTest::mouseClick(w.Command2, Qt::LeftButton);
        QCOMPARE(DialogScript::fileQuestions().last().filter, QStringLiteral("DOS Files (zelk2.dat)|zelk2.dat"));
        QCOMPARE(w.DosFolder, dos);
        QStringList asked;
        for (const MessageRequest& m : MessageScript::asked())
            asked << m.title;
        QCOMPARE(asked, titles);
        const QStringList members = test::registerRows(p->databasePath(), "Select Number, Surname from Zelk ORDER BY Number");
        if (ccvtExit == 0) {
            QCOMPARE(MessageScript::asked().at(0).text,
                     QStringLiteral("Your current files will need to be converted to a format that I can read in.\n\nA number "
                                    "of screens will appear during the process - they should close themselves when "
                                    "everything is done.\n\nThis may take a while - please don't interrupt the process."));
            QCOMPARE(MessageScript::asked().at(1).text, QStringLiteral("Once all the new screens have disappeared, please press OK. Thanks!"));
            QCOMPARE(int(MessageScript::asked().at(1).icon), int(MsgIcon::Exclamation));
            QCOMPARE(w.result(), int(QDialog::Accepted));
            QCOMPARE(members, (QStringList{"7|Smith & Jones", "40|Zed"}));
            QCOMPARE(w.Label3->text(), QStringLiteral("Converting Mrs Ann Smith & Jones"));
            QCOMPARE(p->main().boxText(kSurnameBox), QStringLiteral("Smith & Jones"));
        } else {
            QVERIFY(w.isVisible());
            QVERIFY(w.Command2->isEnabled());
            QVERIFY(w.Label3->isHidden());
            QCOMPARE(members, (QStringList{"1|", "40|Zed"}));
            QCOMPARE(programs.runs().size(), 3);
        }
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
