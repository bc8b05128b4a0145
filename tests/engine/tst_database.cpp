// Database files and their record sets: creating and opening files, locks held by another
// connection; positions and both ends, adding, amending, cancelling and deleting rows, failed
// updates, rows changed through another record set, and the values each field type keeps.
#include "engine_fixture.h"

#include "data/schema.h"
#include "testlib/test_program.h"
#include "testlib/test_registry.h"

#include <QFile>
#include <QFileInfo>
#include <QTest>

using namespace zelk;
using namespace zelk::test;

namespace {

const QStringList kSheets{"L7159", "L7160", "L7162", "L7163", "5159", "5162"};

QByteArray contentsOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(unreadable)");
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size());
}

} // namespace

class TestDatabase : public QObject {
    Q_OBJECT

    std::unique_ptr<EngineRegister> m_register;
    Database& db() { return m_register->db(); }

private slots:
    void init() { m_register = std::make_unique<EngineRegister>(); }
    void cleanup() { m_register.reset(); }
    void createAndOpenRefusals();
    void connectionsAndTransactions();
    void movingPastBothEnds();
    void addEditAndCancel();
    void failedUpdateWritesNothing_data();
    void failedUpdateWritesNothing();
    void valuesRoundTrip_data();
    void valuesRoundTrip();
    void rowsChangedElsewhere();
};

void TestDatabase::createAndOpenRefusals()
{
    const QString existing = m_register->file(u"existing.mdb"_s), absent = m_register->file(u"absent.mdb"_s);
    writeFile(existing, "not to be touched");
    QCOMPARE(errorOf([&] { Database::create(existing); }), err::DatabaseExists);
    QCOMPARE(contentsOf(existing), QByteArray("not to be touched"));
    for (const auto mode : {Database::Mode::Shared, Database::Mode::Exclusive})
        QCOMPARE(errorOf([&] { Database::open(absent, mode); }), err::FileNotFound);
    QVERIFY(!QFile::exists(absent));
    QCOMPARE(errorOf([&] { Database::open(QFileInfo(absent).absolutePath()); }), err::CannotOpenFile);   // a folder
    auto db = Database::create(m_register->file(u"new.mdb"_s));
    db->createTable(schema::labelsTable());
    QCOMPARE(errorOf([&] { db->createTable(schema::labelsTable()); }), err::TableExists);
}

void TestDatabase::connectionsAndTransactions()
{
    Database& db = m_register->db();
    auto second = Database::open(m_register->path());
    db.beginTrans();
    addRows(db, u"Members"_s, u"Member Type"_s, {"Dropped"});
    // While one connection writes, no other may have the file exclusively, nor write.
    QCOMPARE(errorOf([&] { Database::open(m_register->path(), Database::Mode::Exclusive); }), err::FileInUse);
    QCOMPARE(errorOf([&] { addRows(*second, u"Members"_s, u"Member Type"_s, {"Blocked"}); }), err::RecordLocked);
    db.rollback();
    db.beginTrans();
    addRows(db, u"Members"_s, u"Member Type"_s, {"Kept"});
    db.commitTrans();
    QCOMPARE(column(*second, u"Members"_s), QStringList{"Kept"});   // what one connection stores, the other sees
}

void TestDatabase::movingPastBothEnds()
{
    QCOMPARE(column(db(), u"[Labels]"_s), kSheets);   // a table's name alone: its rows in stored order
    auto rs = db().openRecordset(u"Select * from Labels"_s);
    rs->moveLast();
    rs->moveNext();
    QVERIFY(rs->eof() && !rs->bof());
    QCOMPARE(errorOf([&] { rs->field(0); }), err::NoCurrentRecord);
    QCOMPARE(errorOf([&] { rs->moveNext(); }), err::NoCurrentRecord);
    rs->movePrevious();   // back from past the end: the last row
    QCOMPARE(rs->field(0).toString(), kSheets.last());
    rs->moveFirst();
    rs->movePrevious();
    QVERIFY(rs->bof() && !rs->eof());
    QCOMPARE(errorOf([&] { rs->movePrevious(); }), err::NoCurrentRecord);
    rs->moveNext();
    QCOMPARE(rs->field(0).toString(), kSheets.first());
}

