// Record sets as the windows use them: positions and both ends, adding, amending,
// cancelling and deleting rows, failed updates, FindFirst, and the values each field type
// keeps.
#include "engine_fixture.h"

#include "engine/database.h"
#include "engine/engine_error.h"
#include "engine/recordset.h"
#include "testlib/test_registry.h"

#include <sqlite3.h>

#include <QTest>

#include <functional>

using namespace zelk;
using zelk::test::EngineRegister;

namespace {

// The error number a call throws, or 0 when it succeeds.
int errorOf(const std::function<void()>& call)
{
    try {
        call();
    } catch (const EngineError& e) {
        return e.number();
    }
    return 0;
}

QStringList labelNames(Database& db, const QString& source = QStringLiteral("Labels"))
{
    QStringList names;
    auto rs = db.openRecordset(source);
    for (; !rs->eof(); rs->moveNext())
        names << rs->field(QStringLiteral("LabelName")).toString();
    return names;
}

const QStringList kSheets{QStringLiteral("L7159"), QStringLiteral("L7160"), QStringLiteral("L7162"),
                          QStringLiteral("L7163"), QStringLiteral("5159"), QStringLiteral("5162")};

// The stored value as SQLite itself shows it.
QString storedText(Database& db, const QString& table, const QString& field, qint64 rowid)
{
    sqlite3_stmt* st = nullptr;
    const QByteArray sql = QStringLiteral("SELECT CAST(\"%1\" AS TEXT) FROM \"%2\" WHERE rowid = %3")
                               .arg(field, table).arg(rowid).toUtf8();
    if (sqlite3_prepare_v2(db.handle(), sql.constData(), -1, &st, nullptr) != SQLITE_OK)
        return QStringLiteral("(prepare failed)");
    QString out = QStringLiteral("(no row)");
    if (sqlite3_step(st) == SQLITE_ROW)
        out = sqlite3_column_type(st, 0) == SQLITE_NULL
                  ? QStringLiteral("(null)")
                  : QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    return out;
}

} // namespace

class TestRecordset : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void emptySet();
    void movesPastBothEnds();
    void addNewJoinsTheEndAndStandsOnIt();
    void updateWithoutEditOrAddNew();
    void cancelUpdateWritesNothing();
    void failedUpdateWritesNothing_data();
    void failedUpdateWritesNothing();
    void failedAmendKeepsTheRow();
    void deleteMovesOn();
    void findFirstFollowsTheSetsOrder();
    void nullAndEmptyTextKeptApart();
    void valuesRoundTrip_data();
    void valuesRoundTrip();
    void flagsAreNeverNull();
    void rowsChangedElsewhere();
    void wholeTableInStoredOrder();
    void otherQueriesAreReadOnly_data();
    void otherQueriesAreReadOnly();

private:
    std::unique_ptr<EngineRegister> m_register;
    Database& db() { return m_register->db(); }
};

void TestRecordset::init()
{
    m_register = std::make_unique<EngineRegister>();
}

void TestRecordset::cleanup()
{
    m_register.reset();
}

void TestRecordset::emptySet()
{
    auto rs = db().openRecordset(QStringLiteral("Select * from Zelk where Number = 999"));
    QVERIFY(rs->bof());
    QVERIFY(rs->eof());
    QCOMPARE(rs->recordCount(), 0);
    QCOMPARE(errorOf([&] { rs->moveFirst(); }), err::NoCurrentRecord);
    QCOMPARE(errorOf([&] { rs->moveLast(); }), err::NoCurrentRecord);
    QCOMPARE(errorOf([&] { rs->moveNext(); }), err::NoCurrentRecord);
    QCOMPARE(errorOf([&] { rs->movePrevious(); }), err::NoCurrentRecord);
    QCOMPARE(errorOf([&] { rs->field(QStringLiteral("Surname")); }), err::NoCurrentRecord);
    QCOMPARE(errorOf([&] { rs->edit(); }), err::NoCurrentRecord);
    QCOMPARE(errorOf([&] { rs->deleteCurrent(); }), err::NoCurrentRecord);
    QCOMPARE(errorOf([&] { rs->field(QStringLiteral("Nosuch")); }), err::ItemNotFound);
    QVERIFY(rs->bof() && rs->eof());
}

