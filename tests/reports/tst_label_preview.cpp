// Printing labels from the program: the report selection in the print preview, one page per
// sheet, printed (on a printer that writes a file) or saved as a PDF; and what the user is
// told when there is nothing to print or printing fails.
#include "label_pdf.h"

#include "testlib/test_checks.h"
#include "testlib/test_program.h"
#include "testlib/test_registry.h"

#include "core/settings_store.h"
#include "engine/database.h"
#include "reports/frm_label_preview.h"
#include "ui/modal.h"
#include "ui/user_dialogs.h"

#include <QFileInfo>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTest>

using namespace zelk;
using namespace zelk::test;

class LabelPreviewTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestProgram> p;

    // The program on a register of members P01, P02, ... (and no empty member).
    void start(int members)
    {
        p = std::make_unique<TestProgram>();
        for (int i = members; i >= 1; --i)
            p->addMember({{"Number", 100 + i}, {"Surname", QStringLiteral("P%1").arg(i, 2, 10, QChar('0'))}, {"Address1", "1 high st"}});
        p->start();
        p->state().dbZelk->execute("DELETE FROM Zelk WHERE Surname = \"\"");
        p->state().SelectionSQL = "SELECT * from Zelk  ORDER BY  Surname";
    }
    // Prints with the preview handed to `act`; gives the preview's title and page count.
    QString print(const LabelPrintOptions& options, const std::function<void(frmLabelPreview&)>& act = {}, bool* replaced = nullptr)
    {
        QString shown = "no preview";
        setModalHandler([&](QDialog& dialog) {
            auto& preview = dynamic_cast<frmLabelPreview&>(dialog);
            shown = QStringLiteral("%1, %2 pages").arg(preview.windowTitle()).arg(preview.findChild<QPrintPreviewWidget*>()->pageCount());
            if (act)
                act(preview);
        });
        const bool members = PrintLabels(p->state(), options, &p->main());
        if (replaced)
            *replaced = members;
        setModalHandler({});
        return shown;
    }
    // Prints as the preview's Print button does once a printer is chosen.
    static void printTo(frmLabelPreview& preview, const QString& file)
    {
        preview.printer()->setOutputFormat(QPrinter::PdfFormat);
        preview.printer()->setOutputFileName(file);
        preview.findChild<QPrintPreviewWidget*>()->print();
        preview.reject();
    }

