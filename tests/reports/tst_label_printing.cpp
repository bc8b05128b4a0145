// Address labels as the program prints them: where each label lies on the paper of a PDF the
// program wrote, what each label says, how the labels fill the sheets, which sheet and font
// are used, and how typed measures are read.
#include "label_pdf.h"

#include "testlib/test_checks.h"
#include "testlib/test_registry.h"
#include "testlib/test_world.h"

#include "core/app_state.h"
#include "core/settings_store.h"
#include "data/create_db.h"
#include "engine/database.h"
#include "engine/recordset.h"
#include "reports/label_geometry.h"
#include "reports/label_layout.h"
#include "reports/label_lines.h"
#include "reports/label_painter.h"

#include <QFile>
#include <QFontInfo>
#include <QSaveFile>
#include <QTest>

using namespace zelk;
using namespace zelk::test;

namespace {

constexpr double kPoints = 72.0;

// A register of the test's own, with the shared record sets a report uses.
struct Register {
    TestWorld world;
    AppState state;

    explicit Register(const QString& locale = "en_GB")
        : world(locale)
    {
        state.DatabasePath = world.file("zelk2002.mdb");
        buildNewDatabase(state.DatabasePath);
        state.dbZelk = Database::open(state.DatabasePath);
        state.reopen(state.rsLabels, "Select * from Labels");
    }
    void execute(const QString& sql)
    {
        state.dbZelk->execute(sql);
        state.reopen(state.rsLabels, "Select * from Labels");
    }
    LabelLayout sheet(const QString& name)
    {
        saveSetting(setting::LabelSize, name);
        return GetLabelLayout(state);
    }
    QStringList sheetNames()
    {
        QStringList names;
        for (state.rsLabels->moveFirst(); !state.rsLabels->eof(); state.rsLabels->moveNext())
            names << state.rsLabels->field("LabelName").toString();
        return names;
    }
};

// Writes the labels to a PDF in the world's folder, failing the test when it cannot.
QString writePdf(const TestWorld& world, const LabelLayout& layout, const QStringList& labels, int startAt = 1,
                 const QPageSize& paper = QPageSize(QPageSize::A4))
{
    const QString path = world.file("labels.pdf");
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    QString error;
    if (writeLabelsPdf(file, layout, labels, startAt, paper, &error) < 0 || !file.commit())
        qWarning("labels not written: %s", qPrintable(error));
    return path;
}

// "P1", "P2", ...: one word per label, to find each on the paper.
QStringList numbered(int count)
{
    QStringList labels;
    for (int i = 1; i <= count; ++i)
        labels << QStringLiteral("P%1\n").arg(i);
    return labels;
}

// Where a word was printed: "page 1 at 5.48, 2.13" (inches from the paper's left and top
// edges, to the hundredth). pdftotext puts a word's top at its font's ascent above the
// baseline, which for the first line of a label is the label's top edge.
QString placeOf(const QList<PdfWord>& words, const QString& text)
{
    const PdfWord w = findWord(words, text);
    if (w.page == 0)
        return text + " not printed";
    return QStringLiteral("page %1 at %2, %3").arg(w.page).arg(w.left / kPoints, 0, 'f', 2).arg(w.top / kPoints, 0, 'f', 2);
}

LabelMember member(const QVariant& title, const QVariant& first, const QVariant& surname, std::array<QVariant, 5> address,
                   const QVariant& postCode, const QVariant& number = 42)
{
    return {title, first, surname, address, postCode, number};
}

const QVariant Null;

// Places of the first and the last label of a full sheet, and of the last label of its
// second row, as the sheet's stored values put them (inches from the paper's left and top
// edges): left margin + (column - 1) x (width + horizontal gap), top margin + (row - 1) x
// (height + vertical gap).
struct Sheet {
    QString name;
    QString first, last, endOfRow2;
};

struct Lines {
    LabelMember member;
    LabelContent content;
    QString text;
};

struct Run {
    int members, startAt;
    int pages;
    QString first, last;   // where the first and the last member's label went
};

} // namespace

Q_DECLARE_METATYPE(Sheet)
Q_DECLARE_METATYPE(Lines)
Q_DECLARE_METATYPE(Run)

