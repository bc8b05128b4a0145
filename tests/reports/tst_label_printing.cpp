// Address labels as the program prints them: where each label lies on the paper of a PDF the
// program wrote, what each label says, how labels fill the sheets, which sheet and font are
// used, and how typed measures are read.
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
#include "reports/label_lines.h"
#include "reports/label_painter.h"

#include <QBuffer>
#include <QFontInfo>
#include <QSaveFile>
#include <QTest>

using namespace zelk;
using namespace zelk::test;

namespace {

// A register of the test's own, with the sheets it holds in the shared record set.
struct Register {
    TestWorld world;
    AppState state;

    Register()
    {
        state.DatabasePath = world.file("zelk2002.mdb");
        buildNewDatabase(state.DatabasePath);
        state.dbZelk = Database::open(state.DatabasePath);
        execute("INSERT INTO Labels VALUES (\"MYSHEET\", 0.5, 0.4, 1.0, 1.9, 0.1, 0.05, 4, 10, \"DejaVu Serif\", 14)");
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
    // Writes the labels as a PDF file and reads back its words.
    QList<PdfWord> print(const LabelLayout& layout, const QStringList& labels, int startAt = 1)
    {
        QSaveFile file(pdf());
        if (!file.open(QIODevice::WriteOnly) || writeLabelsPdf(file, layout, labels, startAt, QPageSize(QPageSize::A4)) < 0 || !file.commit())
            return {};
        return pdfWords(pdf());
    }
    QString pdf() const { return world.file("labels.pdf"); }
};

// "P1", "P2", ...: one word per label, to find each on the paper.
QStringList numbered(int count)
{
    QStringList labels;
    for (int i = 1; i <= count; ++i)
        labels << QStringLiteral("P%1\n").arg(i);
    return labels;
}

struct Lines {
    LabelMember member;
    LabelContent content;
    QString text;
};

const QVariant Null;

LabelMember member(const QVariant& title, const QVariant& first, const QVariant& surname, std::array<QVariant, 5> address,
                   const QVariant& postCode, const QVariant& number = 42)
{
    return {title, first, surname, address, postCode, number};
}

} // namespace

Q_DECLARE_METATYPE(Lines)

class LabelPrintingTest : public QObject {
    Q_OBJECT

private slots:
    // The first and the last label of a full sheet, and the last of its second row, at
    // left margin + (column - 1) x (width + horizontal gap), top margin + (row - 1) x
    // (height + vertical gap) from the paper's edges.
    void eachSheetPrintsAtItsStoredPlaces_data()
    {
        QTest::addColumn<QString>("sheet");
        QTest::addColumn<QStringList>("places");
        QTest::newRow("L7159") << "L7159" << QStringList{"page 1 at 0.25, 0.54", "page 1 at 5.51, 9.85", "page 1 at 5.51, 1.87"};
        QTest::newRow("L7160: row 2, column 3 at 0.28 + 2 x 2.6, 0.63 + 1.5")
            << "L7160" << QStringList{"page 1 at 0.28, 0.63", "page 1 at 5.48, 9.63", "page 1 at 5.48, 2.13"};
        QTest::newRow("L7162") << "L7162" << QStringList{"page 1 at 0.18, 0.54", "page 1 at 4.18, 9.85", "page 1 at 4.18, 1.87"};
        QTest::newRow("L7163") << "L7163" << QStringList{"page 1 at 0.18, 0.63", "page 1 at 4.18, 9.63", "page 1 at 4.18, 2.13"};
        QTest::newRow("5159") << "5159" << QStringList{"page 1 at 0.13, 0.25", "page 1 at 4.26, 9.25", "page 1 at 4.26, 1.75"};
        QTest::newRow("5162") << "5162" << QStringList{"page 1 at 0.16, 0.83", "page 1 at 4.35, 8.81", "page 1 at 4.35, 2.16"};
        QTest::newRow("the user's own, 4 by 10 with gaps both ways")
            << "MYSHEET" << QStringList{"page 1 at 0.40, 0.50", "page 1 at 6.25, 10.40", "page 1 at 6.25, 1.60"};
    }
    void eachSheetPrintsAtItsStoredPlaces()
    {
        QFETCH(QString, sheet);
        QFETCH(QStringList, places);
        Register r;
        const LabelLayout layout = r.sheet(sheet);
        QCOMPARE(layout.name, sheet);
        const auto words = r.print(layout, numbered(layout.labelsPerSheet()));
        QCOMPARE(QStringList({placeOf(words, "P1"), placeOf(words, QStringLiteral("P%1").arg(layout.labelsPerSheet())),
                              placeOf(words, QStringLiteral("P%1").arg(2 * layout.labelsWide))}),
                 places);
    }

