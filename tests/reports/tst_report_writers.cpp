// The list report and the data export, written from a register of the test's own to a
// buffer: the bytes of each line, the content options, the user's regional forms, and
// texts that must come back exactly as stored (read back by an HTML reader and by
// Python's csv module).
#include "club.h"

#include "testlib/test_registry.h"
#include "testlib/test_world.h"

#include "engine/database.h"
#include "engine/recordset.h"
#include "reports/data_export.h"
#include "reports/list_report.h"
#include "reports/report_file.h"

#include <QBuffer>
#include <QDate>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTest>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

using namespace zelk;
using namespace zelk::reports;

namespace {

const QByteArray kBom = "\xEF\xBB\xBF";
const QByteArray kHead = "<html><head><title>\r\nZelk Membership Report\r\n</title></head><body>\r\n<table width=\"100%\">\r\n";
const QByteArray kFoot = "</table></body></html>\r\n";
const QByteArray kHeader =
    "\"Number\",\"Join Date\",\"Renewal Date\",\"Birthday\",\"Fee Paid\",\"Title\",\"First Name\",\"Surname\",\"Address 1\","
    "\"Address 2\",\"Address 3\",\"Address 4\",\"Address 5\",\"Post Code\",\"Phone\",\"Work Phone\",\"Fax\",\"Mobile\","
    "\"Email 1\",\"Email 2\",\"Web address\",\"Membership Type\",\"Lookup 1\",\"Lookup 2\",\"Lookup 3\",\"Lookup 4\","
    "\"Lookup 5\",\"Lookup 6\",\"Lapsed\"\r\n";

const QVariantMap kAnn{{"Number", 7}, {"Surname", "Smith"}, {"FirstName", "Ann"}, {"Address1", "1 High St"}, {"PostCode", "AB1 2CD"}};

// Every field the outputs read, filled.
QVariantMap zoe()
{
    return {{"Number", 12345}, {"JoinDate", QDate(2019, 4, 1)}, {"RenewDate", QDate(2026, 4, 1)}, {"Birthday", QDate(1961, 7, 14)},
            {"FeePaid", 1234.5}, {"Title", "Mrs"}, {"FirstName", "Zoë"}, {"Surname", "Müller"}, {"Address1", "The Old Rectory"},
            {"Address2", "12 Church Lane"}, {"Address3", "Little Snoring"}, {"Address4", "Fakenham"}, {"Address5", "Norfolk"},
            {"PostCode", "NR21 0AB"}, {"Phone", "01328 123456"}, {"WorkPhone", "01603 654321"}, {"Fax", "01603 000000"},
            {"Mobile", "07700 900123"}, {"Email", "zoe@example.org"}, {"Email2", "zoe.m@example.net"},
            {"InternetLink", "https://example.org/zoe"}, {"MemberType", "Family"}, {"Lookup1", "Committee"},
            {"Lookup2", "Newsletter"}, {"Lookup3", "Garden"}, {"Lookup4", "Bowls"}, {"Lookup5", "Chess"}, {"Lookup6", "Darts"},
            {"Lapsed", true}};
}

struct Written {
    QByteArray bytes;
    bool ok = false;
};

// The members in number order, written by `write` to a buffer under the locale.
Written writtenBy(const QList<QVariantMap>& members, const QString& locale, const std::function<bool(Recordset&, QIODevice&)>& write)
{
    test::TestWorld world(locale);
    auto db = test::buildRegister(world.file("zelk2002.mdb"), members);
    auto rs = db->openRecordset(QStringLiteral("Select * from Zelk ORDER BY Number"));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    Written w;
    w.ok = write(*rs, buffer);
    w.bytes = buffer.data();
    return w;
}

Written listOf(const QList<QVariantMap>& members, const ReportContent& content, const QString& locale = "en_GB")
{
    return writtenBy(members, locale, [&](Recordset& rs, QIODevice& out) { return PrintReport(rs, content, out); });
}

Written exportOf(const QList<QVariantMap>& members, bool upper, const QString& locale = "en_GB")
{
    return writtenBy(members, locale, [&](Recordset& rs, QIODevice& out) { return PrintFile(rs, upper, out); });
}

// The rows of the page between the heading and the foot.
QByteArray rowsOf(const QByteArray& page)
{
    const qsizetype start = page.indexOf("</h2>\r\n") + 7;
    return page.mid(start, page.size() - start - kFoot.size());
}

ReportContent ticks(std::initializer_list<int> on, bool surnameFirst = false, bool upper = false)
{
    ReportContent c;
    for (int i : on)
        c.chkInclude[size_t(i)] = true;
    c.surnameFirst = surnameFirst;
    c.upperCase = upper;
    return c;
}

// A device that takes nothing.
class FullDisk : public QIODevice {
protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64) override
    {
        setErrorString(QStringLiteral("No space left on device"));
        return -1;
    }
};

} // namespace

