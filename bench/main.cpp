// What a large register costs the program: building it, opening it in each sort order of
// the main window, walking it, finding a member, and the memory an open record set holds.
//
//   zelk-bench [N] [--keep PATH] [--db PATH]
//
// N members are generated (100000 unless given) into a temporary register, or into PATH
// with --keep, which is then left for other tools; --db times an existing register instead.
#include "backup_bench.h"
#include "import_bench.h"
#include "jet_bench.h"
#include "labels_bench.h"
#include "mail_bench.h"
#include "main_window_bench.h"
#include "register_generator.h"
#include "report_bench.h"
#include "search_bench.h"
#include "timing.h"

#include "engine/database.h"
#include "engine/engine_error.h"
#include "engine/recordset.h"

#include <sqlite3.h>

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using namespace zelk;
using namespace zelk::bench;

struct Row {
    QString operation;
    double ms;   // < 0: nothing was timed
    QString note;
};

double residentMb()
{
    QFile status(u"/proc/self/status"_qs);
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return -1;
}

// The sort as SQLite does it on its own: a plain connection with none of the program's
// functions or collation, reading the row ids as the sqlite3 tool would.
double sqliteDirectMs(const QString& path, const QByteArray& sql)
{
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return -1;
    }
    bool ok = true;
    const double ms = medianMs([&] {
        sqlite3_stmt* st = nullptr;
        ok = ok && sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &st, nullptr) == SQLITE_OK;
        std::vector<sqlite3_int64> ids;
        while (ok && sqlite3_step(st) == SQLITE_ROW)
            ids.push_back(sqlite3_column_int64(st, 0));
        sqlite3_finalize(st);
    });
    sqlite3_close(db);
    return ok ? ms : -1;
}

// The sqlite3 tool's own timing of the statement, run kRuns times in one session. The tool
// reports ".timer" only for statements read from standard input, and to its standard
// output even while the rows go to /dev/null. Its figure has a resolution of 1 ms.
double sqliteToolMs(const QString& tool, const QString& path, const QByteArray& sql)
{
    QProcess process;
    process.start(tool, {path});
    if (!process.waitForStarted())
        return -1;
    QByteArray script = ".timer on\n.output /dev/null\n";
    for (int k = 0; k < kRuns; ++k)
        script += sql + ";\n";
    process.write(script);
    process.closeWriteChannel();
    if (!process.waitForFinished(120000) || process.exitCode() != 0)
        return -1;
    static const QRegularExpression runTime(u"^Run Time: real ([0-9.]+)"_qs, QRegularExpression::MultilineOption);
    std::vector<double> times;
    for (auto it = runTime.globalMatch(QString::fromUtf8(process.readAllStandardOutput())); it.hasNext();)
        times.push_back(it.next().captured(1).toDouble() * 1000);
    return times.size() == kRuns ? median(times) : -1;
}

QString ratio(double ours, double theirs)
{
    return theirs > 0 ? u"ours / this = %1x"_qs.arg(ours / theirs, 0, 'f', 1) : u"ratio: no figure"_qs;
}

void printTable(const std::vector<Row>& rows)
{
    std::printf("%-44s %10s  %s\n", "operation", "ms", "note");
    std::printf("%-44s %10s  %s\n", QByteArray(44, '-').constData(), "----------", "----");
    for (const Row& row : rows) {
        const QByteArray ms = row.ms < 0 ? QByteArray("-") : QByteArray::number(row.ms, 'f', 1);
        std::printf("%-44s %10s  %s\n", row.operation.toUtf8().constData(), ms.constData(), row.note.toUtf8().constData());
    }
}