void TestRecordset::movesPastBothEnds()
{
    auto rs = db().openRecordset(QStringLiteral("Select * from Labels"));
    QVERIFY(!rs->bof());
    QVERIFY(!rs->eof());
    QCOMPARE(rs->field(QStringLiteral("LabelName")).toString(), kSheets.first());

    rs->moveLast();
    QCOMPARE(rs->field(QStringLiteral("LabelName")).toString(), kSheets.last());
    rs->moveNext();
    QVERIFY(rs->eof());
    QVERIFY(!rs->bof());
    QCOMPARE(errorOf([&] { rs->field(QStringLiteral("LabelName")); }), err::NoCurrentRecord);
    QCOMPARE(errorOf([&] { rs->moveNext(); }), err::NoCurrentRecord);
    QVERIFY(rs->eof());
    rs->movePrevious();   // back from past the end: the last row
    QCOMPARE(rs->field(QStringLiteral("LabelName")).toString(), kSheets.last());

    rs->moveFirst();
    rs->movePrevious();
    QVERIFY(rs->bof());
    QVERIFY(!rs->eof());
    QCOMPARE(errorOf([&] { rs->field(QStringLiteral("LabelName")); }), err::NoCurrentRecord);
    QCOMPARE(errorOf([&] { rs->movePrevious(); }), err::NoCurrentRecord);
    rs->moveNext();
    QCOMPARE(rs->field(QStringLiteral("LabelName")).toString(), kSheets.first());

    rs->moveNext();
    rs->moveNext();
    const qint64 third = rs->bookmark();
    rs->moveLast();
    rs->setBookmark(third);
    QCOMPARE(rs->field(QStringLiteral("LabelName")).toString(), kSheets[2]);
}

void TestRecordset::addNewJoinsTheEndAndStandsOnIt()
{
    {
        auto rs = db().openRecordset(QStringLiteral("Zelk"));
        rs->addNew();
        rs->setField(QStringLiteral("Number"), 2);
        rs->setField(QStringLiteral("Surname"), QStringLiteral("Young"));
        rs->update();
    }
    auto rs = db().openRecordset(QStringLiteral("Select * from Zelk ORDER BY Surname"));
    rs->moveLast();
    QCOMPARE(rs->field(QStringLiteral("Number")).toInt(), 2);
    rs->moveFirst();

    // "Aaron" sorts first, but a row added through the set joins its end.
    rs->addNew();
    QCOMPARE(rs->editMode(), Recordset::EditMode::Add);
    rs->setField(QStringLiteral("Number"), QStringLiteral("3"));
    rs->setField(QStringLiteral("Surname"), QStringLiteral("Aaron"));
    rs->update();
    QCOMPARE(rs->editMode(), Recordset::EditMode::None);
    QCOMPARE(rs->recordCount(), 3);
    QCOMPARE(rs->field(QStringLiteral("Surname")).toString(), QStringLiteral("Aaron"));
    const qint64 added = rs->bookmark();
    rs->moveNext();
    QVERIFY(rs->eof());

    // A later amendment goes to the row just added, and to no other.
    rs->setBookmark(added);
    rs->edit();
    rs->setField(QStringLiteral("FirstName"), QStringLiteral("Ann"));
    rs->update();
    QCOMPARE(rs->field(QStringLiteral("FirstName")).toString(), QStringLiteral("Ann"));

    auto check = db().openRecordset(QStringLiteral("Select * from Zelk ORDER BY Number"));
    QStringList firstNames;
    for (; !check->eof(); check->moveNext())
        firstNames << check->field(QStringLiteral("Number")).toString() + u'=' + check->field(QStringLiteral("FirstName")).toString();
    QCOMPARE(firstNames, QStringList({QStringLiteral("1="), QStringLiteral("2="), QStringLiteral("3=Ann")}));
}

