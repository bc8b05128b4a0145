// The text import on files the tests write: what is stored field by field, a value the
// register refuses (nothing kept), and our own data export of a tricky register imported
// back. The blank member of a new register and the Settings row: tst_member_import.
#include "import_register.h"

#include "testlib/test_registry.h"

#include "import/text_file.h"
#include "import/text_import.h"
#include "reports/data_export.h"

#include <QBuffer>
#include <QTest>

using namespace zelk;
using namespace zelk::import;
using zelk::test::ImportRegister;
using zelk::test::messagesShown;

namespace {

ColumnTargets targets(const QStringList& fields)
{
    ColumnTargets t;
    for (int i = 0; i < fields.size(); ++i)
        t[size_t(i)] = fields[i];
    return t;
}

// Imports `bytes` as members.csv with the columns going into `fields` (automatic when
// empty), answering every message with OK.
ImportResult importBytes(ImportRegister& r, const QByteArray& bytes, QChar separator, const QStringList& fields,
                         ImportMode mode = ImportMode::Store, int messages = 0)
{
    const QString path = r.writeFile(QStringLiteral("members.csv"), bytes);
    TextImport request{path, separator, {}};
    if (fields.isEmpty()) {
        const TextFile file = readTextFile(path);
        request.targets = automaticTargets(readFieldNames(file.text, separator).names);
    } else {
        request.targets = targets(fields);
    }
    for (int m = 0; m < messages; ++m)
        MessageScript::answer(MsgAnswer::OK);
    return importTextFile(r.state(), mode, request, r.callbacks());
}

const char* const kMemberColumns = "Select Number, Surname, FirstName, Address1, Address2, PostCode, JoinDate, FeePaid, Lapsed, Memo from Zelk ORDER BY Number";

const QStringList kExportFields{"Number", "JoinDate", "RenewDate", "Birthday", "FeePaid", "Title", "FirstName", "Surname",
                                "Address1", "Address2", "Address3", "Address4", "Address5", "PostCode", "Phone",
                                "WorkPhone", "Fax", "Mobile", "Email", "Email2", "InternetLink", "MemberType",
                                "Lookup1", "Lookup2", "Lookup3", "Lookup4", "Lookup5", "Lookup6", "Lapsed"};

// Our own data export of every member of the register at `path`.
QByteArray exportOf(const QString& path)
{
    auto db = Database::open(path);
    auto members = db->openRecordset(QStringLiteral("Select * from Zelk ORDER BY Surname"));
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    if (!reports::PrintFile(*members, false, out))
        qFatal("the export was not written");
    return out.data();
}

} // namespace

class TextImportTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QVERIFY(MessageScript::unexpected().isEmpty()); }

    // What each line of a file becomes, field by field.
    void membersStored_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QStringList>("fields");   // the target of each column
        QTest::addColumn<QStringList>("rows");     // Number|Surname|FirstName|Address1|Address2|PostCode|JoinDate|FeePaid|Lapsed|Memo
        const QStringList nsf{"Number", "Surname", "FirstName"};
        QTest::newRow("tab") << QByteArray("No\tName\tFirst\r\n12\tSmith\tMary Ann\r\n13\tJones\tBob\r\n") << "\t" << nsf
                             << QStringList{"12|Smith|Mary Ann|<null>|<null>|<null>|<null>|<null>|false|<null>",
                                            "13|Jones|Bob|<null>|<null>|<null>|<null>|<null>|false|<null>"};
        QTest::newRow("semicolon, values converted")
            << QByteArray("N;S;J;F;L\n7; Adams ;1/4/26;£12.50;Yes\n") << ";"
            << QStringList{"Number", "Surname", "JoinDate", "FeePaid", "Lapsed"}
            << QStringList{"7|Adams|<null>|<null>|<null>|<null>|2026-04-01|12.5|true|<null>"};
        QTest::newRow("empty and blank values are Null") << QByteArray("N,S,F,P\n5,,   ,\"\"\n") << ","
                                                         << QStringList{"Number", "Surname", "FirstName", "PostCode"}
                                                         << QStringList{"5|<null>|<null>|<null>|<null>|<null>|<null>|<null>|false|<null>"};
        QTest::newRow("short line: later columns Null, not repeated")
            << QByteArray("N,S,F,A\n5,Smith\n") << "," << QStringList{"Number", "Surname", "FirstName", "Address1"}
            << QStringList{"5|Smith|<null>|<null>|<null>|<null>|<null>|<null>|false|<null>"};
        QTest::newRow("empty line is a member") << QByteArray("N,S\n5,Smith\n\n6,Jones\n") << "," << QStringList{"Number", "Surname"}
                                                << QStringList{"<null>|<null>|<null>|<null>|<null>|<null>|<null>|<null>|false|<null>",
                                                               "5|Smith|<null>|<null>|<null>|<null>|<null>|<null>|false|<null>",
                                                               "6|Jones|<null>|<null>|<null>|<null>|<null>|<null>|false|<null>"};
        QTest::newRow("Windows-1252") << QByteArray("N,S,F\n5,M\xFCller,Zo\xEB\n") << "," << nsf
                                      << QStringList{"5|Müller|Zoë|<null>|<null>|<null>|<null>|<null>|false|<null>"};
        // The 30th column is read; a 31st is not.
        QByteArray wide = "N";
        QByteArray line = "9";
        for (int c = 2; c <= 31; ++c) {
            wide += ",C" + QByteArray::number(c);
            line += ",v" + QByteArray::number(c);
        }
        QStringList thirty{"Number"};
        for (int c = 2; c < 30; ++c)
            thirty << " ";
        thirty << "Surname";
        QTest::newRow("30 columns read, the 31st ignored") << wide + "\n" + line + "\n" << "," << thirty
                                                           << QStringList{"9|v30|<null>|<null>|<null>|<null>|<null>|<null>|false|<null>"};
    }
    void membersStored()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, separator);
        QFETCH(QStringList, fields);
        QFETCH(QStringList, rows);
        ImportRegister r;
        r.removePlaceholder();
        const ImportResult result = importBytes(r, file, separator.at(0), fields);
        QCOMPARE(int(result.status), int(ImportResult::Status::Stored));
        QCOMPARE(result.membersAdded, rows.size());
        QCOMPARE(r.rows(kMemberColumns), rows);
    }

    // A value the register refuses names its field, value and line, and nothing of the file
    // is kept, so the corrected file can simply be imported again.
    void refusedValue_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("problem");
        QTest::newRow("not a date") << QByteArray("Number,Surname,Join Date\n1,Adams,01/04/2026\n2,Brown,02/04/2026\n"
                                                  "3,Carter,31/02/2026\n4,Dyer,01/05/2026\n")
                                    << "JoinDate but was actually 31/02/2026 in line 3";
        QTest::newRow("text too long") << QByteArray("Number,Phone\n1,1\n2,2\n3," + QByteArray(51, '7') + "\n")
                                       << "Phone but was actually " + QString(51, u'7') + " in line 3";
        QTest::newRow("lines counted by member") << QByteArray("Number,Memo,Lapsed\n1,\"a\nb\nc\",No\n2,,No\n3,,Maybe\n")
                                                 << "Lapsed but was actually Maybe in line 3";
    }
    void refusedValue()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, problem);
        ImportRegister r;
        r.addMember({{"Number", 40}, {"Surname", "Zed"}});
        const QStringList before = r.everything();
        const ImportResult result = importBytes(r, file, u',', {}, ImportMode::Store, 1);
        QVERIFY(result.stopped());
        QCOMPARE(messagesShown(),
                 QStringList{"Can't import data | OK Critical OK | Sorry, but I can't import all your data as the fields you "
                             "have specified don't all contain the correct type of data.\n\nPlease check your data and try "
                             "again.\n\nThe first problem I encountered was data the claimed to be " + problem});
        QCOMPARE(r.everything(), before);
        QCOMPARE(r.state().rsZelk->recordCount(), 2);
    }

    // Our own data export, read back with no choice made, gives every member as stored,
    // whatever the user's language writes dates and amounts in.
    void ownExportReadBack_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::newRow("en_GB") << "en_GB";
        QTest::newRow("de_DE") << "de_DE";
    }
    void ownExportReadBack()
    {
        QFETCH(QString, locale);
        ImportRegister source(locale);
        source.removePlaceholder();
        const QList<QVariantMap> members{
            {{"Number", 12}, {"JoinDate", QDate(1999, 12, 31)}, {"RenewDate", QDate(2026, 4, 1)}, {"Birthday", QDate(1925, 3, 7)},
             {"FeePaid", 1234.5}, {"Title", "Dr"}, {"FirstName", "Zoë"}, {"Surname", "O'Brien, \"Bob\" & Sons"},
             {"Address1", "Flat 3, The Gables"}, {"Address2", "  12 High St  "}, {"Address5", "Éire"}, {"PostCode", "SW1A 1AA"},
             {"Phone", "+44 (0)20 7946 0000"}, {"Email", "zoe@example.org"}, {"Email2", "a,b@example.org"},
             {"InternetLink", "https://example.org/?a=1&b=\"2\""}, {"MemberType", "Full; Life"}, {"Lookup6", "Zürich"},
             {"Lapsed", true}},
            {{"Number", 13}, {"Surname", "Smith"}, {"FeePaid", 0.5}, {"WorkPhone", "0113; 496 0000"}, {"Lapsed", false}},
            {{"Number", 14}, {"Surname", "Tab\tStop"}, {"FirstName", "Line\r\nBreak"}, {"Lookup1", "\"quoted\""}}};
        for (const QVariantMap& m : members)
            source.addMember(m);
        const QByteArray exported = exportOf(source.path());

        ImportRegister target(locale);
        const ImportResult result = importBytes(target, exported, u',', {});
        QCOMPARE(result.membersAdded, members.size());
        const QString sql = QStringLiteral("Select ") + kExportFields.join(QStringLiteral(", ")) + QStringLiteral(" from Zelk ORDER BY Number");
        QCOMPARE(target.rows(sql), source.rows(sql));
    }
};

ZELK_TEST(TextImportTest)
#include "tst_text_import.moc"
