// The selection query of the reports window: the text built from the boxes (blanks exact),
// the To boxes it corrects, and the members the engine then selects from a small club
// with members on both sides of every bound.
#include "club.h"

#include "testlib/test_registry.h"
#include "testlib/test_world.h"

#include "engine/database.h"
#include "engine/engine_error.h"
#include "engine/recordset.h"
#include "reports/selection_query.h"

#include <QTest>

using namespace zelk;
using namespace zelk::reports;

namespace {

struct Query {
    QMap<int, QString> boxes{};       // txtRange by number
    QMap<int, QString> priority{};    // txtPriority by number
    QList<int> reverse{};             // chkDesc ticked
    LapsedFilter lapsed = LapsedFilter::None;
    QString sql{};
    QMap<int, QString> corrected{};
    QString selected{};               // the members' numbers, in the query's order
};

ReportRanges rangesOf(const Query& q)
{
    ReportRanges r;
    for (auto it = q.boxes.begin(); it != q.boxes.end(); ++it)
        r.txtRange[size_t(it.key())] = it.value();
    for (auto it = q.priority.begin(); it != q.priority.end(); ++it)
        r.txtPriority[size_t(it.key())] = it.value();
    for (int i : q.reverse)
        r.chkDesc[size_t(i)] = true;
    r.lapsed = q.lapsed;
    return r;
}

const QString kLookupsFromB = QStringLiteral(
    "SELECT * from Zelk WHERE ((UCase(Lookup1) >= \"B\") or (UCase(Lookup2) >= \"B\") or (UCase(Lookup3) >= \"B\") or "
    "(UCase(Lookup4) >= \"B\") or (UCase(Lookup5) >= \"B\") or (UCase(Lookup6) >= \"B\") )  ORDER BY  Surname");

using Boxes = QMap<int, QString>;

constexpr int Surname = 0, Type = 1, Number = 2, PostCode = 3, Lookup = 4;

} // namespace

Q_DECLARE_METATYPE(Query)