    void labelLines_data()
    {
        QTest::addColumn<Lines>("lines");
        const LabelContent plain, withNumber{false, true}, upper{true, true};
        const std::array<QVariant, 5> town{Null, Null, Null, Null, "Town"};
        QTest::newRow("the town, the post code, a tab and the number")
            << Lines{member("Mr", "John", "Smith", town, "AB1 2CD"), withNumber, "Mr John Smith\nTown, AB1 2CD\t42\n"};
        QTest::newRow("no post code: the number alone after the tab")
            << Lines{member("Mr", "John", "Smith", town, Null), withNumber, "Mr John Smith\nTown, \t42\n"};
        QTest::newRow("no post code and no number: the last line is not ended")
            << Lines{member("Mr", "John", "Smith", town, Null), plain, "Mr John Smith\nTown, "};
        QTest::newRow("no number stored: nothing after the tab, and no number line without a post code")
            << Lines{member(Null, "Ann", "Lee", {"ZZ1 1ZZ", Null, Null, Null, Null}, "   ", Null), withNumber, "Ann Lee\nZZ1 1ZZ\n"};
        QTest::newRow("address lines Null, empty or blank are left out; a blank post code is none")
            << Lines{member("Dr", "Jo", "Ng", {"", "Flat 2", "  ", "Hill Rd", Null}, " "), withNumber, "Dr Jo Ng\nFlat 2\nHill Rd\n\t42\n"};
        QTest::newRow("an empty title or first name is not Null: each keeps its blank")
            << Lines{member("", "", "Ng", {"1 Hill Rd", Null, Null, Null, Null}, Null), plain, "  Ng\n1 Hill Rd\n"};
        QTest::newRow("no surname: the first address follows on the name line")
            << Lines{member("Mr", "John", Null, {"1 High St", Null, Null, Null, "Town"}, "AB1 2CD"), plain, "Mr John 1 High St\nTown, AB1 2CD\n"};
        QTest::newRow("upper case: every part in capitals, the number as stored")
            << Lines{member("Mrs", "Zoë", "d'Arcy", {"1 high st", Null, Null, Null, "Town"}, "ab1 2cd", 1234567), upper,
                     "MRS ZOË D'ARCY\n1 HIGH ST\nTOWN, AB1 2CD\t1234567\n"};
    }
    void labelLines()
    {
        QFETCH(Lines, lines);
        QCOMPARE(labelText(lines.member, lines.content), lines.text);
    }

    // Across each row, then down; a full sheet ends its page; the first labels of a run may
    // go further into its first sheet; no members, no page.
    void sheetsFilled_data()
    {
        QTest::addColumn<int>("members");
        QTest::addColumn<int>("startAt");
        QTest::addColumn<int>("pages");
        QTest::addColumn<QStringList>("firstAndLast");
        QTest::newRow("21 members fill one sheet") << 21 << 1 << 1 << QStringList{"page 1 at 0.28, 0.63", "page 1 at 5.48, 9.63"};
        QTest::newRow("22: the 22nd starts a second sheet") << 22 << 1 << 2 << QStringList{"page 1 at 0.28, 0.63", "page 2 at 0.28, 0.63"};
        QTest::newRow("17 from label 5, row 2 column 2") << 17 << 5 << 1 << QStringList{"page 1 at 2.88, 2.13", "page 1 at 5.48, 9.63"};
        QTest::newRow("18 from label 5: one over") << 18 << 5 << 2 << QStringList{"page 1 at 2.88, 2.13", "page 2 at 0.28, 0.63"};
        QTest::newRow("none: not even an empty page") << 0 << 1 << 0 << QStringList{};
    }
    void sheetsFilled()
    {
        QFETCH(int, members);
        QFETCH(int, startAt);
        QFETCH(int, pages);
        QFETCH(QStringList, firstAndLast);
        Register r;
        const LabelLayout layout = r.sheet("L7160");
        QCOMPARE(sheetCount(layout, members, startAt), pages);
        if (members == 0) {
            QBuffer none;
            none.open(QIODevice::WriteOnly);
            QCOMPARE(writeLabelsPdf(none, layout, {}, 1, QPageSize(QPageSize::A4)), 0);
            QCOMPARE(none.size(), 0);
            return;
        }
        const auto words = r.print(layout, numbered(members), startAt);
        QCOMPARE(QStringList({placeOf(words, "P1"), placeOf(words, QStringLiteral("P%1").arg(members))}), firstAndLast);
        QCOMPARE(words.size(), members);
        QCOMPARE(pdfPageCount(r.pdf()), pages);
    }

