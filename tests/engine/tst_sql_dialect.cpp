// The SQL texts and criteria the program builds, each run on a real register whose members
// make every answer checkable: which members come back, and in which order.
#include "engine_fixture.h"

#include "engine/sql_dialect.h"
#include "testlib/test_registry.h"

#include <QScopeGuard>
#include <QTest>

using namespace zelk;
using namespace zelk::test;

namespace {

// The members every query runs on, one a line, by the fields named first; "~" leaves a field
// unset (Null; False for Lapsed). Number 1 is the placeholder a new register starts with.
void addMembers(Database& db)
{
    const QStringList fields = u"Number Surname FirstName PostCode MemberType Birthday RenewDate Lapsed Lookup1 Lookup2 Lookup3 Lookup4 Lookup5 Lookup6"_s.split(u' ');
    const char* members[] = {
        "2|Smith|John|AB1 2CD|Full|01/01/1950|01/04/2026|False|Brass|~|~|~|~|~",
        "3|smithers|anne|ab2 9zz|junior|31/12/1959|01/04/2026|True|~|choir|~|~|~|~",
        "4|Émile|Zoë|AB2|Full|01/01/1960|04/01/2026|False|~|~|~|~|~|brass band",
        "5|Emile|Zoe|AB3|Honorary|31/12/1949|31/12/2025|False|~|~|  Strings|~|~|~",
        "6|Müller|Jürgen|B1|Number|~|01/04/2026 10:30|False|~|~|~|   |~|~",
        "7|Mueller|~|~|full|29/02/2000|01/04/2027|True|~|~|~|~|~|~",
        "8|Murphy||BT1|Life|~|~|False|~|~|~|~|Zither|~",
        "9|O'Brien|Seán|BT1 1AA|Full|15/06/1975|01/04/2024|False|Wind|Brass|~|~|~|~",
        "10|~|~|~|~|~|~|~|~|~|~|~|~|~",
        "15|SMITHSON|~|ZZ9|Honorary|~|02/04/2026|False|~|~|~|~|~|~",
        "120|zander|~|~|Life|~|~|False|Strings|~|~|~|~|~"};
    auto rs = db.openRecordset(u"Zelk"_s);
    for (const char* member : members) {
        const QStringList values = QString::fromUtf8(member).split(u'|');
        rs->addNew();
        for (qsizetype i = 0; i < fields.size(); ++i)
            if (values[i] != u"~"_s)
                rs->setField(fields[i], values[i]);
        rs->update();
    }
    addRows(db, u"Members"_s, u"Member Type"_s, {"Full", "Honorary", "junior", "Life", "Number"});
    addRows(db, u"Lookups"_s, u"Lookups"_s, {"Brass", "choir", "Strings", "Wind", "Zither", "brass band"});
}

// The lookups window's in-use query over the six lookup fields.
QString inUseQuery(const QString& value)
{
    QStringList terms;
    for (int i = 1; i <= 6; ++i)
        terms << u"(Lookup%1 = \"%2\")"_s.arg(i).arg(value);
    return u"Select * from Zelk where "_s + terms.join(u" or "_s) + u' ';
}

} // namespace

class TestSqlDialect : public QObject {
    Q_OBJECT

    std::unique_ptr<EngineRegister> m_register;
    Database& db() { return m_register->db(); }

private slots:
    void initTestCase()
    {
        m_register = std::make_unique<EngineRegister>();
        addMembers(db());
    }
    void cleanupTestCase() { m_register.reset(); }
    void queries_data();
    void queries();
    void typedValuesStayValues_data();
    void typedValuesStayValues();
    void caseIgnoredForEveryLetter();
};