class SelectionQueryTest : public QObject {
    Q_OBJECT

private slots:
    void query_data()
    {
        QTest::addColumn<Query>("q");
        using namespace range;
        // The examples of the reports window's query, blanks exact.
        QTest::newRow("no box filled: every member in surname order")
            << Query{.sql = "SELECT * from Zelk  ORDER BY  Surname", .selected = "1,2,5,6,20,3,4"};
        QTest::newRow("surname from sm, lapsed excluded")
            << Query{.boxes = {{SurnameFrom, "sm"}}, .lapsed = LapsedFilter::Exclude,
                     .sql = "SELECT * from Zelk WHERE UCase(Surname) >= \"SM\" and Lapsed = False  ORDER BY  Surname",
                     .selected = "4"};
        QTest::newRow("number 1 reversed, then surname")
            << Query{.priority = {{Number, "1"}, {Surname, "2"}}, .reverse = {Number},
                     .sql = "SELECT * from Zelk  ORDER BY  Number Desc,  Surname", .selected = "20,6,5,4,3,2,1"};
        QTest::newRow("surname Smith to Jones: To becomes Smith")
            << Query{.boxes = {{SurnameFrom, "Smith"}, {SurnameTo, "Jones"}},
                     .sql = "SELECT * from Zelk WHERE UCase(Surname) >= \"SMITH\" and UCase(Surname) <= \"SMITHZZ\"  ORDER BY  Surname",
                     .corrected = {{SurnameTo, "Smith"}}, .selected = "3,4"};
        QTest::newRow("surname trimmed and upper-cased; a To in order is kept")
            << Query{.boxes = {{SurnameFrom, " jones "}, {SurnameTo, " smith"}},
                     .sql = "SELECT * from Zelk WHERE UCase(Surname) >= \"JONES\" and UCase(Surname) <= \"SMITHZZ\"  ORDER BY  Surname",
                     .selected = "5,6,20,3,4"};
        QTest::newRow("membership type Senior to Full: To becomes Senior")
            << Query{.boxes = {{TypeFrom, "Senior"}, {TypeTo, "Full"}},
                     .sql = "SELECT * from Zelk WHERE UCase(MemberType) >= \"SENIOR\" and UCase(MemberType) <= \"SENIORZZ\"  ORDER BY  Surname",
                     .corrected = {{TypeTo, "Senior"}}, .selected = "5"};
        QTest::newRow("number 20 to 5: To becomes 20")
            << Query{.boxes = {{NumberFrom, "20"}, {NumberTo, "5"}},
                     .sql = "SELECT * from Zelk WHERE Number >= 20 and Number <= 20  ORDER BY  Surname",
                     .corrected = {{NumberTo, "20"}}, .selected = "20"};
        QTest::newRow("number 2 to 04, compared as numbers")
            << Query{.boxes = {{NumberFrom, "2"}, {NumberTo, "04"}},
                     .sql = "SELECT * from Zelk WHERE Number >= 2 and Number <= 04  ORDER BY  Surname", .selected = "2,3,4"};
        QTest::newRow("post code AB2 to AB1: To becomes AB2Z")
            << Query{.boxes = {{PostCodeFrom, "AB2"}, {PostCodeTo, "AB1"}},
                     .sql = "SELECT * from Zelk WHERE PostCode >= \"AB2\" and PostCode <= \"AB2ZZZ\"  ORDER BY  Surname",
                     .corrected = {{PostCodeTo, "AB2Z"}}, .selected = "2"};
        QTest::newRow("post code not trimmed: a shorter To is before its From")
            << Query{.boxes = {{PostCodeFrom, "ab1 "}, {PostCodeTo, "ab1"}},
                     .sql = "SELECT * from Zelk WHERE PostCode >= \"AB1 \" and PostCode <= \"AB1 ZZZ\"  ORDER BY  Surname",
                     .corrected = {{PostCodeTo, "ab1 Z"}}, .selected = "1,4"};
        QTest::newRow("lookup From only")
            << Query{.boxes = {{LookupFrom, "b"}}, .sql = kLookupsFromB, .selected = "1,2,5,6"};
        QTest::newRow("lookup From and To: any of the six lookups, Lookup5 too")
            << Query{.boxes = {{LookupFrom, "c"}, {LookupTo, "c"}},
                     .sql = "SELECT * from Zelk WHERE ((UCase(Lookup1) >= \"C\") and (UCase(Lookup1) <= \"CZZ\")  or "
                            "(UCase(Lookup2) >= \"C\") and (UCase(Lookup2) <= \"CZZ\")  or "
                            "(UCase(Lookup3) >= \"C\") and (UCase(Lookup3) <= \"CZZ\")  or "
                            "(UCase(Lookup4) >= \"C\") and (UCase(Lookup4) <= \"CZZ\")  or "
                            "(UCase(Lookup5) >= \"C\") and (UCase(Lookup5) <= \"CZZ\")  or "
                            "(UCase(Lookup6) >= \"C\") and (UCase(Lookup6) <= \"CZZ\"))  ORDER BY  Surname",
                     .selected = "2"};
        QTest::newRow("lookup To only: blank lookups do not count")
            << Query{.boxes = {{LookupTo, "b"}},
                     .sql = "SELECT * from Zelk WHERE ((UCase(Lookup1) <= \"BZZ\" and TrimLeft(Lookup1) <> \"\") or "
                            "(UCase(Lookup2) <= \"BZZ\" and TrimLeft(Lookup2) <> \"\") or "
                            "(UCase(Lookup3) <= \"BZZ\" and TrimLeft(Lookup3) <> \"\") or "
                            "(UCase(Lookup4) <= \"BZZ\" and TrimLeft(Lookup4) <> \"\") or "
                            "(UCase(Lookup5) <= \"BZZ\" and TrimLeft(Lookup5) <> \"\") or "
                            "(UCase(Lookup6) <= \"BZZ\" and TrimLeft(Lookup6) <> \"\"))  ORDER BY  Surname",
                     .selected = "1,6"};
        QTest::newRow("lookup range inverted: not corrected")
            << Query{.boxes = {{LookupFrom, "d"}, {LookupTo, "b"}}, .sql = "", .selected = ""};
        QTest::newRow("birthday From only")
            << Query{.boxes = {{BirthdayFrom, "1"}, {BirthdayFrom + 1, "1"}, {BirthdayFrom + 2, "1950"}},
                     .sql = "SELECT * from Zelk WHERE Birthday >= #1/1/1950#  ORDER BY  Surname", .selected = "2,6,3,4"};
        QTest::newRow("birthday From and To")
            << Query{.boxes = {{BirthdayFrom, "1"}, {BirthdayFrom + 1, "1"}, {BirthdayFrom + 2, "1950"},
                               {BirthdayTo, "31"}, {BirthdayTo + 1, "12"}, {BirthdayTo + 2, "1959"}},
                     .sql = "SELECT * from Zelk WHERE Birthday >= #1/1/1950# and Birthday <= #12/31/1959#  ORDER BY  Surname",
                     .selected = "2,6,3"};
        QTest::newRow("birthday To the same day: To dropped")
            << Query{.boxes = {{BirthdayFrom, "1"}, {BirthdayFrom + 1, "1"}, {BirthdayFrom + 2, "1950"},
                               {BirthdayTo, "1"}, {BirthdayTo + 1, "1"}, {BirthdayTo + 2, "50"}},
                     .sql = "SELECT * from Zelk WHERE Birthday >= #1/1/1950#  ORDER BY  Surname", .selected = "2,6,3,4"};
        QTest::newRow("birthday To without a month: not built")
            << Query{.boxes = {{BirthdayTo, "1"}, {BirthdayTo + 2, "1950"}},
                     .sql = "SELECT * from Zelk  ORDER BY  Surname", .selected = "1,2,5,6,20,3,4"};
        QTest::newRow("birthday To only, two-digit year")
            << Query{.boxes = {{BirthdayTo, "01"}, {BirthdayTo + 1, "01"}, {BirthdayTo + 2, "50"}},
                     .sql = "SELECT * from Zelk WHERE Birthday <= #01/01/50#  ORDER BY  Surname", .selected = "1,2"};
        QTest::newRow("renewal From and To")
            << Query{.boxes = {{RenewalFrom, "1"}, {RenewalFrom + 1, "4"}, {RenewalFrom + 2, "2026"},
                               {RenewalTo, "30"}, {RenewalTo + 1, "4"}, {RenewalTo + 2, "2026"}},
                     .sql = "SELECT * from Zelk WHERE RenewDate >= #4/1/2026# and RenewDate <= #4/30/2026#  ORDER BY  Surname",
                     .selected = "2,6,3"};
        QTest::newRow("renewal To before From: To dropped")
            << Query{.boxes = {{RenewalFrom, "1"}, {RenewalFrom + 1, "5"}, {RenewalFrom + 2, "2026"},
                               {RenewalTo, "1"}, {RenewalTo + 1, "4"}, {RenewalTo + 2, "2026"}},
                     .sql = "SELECT * from Zelk WHERE RenewDate >= #5/1/2026#  ORDER BY  Surname", .selected = "4"};
        QTest::newRow("lapsed included")
            << Query{.lapsed = LapsedFilter::Include, .sql = "SELECT * from Zelk  ORDER BY  Surname", .selected = "1,2,5,6,20,3,4"};
        QTest::newRow("lapsed only")
            << Query{.lapsed = LapsedFilter::OnlyLapsed, .sql = "SELECT * from Zelk WHERE Lapsed = True  ORDER BY  Surname",
                     .selected = "5,3"};
        QTest::newRow("every range at once")
            << Query{.boxes = {{SurnameFrom, "a"}, {SurnameTo, "z"}, {TypeFrom, "f"}, {NumberTo, "9"}, {PostCodeFrom, "A"},
                               {LookupFrom, "b"}, {RenewalFrom, "1"}, {RenewalFrom + 1, "1"}, {RenewalFrom + 2, "2026"}},
                     .lapsed = LapsedFilter::Exclude,
                     .sql = "SELECT * from Zelk WHERE UCase(Surname) >= \"A\" and UCase(Surname) <= \"ZZZ\" and "
                            "UCase(MemberType) >= \"F\" and Number <= 9 and PostCode >= \"A\" and "
                            "((UCase(Lookup1) >= \"B\") or (UCase(Lookup2) >= \"B\") or (UCase(Lookup3) >= \"B\") or "
                            "(UCase(Lookup4) >= \"B\") or (UCase(Lookup5) >= \"B\") or (UCase(Lookup6) >= \"B\") ) and "
                            "RenewDate >= #1/1/2026# and Lapsed = False  ORDER BY  Surname",
                     .selected = "1,2,6"};
        // A member without a lookup comes before one with it, as the engine orders Null.
        QTest::newRow("priorities: surname 2, lookup 1")
            << Query{.priority = {{Surname, "2"}, {Lookup, "1"}},
                     .sql = "SELECT * from Zelk  ORDER BY  Lookup1, Lookup2, Lookup3, Lookup4, Lookup5, Lookup6,  Surname",
                     .selected = "20,4,2,6,5,3,1"};
        QTest::newRow("priorities: lookup reversed")
            << Query{.priority = {{Lookup, "1"}}, .reverse = {Lookup},
                     .sql = "SELECT * from Zelk  ORDER BY  Lookup1 Desc, Lookup2 Desc, Lookup3 Desc, Lookup4 Desc, Lookup5 Desc, Lookup6 Desc",
                     .selected = "1,3,5,6,2,4,20"};
        QTest::newRow("priorities: a tie keeps box order, type reversed")
            << Query{.priority = {{PostCode, "1"}, {Type, "1"}, {Surname, "3"}}, .reverse = {Type},
                     .sql = "SELECT * from Zelk  ORDER BY  MemberType Desc,  PostCode,  Surname",
                     .selected = "5,3,1,4,6,20,2"};
        // Typed text stays a value inside its quotes, whatever it holds.
        QTest::newRow("hostile surname")
            << Query{.boxes = {{SurnameFrom, "x\" or \"1\"=\"1"}},
                     .sql = "SELECT * from Zelk WHERE UCase(Surname) >= \"X\"\" OR \"\"1\"\"=\"\"1\"  ORDER BY  Surname",
                     .selected = ""};
        QTest::newRow("hostile membership type")
            << Query{.boxes = {{TypeTo, "\"); Delete from Zelk; --"}},
                     .sql = "SELECT * from Zelk WHERE UCase(MemberType) <= \"\"\"); DELETE FROM ZELK; --ZZ\"  ORDER BY  Surname",
                     .selected = ""};
        QTest::newRow("hostile post code and lookup")
            << Query{.boxes = {{PostCodeTo, "\" or Number > \"0"}, {LookupFrom, "z\") or (1=1"}}, .selected = ""};
        QTest::newRow("pasted text in number and date boxes: digits only")
            << Query{.boxes = {{NumberFrom, "2 or 1=1"}, {NumberTo, "x"}, {BirthdayFrom, "1#"}, {BirthdayFrom + 1, "1"},
                               {BirthdayFrom + 2, "50# or Number > #1/1/50"}},
                     .sql = "SELECT * from Zelk WHERE Number >= 2 and Number <= 2 and Birthday >= #1/1/50#  ORDER BY  Surname",
                     .corrected = {{range::NumberTo, "2 or 1=1"}}, .selected = "2"};
    }

