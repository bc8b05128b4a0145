#include "import_bench.h"

#include "register_generator.h"
#include "timing.h"

#include "core/app_state.h"
#include "data/create_db.h"
#include "data/schema.h"
#include "engine/database.h"
#include "engine/engine_error.h"
#include "engine/recordset.h"
#include "import/delimited_text.h"
#include "import/dos_import.h"
#include "import/text_file.h"
#include "import/text_import.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QStandardPaths>

#include <cstdio>
#include <functional>
#include <iconv.h>
#include <stdexcept>
#include <sys/resource.h>

namespace zelk::bench {

namespace {

using namespace zelk::import;

QString quoted(const QString& text)
{
    QString out = text;
    out.replace(u'"', QStringLiteral("\"\""));
    return u'"' + out + u'"';
}

// A text file of the members as a spreadsheet would save it: the register's field names
// in the first line, one member a line, texts in quotes, dates as year-month-day. Every
// field of the table is there in its order, so the sqlite3 tool can take the same file;
// a typed field the member leaves empty gets a value (the tool stores "" where the table
// wants a number or a date, which the table's checks refuse), and the three fields the
// text import cannot fill (after the 30th column) are left empty or false.
QByteArray membersFile(int members)
{
    RegisterGenerator generator;
    const TableDef zelk = schema::zelkTable();
    QStringList names;
    for (const FieldDef& f : zelk.fields)
        names << f.name;
    QString out = names.join(u',') + QStringLiteral("\r\n");
    for (int i = 0; i < members; ++i) {
        QHash<QString, QVariant> values;
        for (const auto& [field, value] : generator.member(i, members))
            values.insert(field, value);
        QStringList line;
        for (const FieldDef& f : zelk.fields) {
            const QVariant v = values.value(f.name);
            if (f.name == QLatin1String("Email2") || f.name == QLatin1String("InternetLink")) {
                line << QString();
            } else if (f.type == FieldType::Boolean) {
                line << QStringLiteral("0");
            } else if (f.type == FieldType::DateTime) {
                line << (v.isNull() ? QStringLiteral("1970-01-01") : v.toDate().toString(Qt::ISODate));
            } else if (f.type == FieldType::Currency) {
                line << QString::number(v.isNull() ? 0.0 : v.toDouble(), 'f', 2);
            } else if (f.type == FieldType::Long) {
                line << QString::number(v.toInt());
            } else {
                line << quoted(v.toString());
            }
        }
        out += line.join(u',') + QStringLiteral("\r\n");
    }
    return out.toUtf8();
}

QByteArray toCodePage437(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    iconv_t cd = iconv_open("CP437//TRANSLIT", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error("no CP437 converter");
    QByteArray out(utf8.size() + 16, '\0');
    char* in = const_cast<char*>(utf8.constData());
    size_t inLeft = size_t(utf8.size());
    char* o = out.data();
    size_t outLeft = size_t(out.size());
    while (inLeft > 0 && iconv(cd, &in, &inLeft, &o, &outLeft) == size_t(-1)) {
        *o++ = '?';   // a character the DOS code page has no form of
        --outLeft;
        ++in;
        --inLeft;
    }
    iconv_close(cd);
    out.truncate(o - out.data());
    return out;
}

// ZELK.DAT as the conversion programs write it: 24 values, day numbers, code page 437.
QByteArray dosMembersFile(int members)
{
    RegisterGenerator generator;
    const QDate dayZero(1899, 12, 30);
    const QStringList texts{"Title", "FirstName", "Surname", "Address1", "Address2", "Address3", "Address4", "PostCode",
                            "Phone", "WorkPhone", "Mobile", "Fax", "MemberType", "Lookup1", "Lookup2", "Lookup3",
                            "Lookup4", "Lookup5", "Lookup6"};
    QString out;
    for (int i = 0; i < members; ++i) {
        QHash<QString, QVariant> v;
        for (const auto& [field, value] : generator.member(i, members))
            v.insert(field, value);
        const auto day = [&](const char* field) {
            const QDate d = v.value(QLatin1String(field)).toDate();
            return d.isValid() ? QString::number(36161 + dayZero.daysTo(d)) : QStringLiteral("0");
        };
        QStringList line{QString::number(v.value(QStringLiteral("Number")).toInt()), day("JoinDate"), day("RenewDate"),
                         QString::number(v.value(QStringLiteral("FeePaid")).toDouble(), 'f', 2)};
        for (const QString& t : texts)
            line << quoted(v.value(t).toString());
        line << quoted(QString());
        out += line.join(u',') + QStringLiteral("\r\n");
    }
    return toCodePage437(out);
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        throw std::runtime_error(("cannot write " + path).toStdString());
}

std::unique_ptr<AppState> openState(const QString& path)
{
    auto state = std::make_unique<AppState>();
    state->DatabasePath = path;
    state->openRegister(membersInOrder(state->SortOrder));
    return state;
}

int countRows(const QString& path, const QString& table)
{
    auto db = Database::open(path);
    return db->openRecordset(QStringLiteral("Select * from ") + table)->recordCount();
}

// Time on the clock and time on the processor: on a machine busy with other work the
// clock runs on while the processor serves others, and the processor time is the fairer
// comparison of two programs.
struct Cost {
    double ms = -1;
    double cpuMs = -1;
};

double cpuMs(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    const auto ms = [](const timeval& t) { return double(t.tv_sec) * 1000 + double(t.tv_usec) / 1000; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

template <typename Work>
Cost costOf(Work&& work, int who = RUSAGE_SELF)
{
    const double before = cpuMs(who);
    Cost c;
    c.ms = elapsedMs(std::forward<Work>(work));
    c.cpuMs = cpuMs(who) - before;
    return c;
}

// The sqlite3 tool run on `database` with `script` on its standard input, from its start
// to its end; nothing when it failed.
Cost toolCost(const QString& tool, const QString& database, const QByteArray& script)
{
    QProcess process;
    process.setStandardErrorFile(QProcess::nullDevice());   // a line per short row, when a file has fewer columns
    const Cost c = costOf([&] {
        process.start(tool, {database});
        process.write(script);
        process.closeWriteChannel();
        process.waitForFinished(600000);
    }, RUSAGE_CHILDREN);
    return process.exitStatus() == QProcess::NormalExit ? c : Cost{};
}

QString ratio(const Cost& ours, const Cost& theirs)
{
    if (theirs.ms <= 0 || theirs.cpuMs <= 0)
        return QStringLiteral("no tool figure");
    return QStringLiteral("ours / tool = %1x on the clock, %2x in processor time")
        .arg(ours.ms / theirs.ms, 0, 'f', 2)
        .arg(ours.cpuMs / theirs.cpuMs, 0, 'f', 2);
}

QString cpu(const Cost& c)
{
    return QStringLiteral("processor %1 ms").arg(c.cpuMs, 0, 'f', 0);
}

void row(const QString& operation, double ms, const QString& note)
{
    const QByteArray figure = ms < 0 ? QByteArray("-") : QByteArray::number(ms, 'f', 1);
    std::printf("%-44s %10s  %s\n", operation.toUtf8().constData(), figure.constData(), note.toUtf8().constData());
}

// A table of the DOS file's 24 values made as the register makes its tables: the same
// kinds of field with the same checks, and indexes like Zelk's. (Zelk's own checks refuse
// the file's day numbers and column order.)
TableDef dosValuesTable()
{
    TableDef dat{QStringLiteral("ZelkDat"), {}, {}};
    for (const char* whole : {"Number", "JoinDay", "RenewDay"})
        dat.fields.push_back({QString::fromLatin1(whole), FieldType::Long, 0, true});
    dat.fields.push_back({QStringLiteral("FeePaid"), FieldType::Currency, 0, true});
    for (const char* text : {"Title", "FirstName", "Surname", "Address1", "Address2", "Address3", "Address4", "PostCode",
                             "Phone", "WorkPhone", "Mobile", "Fax", "MemberType", "Lookup1", "Lookup2", "Lookup3",
                             "Lookup4", "Lookup5", "Lookup6", "Unused"})
        dat.fields.push_back({QString::fromLatin1(text), FieldType::Text, 100, true});
    dat.indexes = {{QStringLiteral("Date"), {QStringLiteral("RenewDay")}, false},
                   {QStringLiteral("Lookups"),
                    {QStringLiteral("Lookup1"), QStringLiteral("Lookup2"), QStringLiteral("Lookup3"), QStringLiteral("Lookup4"),
                     QStringLiteral("Lookup5"), QStringLiteral("Lookup6")},
                    false},
                   {QStringLiteral("Number"), {QStringLiteral("Number")}, false},
                   {QStringLiteral("PostCode"), {QStringLiteral("PostCode")}, false},
                   {QStringLiteral("Surname"), {QStringLiteral("Surname")}, false},
                   {QStringLiteral("Type"), {QStringLiteral("MemberType")}, false}};
    return dat;
}

Cost medianOf(const std::vector<Cost>& runs)
{
    std::vector<double> ms, cpu;
    for (const Cost& c : runs) {
        ms.push_back(c.ms);
        cpu.push_back(c.cpuMs);
    }
    return {median(ms), median(cpu)};
}

// Ours and the tool's in turn, each on a register of its own made for the run, so that a
// change in the machine's load falls on both alike; the medians of kImportRuns each.
constexpr int kImportRuns = 3;

struct Pair {
    Cost ours;
    Cost tool;
    int added = 0;
    int toolRows = 0;
};

Pair timePair(const QDir& dir, const QString& name, const std::function<int(AppState&)>& ours, const QString& tool,
              const std::function<void(Database&)>& prepareTool, const QByteArray& toolScript, const QString& toolTable)
{
    Pair pair;
    std::vector<Cost> oursRuns, toolRuns;
    for (int run = 0; run < kImportRuns; ++run) {
        const QString path = dir.filePath(QStringLiteral("%1-ours-%2.mdb").arg(name).arg(run));
        buildNewDatabase(path);
        auto state = openState(path);
        oursRuns.push_back(costOf([&] { pair.added = ours(*state); }));
        if (tool.isEmpty())
            continue;
        const QString theirs = dir.filePath(QStringLiteral("%1-tool-%2.mdb").arg(name).arg(run));
        buildNewDatabase(theirs);
        if (prepareTool)
            prepareTool(*Database::open(theirs));
        toolRuns.push_back(toolCost(tool, theirs, toolScript));
        pair.toolRows = countRows(theirs, toolTable);
    }
    pair.ours = medianOf(oursRuns);
    if (!toolRuns.empty())
        pair.tool = medianOf(toolRuns);
    return pair;
}

} // namespace

void printImports(const QString& folder, int members)
{
    const QDir dir(folder);
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
    std::printf("Imports of %d members (medians of %d runs, ours and the tool's in turn)\n\n", members, kImportRuns);
    std::printf("%-44s %10s  %s\n", "operation", "ms", "note");
    std::printf("%-44s %10s  %s\n", QByteArray(44, '-').constData(), "----------", "----");
    const AskUser say = [](const MessageRequest& m) {
        std::fprintf(stderr, "%s\n", qPrintable(m.text));
        return m.defaultButton;
    };
    try {
        // The text import, whole: reading, splitting, converting, storing, committing and
        // reopening the members in surname order.
        const QString csv = dir.filePath(QStringLiteral("members.csv"));
        writeFile(csv, membersFile(members));
        const TextImport request{csv, u',', automaticTargets(readFieldNames(readTextFile(csv).text, u',').names)};
        const Pair text = timePair(
            dir, QStringLiteral("text"),
            [&](AppState& state) { return importTextFile(state, ImportMode::Store, request, {say, {}}).membersAdded; }, tool, {},
            ".import --csv --skip 1 '" + csv.toUtf8() + "' Zelk\n", QStringLiteral("Zelk"));
        row(QStringLiteral("text import, file to register"), text.ours.ms,
            QStringLiteral("%1 members added, %2 MB file, %3 us each, ")
                    .arg(text.added)
                    .arg(double(QFileInfo(csv).size()) / 1e6, 0, 'f', 1)
                    .arg(text.ours.ms * 1000 / members, 0, 'f', 1)
                + cpu(text.ours));
        const double splitMs = elapsedMs([&] {
            const TextFile file = readTextFile(csv);
            DelimitedReader reader(file.text, u',');
            std::vector<QString> values;
            while (!reader.atEnd())
                reader.next(values);
        });
        row(QStringLiteral("  of which reading and splitting the file"), splitMs, QStringLiteral("decoding UTF-8 and taking the lines apart"));
        if (tool.isEmpty())
            row(QStringLiteral("sqlite3 tool .import, same file"), -1, QStringLiteral("no sqlite3 on PATH"));
        else
            row(QStringLiteral("sqlite3 tool .import, same file, same table"), text.tool.ms,
                QStringLiteral("%1 rows after, ").arg(text.toolRows) + cpu(text.tool) + QStringLiteral("; ") + ratio(text.ours, text.tool));

        // The DOS edition's files as the conversion programs leave them.
        const QString dos = dir.filePath(QStringLiteral("dos")) + QDir::separator();
        dir.mkpath(QStringLiteral("dos"));
        writeFile(dos + QStringLiteral("ZELK.DAT"), dosMembersFile(members));
        QByteArray types = "\"Typ:member_type\",\"Typ:l\"\r\n";
        for (int k = 0; k < std::max(RegisterGenerator::memberTypes().size(), RegisterGenerator::lookups().size()); ++k)
            types += quoted(RegisterGenerator::memberTypes().value(k)).toUtf8() + ',' + quoted(RegisterGenerator::lookups().value(k)).toUtf8() + "\r\n";
        writeFile(dos + QStringLiteral("TYP_LOOK.DAT"), types);
        const auto dosImport = [&](bool mixedCase) {
            return [&, mixedCase](AppState& state) {
                return dos::importDosFiles(state, ImportMode::Store, dos, {false, mixedCase}, {say, {}}).membersAdded;
            };
        };
        const Pair dosPair = timePair(dir, QStringLiteral("dos"), dosImport(false), tool,
                                      [](Database& db) { db.createTable(dosValuesTable()); },
                                      ".import --csv '" + (dos + QStringLiteral("ZELK.DAT")).toUtf8() + "' ZelkDat\n",
                                      QStringLiteral("ZelkDat"));
        row(QStringLiteral("DOS ZELK.DAT read into the register"), dosPair.ours.ms,
            QStringLiteral("%1 members added, options as the window opens, %2 us each, ")
                    .arg(dosPair.added)
                    .arg(dosPair.ours.ms * 1000 / members, 0, 'f', 1)
                + cpu(dosPair.ours));
        if (!tool.isEmpty())
            row(QStringLiteral("sqlite3 tool .import, same ZELK.DAT"), dosPair.tool.ms,
                QStringLiteral("%1 rows after, into a table of its 24 values made like Zelk, ").arg(dosPair.toolRows)
                    + cpu(dosPair.tool) + QStringLiteral("; ") + ratio(dosPair.ours, dosPair.tool));
        // The tool cannot put ZELK.DAT into Zelk itself; what storing the same members there
        // costs it is its import of the text file above.
        if (text.tool.cpuMs > 0)
            row(QStringLiteral("  beside the tool's import into Zelk"), -1,
                QStringLiteral("the same members from the text file above: ") + ratio(dosPair.ours, text.tool));
        const Pair mixed = timePair(dir, QStringLiteral("dos-mixed"), dosImport(true), {}, {}, {}, {});
        row(QStringLiteral("  the same with mixed case"), mixed.ours.ms,
            cpu(mixed.ours) + (dosPair.tool.cpuMs > 0 ? QStringLiteral("; ") + ratio(mixed.ours, dosPair.tool) : QString()));
    } catch (const EngineError& e) {
        std::fprintf(stderr, "engine error %d: %s\n", e.number(), qPrintable(e.description()));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
    }
    std::printf("\n");
}

} // namespace zelk::bench
