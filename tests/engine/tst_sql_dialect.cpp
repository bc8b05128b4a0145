// The SQL texts and criteria the program builds, each run on a real register whose members
// make every answer checkable: which members come back, and in which order.
#include "engine_fixture.h"

#include "engine/database.h"
#include "engine/engine_error.h"
#include "engine/recordset.h"
#include "engine/sql_dialect.h"
#include "testlib/test_registry.h"

#include <QScopeGuard>
#include <QTest>

using namespace zelk;
using zelk::test::EngineRegister;

namespace {

// The register every query here runs on. Number 1 is the placeholder a new register
// starts with ("" in its names, Lapsed never set).
void addMembers(Database& db)
{
    auto rs = db.openRecordset(QStringLiteral("Zelk"));
    const QVariant null;
    auto add = [&](int number, std::initializer_list<std::pair<const char*, QVariant>> values) {
        rs->addNew();
        rs->setField(QStringLiteral("Number"), number);
        for (const auto& [name, value] : values)
            rs->setField(QLatin1String(name), value);
        rs->update();
    };
    add(2, {{"Surname", "Smith"}, {"FirstName", "John"}, {"PostCode", "AB1 2CD"}, {"MemberType", "Full"},
            {"Lookup1", "Brass"}, {"Birthday", QDate(1950, 1, 1)}, {"RenewDate", QDate(2026, 4, 1)}, {"Lapsed", false}});
    add(3, {{"Surname", "smithers"}, {"FirstName", "anne"}, {"PostCode", "ab2 9zz"}, {"MemberType", "junior"},
            {"Lookup2", "choir"}, {"Birthday", QDate(1959, 12, 31)}, {"RenewDate", QDate(2026, 4, 1)}, {"Lapsed", true}});
    add(4, {{"Surname", QStringLiteral("Émile")}, {"FirstName", QStringLiteral("Zoë")}, {"PostCode", "AB2"},
            {"MemberType", "Full"}, {"Lookup6", "brass band"}, {"Birthday", QDate(1960, 1, 1)},
            {"RenewDate", QDate(2026, 1, 4)}, {"Lapsed", false}});
    add(5, {{"Surname", "Emile"}, {"FirstName", "Zoe"}, {"PostCode", "AB3"}, {"MemberType", "Honorary"},
            {"Lookup3", "  Strings"}, {"Birthday", QDate(1949, 12, 31)}, {"RenewDate", QDate(2025, 12, 31)}, {"Lapsed", false}});
    add(6, {{"Surname", QStringLiteral("Müller")}, {"FirstName", QStringLiteral("Jürgen")}, {"PostCode", "B1"},
            {"MemberType", "Number"}, {"Lookup4", "   "}, {"Birthday", null},
            {"RenewDate", QDateTime(QDate(2026, 4, 1), QTime(10, 30), Qt::UTC)}, {"Lapsed", false}});
    add(7, {{"Surname", "Mueller"}, {"FirstName", null}, {"MemberType", "full"}, {"Birthday", QDate(2000, 2, 29)},
            {"RenewDate", QDate(2027, 4, 1)}, {"Lapsed", true}});
    add(8, {{"Surname", "Murphy"}, {"FirstName", ""}, {"PostCode", "BT1"}, {"MemberType", "Life"}, {"Lookup5", "Zither"},
            {"Lapsed", false}});
    add(9, {{"Surname", "O'Brien"}, {"FirstName", QStringLiteral("Seán")}, {"PostCode", "BT1 1AA"}, {"MemberType", "Full"},
            {"Lookup1", "Wind"}, {"Lookup2", "Brass"}, {"Birthday", QDate(1975, 6, 15)},
            {"RenewDate", QDate(2024, 4, 1)}, {"Lapsed", false}});
    add(10, {});   // nothing but a number: Null everywhere, Lapsed never set
    add(15, {{"Surname", "SMITHSON"}, {"PostCode", "ZZ9"}, {"MemberType", "Honorary"},
             {"RenewDate", QDate(2026, 4, 2)}, {"Lapsed", false}});
    add(120, {{"Surname", "zander"}, {"MemberType", "Life"}, {"Lookup1", "Strings"}, {"Lapsed", false}});

    auto types = db.openRecordset(QStringLiteral("Members"));
    for (const char* t : {"Full", "Honorary", "junior", "Life", "Number"}) {
        types->addNew();
        types->setField(QStringLiteral("Member Type"), QString::fromLatin1(t));
        types->update();
    }
    auto lookups = db.openRecordset(QStringLiteral("Lookups"));
    for (const char* l : {"Brass", "choir", "Strings", "Wind", "Zither", "brass band"}) {
        lookups->addNew();
        lookups->setField(QStringLiteral("Lookups"), QString::fromLatin1(l));
        lookups->update();
    }
}

// The six-lookup in-use query of the lookups window.
QString inUseQuery(const QString& value)
{
    QStringList terms;
    for (int i = 1; i <= 6; ++i)
        terms << QStringLiteral("(Lookup%1 = \"%2\")").arg(i).arg(value);
    return QStringLiteral("Select * from Zelk where ") + terms.join(QStringLiteral(" or ")) + u' ';
}

// The lookup group of the report selection, one term per lookup field.
QString lookupGroup(const QString& from, const QString& to)
{
    QString group = QStringLiteral("(");
    for (int i = 1; i <= 6; ++i) {
        const bool last = i == 6;
        const QString f = QStringLiteral("Lookup%1").arg(i);
        if (!from.isEmpty() && !to.isEmpty())
            group += QStringLiteral("(UCase(%1) >= \"%2\") and (UCase(%1) <= \"%3ZZ\"").arg(f, from, to)
                     + (last ? QStringLiteral(")") : QStringLiteral(")  or "));
        else if (!from.isEmpty())
            group += QStringLiteral("(UCase(%1) >= \"%2\"").arg(f, from) + (last ? QStringLiteral(") ") : QStringLiteral(") or "));
        else
            group += QStringLiteral("(UCase(%1) <= \"%2ZZ\" and TrimLeft(%1) <> \"\"").arg(f, to)
                     + (last ? QStringLiteral(")") : QStringLiteral(") or "));
    }
    return group + QStringLiteral(") ");
}

const QString kLookupOrder = QStringLiteral(" Lookup1, Lookup2, Lookup3, Lookup4, Lookup5, Lookup6, ");
const QString kLookupOrderDesc = QStringLiteral(
    " Lookup1 Desc, Lookup2 Desc, Lookup3 Desc, Lookup4 Desc, Lookup5 Desc, Lookup6 Desc, ");

} // namespace