    void query()
    {
        QFETCH(Query, q);
        test::TestWorld world;
        const SelectionQuery built = BuildReportQuery(rangesOf(q));
        if (!q.sql.isEmpty())
            QCOMPARE(built.sql, q.sql);
        QCOMPARE(built.corrected, q.corrected);

        auto db = test::buildRegister(world.file("zelk2002.mdb"), test::club());
        auto rs = db->openRecordset(built.sql);
        QStringList numbers;
        for (; !rs->eof(); rs->moveNext())
            numbers << rs->field(QStringLiteral("Number")).toString();
        QCOMPARE(numbers.join(u','), q.selected);
        QCOMPARE(db->openRecordset(QStringLiteral("Zelk"))->recordCount(), int(test::club().size()));
    }

    // Leaving a date box keeps it in range; a year of 1 or 3 digits is reported and kept.
    void dateBox_data()
    {
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("after");
        QTest::addColumn<bool>("yearWrong");
        using namespace range;
        QTest::newRow("birthday From day 45") << BirthdayFrom << "45" << "31" << false;
        QTest::newRow("birthday From month 0") << BirthdayFrom + 1 << "0" << "1" << false;
        QTest::newRow("birthday From year 195") << BirthdayFrom + 2 << "195" << "195" << true;
        QTest::newRow("birthday To day 0") << BirthdayTo << "00" << "1" << false;
        QTest::newRow("birthday To month 13") << BirthdayTo + 1 << "13" << "12" << false;
        QTest::newRow("birthday To year 3000") << BirthdayTo + 2 << "3000" << "2200" << false;
        QTest::newRow("renewal From day 05 kept as typed") << RenewalFrom << "05" << "05" << false;
        QTest::newRow("renewal From year 0") << RenewalFrom + 2 << "0" << "0" << true;
        QTest::newRow("renewal To day emptied") << RenewalTo << "" << "" << false;
        QTest::newRow("renewal To year 00") << RenewalTo + 2 << "00" << "1" << false;
        QTest::newRow("renewal To year 2200 kept") << RenewalTo + 2 << "2200" << "2200" << false;
    }
    void dateBox()
    {
        QFETCH(int, box);
        QFETCH(QString, typed);
        QFETCH(QString, after);
        QFETCH(bool, yearWrong);
        const DateBoxCheck check = checkDateBox(box, typed);
        QCOMPARE(check.kind == DateBoxCheck::Kind::Replace ? check.text : typed, after);
        QCOMPARE(check.kind == DateBoxCheck::Kind::YearWrong, yearWrong);
    }

