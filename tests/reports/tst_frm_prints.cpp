// The reports window over the real main window, on a small club: what it shows as it
// loads, the rules of its boxes, and what Print Report makes, tells and leaves the main
// window browsing, the browser being a recorder that notes what it was started with.
#include "club.h"
#include "label_pdf.h"

#include "testlib/test_program.h"
#include "testlib/test_registry.h"

#include "config/frm_zelk_defaults.h"
#include "core/program_folder.h"
#include "core/settings_store.h"
#include "engine/database.h"
#include "engine/recordset.h"
#include "entry/member_boxes.h"
#include "reports/frm_label_preview.h"
#include "reports/frm_prints.h"
#include "ui/frm_about.h"
#include "ui/message_box.h"
#include "ui/modal.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace zelk;
using namespace zelk::test;
using namespace zelk::reports;

namespace {

// "title|text|buttons|icon" of every message shown.
QStringList messages()
{
    static const char* const buttons[] = {"OK", "OKCancel", "YesNo", "YesNoCancel"};
    static const char* const icons[] = {"None", "Critical", "Question", "Exclamation", "Information"};
    QStringList out;
    for (const auto& m : MessageScript::asked())
        out << m.title + u'|' + m.text + u'|' + buttons[int(m.buttons)] + u'|' + icons[int(m.icon)];
    return out;
}

void ok(int count = 1)
{
    while (count-- > 0)
        MessageScript::answer(MsgAnswer::OK);
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(no file)");
}

const QByteArray kHead = "\xEF\xBB\xBF<html><head><title>\r\nZelk Membership Report\r\n</title></head><body>\r\n<table width=\"100%\">\r\n";

} // namespace

class ReportsWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestProgram> p;
    std::unique_ptr<frmPrints> w;
    QString recorder;   // the browser: notes its arguments in recorder + ".args"

    // The club in a program of its own, the main window on its first member in surname order,
    // the reports window open over it.
    void open(const QMap<QString, QString>& settings = {})
    {
        w.reset();
        p = std::make_unique<TestProgram>();
        for (const QVariantMap& m : club())
            p->addMember(m);
        Database::open(p->databasePath())->execute(QStringLiteral("Delete from Zelk WHERE Surname = \"\""));
        for (auto it = settings.begin(); it != settings.end(); ++it)
            SaveSetting(QStringLiteral("Defaults"), it.key(), it.value());
        p->start();
        QDir(p->world().folder()).mkpath(QStringLiteral("web browser"));
        recorder = p->world().file(QStringLiteral("web browser/record it"));
        QFile script(recorder);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\n{ echo \"$#\"; for a in \"$@\"; do echo \"$a\"; done; } > \"$0.args\"\n");
        script.close();
        script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
        p->state().BrowserPath = recorder;
        w = std::make_unique<frmPrints>(p->state(), p->main(), &p->main());
        w->show();
        w->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), w.get());
    }

    QString shown() const { return p->main().boxText(kSurnameBox); }
    // The surnames the main window browses from its current member on, by Next.
    QStringList browsed()
    {
        QStringList out;
        for (int i = 0; i < 8; ++i) {
            if (out.isEmpty() || out.last() != shown())
                out << shown();
            p->main().cmdNext_Click(2);
        }
        return out;
    }
    QString visibleContent() const
    {
        QStringList out;
        if (w->Label1[16]->isVisibleTo(w.get()))
            out << w->Label1[16]->text();
        for (auto* b : w->chkInclude)
            if (b->isVisibleTo(w.get()))
                out << b->text();
        for (auto* b : w->optNameOrder)
            if (b->isVisibleTo(w.get()))
                out << b->text();
        if (w->txtStartLabel->isVisibleTo(w.get()))
            out << w->lblStartLabel->text() + w->txtStartLabel->text();
        return out.join(u'|');
    }
    void typeInto(QLineEdit* box, const QString& text)
    {
        box->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(box, text);
    }