private slots:
    void cleanup()
    {
        setModalHandler({});
        const bool tidy = MessageScript::unexpected().isEmpty() && MessageScript::pendingAnswers() == 0 && DialogScript::unexpected() == 0;
        p.reset();
        QVERIFY2(tidy, "a message or question nobody answered, or an answer never asked for");
    }

    // Printed, each label stands at the sheet's own distances from the paper's edges,
    // whatever margin the printer keeps; the first four places were used before.
    void previewAndPrint()
    {
        start(18);
        const QString pdf = p->world().file("printed.pdf");
        QCOMPARE(print({true, true, 5}, [&](frmLabelPreview& preview) { printTo(preview, pdf); }),
                 QString("Print labels - 18 labels on 2 sheets of L7160, 2 pages"));
        const auto words = pdfWords(pdf);
        QCOMPARE(QStringList({placeOf(words, "P01"), placeOf(words, "P17"), placeOf(words, "P18"), findWord(words, "HIGH").text}),
                 QStringList({"page 1 at 2.88, 2.13", "page 1 at 5.48, 9.63", "page 2 at 0.28, 0.63", "HIGH"}));
        QVERIFY(p->state().rsZelk->eof());
        QCOMPARE(messagesShown(), QStringList());
    }

    // Saved as a PDF: a file that cannot be written is told and the preview stays open for
    // another name; a good name writes the file and closes the preview.
    void saveAsPdf()
    {
        start(3);
        const QString missing = p->world().file("no such folder/labels.pdf");
        DialogScript::answerFile(missing);
        DialogScript::answerFile(p->world().file("for the library"));
        MessageScript::answer(MsgAnswer::OK);
        bool stillOpen = false, closed = false;
        print({}, [&](frmLabelPreview& preview) {
            preview.cmdSavePdf->trigger();
            stillOpen = preview.isVisible();
            preview.cmdSavePdf->trigger();
            closed = !preview.isVisible() && preview.result() == QDialog::Accepted;
        });
        QVERIFY(stillOpen);
        QVERIFY(closed);
        QVERIFY(messagesShown().value(0).startsWith("Labels not saved | OK Exclamation OK | The labels could not be saved as " + missing + " ("));
        const FileQuestion asked = DialogScript::fileQuestions().value(0);
        QCOMPARE(QStringList({asked.caption, QFileInfo(asked.folder).fileName(), asked.filter}),
                 QStringList({"Save the labels as a PDF file", "labels.pdf", "PDF files (*.pdf)|*.pdf"}));
        QCOMPARE(placeOf(pdfWords(p->world().file("for the library.pdf")), "P03"), QString("page 1 at 5.48, 0.63"));
    }

    // A printer that fails is told once the preview closes; a preview closed without
    // printing says nothing.
    void printerFailures()
    {
        start(3);
        const QString missing = p->world().file("no such folder/labels.pdf");
        MessageScript::answer(MsgAnswer::OK);
        print({}, [&](frmLabelPreview& preview) { printTo(preview, missing); });
        QCOMPARE(messagesShown(), QStringList({"Printing failed | OK Exclamation OK | The labels could not be printed on " + missing
                                               + ". Please check that the printer is switched on and ready, or save the labels as a PDF "
                                                 "file from the preview and print that."}));
        MessageScript::start();
        QCOMPARE(print({}), QString("Print labels - 3 labels on 1 sheet of L7160, 1 pages"));
        QCOMPARE(messagesShown(), QStringList());
    }

    void nothingToPrint_data()
    {
        QTest::addColumn<QString>("selection");
        QTest::addColumn<QString>("sheet");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("replaced");
        QTest::newRow("no member selected") << "SELECT * from Zelk WHERE Number = 1" << "L7160"
                                            << "No labels to print | OK Information OK | There are no members in this selection, so there are no labels to print." << true;
        QTest::newRow("a sheet of no labels across") << "SELECT * from Zelk" << "NONE"
                                                     << "Labels not printed | OK Exclamation OK | Label sheet NONE has no labels: it must be at least 1 "
                                                        "label wide and 1 label high. Please correct it with Change label type in the program defaults." << true;
        QTest::newRow("a selection the register refuses: the members stay as they were")
            << "SELECT * from Zelk WHERE NoSuchField = 1" << "L7160"
            << "Labels not printed | OK Exclamation OK | Zelk could not select the members for the labels:\n" << false;
    }
    void nothingToPrint()
    {
        QFETCH(QString, selection);
        QFETCH(QString, sheet);
        QFETCH(QString, message);
        QFETCH(bool, replaced);
        start(3);
        p->state().dbZelk->execute("INSERT INTO Labels VALUES (\"NONE\", 1, 1, 1, 1, 0, 0, 0, 5, Null, Null)");
        p->state().reopen(p->state().rsLabels, "Select * from Labels");
        saveSetting(setting::LabelSize, sheet);
        p->state().SelectionSQL = selection;
        MessageScript::answer(MsgAnswer::OK);
        const QString shownSql = p->state().SQLText;
        bool members = !replaced;
        QCOMPARE(print({}, {}, &members), QString("no preview"));
        QCOMPARE(messagesShown().size(), 1);
        QVERIFY2(messagesShown()[0].startsWith(message), qPrintable(messagesShown()[0]));
        QCOMPARE(members, replaced);
        QCOMPARE(p->state().SQLText == shownSql, !replaced);
    }
};

ZELK_TEST(LabelPreviewTest)
#include "tst_label_preview.moc"