Q_DECLARE_METATYPE(zelk::reports::ReportContent)

class ReportWritersTest : public QObject {
    Q_OBJECT

private slots:
    void listPage()
    {
        // The page of an empty selection: the heading and an empty table.
        const Written empty = listOf({}, ticks({}));
        QVERIFY(empty.ok);
        QCOMPARE(empty.bytes, kBom + kHead + "<h2 align=center>Zelk Membership Report</h2>\r\n" + kFoot);

        ReportContent heading = ticks({}, false, true);
        heading.heading = QStringLiteral("Annual list");
        QCOMPARE(listOf({kAnn}, heading).bytes,
                 kBom + kHead + "<h2 align=center>ANNUAL LIST</h2>\r\n<tr><td>ANN SMITH, 1 HIGH ST, AB1 2CD</td></tr>\r\n" + kFoot);
        QCOMPARE(listOf({}, ticks({}, false, true)).bytes,
                 kBom + kHead + "<h2 align=center>ZELK MEMBERSHIP REPORT</h2>\r\n" + kFoot);
    }

    void listRows_data()
    {
        QTest::addColumn<QVariantMap>("member");
        QTest::addColumn<ReportContent>("content");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QByteArray>("row");
        auto with = [](QVariantMap m, const QVariantMap& changes) {
            for (auto it = changes.begin(); it != changes.end(); ++it)
                m.insert(it.key(), it.value());
            return m;
        };
        QTest::newRow("title 1st, no ticks") << kAnn << ticks({}) << "en_GB" << QByteArray("<tr><td>Ann Smith, 1 High St, AB1 2CD</td></tr>\r\n");
        QTest::newRow("surname 1st") << kAnn << ticks({}, true) << "en_GB" << QByteArray("<tr><td>Smith, Ann, 1 High St, AB1 2CD</td></tr>\r\n");
        QTest::newRow("title and first name, surname 1st") << with(kAnn, {{"Title", "Dr"}}) << ticks({}, true) << "en_GB"
                                                           << QByteArray("<tr><td>Smith, Dr Ann, 1 High St, AB1 2CD</td></tr>\r\n");
        QTest::newRow("title, no first name, surname 1st") << with(kAnn, {{"Title", "Dr"}, {"FirstName", QVariant()}}) << ticks({}, true)
                                                           << "en_GB" << QByteArray("<tr><td>Smith, Dr, 1 High St, AB1 2CD</td></tr>\r\n");
        QTest::newRow("surname alone") << with(kAnn, {{"FirstName", QVariant()}}) << ticks({}, true) << "en_GB"
                                       << QByteArray("<tr><td>Smith, 1 High St, AB1 2CD</td></tr>\r\n");
        QTest::newRow("no surname: the cell begins with the address")
            << with(kAnn, {{"Surname", QVariant()}}) << ticks({}) << "en_GB" << QByteArray("<tr><td>1 High St, AB1 2CD</td></tr>\r\n");
        QTest::newRow("address lines of blanks skipped")
            << with(kAnn, {{"Address2", "   "}, {"Address3", "Ely"}, {"Address4", ""}}) << ticks({}) << "en_GB"
            << QByteArray("<tr><td>Ann Smith, 1 High St, Ely, AB1 2CD</td></tr>\r\n");
        QTest::newRow("number 12345, de_DE") << with(kAnn, {{"Number", 12345}}) << ticks({include::Number}) << "de_DE"
                                             << QByteArray("<tr><td align=right>12.345&nbsp;</td><td>Ann Smith, 1 High St, AB1 2CD</td></tr>\r\n");
        QTest::newRow("number Null") << with(kAnn, {{"Number", QVariant()}}) << ticks({include::Number}) << "en_GB"
                                     << QByteArray("<tr><td>&nbsp;</td><td>Ann Smith, 1 High St, AB1 2CD</td></tr>\r\n");
        QTest::newRow("every tick, nothing to show")
            << kAnn << ticks({0, 1, 2, 3, 4, 5, 6}) << "en_GB"
            << QByteArray("<tr><td align=right>7&nbsp;</td><td>Ann Smith, 1 High St, AB1 2CD</td>" + QByteArray("<td>&nbsp;</td>").repeated(11)
                          + "</tr>\r\n");
        QTest::newRow("every tick: 13 cells")
            << zoe() << ticks({0, 1, 2, 3, 4, 5, 6}) << "en_GB"
            << QByteArray("<tr><td align=right>12,345&nbsp;</td><td>Mrs Zoë Müller, The Old Rectory, 12 Church Lane, Little Snoring, "
                          "Fakenham, Norfolk, NR21 0AB</td><td>01328 123456</td><td>Family</td><td>Wednesday, 1 April 2026</td>"
                          "<td>Friday, 14 July 1961</td><td>Committee</td><td>Newsletter</td><td>Garden</td><td>Bowls</td>"
                          "<td>Chess</td><td>Darts</td><td>zoe@example.org</td></tr>\r\n");
        QTest::newRow("upper case, de_DE")
            << zoe() << ticks({2, 5, 6}, true, true) << "de_DE"
            << QByteArray("<tr><td>MÜLLER, MRS ZOË, THE OLD RECTORY, 12 CHURCH LANE, LITTLE SNORING, FAKENHAM, NORFOLK, NR21 0AB</td>"
                          "<td>MITTWOCH, 1. APRIL 2026</td><td>FREITAG, 14. JULI 1961</td><td>ZOE@EXAMPLE.ORG</td></tr>\r\n");
        QTest::newRow("markup in every value is escaped")
            << QVariantMap{{"Number", 1}, {"Title", "<i>"}, {"Surname", "<b>Smith & Sons</b>"}, {"Address1", "\"Quoted\" Lane"},
                           {"Phone", "<script>alert(1)</script>"}, {"MemberType", "A&B"}}
            << ticks({include::Phone, include::MemberType}, false, true) << "en_GB"
            << QByteArray("<tr><td>&lt;I&gt; &lt;B&gt;SMITH &amp; SONS&lt;/B&gt;, &quot;QUOTED&quot; LANE</td>"
                          "<td>&lt;SCRIPT&gt;ALERT(1)&lt;/SCRIPT&gt;</td><td>A&amp;B</td></tr>\r\n");
    }
    void listRows()
    {
        QFETCH(QVariantMap, member);
        QFETCH(ReportContent, content);
        QFETCH(QString, locale);
        QFETCH(QByteArray, row);
        const Written w = listOf({member}, content, locale);
        QVERIFY(w.ok);
        QCOMPARE(rowsOf(w.bytes), row);
    }

