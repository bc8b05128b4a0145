// The SQL texts the search and the lists build from what the user types: exactly the forms
// the register's dialect expects, with the typed text only ever a value.
#include "testlib/test_registry.h"
#include "testlib/test_world.h"

#include "data/queries.h"
#include "data/sort_fields.h"
#include "engine/engine_error.h"

#include <QTest>
#include <functional>

using namespace zelk;
using namespace zelk::query;
using zelk::test::TestWorld;

Q_DECLARE_METATYPE(zelk::query::ValueList)

class QueriesTest : public QObject {
    Q_OBJECT

private slots:
    // What each keystroke narrows the members to, and what OK then looks for among them
    // (empty: nothing can match, so nothing is searched).
    void searches_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("anywhere");
        QTest::addColumn<QString>("narrowing");
        QTest::addColumn<QString>("criterion");
        QTest::newRow("surname") << "en_GB" << "Surname" << "smi" << false
                                 << "Select * from Zelk WHERE [Surname] like \"smi*\" ORDER BY [Surname]" << "Surname like \"smi*\"";
        QTest::newRow("surname anywhere") << "en_GB" << "Surname" << "ils" << true
                                          << "Select * from Zelk WHERE [Surname] like \"*ils*\" ORDER BY [Surname]"
                                          << "Surname like \"*ils*\"";
        QTest::newRow("a double quote is doubled") << "en_GB" << "Surname" << "the \"n" << false
                                                   << "Select * from Zelk WHERE [Surname] like \"the \"\"n*\" ORDER BY [Surname]"
                                                   << "Surname like \"the \"\"n*\"";
        QTest::newRow("wildcards match themselves") << "en_GB" << "Surname" << "a*?#[" << false
                                                    << "Select * from Zelk WHERE [Surname] like \"a[*][?][#][[]*\" ORDER BY [Surname]"
                                                    << "Surname like \"a[*][?][#][[]*\"";
        QTest::newRow("number: from it upwards, beginning with it")
            << "en_GB" << "Number" << " 12 " << false << "Select * from Zelk WHERE Number >= 12 ORDER BY [Number]"
            << "Number like \"12*\"";
        QTest::newRow("number: more than a number") << "en_GB" << "Number" << "12 or 1=1" << false << "" << "";
        QTest::newRow("renewal date, day first") << "en_GB" << "RenewDate" << "1/4/26" << false
                                                 << "Select * from Zelk WHERE RenewDate = #04/01/2026#" << "RenewDate = #04/01/2026#";
        QTest::newRow("renewal date in words") << "de_DE" << "RenewDate" << "1. April 2026" << false
                                               << "Select * from Zelk WHERE RenewDate = #04/01/2026#" << "RenewDate = #04/01/2026#";
        QTest::newRow("not yet a date") << "en_GB" << "RenewDate" << "1/4/" << false << "" << "";
    }
    void searches()
    {
        QFETCH(QString, locale);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(bool, anywhere);
        QFETCH(QString, narrowing);
        QFETCH(QString, criterion);
        TestWorld world(locale);
        QCOMPARE(narrowingQuery(field, typed, anywhere).value_or(QString()), narrowing);
        QCOMPARE(findCriterion(field, typed, anywhere).value_or(QString()), criterion);
    }

    void membersInOrderOfEachSortField()
    {
        QCOMPARE(membersInOrder("Surname"), "Select * from Zelk ORDER BY Surname");
        QCOMPARE(membersInOrder(sortField(SortKey::MemberType).field), "Select * from Zelk ORDER BY MemberType");
        QVERIFY(!findSortField("ShoeSize"));
        QCOMPARE(membersInOrder("postcode"), "Select * from Zelk ORDER BY PostCode");
    }

    // A stored order that is not one of the five sort fields names no field: no query is
    // built on it, so it can neither limit nor change what the register shows.
    void anOrderNamingNoSortFieldBuildsNoQuery_data()
    {
        QTest::addColumn<QString>("order");
        QTest::newRow("a sort field with a limit after it") << "Surname LIMIT 1";
        QTest::newRow("a closing bracket") << "Surname] like \"*\" or [Number";
        QTest::newRow("empty") << "";
    }
    void anOrderNamingNoSortFieldBuildsNoQuery()
    {
        QFETCH(QString, order);
        TestWorld world;
        for (const auto& build : std::initializer_list<std::function<QString()>>{
                 [&] { return membersInOrder(order); },
                 [&] { return narrowingQuery(order, "smi", false).value_or(QString()); },
                 [&] { return findCriterion(order, "smi", true).value_or(QString()); }}) {
            try {
                QFAIL(qPrintable(build()));
            } catch (const EngineError& e) {
                QCOMPARE(e.number(), err::TooFewParameters);
            }
        }
    }

    // The members holding a value, and what finds it in its own list.
    void valuesOfTheLists_data()
    {
        QTest::addColumn<ValueList>("list");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("inUse");
        QTest::addColumn<QString>("criterion");
        QTest::newRow("membership type") << ValueList::MemberTypes << "Gold" << "Select * from Zelk where MemberType = \"Gold\""
                                         << "[Member Type] = \"Gold\"";
        QTest::newRow("lookup") << ValueList::Lookups << "Gold"
                                << "Select * from Zelk where (Lookup1 = \"Gold\") or (Lookup2 = \"Gold\") or (Lookup3 = \"Gold\") or "
                                   "(Lookup4 = \"Gold\") or (Lookup5 = \"Gold\") or (Lookup6 = \"Gold\") "
                                << "[Lookups] = \"Gold\"";
        QTest::newRow("a double quote") << ValueList::MemberTypes << "6\" ruler"
                                        << "Select * from Zelk where MemberType = \"6\"\" ruler\"" << "[Member Type] = \"6\"\" ruler\"";
    }
    void valuesOfTheLists()
    {
        QFETCH(ValueList, list);
        QFETCH(QString, value);
        QFETCH(QString, inUse);
        QFETCH(QString, criterion);
        QCOMPARE(inUseQuery(list, value), inUse);
        QCOMPARE(valueCriterion(list, value), criterion);
    }
};

ZELK_TEST(QueriesTest)
#include "tst_queries.moc"