void TestSqlDialect::queries_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("criterion");   // given to FindFirst on the set, when there is one
    // The members found, in order ({..} where it is open); for FindFirst the first field where
    // the set stands, or "none"; or the error.
    QTest::addColumn<QString>("expected");
    auto row = [](const char* name, const QString& sql, const QString& criterion, const QString& expected) {
        QTest::newRow(name) << sql << criterion << expected;
    };
    auto error = [](int number) { return u"error %1"_s.arg(number); };
    const QString bySurname = u"10 1 5 4 7 6 8 9 2 3 15 120"_s;

    // The main window's orders, as start-up writes them and as the sort menu does.
    // Null first; Émile beside Emile; Müller among the Mu...; case ignored.
    for (const auto& [field, expected] : {std::pair{"Surname", bySurname}, {"Number", u"1 2 3 4 5 6 7 8 9 10 15 120"_s},
                                          {"MemberType", u"10 1 {2 4 7 9} {5 15} 3 {8 120} 6"_s},
                                          {"PostCode", u"{7 10 120} 1 2 4 3 5 6 8 9 15"_s}, {"RenewDate", u"{1 8 10 120} 9 5 4 {2 3} 6 15 7"_s}})
        for (const QString& name : {QString::fromLatin1(field), u"[%1]"_s.arg(field)})
            QTest::addRow("sort %s", qPrintable(name)) << u"Select * from Zelk ORDER BY "_s + name << QString() << expected;

    // The search window's set and its FindFirst, and its date literals (month first).
    const QString from12 = u"Select * from Zelk WHERE Number >= 12 ORDER BY [Number]"_s, desc = u"Select * from Zelk ORDER BY Number Desc"_s;
    row("outside the set is not found", from12, u"Number = 2"_s, u"none"_s);
    row("find in the set's order", desc, u"Surname like \"smi*\""_s, u"15"_s);
    row("search renewal", u"Select * from Zelk WHERE RenewDate = #04/01/2026# ORDER BY [RenewDate]"_s, {}, u"{2 3}"_s);
    row("search renewal month first", u"Select * from Zelk WHERE RenewDate = #01/04/2026# ORDER BY [RenewDate]"_s, {}, u"4"_s);

    // The lookups window's duplicate, in-use and delete tests, and the label sheets'.
    row("type named like a field", u"Select * from Zelk where MemberType = \"Number\""_s, {}, u"6"_s);
    row("lookup in use", inUseQuery(u"brass"_s), {}, u"{2 9}"_s);
    row("lookup with blanks is another value", inUseQuery(u"Strings"_s), {}, u"120"_s);
    row("type duplicate", u"Select * from Members"_s, u"[Member Type] = \"full\""_s, u"Full"_s);
    row("lookup duplicate", u"Select * from Lookups"_s, u"[Lookups] = \"BRASS\""_s, u"Brass"_s);
    row("label typed small", u"Select * from Labels"_s, u"LabelName = 'l7163'"_s, u"L7163"_s);

    // The importers' placeholder test.
    row("placeholder", u"Select * from Zelk Where Number = 1 and trim(Surname) = '' and trim(FirstName) =''"_s, {}, u"1"_s);

    // What the dialect means by its values, names and operators.
    row("case ignored, accent kept", u"Select * from Zelk where Surname = \"émile\""_s, {}, u"4"_s);
    row("no accent is another letter", u"Select * from Zelk where Surname = \"EMILE\""_s, {}, u"5"_s);
    row("like a digit", u"Select * from Zelk where PostCode like \"AB#*\" ORDER BY Number"_s, {}, u"2 3 4 5"_s);
    row("like a set", u"Select * from Zelk where PostCode like \"[a-b]T*\" ORDER BY Number"_s, {}, u"8 9"_s);
    row("empty text is not Null", u"Select * from Zelk where Surname = \"\""_s, {}, u"1"_s);
    row("Null", u"Select * from Zelk where Surname Is Null"_s, {}, u"10"_s);
    row("single quotes doubled", u"Select * from Zelk where Surname = 'O''Brien'"_s, {}, u"9"_s);
    row("flags in any case", u"Select * from Zelk where lapsed = true ORDER BY Number"_s, {}, u"3 7"_s);
    row("ends with a semicolon", u"Select * from Zelk where Number = 2;"_s, {}, u"2"_s);

    // Refused, with nothing run.
    const QString all = u"Select * from Zelk ORDER BY Number"_s;
    row("second statement", u"Select * from Zelk; Delete from Zelk"_s, {}, error(err::CharactersAfterEnd));
    row("unterminated double quote", u"Select * from Zelk where Surname = \"Smith"_s, {}, error(err::SyntaxError));
    row("no such day", u"Select * from Zelk where RenewDate = #2/30/2026#"_s, {}, error(err::SyntaxError));
    row("unknown field", u"Select * from Zelk where Nosuch = 1"_s, {}, error(err::TooFewParameters));
    row("unknown table", u"Select count(*) from Nosuch"_s, {}, error(err::TableNotFound));
    row("criterion unknown field", all, u"[Nosuch] = \"x\""_s, error(err::TooFewParameters));
    row("criterion second statement", all, u"Number = 1; delete from Zelk"_s, error(err::CharactersAfterEnd));
}

