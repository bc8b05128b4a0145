// Taking a text file apart: values split at the separator with quotes as spreadsheets write
// them, the three line ends, the column names of the first line, the file's encoding, the
// reasons a file cannot be read, and the field each column name stands for.
#include "testlib/test_registry.h"
#include "testlib/test_world.h"

#include "import/delimited_text.h"
#include "import/text_encoding.h"
#include "import/text_file.h"
#include "import/text_import.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <unistd.h>

using namespace zelk;
using namespace zelk::import;
using Records = QList<QStringList>;

class TextReadingTest : public QObject {
    Q_OBJECT

private slots:
    void splitting_data()
    {
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QString>("text");
        QTest::addColumn<Records>("records");
        QTest::newRow("blanks trimmed, inner blanks kept") << "\t" << "  Mary Ann \t Smith " << Records{{"Mary Ann", "Smith"}};
        QTest::newRow("only blanks are trimmed") << "," << "\tSmith ,x" << Records{{"\tSmith", "x"}};
        QTest::newRow("empty and blank values") << ";" << "a;;   ;b" << Records{{"a", "", "", "b"}};
        QTest::newRow("separator at the end") << "," << "a,b," << Records{{"a", "b", ""}};
        QTest::newRow("a quote inside a value") << "," << "5'10\" tall,x" << Records{{"5'10\" tall", "x"}};
        // Quoted values as spreadsheets write them.
        QTest::newRow("separator in quotes") << "," << "1,\"Flat 3, The Gables\",Leeds"
                                             << Records{{"1", "Flat 3, The Gables", "Leeds"}};
        QTest::newRow("doubled quotes") << "," << "\"The \"\"Nook\"\"\",\"\"\"\"" << Records{{"The \"Nook\"", "\""}};
        QTest::newRow("line break in quotes") << "," << "1,\"12 High St\nLeeds\",x\n2,y"
                                              << Records{{"1", "12 High St\nLeeds", "x"}, {"2", "y"}};
        QTest::newRow("blanks inside quotes kept") << "," << "\" x \",\"  \"" << Records{{" x ", "  "}};
        QTest::newRow("blanks around quotes") << "," << "  \"a,b\"  ,c" << Records{{"a,b", "c"}};
        QTest::newRow("text after the closing quote") << "," << "\"Smiley\" Jones ,x" << Records{{"Smiley Jones", "x"}};
        QTest::newRow("a quote never closed") << "," << "\"Bob,Smith\nJane,Doe" << Records{{"Bob", "Smith"}, {"Jane", "Doe"}};
        // Lines.
        QTest::newRow("CR LF") << "," << "a,b\r\nc\r\n" << Records{{"a", "b"}, {"c"}};
        QTest::newRow("LF") << "," << "a\nb\n" << Records{{"a"}, {"b"}};
        QTest::newRow("CR") << "," << "a\rb" << Records{{"a"}, {"b"}};
        QTest::newRow("empty line") << "," << "a\r\n\r\nb" << Records{{"a"}, {""}, {"b"}};
        QTest::newRow("nothing") << "," << "" << Records{};
    }
    void splitting()
    {
        QFETCH(QString, separator);
        QFETCH(QString, text);
        QFETCH(Records, records);
        const auto split = splitRecords(text, separator.at(0));
        QCOMPARE(Records(split.begin(), split.end()), records);
    }