private slots:
    void cleanup()
    {
        const bool tidy = MessageScript::unexpected().isEmpty() && MessageScript::pendingAnswers() == 0;
        setModalHandler({});
        w.reset();
        p.reset();
        QVERIFY2(tidy, "a message nobody answered, or an answer never asked for");
    }

    void loading_data()
    {
        QTest::addColumn<QString>("reportType");   // "(none)": no setting
        QTest::addColumn<QString>("upperCase");
        QTest::addColumn<int>("chosen");
        QTest::addColumn<QString>("content");
        QTest::addColumn<bool>("upper");
        const QString all = "Include:|Phone|Membership type|Renewal date|Lookups|Number|Birthday|E-mail address|Title 1st|Surname 1st";
        QTest::newRow("no settings") << "(none)" << "(none)" << 1 << all << false;
        QTest::newRow("Labels, upper case") << "Labels" << "-1" << 0 << "Include:|Number|Start at label:1" << true;
        QTest::newRow("List") << "List" << "0" << 1 << all << false;
        QTest::newRow("File") << "File" << "1" << 2 << "" << false;
        QTest::newRow("E-mail") << "E-mail" << "-1" << 3 << "" << true;
        QTest::newRow("unknown: no type chosen") << "list" << "(none)" << -1 << all << false;
    }
    void loading()
    {
        QFETCH(QString, reportType);
        QFETCH(QString, upperCase);
        QFETCH(int, chosen);
        QFETCH(QString, content);
        QFETCH(bool, upper);
        QMap<QString, QString> settings;
        if (reportType != "(none)")
            settings.insert("ReportType", reportType);
        if (upperCase != "(none)")
            settings.insert("UpperCase", upperCase);
        open(settings);
        QCOMPARE(w->windowTitle(), QStringLiteral("Zelk Membership Reports"));
        QCOMPARE(int(w->reportType()), chosen);
        QCOMPARE(visibleContent(), content);
        QCOMPARE(w->chkUpper->isChecked(), upper);
        for (auto* o : w->optLapsed)
            QVERIFY(!o->isChecked());
        for (auto* o : w->optNameOrder)
            QVERIFY(!o->isChecked());

        // Each report type shows the content options it uses.
        const QStringList byType{"Include:|Number|Start at label:1",
                                 "Include:|Phone|Membership type|Renewal date|Lookups|Number|Birthday|E-mail address|Title 1st|Surname 1st",
                                 "", ""};
        for (int i : {2, 0, 3, 1}) {
            QTest::mouseClick(w->optReport[i], Qt::LeftButton, {}, QPoint(8, w->optReport[i]->height() / 2));
            QCOMPARE(visibleContent(), byType[i]);
        }
    }

    // Leaving a date box corrects it or reports its year, as the rule for date boxes says.
    void dateBoxes()
    {
        open();
        typeInto(w->txtRange[range::BirthdayFrom], "45");
        QTest::keyClick(w->txtRange[range::BirthdayFrom], Qt::Key_Tab);
        QCOMPARE(w->txtRange[range::BirthdayFrom]->text(), QStringLiteral("31"));
        ok();
        typeInto(w->txtRange[range::RenewalFrom + 2], "0");
        QTest::keyClick(w->txtRange[range::RenewalFrom + 2], Qt::Key_Tab);
        QCOMPARE(w->txtRange[range::RenewalFrom + 2]->text(), QStringLiteral("0"));
        QCOMPARE(messages(), QStringList{"Year wrong|Zelk needs the year to be either 2 or 4 digits long to be able "
                                         "to produce correct reports.|OK|Information"});
    }

    void keys()
    {
        open();
        typeInto(w->txtRange[range::NumberFrom], "a1-b2 ");
        typeInto(w->txtRange[range::RenewalFrom], "123");
        typeInto(w->txtRange[range::RenewalFrom + 2], "20261");
        typeInto(w->txtPriority[0], "0a63");
        typeInto(w->txtRange[range::SurnameFrom], "O'Brien-Smith & \"Co\"" + QString(90, u'x'));
        QCOMPARE(w->txtRange[range::NumberFrom]->text(), QStringLiteral("12"));
        QCOMPARE(w->txtRange[range::RenewalFrom]->text(), QStringLiteral("12"));
        QCOMPARE(w->txtRange[range::RenewalFrom + 2]->text(), QStringLiteral("2026"));
        QCOMPARE(w->txtPriority[0]->text(), QStringLiteral("3"));
        QCOMPARE(w->txtRange[range::SurnameFrom]->text(), "O'Brien-Smith & \"Co\"" + QString(80, u'x'));

        // Up and Down move between the boxes, Enter moves on and makes no report.
        QTest::keyClick(w->txtRange[range::SurnameFrom], Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), w->txtRange[range::SurnameTo]);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
        QCOMPARE(QApplication::focusWidget(), w->txtRange[range::SurnameFrom]);
        QVERIFY(w->txtRange[range::SurnameFrom]->hasSelectedText());
        w->txtHeading->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(w->txtHeading, "  Annual list  ");
        QTest::keyClick(w->txtHeading, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w->Command1);
        QCOMPARE(w->txtHeading->text(), QStringLiteral("Annual list"));
        QTest::keyClick(w->Command1, Qt::Key_Return);
        QVERIFY(w->isVisible());
        QVERIFY(!QFile::exists(programFile("report.htm")));
    }

    // A list of the full members by number, highest first, surname first, in a program folder
    // whose name has a blank; the browser gets the page as its one argument.
    void listReport()
    {
        open();
        const QString home = p->world().file("Club Files");
        QDir().mkpath(home);
        qputenv("ZELK_HOME", home.toLocal8Bit());
        w->optReport[1]->click();
        typeInto(w->txtRange[range::TypeFrom], "f");
        typeInto(w->txtRange[range::TypeTo], "f");
        typeInto(w->txtPriority[2], "1");
        w->chkDesc[2]->click();
        w->chkInclude[include::Number]->click();
        w->optNameOrder[1]->click();
        w->optLapsed[1]->click();
        typeInto(w->txtHeading, "Full & family members");
        w->Command1->click();

        const QString page = home + "/report.htm";
        QCOMPARE(readFile(page), kHead + "<h2 align=center>Full &amp; family members</h2>\r\n"
                                         "<tr><td align=right>20&nbsp;</td><td>Quinn, 1 High St</td></tr>\r\n"
                                         "<tr><td align=right>6&nbsp;</td><td>Müller, 1 High St, GH7 8KL</td></tr>\r\n"
                                         "<tr><td align=right>4&nbsp;</td><td>Smithers, 1 High St, ab1 9zz</td></tr>\r\n"
                                         "<tr><td align=right>2&nbsp;</td><td>Brown, 1 High St, AB2 9ZZ</td></tr>\r\n"
                                         "<tr><td align=right>1&nbsp;</td><td>Adams, 1 High St, AB1 2CD</td></tr>\r\n"
                                         "</table></body></html>\r\n");
        QTRY_VERIFY(QFile::exists(recorder + ".args"));
        QTRY_COMPARE(readFile(recorder + ".args"), "1\n" + page.toUtf8() + "\n");
        QCOMPARE(p->state().SelectionSQL,
                 QStringLiteral("SELECT * from Zelk WHERE UCase(MemberType) >= \"F\" and UCase(MemberType) <= \"FZZ\" and "
                                "Lapsed = False  ORDER BY  Number Desc"));
        QCOMPARE(messages(), QStringList{});
        QCOMPARE(browsed(), (QStringList{"Quinn", "Müller", "Smithers", "Brown", "Adams"}));
    }

    void dataExport()
    {
        open();
        w->optReport[2]->click();
        w->optLapsed[2]->click();
        w->chkUpper->click();
        typeInto(w->txtRange[range::NumberFrom], "5");
        typeInto(w->txtRange[range::NumberTo], "3");
        ok();
        w->Command1->click();
        const QString file = programFile("report.txt");
        QCOMPARE(messages(), QStringList{"All done|Data exported to " + file + "|OK|Information"});
        QCOMPARE(w->txtRange[range::NumberTo]->text(), QStringLiteral("5"));   // the inverted range corrected
        const QList<QByteArray> lines = readFile(file).split('\n');
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines[0].startsWith("\"Number\",\"Join Date\""));
        QCOMPARE(lines[1], QByteArray("\"5\",\"\",\"\",\"\",\"\",\"\",\"\",\"JONES\",\"1 HIGH ST\",\"\",\"\",\"\",\"\",\"EF5 6IJ\","
                                      "\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"SENIOR\",\"\",\"\",\"\",\"\",\"\",\"DARTS\",\"TRUE\"\r"));
        QCOMPARE(browsed(), QStringList{"Jones"});
    }

    // Labels of the selection in upper case with their numbers, from label 21 of the first
    // sheet: the print preview shows them, and the main window then browses the selection.
    void labels()
    {
        open();
        w->optReport[0]->click();
        w->chkUpper->click();
        w->chkInclude[include::Number]->click();
        typeInto(w->txtRange[range::SurnameFrom], "sm");
        w->txtStartLabel->selectAll();
        typeInto(w->txtStartLabel, "2x1");
        QCOMPARE(w->txtStartLabel->text(), QStringLiteral("21"));
        const QString pdf = p->world().file("labels.pdf");
        QString shown;
        setModalHandler([&](QDialog& dialog) {
            auto& preview = dynamic_cast<frmLabelPreview&>(dialog);
            shown = preview.windowTitle();
            preview.printer()->setOutputFormat(QPrinter::PdfFormat);
            preview.printer()->setOutputFileName(pdf);
            preview.findChild<QPrintPreviewWidget*>()->print();
            preview.reject();
        });
        w->Command1->click();
        QCOMPARE(shown, QStringLiteral("Print labels - 2 labels on 2 sheets of L7160"));
        QStringList words;
        for (const PdfWord& word : pdfWords(pdf))
            words << word.text;
        QCOMPARE(words, (QStringList{"SMITH", "1", "HIGH", "ST", "CD3", "4GH", "3", "SMITHERS", "1", "HIGH", "ST", "AB1", "9ZZ", "4"}));
        QCOMPARE(browsed(), (QStringList{"Smith", "Smithers"}));
    }

    // E-mail opens the message window on the selection; closed without sending, the main
    // window keeps its members.
    void email()
    {
        open({{"ReportType", "E-mail"}});
        p->main().cmdNext_Click(2);   // Brown
        const Recordset* members = p->state().rsZelk.get();
        typeInto(w->txtRange[range::SurnameFrom], "sm");
        QStringList opened;
        setModalHandler([&](QDialog& d) {
            opened << QString::fromLatin1(d.metaObject()->className());
            d.reject();
        });
        w->Command1->click();
        QCOMPARE(opened, QStringList{"zelk::frmGetMessage"});
        QCOMPARE(p->state().SelectionSQL, QStringLiteral("SELECT * from Zelk WHERE UCase(Surname) >= \"SM\"  ORDER BY  Surname"));
        QCOMPARE(p->state().rsZelk.get(), members);
        QCOMPARE(shown(), QStringLiteral("Brown"));
    }

    // Nobody selected: the page has an empty table; the main window then shows no-one, and
    // its next save adds a member.
    void emptySelection()
    {
        open();
        w->optReport[1]->click();
        typeInto(w->txtRange[range::SurnameFrom], "zz");
        w->Command1->click();
        QCOMPARE(readFile(programFile("report.htm")),
                 kHead + "<h2 align=center>Zelk Membership Report</h2>\r\n</table></body></html>\r\n");
        QCOMPARE(messages(), QStringList{});
        QCOMPARE(p->state().rsZelk->recordCount(), 0);
        QCOMPARE(shown(), QString());
        QCOMPARE(p->state().NewMember, -1);
        w->close();
        p->main().setBoxText(kNumberBox, "30");
        p->main().setBoxText(kSurnameBox, "Zed");
        p->main().setBoxText(kAddress1Box, "2 Low Rd");
        p->main().Command1_Click(0);
        QCOMPARE(registerRows(p->databasePath(), "Select Number, Surname from Zelk WHERE Number = 30"), QStringList{"30|Zed"});
        QCOMPARE(registerRows(p->databasePath(), "Select Number from Zelk").size(), int(club().size()) + 1);
    }

    // What cannot be done is said plainly: nothing is built or run for an incomplete date,
    // and the main window keeps its members when the register refuses the query.
    void refusals_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("message");
        QTest::newRow("incomplete date") << 1 << "date" << "Date incomplete|Zelk needs the whole date to produce correct reports, but the "
                                                          "renewal date To date has no month.\n\nPlease fill in its day, month and year, or "
                                                          "leave all three empty.|OK|Exclamation";
        QTest::newRow("register locked") << 2 << "locked" << "Report not made|Zelk could not select the members for this report:\n";
    }
    void refusals()
    {
        QFETCH(int, type);
        QFETCH(QString, what);
        QFETCH(QString, message);
        open();
        p->main().cmdNext_Click(2);   // Brown
        const Recordset* members = p->state().rsZelk.get();
        const QString sql = p->state().SQLText;
        w->optReport[type]->click();
        typeInto(w->txtRange[range::SurnameFrom], "Smith");
        typeInto(w->txtRange[range::SurnameTo], "Jones");
        if (what == "date") {
            typeInto(w->txtRange[range::RenewalTo], "1");
            typeInto(w->txtRange[range::RenewalTo + 2], "2026");
            w->txtRange[range::SurnameFrom]->setFocus();
        }
        std::unique_ptr<Database> other;
        if (what == "locked") {
            other = Database::open(p->databasePath());
            runSql(other->handle(), QStringLiteral("BEGIN EXCLUSIVE"));
        }
        ok();
        w->Command1->click();
        if (other)
            runSql(other->handle(), QStringLiteral("ROLLBACK"));
        QCOMPARE(messages().size(), 1);
        QVERIFY2(messages().value(0).startsWith(message), qPrintable(messages().value(0)));
        QCOMPARE(p->state().rsZelk.get(), members);
        QCOMPARE(p->state().SQLText, sql);
        QCOMPARE(browsed(), (QStringList{"Brown", "Jones", "Müller", "Quinn", "Smith", "Smithers"}));
        QVERIFY(!QFile::exists(programFile("report.htm")) && !QFile::exists(programFile("report.txt")));
        if (what == "date")
            QCOMPARE(QApplication::focusWidget(), w->txtRange[range::RenewalTo + 1]);
        QCOMPARE(w->txtRange[range::SurnameTo]->text(), what == "date" ? QStringLiteral("Jones") : QStringLiteral("Smith"));
        QCOMPARE(p->state().SelectionSQL, what == "date" ? QString() : QStringLiteral("SELECT * from Zelk WHERE UCase(Surname) >= \"SMITH\" "
                                                                                        "and UCase(Surname) <= \"SMITHZZ\"  ORDER BY  Surname"));
    }

    // A report file that cannot be written, a browser that cannot be started, a browser not
    // known: each said plainly, naming the file; the main window browses the selection.
    void outputTrouble_data()
    {
        QTest::addColumn<QString>("trouble");
        QTest::addColumn<QString>("message");
        QTest::newRow("report file cannot be written")
            << "folder" << "Report not saved|Zelk could not write the report file %1:\n";
        QTest::newRow("browser missing")
            << "browser" << "Browser not started|Zelk could not start your web browser, /no/such/browser, to show the report.\n\n"
                            "The report has been saved as %1. You can open it in your browser yourself, or choose your browser "
                            "with \"Find web browser\" on the Options menu of the main window.|OK|Exclamation";
        QTest::newRow("no browser known")
            << "none" << "Browser Not Found|I can't find your web browser.\n\nYou will need to find it yourself from the Options "
                         "menu. Sorry.|OK|Exclamation\nBrowser not started|Zelk does not know which web browser to use, so it cannot "
                         "show the report.\n\nThe report has been saved as %1. You can open it in your browser yourself, or choose "
                         "your browser with \"Find web browser\" on the Options menu of the main window.|OK|Exclamation";
    }
    void outputTrouble()
    {
        QFETCH(QString, trouble);
        QFETCH(QString, message);
        open();
        const QString page = programFile("report.htm");
        const QByteArray path = qgetenv("PATH");
        if (trouble == "folder")
            QDir().mkpath(page);   // a folder where the file should go
        else if (trouble == "browser")
            p->state().BrowserPath = "/no/such/browser";
        else {
            p->state().BrowserPath.clear();
            qputenv("PATH", "");   // the desktop has no browser to offer
        }
        w->optReport[1]->click();
        typeInto(w->txtRange[range::SurnameFrom], "s");
        ok(trouble == "none" ? 2 : 1);
        w->Command1->click();
        qputenv("PATH", path);
        QVERIFY2(messages().join(u'\n').startsWith(message.arg(page)), qPrintable(messages().join(u'\n')));
        if (trouble != "folder")
            QVERIFY(readFile(page).startsWith(kHead));
        QVERIFY(!QFile::exists(recorder + ".args"));
        QCOMPARE(browsed(), (QStringList{"Smith", "Smithers"}));
    }

    // The main window's Reports button and menu open the window, but not over unsaved typing.
    void openedFromTheMainWindow()
    {
        open();
        w.reset();
        QStringList opened;
        setModalHandler([&](QDialog& d) {
            opened << QString::fromLatin1(d.metaObject()->className());
            d.reject();
        });
        p->main().Command1[4]->click();
        p->main().menuPrints->trigger();
        QCOMPARE(opened, (QStringList{"zelk::frmPrints", "zelk::frmPrints"}));
        p->main().setBoxText(kSurnameBox, "Adamson");
        ok();
        p->main().Command1[4]->click();
        QCOMPARE(opened.size(), 2);
        QCOMPARE(messages(), QStringList{"Unsaved changes|You have changed this member but not saved the changes.\n\n"
                                         "Please save or undo them before making a report.|OK|Exclamation"});
        QCOMPARE(shown(), QStringLiteral("Adamson"));
    }

    void menus()
    {
        open();
        QStringList opened;
        setModalHandler([&](QDialog& d) {
            opened << QString::fromLatin1(d.metaObject()->className());
            d.done(QDialog::Rejected);   // closed without the defaults window's Cancel question
        });
        w->menuDefaults->trigger();
        w->mnuHelp[2]->trigger();
        ok();
        w->mnuHelp[0]->trigger();
        QCOMPARE(opened, (QStringList{"zelk::frmZelkDefaults", "zelk::frmAbout"}));
        QCOMPARE(messages(), QStringList{"Zelk Membership|Help file still to be created|OK|None"});
        w->mnuFile->trigger();
        QVERIFY(!w->isVisible());
    }
};

ZELK_TEST(ReportsWindowTest)
#include "tst_frm_prints.moc"
