// Printing labels from the program: the members of the report selection in the print
// preview, one page per sheet, printed on a printer (here one that writes a file) or saved
// as a PDF; and what the user is told when there is nothing to print or printing fails.
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

namespace {

const QString kEveryone = "SELECT * from Zelk  ORDER BY  Surname";

// What the preview showed, and what the test did with it.
struct Shown {
    QString title;
    int pages = -1;
    bool accepted = false;
};

} // namespace

class LabelPreviewTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestProgram> p;

    // The program on a register of `members` members, surnames P01, P02, ..., without the
    // empty member of a new register.
    void start(int members)
    {
        p = std::make_unique<TestProgram>();
        for (int i = members; i >= 1; --i)
            p->addMember({{"Number", 100 + i}, {"Surname", QStringLiteral("P%1").arg(i, 2, 10, QChar('0'))}, {"Address1", "1 High St"}});
        p->start();
        p->state().dbZelk->execute("DELETE FROM Zelk WHERE Surname = \"\"");
        p->state().SelectionSQL = kEveryone;
    }
    // Prints with the preview handed to `act`; returns what the preview showed.
    Shown print(const LabelPrintOptions& options, const std::function<void(frmLabelPreview&)>& act = {})
    {
        Shown shown;
        setModalHandler([&](QDialog& dialog) {
            auto& preview = dynamic_cast<frmLabelPreview&>(dialog);
            shown.title = preview.windowTitle();
            shown.pages = preview.findChild<QPrintPreviewWidget*>()->pageCount();
            if (act)
                act(preview);
            shown.accepted = preview.result() == QDialog::Accepted && !preview.isVisible();
        });
        PrintLabels(p->state(), options, &p->main());
        setModalHandler({});
        return shown;
    }
    // Prints on the preview's printer as its Print button does once a printer is chosen.
    static void printTo(frmLabelPreview& preview, const QString& file)
    {
        preview.printer()->setOutputFormat(QPrinter::PdfFormat);
        preview.printer()->setOutputFileName(file);
        preview.findChild<QPrintPreviewWidget*>()->print();
        preview.reject();
    }
    static QString place(const QList<PdfWord>& words, const QString& text)
    {
        const PdfWord w = findWord(words, text);
        return QStringLiteral("page %1 at %2, %3").arg(w.page).arg(w.left / 72, 0, 'f', 2).arg(w.top / 72, 0, 'f', 2);
    }