void TestRecordset::updateWithoutEditOrAddNew()
{
    auto rs = db().openRecordset(QStringLiteral("Select * from Zelk"));
    QCOMPARE(errorOf([&] { rs->update(); }), err::UpdateWithoutEdit);
    QCOMPARE(errorOf([&] { rs->setField(QStringLiteral("Surname"), QStringLiteral("x")); }), err::UpdateWithoutEdit);
    QCOMPARE(errorOf([&] { rs->cancelUpdate(); }), err::UpdateWithoutEdit);
    rs->edit();
    rs->update();
    QCOMPARE(errorOf([&] { rs->update(); }), err::UpdateWithoutEdit);   // the edit is over
    QCOMPARE(rs->field(QStringLiteral("Surname")).toString(), QString());
}

void TestRecordset::cancelUpdateWritesNothing()
{
    auto rs = db().openRecordset(QStringLiteral("Select * from Labels"));
    rs->moveNext();
    rs->addNew();
    rs->setField(QStringLiteral("LabelName"), QStringLiteral("MYSHEET"));
    QCOMPARE(rs->field(QStringLiteral("LabelName")).toString(), QStringLiteral("MYSHEET"));
    rs->cancelUpdate();
    QCOMPARE(rs->editMode(), Recordset::EditMode::None);
    QCOMPARE(rs->field(QStringLiteral("LabelName")).toString(), kSheets[1]);   // where it stood

    rs->edit();
    rs->setField(QStringLiteral("LabelsWide"), 9);
    rs->cancelUpdate();
    QCOMPARE(rs->field(QStringLiteral("LabelsWide")).toInt(), 3);
    QCOMPARE(labelNames(db()), kSheets);
    auto check = db().openRecordset(QStringLiteral("Select * from Labels where LabelName = \"L7160\""));
    QCOMPARE(check->field(QStringLiteral("LabelsWide")).toInt(), 3);
}

void TestRecordset::failedUpdateWritesNothing_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<bool>("refusedByUpdate");   // otherwise setField refuses the value
    QTest::addColumn<int>("error");
    auto row = [](const char* name, const char* table, const char* field, const QVariant& value, bool atUpdate, int error) {
        QTest::newRow(name) << QString::fromLatin1(table) << QString::fromLatin1(field) << value << atUpdate << error;
    };
    row("duplicate label name", "Labels", "LabelName", QStringLiteral("L7162"), true, err::DuplicateKey);
    row("duplicate label name, other case", "Labels", "LabelName", QStringLiteral("l7162"), true, err::DuplicateKey);
    row("title too long", "Zelk", "Title", QString(101, u'x'), false, err::ValueTooLong);
    row("empty membership type", "Members", "Member Type", QString(QLatin1String("")), false, err::ZeroLengthNotAllowed);
    row("empty lookup", "Lookups", "Lookups", QString(QLatin1String("")), false, err::ZeroLengthNotAllowed);
    row("not a date", "Zelk", "RenewDate", QStringLiteral("next Tuesday"), false, err::TypeMismatch);
    row("no such day", "Zelk", "RenewDate", QStringLiteral("30/02/2026"), false, err::TypeMismatch);
    row("letters in a number", "Zelk", "Number", QStringLiteral("12a"), false, err::TypeMismatch);
    row("Long too large", "Zelk", "Number", QVariant(qint64(2147483648LL)), false, err::Overflow);
    row("Integer too large", "Labels", "LabelsWide", 32768, false, err::Overflow);
    row("no such field", "Zelk", "Nosuch", 1, false, err::ItemNotFound);
}

void TestRecordset::failedUpdateWritesNothing()
{
    QFETCH(QString, table);
    QFETCH(QString, field);
    QFETCH(QVariant, value);
    QFETCH(bool, refusedByUpdate);
    QFETCH(int, error);

    auto count = [&] { return db().openRecordset(table)->recordCount(); };
    const int before = count();
    auto rs = db().openRecordset(QStringLiteral("Select * from ") + table);
    const qint64 position = rs->recordCount() ? rs->bookmark() : -1;
    rs->addNew();
    // A valid value in the first field, so the pending row has something to lose.
    const FieldDef first = rs->fields().front();
    if (first.name != field)
        rs->setField(first.name, first.type == FieldType::Long ? QVariant(77) : QVariant(QStringLiteral("PENDING")));

    if (refusedByUpdate) {
        rs->setField(field, value);
        QCOMPARE(errorOf([&] { rs->update(); }), error);
        QCOMPARE(rs->field(field), value);
    } else {
        QCOMPARE(errorOf([&] { rs->setField(field, value); }), error);
        if (rs->hasField(field))
            QVERIFY(!rs->field(field).isValid());
    }
    QCOMPARE(count(), before);
    QCOMPARE(rs->editMode(), Recordset::EditMode::Add);   // still pending
    if (first.name != field)
        QVERIFY(rs->field(first.name).isValid());

    rs->cancelUpdate();
    QCOMPARE(rs->editMode(), Recordset::EditMode::None);
    QCOMPARE(count(), before);
    if (position >= 0)
        QCOMPARE(rs->bookmark(), position);
}