    // A browser shows every text as typed, in its own cell, and nothing else.
    void listReadBack()
    {
        const QString hostile = QStringLiteral("<b>Smith & Sons</b>");
        ReportContent content = ticks({include::Phone, include::Email});
        content.heading = QStringLiteral("<script>alert(\"x\")</script> & co");
        const Written w = listOf({{{"Number", 1}, {"Surname", hostile}, {"Phone", "1 < 2"}, {"Email", "\"a\"@b.c"}},
                                  {{"Number", 2}, {"Surname", "Zoë Müller"}, {"Address1", "Ærø & Øster"}}},
                                 content);
        QVERIFY(w.bytes.startsWith(kBom));
        QTextDocument page;
        page.setHtml(QString::fromUtf8(w.bytes.mid(kBom.size())));
        QTextTable* table = nullptr;
        for (QTextFrame* frame : page.rootFrame()->childFrames())
            if ((table = qobject_cast<QTextTable*>(frame)))
                break;
        QVERIFY(table);
        QCOMPARE(table->rows(), 2);
        QCOMPARE(table->columns(), 3);
        QStringList cells;
        for (int r = 0; r < table->rows(); ++r)
            for (int c = 0; c < table->columns(); ++c) {
                const QTextTableCell cell = table->cellAt(r, c);
                QTextCursor cursor = cell.firstCursorPosition();
                cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
                cells << cursor.selectedText();
                QVERIFY(!cursor.charFormat().font().bold());
            }
        QCOMPARE(cells, (QStringList{hostile, "1 < 2", "\"a\"@b.c", "Zoë Müller, Ærø & Øster", QString(QChar(0xa0)), QString(QChar(0xa0))}));
        QVERIFY(page.toPlainText().contains(content.heading));
    }