private slots:
    void cleanup()
    {
        setModalHandler({});
        const bool tidy = MessageScript::unexpected().isEmpty() && MessageScript::pendingAnswers() == 0 && DialogScript::unexpected() == 0;
        p.reset();
        QVERIFY2(tidy, "a message or question nobody answered, or an answer never asked for");
    }

    // The preview shows one page per sheet; printed, each label stands at the sheet's own
    // distances from the paper's edges, whatever margin the printer keeps.
    void previewAndPrint()
    {
        start(22);
        const QString pdf = p->world().file("printed.pdf");
        const Shown shown = print({false, true, 1}, [&](frmLabelPreview& preview) { printTo(preview, pdf); });
        QCOMPARE(shown.title, QString("Print labels - 22 labels on 2 sheets of L7160"));
        QCOMPARE(shown.pages, 2);
        const auto words = pdfWords(pdf);
        QCOMPARE(QStringList({place(words, "P01"), place(words, "P06"), place(words, "P22")}),
                 QStringList({"page 1 at 0.28, 0.63", "page 1 at 5.48, 2.13", "page 2 at 0.28, 0.63"}));
        QCOMPARE(pdfPageCount(pdf), 2);
        QVERIFY(p->state().rsZelk->eof());
        QCOMPARE(messagesShown(), QStringList());
    }

    // Start at label 5: the first four places of the first sheet stay empty.
    void startPartWayIntoTheFirstSheet()
    {
        start(18);
        const QString pdf = p->world().file("printed.pdf");
        const Shown shown = print({true, false, 5}, [&](frmLabelPreview& preview) { printTo(preview, pdf); });
        QCOMPARE(shown.pages, 2);
        const auto words = pdfWords(pdf);
        QCOMPARE(QStringList({place(words, "P01"), place(words, "P17"), place(words, "P18"), findWord(words, "HIGH").text}),
                 QStringList({"page 1 at 2.88, 2.13", "page 1 at 5.48, 9.63", "page 2 at 0.28, 0.63", "HIGH"}));
    }

    void saveAsPdf()
    {
        start(3);
        DialogScript::answerFile(p->world().file("for the library"));
        const Shown shown = print({}, [](frmLabelPreview& preview) { preview.cmdSavePdf->trigger(); });
        QVERIFY(shown.accepted);
        const FileQuestion asked = DialogScript::fileQuestions().value(0);
        QCOMPARE(QStringList({asked.caption, QFileInfo(asked.folder).fileName(), asked.filter}),
                 QStringList({"Save the labels as a PDF file", "labels.pdf", "PDF files (*.pdf)|*.pdf"}));
        const QString pdf = p->world().file("for the library.pdf");
        QCOMPARE(pdfPageCount(pdf), 1);
        QCOMPARE(place(pdfWords(pdf), "P03"), QString("page 1 at 5.48, 0.63"));
    }

    // A file that cannot be written is reported and the preview stays open; a printer that
    // fails is reported once the preview closes; a preview closed without printing says nothing.
    void failuresAreTold()
    {
        start(3);
        const QString missing = p->world().file("no such folder/labels.pdf");
        DialogScript::answerFile(missing);
        MessageScript::answer(MsgAnswer::OK);
        bool stillOpen = false;
        print({}, [&](frmLabelPreview& preview) {
            preview.cmdSavePdf->trigger();
            stillOpen = preview.isVisible();
        });
        QVERIFY(stillOpen);
        QVERIFY(messagesShown().value(0).startsWith("Labels not saved | OK Exclamation OK | The labels could not be saved as " + missing + " ("));
        QVERIFY(messagesShown().value(0).endsWith("). Please choose another folder or file name."));

        MessageScript::start();
        MessageScript::answer(MsgAnswer::OK);
        print({}, [&](frmLabelPreview& preview) { printTo(preview, missing); });
        QCOMPARE(messagesShown(), QStringList({"Printing failed | OK Exclamation OK | The labels could not be printed on " + missing
                                               + ". Please check that the printer is switched on and ready, or save the labels as a PDF "
                                                 "file from the preview and print that."}));

        MessageScript::start();
        const Shown cancelled = print({});
        QCOMPARE(cancelled.pages, 1);
        QVERIFY(!cancelled.accepted);
        QCOMPARE(messagesShown(), QStringList());
    }

    void nothingToPrint_data()
    {
        QTest::addColumn<QString>("selection");
        QTest::addColumn<QString>("sheet");
        QTest::addColumn<int>("startAt");
        QTest::addColumn<QString>("message");
        QTest::newRow("no member selected") << "SELECT * from Zelk WHERE Number = 1 ORDER BY  Surname" << "L7160" << 1
                                            << "No labels to print | OK Information OK | There are no members in this selection, so there are no labels to print.";
        QTest::newRow("a start past the sheet's end") << kEveryone << "L7162" << 17
                                                      << "Labels not printed | OK Exclamation OK | Label sheet L7162 holds 16 labels, so the first "
                                                         "label printed must be one of labels 1 to 16.";
        QTest::newRow("a sheet of no labels across") << kEveryone << "NONE" << 1
                                                     << "Labels not printed | OK Exclamation OK | Label sheet NONE has no labels: it must be at least 1 "
                                                        "label wide and 1 label high. Please correct it with Change label type in the program defaults.";
    }
    void nothingToPrint()
    {
        QFETCH(QString, selection);
        QFETCH(QString, sheet);
        QFETCH(int, startAt);
        QFETCH(QString, message);
        start(3);
        p->state().dbZelk->execute("INSERT INTO Labels VALUES (\"NONE\", 1, 1, 1, 1, 0, 0, 0, 5, Null, Null)");
        p->state().reopen(p->state().rsLabels, "Select * from Labels");
        saveSetting(setting::LabelSize, sheet);
        p->state().SelectionSQL = selection;
        MessageScript::answer(MsgAnswer::OK);
        const Shown shown = print({false, false, startAt});
        QCOMPARE(shown.pages, -1);
        QCOMPARE(messagesShown(), QStringList{message});
    }
};

ZELK_TEST(LabelPreviewTest)
#include "tst_label_preview.moc"