void TestRecordset::failedAmendKeepsTheRow()
{
    auto rs = db().openRecordset(QStringLiteral("Select * from Labels"));
    rs->findFirst(QStringLiteral("LabelName = \"L7160\""));
    rs->edit();
    rs->setField(QStringLiteral("LabelName"), QStringLiteral("L7162"));
    rs->setField(QStringLiteral("LabelsWide"), 5);
    QCOMPARE(errorOf([&] { rs->update(); }), err::DuplicateKey);
    QCOMPARE(rs->editMode(), Recordset::EditMode::Edit);
    rs->cancelUpdate();
    QCOMPARE(rs->field(QStringLiteral("LabelName")).toString(), QStringLiteral("L7160"));
    QCOMPARE(rs->field(QStringLiteral("LabelsWide")).toInt(), 3);
    QCOMPARE(labelNames(db()), kSheets);
}

void TestRecordset::deleteMovesOn()
{
    auto rs = db().openRecordset(QStringLiteral("Select * from Labels"));
    rs->moveNext();
    rs->moveNext();
    rs->deleteCurrent();
    QCOMPARE(rs->field(QStringLiteral("LabelName")).toString(), QStringLiteral("L7163"));
    QCOMPARE(rs->recordCount(), 5);
    rs->moveLast();
    rs->deleteCurrent();
    QVERIFY(rs->eof());
    QCOMPARE(errorOf([&] { rs->deleteCurrent(); }), err::NoCurrentRecord);
    rs->movePrevious();
    QCOMPARE(rs->field(QStringLiteral("LabelName")).toString(), QStringLiteral("5159"));
    QCOMPARE(labelNames(db()), QStringList({QStringLiteral("L7159"), QStringLiteral("L7160"), QStringLiteral("L7163"),
                                            QStringLiteral("5159")}));

    // The importers' placeholder removal.
    auto placeholder = db().openRecordset(
        QStringLiteral("Select * from Zelk Where Number = 1 and trim(Surname) = '' and trim(FirstName) =''"));
    QVERIFY(!placeholder->eof());
    placeholder->deleteCurrent();
    QVERIFY(placeholder->eof() && placeholder->bof());
    QCOMPARE(db().openRecordset(QStringLiteral("Zelk"))->recordCount(), 0);
}

void TestRecordset::findFirstFollowsTheSetsOrder()
{
    {
        auto rs = db().openRecordset(QStringLiteral("Zelk"));
        for (const auto& [number, surname] : {std::pair{5, "Moss"}, {6, "Mann"}, {7, "Zeal"}, {8, "Mann"}}) {
            rs->addNew();
            rs->setField(QStringLiteral("Number"), number);
            rs->setField(QStringLiteral("Surname"), QString::fromLatin1(surname));
            rs->update();
        }
    }
    auto rs = db().openRecordset(QStringLiteral("Select * from Zelk ORDER BY Number Desc"));
    rs->findFirst(QStringLiteral("Surname like \"m*\""));
    QVERIFY(!rs->noMatch());
    QCOMPARE(rs->field(QStringLiteral("Number")).toInt(), 8);

    rs->moveLast();
    rs->findFirst(QStringLiteral("Surname = \"Nobody\""));
    QVERIFY(rs->noMatch());
    QCOMPARE(rs->field(QStringLiteral("Number")).toInt(), 1);   // still where it stood

    // A row added through the set can be found; one outside the set cannot.
    rs->addNew();
    rs->setField(QStringLiteral("Number"), 9);
    rs->setField(QStringLiteral("Surname"), QStringLiteral("Nobody"));
    rs->update();
    rs->moveFirst();
    rs->findFirst(QStringLiteral("Surname = \"nobody\""));
    QVERIFY(!rs->noMatch());
    QCOMPARE(rs->field(QStringLiteral("Number")).toInt(), 9);

    auto some = db().openRecordset(QStringLiteral("Select * from Zelk where Number < 7"));
    some->findFirst(QStringLiteral("Number = 8"));
    QVERIFY(some->noMatch());
    some->findFirst(QStringLiteral("Number = 6"));
    QVERIFY(!some->noMatch());
    QCOMPARE(some->field(QStringLiteral("Surname")).toString(), QStringLiteral("Mann"));
}