int usage()
{
    std::fprintf(stderr, "usage: zelk-bench [N] [--keep PATH] [--db PATH]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    // The main window is timed too; it needs no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Sorting and the reading of typed values follow the user's language: pin it, so runs
    // on different machines compare.
    QLocale::setDefault(QLocale(u"en_GB"_qs));

    int members = 100000;
    QString keepPath, dbPath;
    const QStringList args = app.arguments().mid(1);
    for (qsizetype k = 0; k < args.size(); ++k) {
        if ((args[k] == u"--keep"_qs || args[k] == u"--db"_qs) && k + 1 < args.size()) {
            (args[k] == u"--keep"_qs ? keepPath : dbPath) = args[k + 1];
            ++k;
        } else {
            bool ok = false;
            members = args[k].toInt(&ok);
            if (!ok || members < 1)
                return usage();
        }
    }
    if (!keepPath.isEmpty() && !dbPath.isEmpty())
        return usage();

    QTemporaryDir temporary;
    if (!temporary.isValid()) {
        std::fprintf(stderr, "cannot make a temporary folder: %s\n", qPrintable(temporary.errorString()));
        return 1;
    }
    const QString path = !dbPath.isEmpty() ? dbPath : !keepPath.isEmpty() ? keepPath : temporary.filePath(u"zelk2002.mdb"_qs);

    std::vector<Row> rows;
    try {
        if (dbPath.isEmpty()) {
            const double ms = elapsedMs([&] { bench::generateRegister(path, members); });
            rows.push_back({u"create and fill register"_qs, ms,
                            u"%1 members, %2 us each, batches of 5000, file %3 MB"_qs.arg(members)
                                .arg(ms * 1000 / members, 0, 'f', 1)
                                .arg(double(QFileInfo(path).size()) / 1e6, 0, 'f', 1)});
        }
        auto db = Database::open(path);

        // Memory first, before the timed opens below leave freed blocks on the heap.
        const double before = residentMb();
        auto walk = db->openRecordset(u"Select * from Zelk ORDER BY Surname"_qs);
        const double after = residentMb();
        const int count = walk->recordCount();

        double surnameMs = 0;
        for (const QString& field : {u"Surname"_qs, u"Number"_qs, u"MemberType"_qs, u"PostCode"_qs, u"RenewDate"_qs}) {
            const QString sql = u"Select * from Zelk ORDER BY "_qs + field;
            const double ms = medianMs([&] { db->openRecordset(sql); });
            if (field == u"Surname"_qs)
                surnameMs = ms;
            rows.push_back({u"open ORDER BY "_qs + field, ms, u"median of %1, %2 rows"_qs.arg(kRuns).arg(count)});
        }

        const QByteArray plainSql = "SELECT rowid FROM Zelk ORDER BY lower(Surname)";
        const double directMs = sqliteDirectMs(path, plainSql);
        rows.push_back({u"SQLite C API, ORDER BY lower(Surname)"_qs, directMs,
                        u"median of %1, plain connection; "_qs.arg(kRuns) + ratio(surnameMs, directMs)});
        const QString tool = QStandardPaths::findExecutable(u"sqlite3"_qs);
        if (tool.isEmpty()) {
            rows.push_back({u"sqlite3 tool, ORDER BY lower(Surname)"_qs, -1, u"no sqlite3 on PATH"_qs});
        } else {
            const double toolMs = sqliteToolMs(tool, path, plainSql);
            rows.push_back({u"sqlite3 tool, ORDER BY lower(Surname)"_qs, toolMs,
                            u"median of %1 \"Run Time: real\" (1 ms steps); "_qs.arg(kRuns) + ratio(surnameMs, toolMs)});
        }

        // A member in the last 1% of the Surname order, for FindFirst to reach.
        const int target = count - std::max(1, count / 200);
        QVariant targetNumber;
        qint64 values = 0;
        int position = 0;
        const double walkMs = elapsedMs([&] {
            for (walk->moveFirst(); !walk->eof(); walk->moveNext(), ++position) {
                for (int f = 0; f < int(walk->fields().size()); ++f)
                    values += walk->field(f).isNull() ? 0 : 1;
                if (position == target)
                    targetNumber = walk->field(u"Number"_qs);
            }
        });
        rows.push_back({u"walk ORDER BY Surname, every field"_qs, walkMs,
                        u"%1 us per row, %2 values not Null"_qs.arg(walkMs * 1000 / std::max(1, count), 0, 'f', 2).arg(values)});

        const QString criterion = u"Number = "_qs + targetNumber.toString();
        bool found = true;
        const double findMs = medianMs([&] {
            walk->moveFirst();
            walk->findFirst(criterion);
            found = found && !walk->noMatch() && walk->field(u"Number"_qs) == targetNumber;
        });
        rows.push_back({u"FindFirst in the Surname order"_qs, findMs,
                        u"median of %1, \"%2\", row %3 of %4%5"_qs.arg(kRuns).arg(criterion).arg(target + 1).arg(count)
                            .arg(found ? QString() : u", NOT FOUND"_qs)});

        walk.reset();
        const NavigationTimes nav = timeNavigation(path);
        rows.push_back({u"main window Next, with RefreshData"_qs, nav.nextMs,
                        u"median of %1 moves from the first member"_qs.arg(nav.moves)});
        rows.push_back({u"main window Previous, with RefreshData"_qs, nav.previousMs,
                        u"median of %1 moves; slowest move of all %2 ms"_qs.arg(nav.moves).arg(nav.slowestMs, 0, 'f', 2)});

        rows.push_back({u"resident memory, Surname record set open"_qs, -1,
                        u"VmRSS %1 MB (%2 MB before the open)"_qs.arg(after, 0, 'f', 1).arg(before, 0, 'f', 1)});
    } catch (const EngineError& e) {
        std::fprintf(stderr, "engine error %d: %s\n", e.number(), qPrintable(e.description()));
        if (e.number() == err::DatabaseExists)
            std::fprintf(stderr, "remove %s, or time it with --db\n", qPrintable(path));
        return 1;
    }

    std::printf("Zelk Membership benchmark: %s, SQLite %s, Qt %s\n\n", qPrintable(path), sqlite3_libversion(), qVersion());
    printTable(rows);
    std::printf("\n");
    printSurnameSearch(path);
    printLabelsToPdf(path);
    printReportFigures(path);
    printJetFigures(QStringLiteral(ZELK_JET_FILES));
    printImports(temporary.path(), members);
    printMailRun();
    printRegisterBackup(path);
    return 0;
}