class TestSqlDialect : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void selects_data();
    void selects();
    void findFirst_data();
    void findFirst();
    void typedValuesStayValues_data();
    void typedValuesStayValues();
    void refused_data();
    void refused();

private:
    std::unique_ptr<EngineRegister> m_register;
};

void TestSqlDialect::initTestCase()
{
    m_register = std::make_unique<EngineRegister>();
    addMembers(m_register->db());
}

void TestSqlDialect::cleanupTestCase()
{
    m_register.reset();
}

void TestSqlDialect::selects_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("expected");   // Numbers in order; {..} where the order is open
    auto row = [](const char* name, const QString& sql, const char* expected) {
        QTest::newRow(name) << sql << QString::fromLatin1(expected);
    };
    const QString bySurname = QStringLiteral("10 1 5 4 7 6 8 9 2 3 15 120");

    // The main window's orders, as start-up writes them and as the sort menu writes them.
    // Null first; Émile beside Emile; Müller among the Mu...; case ignored.
    for (const char* form : {"Select * from Zelk ORDER BY %1", "Select * from Zelk ORDER BY [%1]"}) {
        const QString f = QString::fromLatin1(form);
        const bool brackets = f.contains(u'[');
        auto name = [&](const char* field) { return QByteArray(field) + (brackets ? " [bracketed]" : ""); };
        QTest::newRow(name("sort Surname")) << f.arg(QStringLiteral("Surname")) << bySurname;
        QTest::newRow(name("sort Number")) << f.arg(QStringLiteral("Number")) << QStringLiteral("1 2 3 4 5 6 7 8 9 10 15 120");
        QTest::newRow(name("sort MemberType")) << f.arg(QStringLiteral("MemberType")) << QStringLiteral("10 1 {2 4 7 9} {5 15} 3 {8 120} 6");
        QTest::newRow(name("sort PostCode")) << f.arg(QStringLiteral("PostCode")) << QStringLiteral("{7 10 120} 1 2 4 3 5 6 8 9 15");
        QTest::newRow(name("sort RenewDate")) << f.arg(QStringLiteral("RenewDate")) << QStringLiteral("{1 8 10 120} 9 5 4 {2 3} 6 15 7");
    }

    // The search window.
    row("search number", QStringLiteral("Select * from Zelk WHERE Number >= 12 ORDER BY [Number]"), "15 120");
    row("search surname", QStringLiteral("Select * from Zelk WHERE [Surname] like \"smi*\" ORDER BY [Surname]"), "2 3 15");
    row("search accented capital", QStringLiteral("Select * from Zelk WHERE [Surname] like \"É*\" ORDER BY [Surname]"), "4");
    row("search accented small", QStringLiteral("Select * from Zelk WHERE [Surname] like \"mü*\" ORDER BY [Surname]"), "6");
    row("search post code", QStringLiteral("Select * from Zelk WHERE [PostCode] like \"ab2*\" ORDER BY [PostCode]"), "4 3");
    row("search type", QStringLiteral("Select * from Zelk WHERE [MemberType] like \"FULL*\" ORDER BY [MemberType]"), "{2 4 7 9}");
    row("search renewal", QStringLiteral("Select * from Zelk WHERE RenewDate = #04/01/2026# ORDER BY [RenewDate]"), "{2 3}");
    row("search renewal month first", QStringLiteral("Select * from Zelk WHERE RenewDate = #01/04/2026# ORDER BY [RenewDate]"), "4");

    // The lookups window's in-use tests.
    row("type in use", QStringLiteral("Select * from Zelk where MemberType = \"FULL\""), "{2 4 7 9}");
    row("type named like a field", QStringLiteral("Select * from Zelk where MemberType = \"Number\""), "6");
    row("type not in use", QStringLiteral("Select * from Zelk where MemberType = \"Associate\""), "");
    row("lookup in use", inUseQuery(QStringLiteral("brass")), "{2 9}");
    row("lookup in use, last field", inUseQuery(QStringLiteral("Brass Band")), "4");
    row("lookup with blanks is another value", inUseQuery(QStringLiteral("Strings")), "120");
    row("lookup not in use", inUseQuery(QStringLiteral("Harp")), "");

    // The report selection, in the shapes its boxes build.
    const QString head = QStringLiteral("SELECT * from Zelk WHERE ");
    const QString order = QStringLiteral("  ORDER BY  Surname");
    row("report everything", QStringLiteral("SELECT * from Zelk  ORDER BY  Surname"), bySurname.toLatin1().constData());
    row("report surname from, not lapsed", head + QStringLiteral("UCase(Surname) >= \"SM\" and Lapsed = False ") + order, "2 15 120");
    row("report surname range", head + QStringLiteral("UCase(Surname) >= \"SMITH\" and UCase(Surname) <= \"SMITHZZ\" ") + order, "2 3 15");
    row("report surname range follows the language",
        head + QStringLiteral("UCase(Surname) >= \"M\" and UCase(Surname) <= \"MZZ\" ") + order, "7 6 8");
    row("report surname to", head + QStringLiteral("UCase(Surname) <= \"EZZ\" ") + order, "1 5 4");
    row("report surname with apostrophe", head + QStringLiteral("UCase(Surname) >= \"O'B\" ") + order, "9 2 3 15 120");
    row("report type range",
        head + QStringLiteral("UCase(MemberType) >= \"FULL\" and UCase(MemberType) <= \"FULLZZ\" ") + order, "4 7 9 2");
    row("report number range", head + QStringLiteral("Number >= 3 and Number <= 9 ") + order, "5 4 7 6 8 9 3");
    row("report number range empty", head + QStringLiteral("Number >= 20 and Number <= 20 ") + order, "");
    row("report post code range", head + QStringLiteral("PostCode >= \"AB2\" and PostCode <= \"AB2ZZ\" ") + order, "4 3");
    row("report post code corrected", head + QStringLiteral("PostCode >= \"AB2\" and PostCode <= \"AB2ZZZ\" ") + order, "4 3");
    row("report post code from", head + QStringLiteral("PostCode >= \"B\" ") + order, "6 8 9 15");
    row("report lookups from", head + lookupGroup(QStringLiteral("B"), {}) + order, "4 8 9 2 3 120");
    row("report lookups range", head + lookupGroup(QStringLiteral("B"), QStringLiteral("C")) + order, "4 9 2 3");
    row("report lookups to, blanks left out", head + lookupGroup({}, QStringLiteral("S")) + order, "5 4 9 2 3 120");
    row("report birthday from", head + QStringLiteral("Birthday >= #1/1/1950# ") + order, "4 7 9 2 3");
    row("report birthday range", head + QStringLiteral("Birthday >= #1/1/1950# and Birthday <= #12/31/1959# ") + order, "2 3");
    row("report birthday two-digit years", head + QStringLiteral("Birthday >= #1/1/50# and Birthday <= #12/31/59# ") + order, "2 3");
    row("report birthday year 00", head + QStringLiteral("Birthday >= #2/29/00# ") + order, "7");
    row("report renewal range", head + QStringLiteral("RenewDate >= #4/1/2026# and RenewDate <= #4/2/2026# ") + order, "6 2 3 15");
    row("report renewal to", head + QStringLiteral("RenewDate <= #12/31/25# ") + order, "5 9");
    row("report only lapsed", head + QStringLiteral("Lapsed = True ") + order, "7 3");
    row("report not lapsed", head + QStringLiteral("Lapsed = False ") + order, "10 1 5 4 6 8 9 2 15 120");
    row("report everything combined",
        head + QStringLiteral("UCase(Surname) >= \"E\" and UCase(Surname) <= \"MZZ\" and Number >= 4 and Number <= 7 and Lapsed = False ")
            + QStringLiteral("  ORDER BY  Number Desc,  Surname"),
        "6 5 4");
    row("report order desc with a second key", QStringLiteral("SELECT * from Zelk  ORDER BY  MemberType Desc,  Number"),
        "6 8 120 3 5 15 2 4 7 9 1 10");
    row("report order surname desc", QStringLiteral("SELECT * from Zelk  ORDER BY  Surname Desc"), "120 15 3 2 9 8 6 7 4 5 1 10");
    row("report order lookups", QStringLiteral("SELECT * from Zelk  ORDER BY ") + kLookupOrder + QStringLiteral("Surname"),
        "10 7 15 4 8 6 5 3 1 2 120 9");
    row("report order lookups desc", QStringLiteral("SELECT * from Zelk  ORDER BY ") + kLookupOrderDesc + QStringLiteral("Surname"),
        "9 120 2 1 3 5 6 8 4 10 7 15");

    // The importers' placeholder test.
    row("placeholder", QStringLiteral("Select * from Zelk Where Number = 1 and trim(Surname) = '' and trim(FirstName) =''"), "1");

    // What the dialect means by its values, names and operators.
    row("case ignored, accent kept", QStringLiteral("Select * from Zelk where Surname = \"émile\""), "4");
    row("no accent is another letter", QStringLiteral("Select * from Zelk where Surname = \"EMILE\""), "5");
    row("capital umlaut", QStringLiteral("Select * from Zelk where Surname = \"MÜLLER\""), "6");
    row("capital diaeresis", QStringLiteral("Select * from Zelk where FirstName = \"ZOË\""), "4");
    row("like ignores case of accents", QStringLiteral("Select * from Zelk where FirstName like \"JÜ*\""), "6");
    row("like one character", QStringLiteral("Select * from Zelk where Surname like \"?mile\" ORDER BY Number"), "4 5");
    row("like a digit", QStringLiteral("Select * from Zelk where PostCode like \"AB#*\" ORDER BY Number"), "2 3 4 5");
    row("like a set", QStringLiteral("Select * from Zelk where PostCode like \"[a-b]T*\" ORDER BY Number"), "8 9");
    row("like outside a set", QStringLiteral("Select * from Zelk where PostCode like \"[!a]*\" ORDER BY Number"), "6 8 9 15");
    row("like on a number", QStringLiteral("Select * from Zelk where Number like \"1*\" ORDER BY Number"), "1 10 15 120");
    row("empty text is not Null", QStringLiteral("Select * from Zelk where Surname = \"\""), "1");
    row("Null", QStringLiteral("Select * from Zelk where Surname Is Null"), "10");
    row("single quotes doubled", QStringLiteral("Select * from Zelk where Surname = 'O''Brien'"), "9");
    row("apostrophe in double quotes", QStringLiteral("Select * from Zelk where Surname = \"O'Brien\""), "9");
    row("flags in any case", QStringLiteral("Select * from Zelk where lapsed = true ORDER BY Number"), "3 7");
    row("some fields", QStringLiteral("Select Number, Surname from Zelk where Number < 3 ORDER BY Number"), "1 2");
    row("ends with a semicolon", QStringLiteral("Select * from Zelk where Number = 2;"), "2");
}