void TestRecordset::nullAndEmptyTextKeptApart()
{
    auto rs = db().openRecordset(QStringLiteral("Zelk"));
    QCOMPARE(rs->field(QStringLiteral("Surname")), QVariant(QString(QLatin1String(""))));   // the placeholder's ""
    QVERIFY(!rs->field(QStringLiteral("Address5")).isValid());                              // never set: Null
    rs->addNew();
    rs->setField(QStringLiteral("Number"), 2);
    rs->setField(QStringLiteral("Title"), QVariant());
    rs->setField(QStringLiteral("FirstName"), QString(QLatin1String("")));
    rs->setField(QStringLiteral("Memo"), QString(QLatin1String("")));
    rs->update();

    auto check = db().openRecordset(QStringLiteral("Select * from Zelk where Number = 2"));
    QVERIFY(!check->field(QStringLiteral("Title")).isValid());
    QCOMPARE(check->field(QStringLiteral("FirstName")), QVariant(QString(QLatin1String(""))));
    QCOMPARE(check->field(QStringLiteral("Memo")), QVariant(QString(QLatin1String(""))));
    QCOMPARE(storedText(db(), QStringLiteral("Zelk"), QStringLiteral("Title"), check->bookmark()), QStringLiteral("(null)"));
    QCOMPARE(storedText(db(), QStringLiteral("Zelk"), QStringLiteral("FirstName"), check->bookmark()), QString());

    // Null is allowed where the empty text is not.
    auto types = db().openRecordset(QStringLiteral("Members"));
    types->addNew();
    types->setField(QStringLiteral("Member Type"), QVariant());
    types->update();
    QVERIFY(!types->field(QStringLiteral("Member Type")).isValid());
}

void TestRecordset::valuesRoundTrip_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QVariant>("expected");
    QTest::addColumn<QString>("stored");   // as SQLite shows it
    auto row = [](const char* name, const char* table, const char* field, const QVariant& value, const QVariant& expected,
                  const char* stored) {
        QTest::newRow(name) << QString::fromLatin1(table) << QString::fromLatin1(field) << value << expected
                            << QString::fromUtf8(stored);
    };
    const QDateTime withTime(QDate(2026, 4, 1), QTime(9, 30, 15), Qt::UTC);
    row("Long top", "Zelk", "Number", 2147483647, QVariant(qint32(2147483647)), "2147483647");
    row("Long bottom", "Zelk", "Number", QStringLiteral("-2147483648"), QVariant(qint32(-2147483647 - 1)), "-2147483648");
    row("Integer top", "Labels", "LabelsWide", 32767, QVariant(qint32(32767)), "32767");
    row("Integer bottom", "Labels", "LabelsHigh", -32768, QVariant(qint32(-32768)), "-32768");
    row("Single", "Labels", "TopMargin", 0.54f, QVariant(0.54f), "0.54");
    row("Single from text", "Labels", "LabelWidth", QStringLiteral("3.9"), QVariant(3.9f), "3.9");
    row("Single from a double", "Labels", "FontSize", 0.1, QVariant(0.1f), "0.1");
    row("Currency", "Zelk", "FeePaid", 12.5, QVariant(12.5), "12.5");
    row("Currency four decimals", "Zelk", "FeePaid", 1234.5678, QVariant(1234.5678), "1234.5678");
    row("Currency rounded", "Zelk", "FeePaid", QStringLiteral("£1,234.56789"), QVariant(1234.5679), "1234.5679");
    row("date", "Zelk", "RenewDate", QDate(2026, 4, 1), QVariant(QDate(2026, 4, 1)), "2026-04-01");
    row("date as typed", "Zelk", "Birthday", QStringLiteral("01/04/2026"), QVariant(QDate(2026, 4, 1)), "2026-04-01");
    row("date at midnight", "Zelk", "JoinDate", QDateTime(QDate(1999, 12, 31), QTime(0, 0), Qt::UTC),
        QVariant(QDate(1999, 12, 31)), "1999-12-31");
    row("date and time", "Zelk", "RenewDate", withTime, QVariant(withTime), "2026-04-01 09:30:15");
    row("True", "Zelk", "Lapsed", true, QVariant(true), "1");
    row("False", "Zelk", "Lapsed", false, QVariant(false), "0");
    row("flag -1", "Zelk", "AlwaysInclude", -1, QVariant(true), "1");
    row("flag text", "Zelk", "AlwaysInclude", QStringLiteral("False"), QVariant(false), "0");
    row("text", "Zelk", "Surname", QStringLiteral("Zoë O'Brien-Müller 😀"), QVariant(QStringLiteral("Zoë O'Brien-Müller 😀")),
        "Zoë O'Brien-Müller 😀");
    row("text at its size", "Zelk", "Suffix", QString(10, u'é'), QVariant(QString(10, u'é')), "éééééééééé");
    row("memo with line breaks", "Zelk", "Memo", QStringLiteral("a\r\nb\tc"), QVariant(QStringLiteral("a\r\nb\tc")), "a\r\nb\tc");
    row("number into text", "Zelk", "Phone", 12345, QVariant(QStringLiteral("12345")), "12345");
}