class LabelPrintingTest : public QObject {
    Q_OBJECT

private slots:
    void eachSheetPrintsAtItsStoredPlaces_data()
    {
        QTest::addColumn<Sheet>("sheet");
        QTest::newRow("L7159") << Sheet{"L7159", "page 1 at 0.25, 0.54", "page 1 at 5.51, 9.85", "page 1 at 5.51, 1.87"};
        QTest::newRow("L7160, row 2 column 3 at 0.28 + 2 x 2.6, 0.63 + 1.5")
            << Sheet{"L7160", "page 1 at 0.28, 0.63", "page 1 at 5.48, 9.63", "page 1 at 5.48, 2.13"};
        QTest::newRow("L7162") << Sheet{"L7162", "page 1 at 0.18, 0.54", "page 1 at 4.18, 9.85", "page 1 at 4.18, 1.87"};
        QTest::newRow("L7163") << Sheet{"L7163", "page 1 at 0.18, 0.63", "page 1 at 4.18, 9.63", "page 1 at 4.18, 2.13"};
        QTest::newRow("5159") << Sheet{"5159", "page 1 at 0.13, 0.25", "page 1 at 4.26, 9.25", "page 1 at 4.26, 1.75"};
        QTest::newRow("5162") << Sheet{"5162", "page 1 at 0.16, 0.83", "page 1 at 4.35, 8.81", "page 1 at 4.35, 2.16"};
        QTest::newRow("a sheet of the user's own, 4 by 10 with gaps both ways")
            << Sheet{"MYSHEET", "page 1 at 0.40, 0.50", "page 1 at 6.25, 10.40", "page 1 at 6.25, 1.60"};
    }
    void eachSheetPrintsAtItsStoredPlaces()
    {
        QFETCH(Sheet, sheet);
        Register r;
        r.execute("INSERT INTO Labels VALUES (\"MYSHEET\", 0.5, 0.4, 1.0, 1.9, 0.1, 0.05, 4, 10, Null, Null)");
        const LabelLayout layout = r.sheet(sheet.name);
        QCOMPARE(layout.name, sheet.name);
        const int perSheet = layout.labelsPerSheet();
        const auto words = pdfWords(writePdf(r.world, layout, numbered(perSheet)));
        QCOMPARE(QStringList({placeOf(words, "P1"), placeOf(words, QStringLiteral("P%1").arg(perSheet)),
                              placeOf(words, QStringLiteral("P%1").arg(2 * layout.labelsWide))}),
                 QStringList({sheet.first, sheet.last, sheet.endOfRow2}));
    }

    // Whatever margins a printer keeps, the labels stand where the sheet says: the same
    // places on Letter paper as on A4, measured from the paper's corner.
    void placesDoNotDependOnThePaperSize()
    {
        Register r;
        const LabelLayout layout = r.sheet("L7160");
        const auto words = pdfWords(writePdf(r.world, layout, numbered(6), 1, QPageSize(QPageSize::Letter)));
        QCOMPARE(placeOf(words, "P6"), QString("page 1 at 5.48, 2.13"));
    }