void TestSqlDialect::selects()
{
    QFETCH(QString, sql);
    QFETCH(QString, expected);
    std::unique_ptr<Recordset> rs;
    try {
        rs = m_register->db().openRecordset(sql);
    } catch (const EngineError& e) {
        QFAIL(qPrintable(QStringLiteral("error %1: %2").arg(e.number()).arg(e.description())));
    }
    QCOMPARE(test::inOrder(test::numbers(*rs), expected), expected);
}

void TestSqlDialect::findFirst_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("criterion");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("expected");   // empty: no match
    auto row = [](const char* name, const char* source, const QString& criterion, const char* field, const QString& expected) {
        QTest::newRow(name) << QString::fromLatin1(source) << criterion << QString::fromLatin1(field) << expected;
    };
    const char* bySurname = "Select * from Zelk ORDER BY [Surname]";
    const char* byNumber = "Select * from Zelk ORDER BY [Number]";
    row("search surname", bySurname, QStringLiteral("Surname like \"smi*\""), "Number", QStringLiteral("2"));
    row("search in the set's order", "Select * from Zelk ORDER BY Number Desc", QStringLiteral("Surname like \"smi*\""), "Number", QStringLiteral("15"));
    row("search number", "Select * from Zelk WHERE Number >= 12 ORDER BY [Number]", QStringLiteral("Number like \"12*\""), "Number", QStringLiteral("120"));
    row("search number none", "Select * from Zelk WHERE Number >= 12 ORDER BY [Number]", QStringLiteral("Number like \"13*\""), "Number", {});
    row("outside the set is not found", "Select * from Zelk WHERE Number >= 12", QStringLiteral("Number = 2"), "Number", {});
    row("search renewal", byNumber, QStringLiteral("RenewDate = #04/01/2026#"), "Number", QStringLiteral("2"));
    row("search renewal desc", "Select * from Zelk ORDER BY Number Desc", QStringLiteral("RenewDate = #04/01/2026#"), "Number", QStringLiteral("3"));
    row("search post code", "Select * from Zelk ORDER BY [PostCode]", QStringLiteral("PostCode like \"ab2*\""), "Number", QStringLiteral("4"));
    row("search none", bySurname, QStringLiteral("Surname like \"qq*\""), "Number", {});
    row("accent and case", byNumber, QStringLiteral("FirstName = \"zoë\""), "Number", QStringLiteral("4"));
    row("type duplicate test", "Select * from Members", QStringLiteral("[Member Type] = \"full\""), "Member Type", QStringLiteral("Full"));
    row("type named like a field", "Select * from Members", QStringLiteral("[Member Type] = \"Number\""), "Member Type", QStringLiteral("Number"));
    row("type absent", "Select * from Members", QStringLiteral("[Member Type] = \"Associate\""), "Member Type", {});
    row("lookup duplicate test", "Select * from Lookups", QStringLiteral("[Lookups] = \"BRASS\""), "Lookups", QStringLiteral("Brass"));
    row("lookup delete", "Select * from Lookups", QStringLiteral("Lookups = \"Brass Band\""), "Lookups", QStringLiteral("brass band"));
    row("label delete", "Select * from Labels", QStringLiteral("LabelName = \"L7162\""), "LabelName", QStringLiteral("L7162"));
    row("label amend", "Select * from Labels", QStringLiteral("LabelName = 'L7162'"), "LabelName", QStringLiteral("L7162"));
    row("label typed small", "Select * from Labels", QStringLiteral("LabelName = 'l7163'"), "LabelName", QStringLiteral("L7163"));
    row("label absent", "Select * from Labels", QStringLiteral("LabelName = 'MYSHEET'"), "LabelName", {});
}