void TestRecordset::valuesRoundTrip()
{
    QFETCH(QString, table);
    QFETCH(QString, field);
    QFETCH(QVariant, value);
    QFETCH(QVariant, expected);
    QFETCH(QString, stored);

    qint64 row = 0;
    {
        auto rs = db().openRecordset(table);
        rs->addNew();
        if (table == QLatin1String("Labels") && field != QLatin1String("LabelName"))
            rs->setField(QStringLiteral("LabelName"), QStringLiteral("TEST"));
        rs->setField(field, value);
        QCOMPARE(rs->field(field), expected);   // the pending value
        rs->update();
        QCOMPARE(rs->field(field), expected);   // read back from the file
        row = rs->bookmark();
    }
    // A new connection sees the same.
    auto other = Database::open(m_register->path());
    auto rs = other->openRecordset(table);
    rs->setBookmark(row);
    QCOMPARE(rs->field(field), expected);
    QCOMPARE(rs->field(field).typeId(), expected.typeId());
    QCOMPARE(storedText(db(), table, field, row), stored);
}

void TestRecordset::flagsAreNeverNull()
{
    // The old engine's Yes/No fields could not hold Null: a flag never set is False, so
    // "Lapsed = False" finds members whose lapsed flag nobody set.
    auto rs = db().openRecordset(QStringLiteral("Zelk"));
    QCOMPARE(rs->field(QStringLiteral("Lapsed")), QVariant(false));   // the placeholder
    rs->addNew();
    QCOMPARE(rs->field(QStringLiteral("Lapsed")), QVariant(false));
    rs->setField(QStringLiteral("Number"), 2);
    rs->update();
    rs->addNew();
    rs->setField(QStringLiteral("Number"), 3);
    rs->setField(QStringLiteral("Lapsed"), true);
    rs->setField(QStringLiteral("AlwaysInclude"), true);
    rs->setField(QStringLiteral("Lapsed"), QVariant());   // as an import of an empty value does
    rs->update();
    QCOMPARE(rs->field(QStringLiteral("Lapsed")), QVariant(false));
    QCOMPARE(rs->field(QStringLiteral("AlwaysInclude")), QVariant(true));

    QCOMPARE(test::numbers(*db().openRecordset(QStringLiteral("Select * from Zelk where Lapsed = False ORDER BY Number"))),
             QStringList({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}));
    QCOMPARE(db().openRecordset(QStringLiteral("Select * from Zelk where AlwaysInclude Is Null"))->recordCount(), 0);
}