void TestDatabase::addEditAndCancel()
{
    auto rs = db().openRecordset(u"Select * from Zelk ORDER BY Surname"_s);
    QCOMPARE(errorOf([&] { rs->update(); }), err::UpdateWithoutEdit);
    // "Aaron" sorts first, but a row added through the set joins its end and the set stands on it.
    rs->addNew();
    rs->setField(u"Number"_s, 3);
    rs->setField(u"Surname"_s, u"Aaron"_s);
    rs->update();
    const qint64 added = rs->bookmark();
    QCOMPARE(rs->field(u"Surname"_s).toString(), u"Aaron"_s);
    rs->moveNext();
    QVERIFY(rs->eof());
    rs->findFirst(u"Surname = \"aaron\""_s);
    QCOMPARE(rs->bookmark(), added);
    // A later amendment goes to that row and to no other; cancelled ones write nothing.
    rs->edit();
    rs->setField(u"FirstName"_s, u"Ann"_s);
    rs->update();
    rs->moveFirst();
    rs->edit();
    rs->setField(u"FirstName"_s, u"Bob"_s);
    rs->cancelUpdate();
    rs->addNew();
    rs->setField(u"Number"_s, 4);
    rs->cancelUpdate();
    QCOMPARE(rs->field(u"Number"_s).toInt(), 1);   // where it stood
    QCOMPARE(registerRows(m_register->path(), u"Select Number, FirstName from Zelk ORDER BY Number"_s), (QStringList{"1|", "3|Ann"}));
}

void TestDatabase::failedUpdateWritesNothing_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<int>("error");
    auto row = [](const char* name, const char* table, const char* field, const QVariant& value, int error) {
        QTest::newRow(name) << QString::fromLatin1(table) << QString::fromLatin1(field) << value << error;
    };
    row("duplicate label name, other case", "Labels", "LabelName", u"l7162"_s, err::DuplicateKey);
    row("title too long", "Zelk", "Title", QString(101, u'x'), err::ValueTooLong);
    row("empty membership type", "Members", "Member Type", u""_s, err::ZeroLengthNotAllowed);
    row("not a date", "Zelk", "RenewDate", u"30/02/2026"_s, err::TypeMismatch);
    row("no such field", "Zelk", "Nosuch", 1, err::ItemNotFound);
}

void TestDatabase::failedUpdateWritesNothing()
{
    QFETCH(QString, table);
    QFETCH(QString, field);
    QFETCH(QVariant, value);
    const QStringList before = column(db(), table);
    auto rs = db().openRecordset(u"Select * from "_s + table);
    const qint64 position = rs->recordCount() ? rs->bookmark() : -1;
    rs->addNew();
    // A valid value in the first field, so the pending row has something to lose.
    const FieldDef first = rs->fields().front();
    if (first.name != field)
        rs->setField(first.name, first.type == FieldType::Long ? QVariant(77) : QVariant(u"PENDING"_s));
    const int refused = errorOf([&] { rs->setField(field, value); });
    QTEST(refused ? refused : errorOf([&] { rs->update(); }), "error");
    QCOMPARE(rs->editMode(), Recordset::EditMode::Add);   // still pending, with what it had
    QVERIFY(first.name == field || rs->field(first.name).isValid());
    rs->cancelUpdate();
    QCOMPARE(column(db(), table), before);
    QCOMPARE(rs->recordCount() ? rs->bookmark() : -1, position);
}