void TestSqlDialect::findFirst()
{
    QFETCH(QString, source);
    QFETCH(QString, criterion);
    QFETCH(QString, field);
    QFETCH(QString, expected);
    auto rs = m_register->db().openRecordset(source);
    QVERIFY(!rs->eof());
    rs->moveLast();
    const QVariant before = rs->field(field);
    rs->findFirst(criterion);
    QCOMPARE(rs->noMatch(), expected.isEmpty());
    if (expected.isEmpty())
        QCOMPARE(rs->field(field), before);   // the position is kept
    else
        QCOMPARE(rs->field(field).toString(), expected);
}

void TestSqlDialect::typedValuesStayValues_data()
{
    QTest::addColumn<QString>("value");
    // Text a user may type, and texts that the value would match if any character of it
    // kept a meaning of its own in the query.
    auto row = [](const char* name, const QString& value) { QTest::newRow(name) << value; };
    row("double quote", QStringLiteral("He said \"hi\""));
    row("two double quotes", QStringLiteral("\"\""));
    row("apostrophe", QStringLiteral("O'Brien's"));
    row("hash", QStringLiteral("#1"));
    row("star", QStringLiteral("a*b"));
    row("question mark", QStringLiteral("a?c"));
    row("brackets", QStringLiteral("[x]"));
    row("negated set", QStringLiteral("[!a]"));
    row("open bracket", QStringLiteral("a[b"));
    row("close bracket", QStringLiteral("a]b"));
    row("percent", QStringLiteral("100%"));
    row("underscore", QStringLiteral("a_c"));
    row("statement end", QStringLiteral("x; delete from Zelk"));
    row("quote and statement", QStringLiteral("\"; drop table Zelk; --"));
    row("date marks", QStringLiteral("#1/1/2026#"));
}