void TestRecordset::rowsChangedElsewhere()
{
    auto reader = db().openRecordset(QStringLiteral("Select * from Labels"));
    auto writer = db().openRecordset(QStringLiteral("Select * from Labels"));
    QCOMPARE(reader->field(QStringLiteral("LabelName")).toString(), kSheets[0]);

    // An amendment is seen when the row is next reached.
    writer->moveNext();
    writer->edit();
    writer->setField(QStringLiteral("LabelsHigh"), 12);
    writer->update();
    reader->moveNext();
    QCOMPARE(reader->field(QStringLiteral("LabelsHigh")).toInt(), 12);

    // A deleted row reads as deleted; the rows beside it are unharmed.
    writer->deleteCurrent();
    reader->moveNext();
    QCOMPARE(reader->field(QStringLiteral("LabelName")).toString(), kSheets[2]);
    reader->movePrevious();
    QCOMPARE(errorOf([&] { reader->field(QStringLiteral("LabelName")); }), err::RecordDeleted);
    QCOMPARE(errorOf([&] { reader->edit(); }), err::RecordDeleted);
    reader->movePrevious();
    QCOMPARE(reader->field(QStringLiteral("LabelName")).toString(), kSheets[0]);

    // An edit begun before the row was deleted elsewhere cannot be stored.
    reader->moveLast();
    reader->edit();
    reader->setField(QStringLiteral("LabelsWide"), 4);
    writer->moveLast();
    writer->deleteCurrent();
    QCOMPARE(errorOf([&] { reader->update(); }), err::RecordDeleted);
    reader->cancelUpdate();
    QCOMPARE(labelNames(db()).size(), 4);
}

void TestRecordset::wholeTableInStoredOrder()
{
    QCOMPARE(labelNames(db()), kSheets);
    QCOMPARE(labelNames(db(), QStringLiteral("[Labels]")), kSheets);
    QCOMPARE(labelNames(db(), QStringLiteral("Select * from Labels ORDER BY LabelName")),
             QStringList({QStringLiteral("5159"), QStringLiteral("5162"), QStringLiteral("L7159"), QStringLiteral("L7160"),
                          QStringLiteral("L7162"), QStringLiteral("L7163")}));
    {
        auto rs = db().openRecordset(QStringLiteral("Labels"));
        rs->addNew();
        rs->setField(QStringLiteral("LabelName"), QStringLiteral("A4"));
        rs->update();
    }
    QCOMPARE(labelNames(db()), kSheets + QStringList{QStringLiteral("A4")});
    QCOMPARE(errorOf([&] { db().openRecordset(QStringLiteral("Nosuch")); }), err::TableNotFound);
}

void TestRecordset::otherQueriesAreReadOnly_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("count") << QStringLiteral("Select count(*) AS Members from Zelk") << QStringLiteral("Members")
                           << QStringList{QStringLiteral("1")};
    QTest::newRow("join") << QStringLiteral("Select Zelk.Number, Labels.LabelName from Zelk, Labels where Labels.LabelsWide = 3")
                          << QStringLiteral("LabelName") << QStringList{QStringLiteral("L7159"), QStringLiteral("L7160")};
    QTest::newRow("distinct") << QStringLiteral("Select Distinct LabelsWide from Labels ORDER BY LabelsWide")
                              << QStringLiteral("LabelsWide") << QStringList{QStringLiteral("2"), QStringLiteral("3")};
}

void TestRecordset::otherQueriesAreReadOnly()
{
    QFETCH(QString, sql);
    QFETCH(QString, field);
    QFETCH(QStringList, expected);
    auto rs = db().openRecordset(sql);
    QVERIFY(!rs->updatable());
    QStringList values;
    for (; !rs->eof(); rs->moveNext())
        values << rs->field(field).toString();
    QCOMPARE(values, expected);
    rs->moveFirst();
    QCOMPARE(errorOf([&] { rs->addNew(); }), err::ReadOnly);
    QCOMPARE(errorOf([&] { rs->edit(); }), err::ReadOnly);
    QCOMPARE(errorOf([&] { rs->deleteCurrent(); }), err::ReadOnly);
    QCOMPARE(errorOf([&] { rs->setField(field, 1); }), err::UpdateWithoutEdit);
    QCOMPARE(labelNames(db()), kSheets);
}

ZELK_TEST(TestRecordset)
#include "tst_recordset.moc"