void TestDatabase::valuesRoundTrip_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QVariant>("expected");
    QTest::addColumn<QStringList>("stored");
    auto row = [](const char* name, const char* table, const char* field, const QVariant& value, const QVariant& expected, const QString& stored) {
        QTest::newRow(name) << QString::fromLatin1(table) << QString::fromLatin1(field) << value << expected << QStringList{stored};
    };
    const QDateTime withTime(QDate(2026, 4, 1), QTime(9, 30, 15), Qt::UTC);
    const QString text = u"Zoë O'Brien-Müller 😀"_s;
    row("Single from a double", "Labels", "FontSize", 0.1, QVariant(0.1f), u"0.1"_s);
    row("Currency rounded", "Zelk", "FeePaid", u"£1,234.56789"_s, QVariant(1234.5679), u"1234.5679"_s);
    row("date at midnight", "Zelk", "JoinDate", QDateTime(QDate(1999, 12, 31), QTime(0, 0), Qt::UTC), QVariant(QDate(1999, 12, 31)), u"1999-12-31"_s);
    row("date and time", "Zelk", "RenewDate", withTime, QVariant(withTime), u"2026-04-01 09:30:15"_s);
    row("Null flag is False", "Zelk", "Lapsed", QVariant(), QVariant(false), u"0"_s);   // as an import of an empty value
    row("text", "Zelk", "Surname", text, QVariant(text), text);
    row("empty text is not Null", "Zelk", "FirstName", u""_s, QVariant(u""_s), u""_s);
    row("Null text", "Zelk", "Title", QVariant(), QVariant(), u"(null)"_s);
}

void TestDatabase::valuesRoundTrip()
{
    QFETCH(QString, table);
    QFETCH(QString, field);
    QFETCH(QVariant, value);
    QFETCH(QVariant, expected);
    auto rs = db().openRecordset(table);
    rs->addNew();
    if (table == u"Labels"_s)
        rs->setField(u"LabelName"_s, u"TEST"_s);
    rs->setField(field, value);
    QCOMPARE(rs->field(field), expected);   // the pending value
    rs->update();
    auto other = Database::open(m_register->path());   // what a new connection reads from the file
    auto again = other->openRecordset(table);
    again->setBookmark(rs->bookmark());
    QCOMPARE(again->field(field), expected);
    QCOMPARE(again->field(field).typeId(), expected.typeId());
    const QString stored = u"Select coalesce(CAST([%1] AS TEXT), '(null)') AS Stored from [%2] where rowid = %3"_s;
    QTEST(column(db(), stored.arg(field, table).arg(rs->bookmark())), "stored");   // as SQLite itself keeps it
}

void TestDatabase::rowsChangedElsewhere()
{
    auto reader = db().openRecordset(u"Select * from Labels"_s);
    auto writer = db().openRecordset(u"Select * from Labels"_s);
    // An amendment is seen when the row is next reached.
    writer->moveNext();
    writer->edit();
    writer->setField(u"LabelsHigh"_s, 12);
    writer->update();
    reader->moveNext();
    QCOMPARE(reader->field(u"LabelsHigh"_s).toInt(), 12);
    // A deleted row leaves the set that deleted it, which stands on the row after it; in
    // the other it reads as deleted.
    writer->deleteCurrent();
    QCOMPARE(writer->field(0).toString(), kSheets[2]);
    reader->moveNext();
    QCOMPARE(reader->field(0).toString(), kSheets[2]);
    reader->movePrevious();
    QCOMPARE(errorOf([&] { reader->field(0); }), err::RecordDeleted);
    QCOMPARE(errorOf([&] { reader->edit(); }), err::RecordDeleted);
    // An edit begun before the row was deleted elsewhere cannot be stored.
    reader->moveLast();
    reader->edit();
    reader->setField(u"LabelsWide"_s, 4);
    writer->moveLast();
    writer->deleteCurrent();   // the last row: past the end
    QVERIFY(writer->eof());
    writer->movePrevious();
    QCOMPARE(writer->field(0).toString(), u"5159"_s);
    QCOMPARE(errorOf([&] { reader->update(); }), err::RecordDeleted);
    reader->cancelUpdate();
    QCOMPARE(column(db(), u"Labels"_s), (QStringList{"L7159", "L7162", "L7163", "5159"}));
}

ZELK_TEST(TestDatabase)
#include "tst_database.moc"