void TestSqlDialect::typedValuesStayValues()
{
    QFETCH(QString, value);
    Database& db = m_register->db();
    const QStringList decoys{QStringLiteral("11"), QStringLiteral("axb"), QStringLiteral("axbc"), QStringLiteral("abc"),
                             QStringLiteral("x"), QStringLiteral("1000"), QStringLiteral("b"), QStringLiteral("ab"),
                             QStringLiteral("He said "), QStringLiteral("O"), QStringLiteral("1/1/2026")};
    db.beginTrans();
    auto cleanup = qScopeGuard([&] { db.rollback(); });
    {
        auto rs = db.openRecordset(QStringLiteral("Lookups"));
        for (const auto& v : decoys + QStringList{value}) {
            rs->addNew();
            rs->setField(QStringLiteral("Lookups"), v);
            rs->update();
        }
    }
    auto valuesOf = [&](const QString& sql) {
        QStringList found;
        auto rs = db.openRecordset(sql);
        for (; !rs->eof(); rs->moveNext())
            found << rs->field(0).toString();
        return found;
    };
    const QStringList exactly{value};
    const QString quoted = sql::quoteText(value);
    QCOMPARE(valuesOf(QStringLiteral("Select * from Lookups where Lookups = ") + quoted), exactly);
    QCOMPARE(valuesOf(QStringLiteral("Select * from Lookups where [Lookups] like ") + sql::quoteText(sql::likeLiteral(value) + u'*')),
             exactly);
    QCOMPARE(valuesOf(QStringLiteral("Select * from Lookups where Lookups like ") + sql::quoteText(u'*' + sql::likeLiteral(value))),
             exactly);

    auto rs = db.openRecordset(QStringLiteral("Select * from Lookups"));
    rs->findFirst(QStringLiteral("Lookups = ") + quoted);
    QVERIFY(!rs->noMatch());
    QCOMPARE(rs->field(0).toString(), value);

    QCOMPARE(test::numbers(*db.openRecordset(QStringLiteral("Zelk"))).size(), 12);
}