    void exportLines()
    {
        const QByteArray zoeLine =
            "\"12345\",\"Monday, 1 April 2019\",\"Wednesday, 1 April 2026\",\"Friday, 14 July 1961\",\"£1,234.50\",\"Mrs\",\"Zoë\","
            "\"Müller\",\"The Old Rectory\",\"12 Church Lane\",\"Little Snoring\",\"Fakenham\",\"Norfolk\",\"NR21 0AB\","
            "\"01328 123456\",\"01603 654321\",\"01603 000000\",\"07700 900123\",\"zoe@example.org\",\"zoe.m@example.net\","
            "\"https://example.org/zoe\",\"Family\",\"Committee\",\"Newsletter\",\"Garden\",\"Bowls\",\"Chess\",\"Darts\",\"TRUE\"\r\n";
        const QByteArray annLine = "\"7\",\"\",\"\",\"\",\"\",\"\",\"Ann\",\"Smith\",\"1 High St\",\"\",\"\",\"\",\"\",\"AB1 2CD\""
                                   + QByteArray(",\"\"").repeated(14) + ",\"FALSE\"\r\n";
        const Written w = exportOf({zoe(), kAnn}, false);
        QVERIFY(w.ok);
        QCOMPARE(w.bytes, kHeader + annLine + zoeLine);
        QCOMPARE(QString::fromLatin1(zoeLine).count(u'"'), 58);

        // Upper case: the dates' names in capitals; the number, the fee and the web address as stored.
        QCOMPARE(exportOf({zoe()}, true, "de_DE").bytes,
                 kHeader
                     + "\"12345\",\"MONTAG, 1. APRIL 2019\",\"MITTWOCH, 1. APRIL 2026\",\"FREITAG, 14. JULI 1961\",\"1.234,50\u00A0€\",\"MRS\","
                       "\"ZOË\",\"MÜLLER\",\"THE OLD RECTORY\",\"12 CHURCH LANE\",\"LITTLE SNORING\",\"FAKENHAM\",\"NORFOLK\",\"NR21 0AB\","
                       "\"01328 123456\",\"01603 654321\",\"01603 000000\",\"07700 900123\",\"ZOE@EXAMPLE.ORG\",\"ZOE.M@EXAMPLE.NET\","
                       "\"https://example.org/zoe\",\"FAMILY\",\"COMMITTEE\",\"NEWSLETTER\",\"GARDEN\",\"BOWLS\",\"CHESS\",\"DARTS\",\"TRUE\"\r\n");
        QCOMPARE(exportOf({}, false).bytes, kHeader);
    }