    // A long address is cut at its label's edge: nothing of it lands on the label beside it.
    void aLabelsTextStaysOnItsLabel()
    {
        Register r;
        r.print(r.sheet("L7160"), {QString(80, u'W')});
        const QImage page = pdfPageImage(r.pdf(), 1, 100);
        auto inkBetween = [&](double fromInch, double toInch) {
            int dark = 0;
            for (int y = 63; y < 213; ++y)
                for (int x = int(fromInch * 100); x < int(toInch * 100); ++x)
                    dark += qGray(page.pixel(x, y)) < 128;
            return dark;
        };
        QVERIFY(inkBetween(0.28, 2.78) > 100);
        QCOMPARE(inkBetween(2.79, 8.0), 0);
    }

    // A sheet no row has: the default sheets are put back and listed at once, and the
    // built-in layout is used. A sheet with a Null measure keeps the built-in values from
    // there on. Names are only ever values in the lookup.
    void whichSheet()
    {
        Register r;
        r.execute("DELETE FROM Labels WHERE LabelName <> \"L7162\"");
        r.execute("INSERT INTO Labels VALUES (\"HALF\", 1, 0.5, Null, 3, 0, 0, 5, 5, \"DejaVu Serif\", 12)");
        r.execute("INSERT INTO Labels VALUES (\"A\"\"B' OR 1\", 1, 1, 1, 1, 0, 0, 1, 1, Null, Null)");
        auto describe = [](const LabelLayout& l) {
            return QStringList{l.name, QString::number(l.topMargin), QString::number(l.leftMargin), QString::number(l.labelHeight),
                               QString::number(l.labelsWide), l.fontName.value_or("<null>")}
                .join(' ');
        };
        QCOMPARE(QStringList({describe(r.sheet("HALF")), describe(r.sheet("A\"B' OR 1")), describe(r.sheet("X\" OR \"\"=\""))}),
                 QStringList({"HALF 1 0.5 1.5 3 <null>", "A\"B' OR 1 1 1 1 1 <null>", " 0.63 0.35 1.5 3 <null>"}));
        QStringList names;
        for (r.state.rsLabels->moveFirst(); !r.state.rsLabels->eof(); r.state.rsLabels->moveNext())
            names << r.state.rsLabels->field("LabelName").toString();
        QCOMPARE(names, QStringList({"L7162", "HALF", "A\"B' OR 1", "L7159", "L7160", "L7163", "5159", "5162"}));
    }

    // The sheet's font and size; a font the system lacks becomes a sans-serif one of that
    // size; none stored is the program's own.
    void fontOfTheLabels()
    {
        Register r;
        r.execute("INSERT INTO Labels VALUES (\"NOFONT\", 0.63, 0.28, 1.5, 2.5, 0, 0.1, 3, 7, \"No Such Font 2002\", 9)");
        QFont sans("sans-serif");
        sans.setStyleHint(QFont::SansSerif);
        auto describe = [](const QFont& f) { return QFontInfo(f).family() + ' ' + QString::number(f.pointSizeF()); };
        QCOMPARE(QStringList({describe(labelFont(r.sheet("MYSHEET"))), describe(labelFont(r.sheet("NOFONT"))), describe(labelFont(r.sheet("L7160")))}),
                 QStringList({"DejaVu Serif 14", QFontInfo(sans).family() + " 9", describe(defaultLabelFont())}));
    }

    // A measure typed as the user writes numbers; nothing when it is not one.
    void measuresAsTyped_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<double>("measure");   // -1: not a measure
        QTest::newRow("en_GB 0.63") << "en_GB" << "0.63" << 0.63;
        QTest::newRow("en_GB 0,63") << "en_GB" << "0,63" << -1.0;
        QTest::newRow("de_DE 0,63") << "de_DE" << "0,63" << 0.63;
        QTest::newRow("de_DE 0.63") << "de_DE" << "0.63" << 0.63;
        QTest::newRow("de_DE 1.250") << "de_DE" << "1.250" << 1.25;
        QTest::newRow("de_DE 0.6.3") << "de_DE" << "0.6.3" << -1.0;
    }
    void measuresAsTyped()
    {
        QFETCH(QString, locale);
        QFETCH(QString, typed);
        QFETCH(double, measure);
        TestWorld world(locale);
        QCOMPARE(readLabelNumber(typed).value_or(-1.0), measure);
    }
};

ZELK_TEST(LabelPrintingTest)
#include "tst_label_printing.moc"