    // A date that is only partly filled, or is no date at all, is named before any query runs.
    void dateRanges_data()
    {
        QTest::addColumn<Boxes>("boxes");
        QTest::addColumn<QString>("problem");   // "title | box | text", or empty
        using namespace range;
        QTest::newRow("whole dates") << Boxes{{BirthdayFrom, "1"}, {BirthdayFrom + 1, "2"}, {BirthdayFrom + 2, "50"},
                                                           {RenewalTo, "29"}, {RenewalTo + 1, "2"}, {RenewalTo + 2, "2028"}}
                                     << "";
        QTest::newRow("day and year, no month")
            << Boxes{{BirthdayFrom, "1"}, {BirthdayFrom + 2, "1950"}}
            << "Date incomplete | 11 | Zelk needs the whole date to produce correct reports, but the birthday From date has no month.\n\n"
               "Please fill in its day, month and year, or leave all three empty.";
        QTest::newRow("renewal From month only")
            << Boxes{{RenewalFrom + 1, "4"}}
            << "Date incomplete | 16 | Zelk needs the whole date to produce correct reports, but the renewal date From date has no day or year.\n\n"
               "Please fill in its day, month and year, or leave all three empty.";
        QTest::newRow("31 February")
            << Boxes{{RenewalTo, "31"}, {RenewalTo + 1, "2"}, {RenewalTo + 2, "2026"}}
            << "Date wrong | 19 | Zelk can't produce correct reports from the renewal date To date: day 31, month 2, year 2026 is not a date.\n\n"
               "Please correct it, or leave all three boxes empty.";
        QTest::newRow("three-digit year")
            << Boxes{{BirthdayFrom, "1"}, {BirthdayFrom + 1, "1"}, {BirthdayFrom + 2, "195"}}
            << "Date wrong | 10 | Zelk can't produce correct reports from the birthday From date: day 1, month 1, year 195 is not a date.\n\n"
               "Please correct it, or leave all three boxes empty.";
    }
    void dateRanges()
    {
        QFETCH(Boxes, boxes);
        QFETCH(QString, problem);
        ReportRanges r;
        for (auto it = boxes.begin(); it != boxes.end(); ++it)
            r.txtRange[size_t(it.key())] = it.value();
        const auto found = dateRangeProblem(r);
        QCOMPARE(found ? QStringLiteral("%1 | %2 | %3").arg(found->title).arg(found->box).arg(found->text) : QString(), problem);
    }
};

ZELK_TEST(SelectionQueryTest)
#include "tst_selection_query.moc"