    // Python's csv module reads back exactly what is stored, commas, quotes and line breaks included.
    void exportReadBack()
    {
        const QList<QVariantMap> tricky{
            {{"Number", 1}, {"Surname", "Smith, Jones & \"Co\""}, {"Title", "\""}, {"Address1", "Line one\nLine two"},
             {"Address2", "  padded  "}, {"InternetLink", "http://x/?a=1,b=\"2\""}, {"FeePaid", 0}},
            {{"Number", 2}, {"Surname", "\"\"\""}, {"FirstName", "Zoë"}, {"Lookup6", "a,\"b\",c"}},
            {{"Number", 3}}};
        test::TestWorld world;
        const Written w = exportOf(tricky, false);
        QFile file(world.file("report.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(w.bytes);
        file.close();
        QProcess python;
        python.start(QStringLiteral("/usr/bin/python3"),
                     {QStringLiteral("-c"), QStringLiteral("import csv, json, sys\n"
                                                           "with open(sys.argv[1], newline='', encoding='utf-8') as f:\n"
                                                           "    print(json.dumps(list(csv.reader(f))))"),
                      file.fileName()});
        QVERIFY(python.waitForFinished(30000));
        QCOMPARE(python.readAllStandardError(), QByteArray());
        const QJsonArray rows = QJsonDocument::fromJson(python.readAllStandardOutput()).array();
        QCOMPARE(rows.size(), 4);
        QCOMPARE(rows[0].toArray().size(), 29);
        auto cell = [&](int row, int column) { return rows[row].toArray()[column].toString(); };
        QCOMPARE(cell(0, 20), QStringLiteral("Web address"));
        QCOMPARE(cell(1, 7), QStringLiteral("Smith, Jones & \"Co\""));
        QCOMPARE(cell(1, 5), QStringLiteral("\""));
        QCOMPARE(cell(1, 8), QStringLiteral("Line one\nLine two"));
        QCOMPARE(cell(1, 9), QStringLiteral("  padded  "));
        QCOMPARE(cell(1, 20), QStringLiteral("http://x/?a=1,b=\"2\""));
        QCOMPARE(cell(1, 4), QStringLiteral("£0.00"));
        QCOMPARE(cell(2, 7), QStringLiteral("\"\"\""));
        QCOMPARE(cell(2, 6), QStringLiteral("Zoë"));
        QCOMPARE(cell(2, 27), QStringLiteral("a,\"b\",c"));
        for (int r = 1; r < 4; ++r)
            QCOMPARE(rows[r].toArray().size(), 29);
        QCOMPARE(cell(3, 28), QStringLiteral("FALSE"));
    }

    // A device that refuses a write makes the writers say so; a report file is then left as it was.
    void failures()
    {
        test::TestWorld world;
        auto db = test::buildRegister(world.file("zelk2002.mdb"), test::club());
        auto rs = db->openRecordset(QStringLiteral("Select * from Zelk"));
        FullDisk full;
        full.open(QIODevice::WriteOnly);
        QVERIFY(!PrintFile(*rs, false, full));
        rs->moveFirst();
        QVERIFY(!PrintReport(*rs, ReportContent{}, full));

        const QString path = world.file("report.txt");
        QFile earlier(path);
        QVERIFY(earlier.open(QIODevice::WriteOnly));
        earlier.write("earlier export\r\n");
        earlier.close();
        rs->moveFirst();
        QVERIFY(!saveReport(path, [&](QIODevice& out) { return PrintFile(*rs, false, out) && false; }).isEmpty());
        QFile kept(path);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), QByteArray("earlier export\r\n"));
        QVERIFY(!saveReport(world.file("no such folder/report.txt"), [](QIODevice&) { return true; }).isEmpty());
        rs->moveFirst();
        QCOMPARE(saveReport(path, [&](QIODevice& out) { return PrintFile(*rs, false, out); }), QString());
        QVERIFY(QFile(path).size() > 500);
    }
};

ZELK_TEST(ReportWritersTest)
#include "tst_report_writers.moc"