    void labelLines_data()
    {
        QTest::addColumn<Lines>("lines");
        const LabelContent plain, withNumber{false, true}, upper{true, true};
        const std::array<QVariant, 5> town{Null, Null, Null, Null, "Town"};
        QTest::newRow("the town, the post code, a tab and the number")
            << Lines{member("Mr", "John", "Smith", town, "AB1 2CD"), withNumber, "Mr John Smith\nTown, AB1 2CD\t42\n"};
        QTest::newRow("the same without the number")
            << Lines{member("Mr", "John", "Smith", town, "AB1 2CD"), plain, "Mr John Smith\nTown, AB1 2CD\n"};
        QTest::newRow("no post code: the number alone after the tab")
            << Lines{member("Mr", "John", "Smith", town, Null), withNumber, "Mr John Smith\nTown, \t42\n"};
        QTest::newRow("no post code and no number: no last line ended")
            << Lines{member("Mr", "John", "Smith", town, Null), plain, "Mr John Smith\nTown, "};
        QTest::newRow("a blank post code is no post code")
            << Lines{member(Null, Null, "Smith", {"1 High St", Null, Null, Null, Null}, "   "), withNumber, "Smith\n1 High St\n\t42\n"};
        QTest::newRow("no number stored: nothing after the post code's tab")
            << Lines{member(Null, "Ann", "Lee", {}, "ZZ1 1ZZ", Null), withNumber, "Ann Lee\nZZ1 1ZZ\t\n"};
        QTest::newRow("no number stored and no post code: no number line")
            << Lines{member(Null, "Ann", "Lee", {}, Null, Null), withNumber, "Ann Lee\n"};
        QTest::newRow("address lines that are Null, empty or blank are left out; the others keep their order")
            << Lines{member("Dr", "Jo", "Ng", {"", "Flat 2", "  ", "Hill Rd", Null}, "X1"), plain, "Dr Jo Ng\nFlat 2\nHill Rd\nX1\n"};
        QTest::newRow("an empty title or first name is not Null: each still has its blank")
            << Lines{member("", "", "Ng", {"1 Hill Rd", Null, Null, Null, Null}, Null), plain, "  Ng\n1 Hill Rd\n"};
        QTest::newRow("no surname: the first address follows on the name line")
            << Lines{member("Mr", "John", Null, {"1 High St", Null, Null, Null, "Town"}, "AB1 2CD"), plain, "Mr John 1 High St\nTown, AB1 2CD\n"};
        QTest::newRow("upper case: every part in capitals, the number as it is")
            << Lines{member("Mrs", "Zoë", "d'Arcy", {"1 high st", Null, Null, Null, "Town"}, "ab1 2cd", 1234567), upper,
                     "MRS ZOË D'ARCY\n1 HIGH ST\nTOWN, AB1 2CD\t1234567\n"};
    }
    void labelLines()
    {
        QFETCH(Lines, lines);
        QCOMPARE(labelText(lines.member, lines.content), lines.text);
    }

    // The register keeps Null apart from the empty text, and so do the labels read from it:
    // the empty member every new register starts with has a name line of two blanks.
    void labelsOfTheMembersOfARegister()
    {
        Register r;
        r.state.dbZelk->execute("INSERT INTO Zelk (Number, Title, Surname, Address1, Address5, PostCode) "
                                "VALUES (7, Null, \"Smith\", \"1 High St\", \"Town\", \"AB1 2CD\")");
        auto members = r.state.dbZelk->openRecordset("Select * from Zelk ORDER BY Number");
        QCOMPARE(labelTexts(*members, {false, true}), QStringList({"  \n\t1\n", "Smith\n1 High St\nTown, AB1 2CD\t7\n"}));
        QVERIFY(members->eof());
    }

    // Labels fill each row across, then the rows down; a full sheet ends its page, and the
    // next member starts a new one; a run may start part-way into its first sheet.
    void sheetsFilled_data()
    {
        QTest::addColumn<Run>("run");
        QTest::newRow("21 members fill one sheet of 21") << Run{21, 1, 1, "page 1 at 0.28, 0.63", "page 1 at 5.48, 9.63"};
        QTest::newRow("22 members: the 22nd starts a second sheet") << Run{22, 1, 2, "page 1 at 0.28, 0.63", "page 2 at 0.28, 0.63"};
        QTest::newRow("start at label 5: the first at row 2, column 2") << Run{17, 5, 1, "page 1 at 2.88, 2.13", "page 1 at 5.48, 9.63"};
        QTest::newRow("start at label 5 with 18: one over onto a second sheet") << Run{18, 5, 2, "page 1 at 2.88, 2.13", "page 2 at 0.28, 0.63"};
        QTest::newRow("43 members: three sheets, the last with one label") << Run{43, 1, 3, "page 1 at 0.28, 0.63", "page 3 at 0.28, 0.63"};
    }
    void sheetsFilled()
    {
        QFETCH(Run, run);
        Register r;
        const LabelLayout layout = r.sheet("L7160");
        QCOMPARE(sheetCount(layout, run.members, run.startAt), run.pages);
        const QString pdf = writePdf(r.world, layout, numbered(run.members), run.startAt);
        const auto words = pdfWords(pdf);
        QCOMPARE(pdfPageCount(pdf), run.pages);
        QCOMPARE(words.size(), run.members);
        QCOMPARE(placeOf(words, "P1"), run.first);
        QCOMPARE(placeOf(words, QStringLiteral("P%1").arg(run.members)), run.last);
    }

