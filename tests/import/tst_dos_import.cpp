// The conversion from the DOS edition: the conversion programs run as the conversion
// builds their commands (fake programs record them), the day numbers, and the members,
// types and lookups read from the files the programs leave, with both options.
#include "dos_fixture.h"
#include "import_register.h"

#include "testlib/test_registry.h"

#include "import/dos_import.h"
#include "import/dos_programs.h"

#include <QTest>

using namespace zelk;
using namespace zelk::import;
using namespace zelk::import::dos;
using zelk::test::FakePrograms;
using zelk::test::ImportRegister;
using zelk::test::messagesShown;
using zelk::test::writeDosFile;

namespace {

// A program folder and a DOS folder, both with blanks in their paths.
struct Folders {
    QString program;
    QString dos;   // ends in a separator
    explicit Folders(ImportRegister& r)
        : program(r.world().file(QStringLiteral("Zelk Program")))
        , dos(r.world().file(QStringLiteral("Old Zelk Data")) + QDir::separator())
    {
        QDir().mkpath(dos);
    }
};

const QByteArray kMembers =
    test::dosMemberLine("101", "69931", "82274", "12.5", "MR", "JOHN", "O'BRIEN-SMITH",
                        "\"12 HIGH ST\",\"LEEDS\",\"\",\"\",\"ls1 1aa\",\"0113 496 0000\",\"WORK\",\"07700 900000\",\"FAX\","
                        "\"FULL\",\"SECTION A\",\"\",\"\",\"\",\"X-RAY\",\"\",\"unused\"")
    + test::dosMemberLine("0", "0", "0", "0", "", "Nobody", "Zero") + test::dosMemberLine("-5", "0", "0", "0", "", "Minus", "Five")
    + test::dosMemberLine("102", "0", "36162", "0", "Mrs", "Ann", "Smith & Jones")
    + test::dosMemberLine("103", "1", "36161", "", "", "Ren\x82", "Caf\x82")
    + test::dosMemberLine("abc", "0", "0", "0", "", "Bad", "Number") + test::dosMemberLine("104", "xyz", "0", "0", "", "Bad", "Join")
    + test::dosMemberLine("105", "0", "0", "0", "", "Long", QByteArray(101, 'w'));

const QByteArray kMemos = "1,\"LIKES TEA\"\r\n2,\"\"\r\n3,\"\"\r\n4,\"Two, lines\"\r\n";

const QByteArray kTypes = "\"Typ:member_type\",\"Typ:l\"\r\n\"FULL\",\"\"\r\n\"\",\"SECTION A\"\r\n\"JUNIOR\",\"SECTION B\"\r\n\"  \",\"\"\r\n";

const char* const kMemberSql =
    "Select Number, JoinDate, RenewDate, Birthday, FeePaid, Title, FirstName, Surname, Address1, Address2, PostCode, Phone, "
    "WorkPhone, Mobile, Fax, MemberType, Lookup1, Lookup5, Memo from Zelk ORDER BY Number";

} // namespace

class DosImportTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QVERIFY(MessageScript::unexpected().isEmpty()); }

    void dayNumbers()
    {
        QStringList dates;
        for (qint64 day : {0, 1, 36161, 36162, 69931, 82274})
            dates << dateOfDayNumber(day).value_or(QDate()).toString(Qt::ISODate);
        QCOMPARE(dates, (QStringList{"", "", "", "1899-12-31", "1992-06-15", "2026-04-01"}));
    }

    // Each program by the name it has in the folder, with each path one argument however
    // many blanks it holds, run in the program's folder; the memo report only with a memo file.
    void programsRun_data()
    {
        QTest::addColumn<bool>("memo");
        QTest::newRow("with MEMO.DAT") << true;
        QTest::newRow("without") << false;
    }
    void programsRun()
    {
        QFETCH(bool, memo);
        ImportRegister r;
        const Folders f(r);
        const FakePrograms programs(f.program, r.world().file(QStringLiteral("runs.log")));
        QVERIFY(CheckClarionFilesPresent(f.program));   // says CFIL is missing
        programs.addAll();
        if (memo)
            writeDosFile(f.dos, QStringLiteral("MEMO.DAT"), "");
        QVERIFY(!CheckClarionFilesPresent(f.program));
        int waited = 0;
        QVERIFY(runConversionPrograms(f.program, f.dos, r.callbacks().ask, [&] { ++waited; }));
        const QString p = f.program, d = f.dos;
        QStringList expected{
            "cfil.exe [s=" + p + "/ZELK] [l=ZELK2] [I=" + d + "ZELK2] [O=ZELK2] in " + p,
            "cfil.exe [s=" + p + "/ZELK] [l=TYPE] [I=" + d + "TYPE] [O=TYPE] in " + p,
            "CCVT [T=Clarion] [I=" + d + "ZELK2.DAT] [O=BASIC] [F=" + d + "ZELK.DAT] in " + p,
            "CCVT [T=Clarion] [I=" + d + "TYPE.DAT] [O=BASIC] [F=" + d + "TYP_LOOK.DAT] in " + p};
        if (memo)
            expected << "Rrun [R=RPT1.DEF] [D=" + p + "/MEMO1.DEF] [O=F-" + d + "MEMO.DAT] in " + p;
        QCOMPARE(programs.runs(), expected);
    }

    // A program missing, failing or not startable stops the conversion with a message
    // naming it; the programs after it do not run.
    void programFails_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("runs");
        QTest::addColumn<QString>("message");   // <P> for the program's folder
        QTest::newRow("CCVT missing") << "missing" << 2
                                      << "Sorry, I can't find the conversion program CCVT in <P>.\n\nIt must be there, as a "
                                         "program or a script of that name, for the conversion to run.";
        QTest::newRow("CFIL fails") << "fails" << 1
                                    << "Sorry, the conversion program <P>/cfil.exe stopped with the error code 3.\n\n"
                                       "It said: ZELK: definition file not found";
        QTest::newRow("CCVT cannot start") << "not executable" << 2
                                           << "Sorry, the conversion program <P>/CCVT could not be started: execvp: "
                                              "Permission denied.";
    }
    void programFails()
    {
        QFETCH(QString, how);
        QFETCH(int, runs);
        QFETCH(QString, message);
        ImportRegister r;
        const Folders f(r);
        const FakePrograms programs(f.program, r.world().file(QStringLiteral("runs.log")));
        programs.add(QStringLiteral("cfil.exe"), how == "fails" ? 3 : 0, how == "fails" ? "ZELK: definition file not found" : "");
        if (how != "missing")
            programs.add(QStringLiteral("CCVT"), 0, {}, how != "not executable");
        programs.add(QStringLiteral("RRUN"));
        MessageScript::answer(MsgAnswer::OK);
        QVERIFY(!runConversionPrograms(f.program, f.dos, r.callbacks().ask, {}));
        QCOMPARE(programs.runs().size(), runs);
        QCOMPARE(messagesShown(), QStringList{"Conversion failed | OK Critical OK | " + QString(message).replace("<P>", f.program)
                                              + "\n\nNothing has been imported: your register is as it was."});
    }

    // What the members, types and lookups become, with each option; refused members in
    // Error.log, the numbers 0 and below passed over.
    void membersRead_data()
    {
        QTest::addColumn<bool>("birthday");
        QTest::addColumn<bool>("mixedCase");
        QTest::addColumn<QStringList>("members");
        QTest::addColumn<QStringList>("typesAndLookups");
        QTest::newRow("as they are") << false << false
                                     << QStringList{"101|1992-06-15|2026-04-01|<null>|12.5|MR|JOHN|O'BRIEN-SMITH|12 HIGH ST|LEEDS|ls1 1aa|0113 496 0000|WORK|07700 900000|FAX|FULL|SECTION A|X-RAY|LIKES TEA",
                                                    "102|<null>|1899-12-31|<null>|0|Mrs|Ann|Smith & Jones|||||||||||Two, lines",
                                                    "103|<null>|<null>|<null>|0||René|Café|||||||||||<null>"}
                                     << QStringList{"FULL", "JUNIOR", "SECTION A", "SECTION B"};
        QTest::newRow("birthday") << true << false
                                  << QStringList{"101|1992-06-15|<null>|2026-04-01|12.5|MR|JOHN|O'BRIEN-SMITH|12 HIGH ST|LEEDS|ls1 1aa|0113 496 0000|WORK|07700 900000|FAX|FULL|SECTION A|X-RAY|LIKES TEA",
                                                 "102|<null>|<null>|1899-12-31|0|Mrs|Ann|Smith & Jones|||||||||||Two, lines",
                                                 "103|<null>|<null>|<null>|0||René|Café|||||||||||<null>"}
                                  << QStringList{"FULL", "JUNIOR", "SECTION A", "SECTION B"};
        QTest::newRow("mixed case: post codes and numbers as they are") << false << true
            << QStringList{"101|1992-06-15|2026-04-01|<null>|12.5|Mr|John|O'Brien-Smith|12 High St|Leeds|ls1 1aa|0113 496 0000|WORK|07700 900000|FAX|Full|Section A|X-Ray|Likes Tea",
                           "102|<null>|1899-12-31|<null>|0|Mrs|Ann|Smith & Jones|||||||||||Two, Lines",
                           "103|<null>|<null>|<null>|0||René|Café|||||||||||<null>"}
            << QStringList{"Full", "Junior", "Section A", "Section B"};
    }
    void membersRead()
    {
        QFETCH(bool, birthday);
        QFETCH(bool, mixedCase);
        QFETCH(QStringList, members);
        QFETCH(QStringList, typesAndLookups);
        ImportRegister r;
        const Folders f(r);
        writeDosFile(f.dos, QStringLiteral("ZELK.DAT"), kMembers);
        writeDosFile(f.dos, QStringLiteral("memo.dat"), kMemos);
        writeDosFile(f.dos, QStringLiteral("Typ_Look.dat"), kTypes);
        const QStringList settings = r.rows("Select * from Settings");
        MessageScript::answer(MsgAnswer::OK);
        QStringList captions;
        import::ImportCallbacks io = r.callbacks();
        io.progress = [&](const Progress& p) { captions << p.caption; };
        const ImportResult result = importDosFiles(r.state(), ImportMode::Store, f.dos, {birthday, mixedCase}, io);
        QCOMPARE(result.membersAdded, 3);
        QVERIFY(result.placeholderRemoved);
        QCOMPARE(r.rows(kMemberSql), members);
        QCOMPARE(r.rows("Select [Member Type] from Members") + r.rows("Select Lookups from Lookups"), typesAndLookups);
        QCOMPARE(r.rows("Select * from Settings"), settings);
        // The name shown as each member is converted, "&" and all.
        QCOMPARE(captions.mid(0, 2), (QStringList{mixedCase ? "Converting Mr John O'Brien-Smith" : "Converting MR JOHN O'BRIEN-SMITH",
                                                  "Converting Mrs Ann Smith & Jones"}));
        // Refused members are listed with their number, name and reason, and counted.
        const QString log = f.dos + "Error.log";
        QCOMPARE(messagesShown(), QStringList{"Conversion errors | OK Exclamation OK | Your DOS files had 3 members which could "
                                              "not be converted.\n\nThese are shown, with the reason for each, in the file "
                                              + log + ". You will need to re-input these."});
        QFile file(log);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(file.readAll()),
                 "abc Bad Number: The membership number \"abc\" is not a whole number.\r\n"
                 "104 Bad Join: The join date \"xyz\" is not a day number.\r\n"
                 "105 Long " + (mixedCase ? "W" + QString(100, u'w') : QString(101, u'w')) + ": The text you entered is too long for the field 'Surname', which holds "
                 "at most 100 characters.\r\n");
    }

    // Without members the types and lookups still arrive; a file the programs did not
    // leave stops everything.
    void typesWithoutMembers()
    {
        ImportRegister r;
        const Folders f(r);
        writeDosFile(f.dos, QStringLiteral("ZELK.DAT"), "");
        writeDosFile(f.dos, QStringLiteral("TYP_LOOK.DAT"), kTypes);
        const ImportResult result = importDosFiles(r.state(), ImportMode::Store, f.dos, {}, r.callbacks());
        QCOMPARE(result.membersAdded, 0);
        QCOMPARE(r.rows("Select [Member Type] from Members"), (QStringList{"FULL", "JUNIOR"}));
        QCOMPARE(r.rows("Select Number from Zelk"), QStringList{});
    }
    void convertedFileMissing()
    {
        ImportRegister r;
        const Folders f(r);
        writeDosFile(f.dos, QStringLiteral("ZELK.DAT"), kMembers);
        const QStringList before = r.everything();
        MessageScript::answer(MsgAnswer::OK);
        MessageScript::answer(MsgAnswer::OK);
        const ImportResult result = importDosFiles(r.state(), ImportMode::Store, f.dos, {}, r.callbacks());
        QVERIFY(result.stopped());
        QCOMPARE(messagesShown().last(), "Conversion failed | OK Critical OK | Sorry, the conversion did not leave the file "
                                         "TYP_LOOK.DAT in " + f.dos + ".\n\nNothing has been imported: your register is as it was.");
        QCOMPARE(r.everything(), before);
    }
};

ZELK_TEST(DosImportTest)
#include "tst_dos_import.moc"