    void fieldNames_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<bool>("tooMany");
        QStringList thirty;
        for (int i = 1; i <= 30; ++i)
            thirty << QStringLiteral("F%1").arg(i);
        QTest::newRow("no separator: one column") << "Surname First Name\r\n1" << QStringList{"Surname First Name"} << false;
        QTest::newRow("30 names") << thirty.join(',') << thirty << false;
        QTest::newRow("30 names and a separator") << thirty.join(',') + ",\n" << thirty << false;
        QTest::newRow("31 names") << thirty.join(',') + ",F31,F32" << thirty << true;
        QTest::newRow("empty file") << "" << QStringList{} << false;
    }
    void fieldNames()
    {
        QFETCH(QString, line);
        QFETCH(QStringList, names);
        QFETCH(bool, tooMany);
        const FieldNames read = readFieldNames(line, u',');
        QCOMPARE(read.names, names);
        QCOMPARE(read.tooMany, tooMany);
    }

    void encodings_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("encoding");
        const QString zoe = QStringLiteral("Zoë Müller, Ærø");
        QTest::newRow("UTF-8") << zoe.toUtf8() << zoe << int(TextEncoding::Utf8);
        QTest::newRow("UTF-8 with a byte-order mark") << "\xEF\xBB\xBF" + zoe.toUtf8() << zoe << int(TextEncoding::Utf8WithBom);
        QTest::newRow("Windows-1252") << QByteArray("Zo\xEB M\xFCller, \xC6r\xF8") << zoe << int(TextEncoding::Windows1252);
        QTest::newRow("Windows-1252 quotes, dash, euro")
            << QByteArray("\x93Nook\x94 \x96 \x80" "5") << QStringLiteral("“Nook” – €5") << int(TextEncoding::Windows1252);
        QTest::newRow("UTF-16 with a byte-order mark")
            << QByteArray("\xFF\xFE") + QByteArray(reinterpret_cast<const char*>(zoe.utf16()), zoe.size() * 2) << zoe
            << int(TextEncoding::Utf16WithBom);
    }
    void encodings()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QFETCH(int, encoding);
        const DecodedText decoded = decodeText(bytes);
        QCOMPARE(decoded.text, text);
        QCOMPARE(int(decoded.encoding), encoding);
    }

    void dosCodePage()
    {
        QCOMPARE(decodeCodePage("Caf\x82 M\x81ller \x9C" "5 \xE1 \xC9\xCD\xBB", "CP437"), QStringLiteral("Café Müller £5 ß ╔═╗"));
    }

    // Whatever is wrong with the file, the user is told what it is and what to do.
    void unreadableFiles_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("message");   // with <path> for the file's path
        QTest::newRow("missing") << "missing"
                                 << "File not found | Sorry, I can't find the file <path>.\n\n"
                                    "It may have been moved or deleted. Please choose it again.";
        QTest::newRow("folder") << "folder" << "Not a file | Sorry, <path> is a folder, not a file.\n\nPlease choose the file itself.";
        QTest::newRow("binary") << "binary"
                                << "Not a text file | Sorry, the file <path> does not appear to be a text file.\n\n"
                                   "Please save your data as a text file (separated by commas, tabs or semicolons, "
                                   "such as a CSV file), then try again.";
        if (geteuid() != 0)
            QTest::newRow("not allowed") << "not allowed"
                                         << "Can't read file | Sorry, I am not allowed to read the file <path>.\n\n"
                                            "Please ask whoever looks after this computer for permission to read it, or "
                                            "save a copy of it in a folder of your own, then try again.";
    }
    void unreadableFiles()
    {
        QFETCH(QString, what);
        QFETCH(QString, message);
        test::TestWorld world;
        const QString path = world.file(QStringLiteral("members.csv"));
        if (what == "folder") {
            QDir().mkpath(path);
        } else if (what != "missing") {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(what == "binary" ? QByteArray("PK\x03\x04\x00\x00Surname", 14) : QByteArray("Surname\r\nSmith\r\n"));
            f.close();
            if (what == "not allowed")
                QVERIFY(f.setPermissions(QFileDevice::WriteOwner));
        }
        const TextFile read = readTextFile(path);
        QVERIFY(read.problem != FileProblem::None);
        QVERIFY(read.text.isEmpty());
        const MessageRequest m = unreadableFileMessage(path, read);
        QCOMPARE(m.title + " | " + m.text, QString(message).replace("<path>", path));
        QCOMPARE(int(m.icon), int(MsgIcon::Critical));
    }

    void columnNames_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("targets");
        QTest::newRow("field names, any case")
            << QStringList{"surname", "FIRSTNAME", "PostCode", "internetlink", "MEMO", "renewdate"}
            << QStringList{"Surname", "FirstName", "PostCode", "InternetLink", "Memo", "RenewDate"};
        QTest::newRow("a spreadsheet's names")
            << QStringList{"Last name", "first_name", "Address", "Zip code", "Telephone", "Date of birth", "Favourite colour", ""}
            << QStringList{"Surname", "FirstName", "Address1", "PostCode", "Phone", "Birthday", "", ""};
        QTest::newRow("a field named twice goes to the first")
            << QStringList{"Surname", "Last Name", "Email", "E-mail 1"} << QStringList{"Surname", "", "Email", ""};
    }
    void columnNames()
    {
        QFETCH(QStringList, names);
        QFETCH(QStringList, targets);
        const ColumnTargets found = automaticTargets(names);
        QCOMPARE(QStringList(found.begin(), found.begin() + names.size()), targets);
        QVERIFY(std::all_of(found.begin() + names.size(), found.end(), [](const QString& t) { return t.isEmpty(); }));
    }
};

ZELK_TEST(TextReadingTest)
#include "tst_text_reading.moc"