void TestSqlDialect::queries()
{
    QFETCH(QString, sql);
    QFETCH(QString, criterion);
    QFETCH(QString, expected);
    QString found;
    try {
        if (criterion.isEmpty()) {
            found = inOrder(column(db(), sql, u"Number"_s), expected);
        } else {
            auto rs = db().openRecordset(sql);
            rs->moveLast();
            const QVariant before = rs->field(0);
            rs->findFirst(criterion);
            found = !rs->noMatch() ? rs->field(0).toString() : rs->field(0) == before ? u"none"_s : u"none, but moved"_s;
        }
    } catch (const EngineError& e) {
        found = u"error %1"_s.arg(e.number());
    }
    QCOMPARE(found, expected);
    QCOMPARE(column(db(), u"Zelk"_s).size(), 12);
}

void TestSqlDialect::typedValuesStayValues_data()
{
    // Texts a user may type, beside texts the value would match if any character of it
    // kept a meaning of its own in the query.
    QTest::addColumn<QString>("value");
    for (const char* v : {"He said \"hi\"", "O'Brien's", "#1", "a*b", "a?c", "[!a]", "a[b", "100%", "a_c", "\"; drop table Zelk; --"})
        QTest::newRow(v) << QString::fromLatin1(v);
}

void TestSqlDialect::typedValuesStayValues()
{
    QFETCH(QString, value);
    db().beginTrans();
    auto cleanup = qScopeGuard([&] { db().rollback(); });
    addRows(db(), u"Lookups"_s, u"Lookups"_s, {"11", "axb", "axbc", "abc", "x", "1000", "b", "ab", "He said ", "O", "1/1/2026", value});
    const QString q = sql::quoteText(value);
    QCOMPARE(column(db(), u"Select * from Lookups where Lookups = "_s + q), QStringList{value});
    QCOMPARE(column(db(), u"Select * from Lookups where [Lookups] like "_s + sql::quoteText(sql::likeLiteral(value) + u'*')), QStringList{value});
    QCOMPARE(column(db(), u"Select * from Lookups where Lookups like "_s + sql::quoteText(u'*' + sql::likeLiteral(value))), QStringList{value});
    auto rs = db().openRecordset(u"Select * from Lookups"_s);
    rs->findFirst(u"Lookups = "_s + q);
    QCOMPARE(rs->noMatch() ? QString() : rs->field(0).toString(), value);
    QCOMPARE(column(db(), u"Zelk"_s).size(), 12);
}

// Letter case is ignored for every letter, in comparisons, in like and in ORDER BY.
void TestSqlDialect::caseIgnoredForEveryLetter()
{
    const QString letters = u"abcdefghijklmnopqrstuvwxyzàáâãäåæçèéêëìíîïñòóôõöøùúûüýÿăąćčďđęěłńňőœřśşšťůűźżžαβγδжзийя"_s;
    const QStringList small = letters.split(QString(), Qt::SkipEmptyParts), capitals = letters.toUpper().split(QString(), Qt::SkipEmptyParts);
    db().beginTrans();
    auto cleanup = qScopeGuard([&] { db().rollback(); });
    addRows(db(), u"Lookups"_s, u"Lookups"_s, small);
    for (qsizetype i = 0; i < small.size(); ++i) {
        QCOMPARE(column(db(), u"Select * from Lookups where Lookups = "_s + sql::quoteText(capitals[i])), QStringList{small[i]});
        QCOMPARE(column(db(), u"Select * from Lookups where Lookups like "_s + sql::quoteText(capitals[i])), QStringList{small[i]});
    }
    addRows(db(), u"Lookups"_s, u"Lookups"_s, capitals);
    const QStringList sorted = column(db(), u"Select * from Lookups where Lookups like \"?\" ORDER BY Lookups"_s);
    QCOMPARE(sorted.size(), 2 * small.size());
    for (qsizetype i = 0; i < sorted.size(); i += 2)   // each capital beside its small letter
        QCOMPARE(sorted[i].toLower(), sorted[i + 1].toLower());
}

ZELK_TEST(TestSqlDialect)
#include "tst_sql_dialect.moc"
