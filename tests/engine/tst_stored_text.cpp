// Text reaches the register and comes back exactly as typed, and no text can change the
// meaning of a query it is put into.
#include "engine_fixture.h"

#include "engine/sql_dialect.h"
#include "testlib/test_registry.h"

#include <QTest>

using namespace zelk;
using namespace zelk::test;

class TestStoredText : public QObject {
    Q_OBJECT

    std::unique_ptr<EngineRegister> m_register;
    Database& db() { return m_register->db(); }

    QString lookupsEqualTo(const QString& value)
    {
        return column(db(), u"Select * from Lookups where Lookups = "_s + sql::quoteText(value)).join(u'|');
    }

private slots:
    void init() { m_register = std::make_unique<EngineRegister>(); }
    void cleanup() { m_register.reset(); }

    void aLeadingZeroWidthNoBreakSpaceIsKept()
    {
        const QString one = QChar(0xFEFF) + u"Smith"_s;
        const QString two = QString(2, QChar(0xFEFF)) + u"Jones"_s;
        addRows(db(), u"Lookups"_s, u"Lookups"_s, {one, two, u"Smith"_s});
        QCOMPARE(column(db(), u"Lookups"_s), (QStringList{one, two, u"Smith"_s}));
        auto rs = db().openRecordset(u"Select * from Lookups where Lookups like \"*Jones\""_s);
        QCOMPARE(rs->field(0).toString(), two);
    }

    void textThatUtf8CannotHoldIsRefusedNotChanged()
    {
        const QString loneHalf = u"Sm"_s + QChar(0xD800) + u"th"_s;
        addRows(db(), u"Lookups"_s, u"Lookups"_s, {u"Smith"_s, u"Smyth"_s});
        auto rs = db().openRecordset(u"Lookups"_s);
        rs->addNew();
        QCOMPARE(errorOf([&] { rs->setField(u"Lookups"_s, loneHalf); }), err::TypeMismatch);
        rs->cancelUpdate();
        // Written as "?", the half would be a wildcard matching both members.
        QCOMPARE(errorOf([&] { lookupsEqualTo(loneHalf); }), err::TypeMismatch);
        QCOMPARE(errorOf([&] { db().openRecordset(u"Select * from Lookups where Lookups like "_s + sql::quoteText(loneHalf)); }),
                 err::TypeMismatch);
        QCOMPARE(column(db(), u"Lookups"_s), (QStringList{u"Smith"_s, u"Smyth"_s}));
    }

    void aNulCharacterStaysInsideItsValue()
    {
        const QString withNul = u"a"_s + QChar(0) + u"b"_s;
        addRows(db(), u"Lookups"_s, u"Lookups"_s, {withNul, u"a"_s, u"c"_s});
        QCOMPARE(column(db(), u"Lookups"_s).first(), withNul);
        // Ended at the NUL, the query would be cut short and refused.
        QCOMPARE(column(db(), u"Select * from Lookups where Lookups = "_s + sql::quoteText(u"x"_s + QChar(0) + u"y"_s)
                                  + u" or Lookups = \"c\""_s),
                 QStringList{u"c"_s});
        auto rs = db().openRecordset(u"Select * from Lookups"_s);
        rs->findFirst(u"Lookups = "_s + sql::quoteText(withNul));
        QVERIFY(!rs->noMatch());
        QCOMPARE(rs->field(0).toString(), withNul);
    }

    // "--" and "/*" start comments in SQLite's own SQL; in the program's queries they are a
    // minus followed by a minus, and a division followed by a multiplication sign.
    void doubleMinusAndSlashStarAreOperators()
    {
        auto rs = db().openRecordset(u"Zelk"_s);
        for (int number : {3, 5, 7}) {
            rs->addNew();
            rs->setField(u"Number"_s, number);
            rs->setField(u"Surname"_s, number == 7 ? u"x"_s : u"y"_s);
            rs->update();
        }
        QCOMPARE(column(db(), u"Select * from Zelk where Number >= 5--1 and Surname = \"x\""_s, u"Number"_s),
                 QStringList{u"7"_s});
        // Read as a comment, the rest would go unseen and every member numbered 14 be found.
        QVERIFY(errorOf([&] { column(db(), u"Select * from Zelk where Number >= 3 /* and Surname = \"x\" */"_s); }) != 0);
        QCOMPARE(column(db(), u"Select * from Zelk where Number = 6 - -1"_s, u"Number"_s), QStringList{u"7"_s});
    }
};

ZELK_TEST(TestStoredText)
#include "tst_stored_text.moc"