    // The number stands after the post code on the same line, at the next tab stop, and
    // still on its own label.
    void theNumberFollowsItsTab()
    {
        Register r;
        const auto words = pdfWords(writePdf(r.world, r.sheet("L7160"), {"Mr John Smith\nTown, AB1 2CD\t42\n", "Jo Ng\nCD3 4EF\t7\n"}));
        const PdfWord postCode = findWord(words, "2CD"), number = findWord(words, "42"), other = findWord(words, "7");
        QCOMPARE(number.top, postCode.top);
        QVERIFY2(number.left > postCode.right + 2 && number.right < (0.28 + 2.5) * kPoints, qPrintable(placeOf(words, "42")));
        QVERIFY2(other.left > findWord(words, "4EF").right + 2 && other.right < (2.88 + 2.5) * kPoints, qPrintable(placeOf(words, "7")));
    }

    void noMembersDrawNoPage()
    {
        Register r;
        QCOMPARE(sheetCount(r.sheet("L7160"), 0), 0);
        QFile file(r.world.file("none.pdf"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(writeLabelsPdf(file, r.sheet("L7160"), {}, 1, QPageSize(QPageSize::A4)), 0);
        QCOMPARE(file.size(), 0);
    }

    void sheetsLabelsCannotBePlacedOn()
    {
        LabelLayout none = builtInLabelLayout();
        none.name = "EMPTY";
        none.labelsWide = 0;
        LabelLayout flat = builtInLabelLayout();
        flat.labelHeight = 0;
        const LabelLayout l7160 = builtInLabelLayout();
        QCOMPARE(QStringList({layoutProblem(none), layoutProblem(flat), layoutProblem(l7160, 22), layoutProblem(l7160, 0),
                              layoutProblem(l7160, 21)}),
                 QStringList({"Label sheet EMPTY has no labels: it must be at least 1 label wide and 1 label high. "
                              "Please correct it with Change label type in the program defaults.",
                              "The built-in label sheet has labels with no width or no height. "
                              "Please correct it with Change label type in the program defaults.",
                              "The built-in label sheet holds 21 labels, so the first label printed must be one of labels 1 to 21.",
                              "The built-in label sheet holds 21 labels, so the first label printed must be one of labels 1 to 21.",
                              ""}));
    }

    // A long address is cut at its label's edge: nothing of it lands on the label beside it.
    void aLabelsTextStaysOnItsLabel()
    {
        Register r;
        const LabelLayout layout = r.sheet("L7160");
        const QString pdf = writePdf(r.world, layout, {"WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW\n"});
        const QImage page = pdfPageImage(pdf, 1, 100);
        QVERIFY(!page.isNull());
        auto inkBetween = [&](double fromInch, double toInch) {
            int dark = 0;
            for (int y = int(0.63 * 100); y < int(2.13 * 100); ++y)
                for (int x = int(fromInch * 100); x < int(toInch * 100); ++x)
                    dark += qGray(page.pixel(x, y)) < 128;
            return dark;
        };
        QVERIFY(inkBetween(0.28, 2.78) > 100);   // the label itself, 2.5 inches of W
        QCOMPARE(inkBetween(2.79, 8.0), 0);       // the gap, the two labels beside it, and beyond
    }

    // The name and size a sheet stores; a font the system lacks becomes a sans-serif one of
    // that size; none stored is the program's own.
    void fontOfTheLabels()
    {
        Register r;
        r.execute("INSERT INTO Labels VALUES (\"SERIF\", 0.63, 0.28, 1.5, 2.5, 0, 0.1, 3, 7, \"DejaVu Serif\", 14)");
        r.execute("INSERT INTO Labels VALUES (\"NOFONT\", 0.63, 0.28, 1.5, 2.5, 0, 0.1, 3, 7, \"No Such Font 2002\", 9)");
        const QFont serif = labelFont(r.sheet("SERIF"));
        const QFont missing = labelFont(r.sheet("NOFONT"));
        const QFont standard = labelFont(r.sheet("L7160"));
        QFont sans("sans-serif");
        sans.setStyleHint(QFont::SansSerif);
        QCOMPARE(QStringList({QFontInfo(serif).family(), QString::number(serif.pointSizeF()), QFontInfo(missing).family(),
                              QString::number(missing.pointSizeF()), standard.family(), QString::number(standard.pointSizeF())}),
                 QStringList({"DejaVu Serif", "14", QFontInfo(sans).family(), "9", defaultLabelFont().family(),
                              QString::number(defaultLabelFont().pointSizeF())}));
        QCOMPARE(pdfFonts(writePdf(r.world, r.sheet("SERIF"), numbered(2))), QStringList({"DejaVuSerif"}));
    }

    // A sheet no row has: the default sheets are put back into the register, listed at once,
    // and the built-in layout is used.
    void aMissingSheetBringsBackTheDefaultSheets()
    {
        Register r;
        r.execute("DELETE FROM Labels WHERE LabelName <> \"L7162\"");
        const LabelLayout layout = r.sheet("GONE");
        QCOMPARE(QStringList({layout.name, QString::number(layout.leftMargin), QString::number(layout.topMargin),
                              QString::number(layout.labelsPerSheet()), layout.fontName.value_or("<null>")}),
                 QStringList({"", "0.35", "0.63", "21", "<null>"}));
        QCOMPARE(r.sheetNames(), QStringList({"L7162", "L7159", "L7160", "L7163", "5159", "5162"}));
        QCOMPARE(r.state.SQLText, QString("Select * from Labels"));
    }

    // A name with quotes in it is only ever a value in the lookup.
    void aSheetNameIsOnlyAValue()
    {
        Register r;
        r.execute("INSERT INTO Labels VALUES (\"A\"\"B' OR 1\", 1, 1, 1, 1, 0, 0, 1, 1, Null, Null)");
        QCOMPARE(r.sheet("A\"B' OR 1").name, QString("A\"B' OR 1"));
        QCOMPARE(r.sheet("X\" OR \"\"=\"").name, QString());
    }

    // Reading stops at the first field that is Null: what was read stands, the rest is built in.
    void aSheetWithANullMeasure()
    {
        Register r;
        r.execute("INSERT INTO Labels VALUES (\"HALF\", 1, 0.5, Null, 3, 0, 0, 5, 5, \"DejaVu Serif\", 12)");
        const LabelLayout half = r.sheet("HALF");
        QCOMPARE(QStringList({QString::number(half.topMargin), QString::number(half.leftMargin), QString::number(half.labelHeight),
                              QString::number(half.labelWidth), QString::number(half.labelsWide), half.fontName.value_or("<null>")}),
                 QStringList({"1", "0.5", "1.5", "2.5", "3", "<null>"}));
    }

    void labelsRunningOffThePaper()
    {
        LabelLayout wide = builtInLabelLayout();
        wide.labelsWide = 4;
        LabelLayout raised = builtInLabelLayout();
        raised.topMargin = -0.2;
        const QSizeF a4 = paperInches(QPageSize(QPageSize::A4)), letter = paperInches(QPageSize(QPageSize::Letter));
        QCOMPARE(QList<QStringList>({overrunEdges(builtInLabelLayout(), a4), overrunEdges(builtInLabelLayout(), letter),
                                     overrunEdges(wide, a4), overrunEdges(raised, letter)}),
                 QList<QStringList>({{}, {"bottom"}, {"right"}, {"top"}}));
    }

    void measuresAsTyped()
    {
        auto read = [](const QString& input) {
            const auto value = readLabelNumber(underLocale(input));
            return value ? QString::number(*value) : QString("(not a number)");
        };
        checkEach({{"en_GB 0.63", "0.63"},
                   {"en_GB  2.5 ", "2.5"},
                   {"en_GB 0,63", "(not a number)"},
                   {"de_DE 0,63", "0.63"},
                   {"de_DE 0.63", "0.63"},
                   {"de_DE 1.250", "1.25"},
                   {"de_DE 0.6.3", "(not a number)"},
                   {"fr_FR 1,5", "1.5"},
                   {"en_US abc", "(not a number)"},
                   {"en_US 10", "10"}},
                  read);
        checkEach({{"en_GB 0.63", "0.63"}, {"de_DE 0.63", "0,63"}, {"en_GB 2.52", "2.52"}, {"de_DE 1234", "1234"}},
                  [](const QString& input) { return labelNumberText(double(underLocale(input).toFloat())); });
        QLocale::setDefault(QLocale("en_GB"));
    }
};

ZELK_TEST(LabelPrintingTest)
#include "tst_label_printing.moc"