void TestSqlDialect::refused_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<bool>("criterion");   // given to FindFirst rather than opened
    QTest::addColumn<int>("error");
    auto query = [](const char* name, const QString& sql, int error) { QTest::newRow(name) << sql << false << error; };
    auto criterion = [](const char* name, const QString& c, int error) { QTest::newRow(name) << c << true << error; };

    query("second statement", QStringLiteral("Select * from Zelk; Delete from Zelk"), err::CharactersAfterEnd);
    query("second statement after a value", QStringLiteral("Select * from Zelk where Surname = \"x\"; drop table Zelk"), err::CharactersAfterEnd);
    query("unterminated double quote", QStringLiteral("Select * from Zelk where Surname = \"Smith"), err::SyntaxError);
    query("unterminated single quote", QStringLiteral("Select * from Zelk where Surname = 'Smith"), err::SyntaxError);
    query("unterminated bracket", QStringLiteral("Select * from Zelk where [Surname = \"x\""), err::SyntaxError);
    query("unterminated date", QStringLiteral("Select * from Zelk where RenewDate = #4/1/2026"), err::SyntaxError);
    query("no such day", QStringLiteral("Select * from Zelk where RenewDate = #2/30/2026#"), err::SyntaxError);
    query("no such month", QStringLiteral("Select * from Zelk where RenewDate = #13/1/2026#"), err::SyntaxError);
    query("three-digit year", QStringLiteral("Select * from Zelk where Birthday >= #1/1/195#"), err::SyntaxError);
    query("part of a date", QStringLiteral("Select * from Zelk where Birthday >= #1//1950#"), err::SyntaxError);
    query("open parenthesis", QStringLiteral("Select * from Zelk where (Number = 1"), err::SyntaxError);
    query("unknown field", QStringLiteral("Select * from Zelk where Nosuch = 1"), err::TooFewParameters);
    query("unknown bracketed field", QStringLiteral("Select * from Zelk where [Nosuch] = 1"), err::TooFewParameters);
    query("unknown sort field", QStringLiteral("Select * from Zelk ORDER BY Nosuch"), err::TooFewParameters);
    query("unknown bracketed sort field", QStringLiteral("Select * from Zelk ORDER BY [Nosuch]"), err::TooFewParameters);
    query("field of another table", QStringLiteral("Select * from Zelk where [Member Type] = \"Full\""), err::TooFewParameters);
    query("unknown table", QStringLiteral("Select * from Nosuch"), err::TableNotFound);
    query("unknown table in a count", QStringLiteral("Select count(*) from Nosuch"), err::TableNotFound);
    criterion("criterion unknown field", QStringLiteral("Nosuch = 1"), err::TooFewParameters);
    criterion("criterion unknown bracketed field", QStringLiteral("[Nosuch] = \"x\""), err::TooFewParameters);
    criterion("criterion unterminated", QStringLiteral("Surname = \"x"), err::SyntaxError);
    criterion("criterion second statement", QStringLiteral("Number = 1; delete from Zelk"), err::CharactersAfterEnd);
    criterion("criterion invalid date", QStringLiteral("RenewDate = #2/30/2026#"), err::SyntaxError);
}

void TestSqlDialect::refused()
{
    QFETCH(QString, sql);
    QFETCH(bool, criterion);
    QFETCH(int, error);
    Database& db = m_register->db();
    int number = 0;
    try {
        if (criterion)
            db.openRecordset(QStringLiteral("Select * from Zelk ORDER BY Number"))->findFirst(sql);
        else
            db.openRecordset(sql);
    } catch (const EngineError& e) {
        number = e.number();
    }
    QCOMPARE(number, error);
    QCOMPARE(test::numbers(*db.openRecordset(QStringLiteral("Zelk"))).size(), 12);
}

ZELK_TEST(TestSqlDialect)
#include "tst_sql_dialect.moc"
