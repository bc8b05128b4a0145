#include "report_bench.h"

#include "timing.h"

#include "core/app_state.h"
#include "engine/database.h"
#include "engine/engine_error.h"
#include "engine/recordset.h"
#include "reports/data_export.h"
#include "reports/list_report.h"
#include "reports/report_file.h"
#include "reports/selection_query.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <ctime>
#include <cstdio>
#include <vector>

namespace zelk::bench {

namespace {

// The columns of each output as the tool writes them, and the order of the rows: the
// surname index's own order, the nearest the tool has to the program's.
const char* const kExportColumns =
    "Number, JoinDate, RenewDate, Birthday, FeePaid, Title, FirstName, Surname, Address1, Address2, Address3, Address4, "
    "Address5, PostCode, Phone, WorkPhone, Fax, Mobile, Email, Email2, InternetLink, MemberType, Lookup1, Lookup2, "
    "Lookup3, Lookup4, Lookup5, Lookup6, Lapsed";
const char* const kListColumns =
    "Number, Title, FirstName, Surname, Address1, Address2, Address3, Address4, Address5, PostCode, Phone, MemberType, "
    "RenewDate, Birthday, Lookup1, Lookup2, Lookup3, Lookup4, Lookup5, Lookup6, Email";

// A time taken: as the clock on the wall saw it, and the processor time spent. The
// machine may be busy with other work; the processor time is what the work itself cost.
struct Took {
    double wallMs = -1;
    double cpuMs = -1;
};

double cpuNowMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1000 + double(t.tv_nsec) / 1e6;
}

// The sqlite3 tool writing a query to `file` in `mode`, kRuns times in one session: the
// median of its own "Run Time" figures (real, and user plus sys; 1 ms steps).
Took toolMs(const QString& tool, const QString& path, const QString& mode, const QString& columns, const QString& file)
{
    QProcess process;
    process.start(tool, {path});
    if (!process.waitForStarted())
        return {};
    QString script = QStringLiteral(".timer on\n.headers on\n.mode %1\n").arg(mode);
    for (int k = 0; k < kRuns; ++k)
        script += QStringLiteral(".output %1\nSELECT %2 FROM Zelk ORDER BY Surname COLLATE NOCASE;\n").arg(file, columns);
    process.write(script.toUtf8());
    process.closeWriteChannel();
    if (!process.waitForFinished(300000) || process.exitCode() != 0)
        return {};
    static const QRegularExpression runTime(QStringLiteral("^Run Time: real ([0-9.]+) user ([0-9.]+) sys ([0-9.]+)"),
                                            QRegularExpression::MultilineOption);
    std::vector<double> wall, cpu;
    for (auto it = runTime.globalMatch(QString::fromUtf8(process.readAllStandardOutput())); it.hasNext();) {
        const auto m = it.next();
        wall.push_back(m.captured(1).toDouble() * 1000);
        cpu.push_back((m.captured(2).toDouble() + m.captured(3).toDouble()) * 1000);
    }
    if (wall.size() != size_t(kRuns))
        return {};
    return {median(wall), median(cpu)};
}

struct Figure {
    QString what;
    double ms = -1;
    QString note;
};

void printFigures(const std::vector<Figure>& rows)
{
    std::printf("%-44s %10s  %s\n", "report", "ms", "note");
    std::printf("%-44s %10s  %s\n", QByteArray(44, '-').constData(), "----------", "----");
    for (const Figure& f : rows) {
        const QByteArray ms = f.ms < 0 ? QByteArray("-") : QByteArray::number(f.ms, 'f', 1);
        std::printf("%-44s %10s  %s\n", f.what.toUtf8().constData(), ms.constData(), f.note.toUtf8().constData());
    }
}

QString ratio(const Took& ours, const Took& theirs, double allowed)
{
    if (ours.wallMs < 0 || theirs.wallMs <= 0 || theirs.cpuMs <= 0)
        return QStringLiteral("ratio: no figure");
    const double wall = ours.wallMs / theirs.wallMs, cpu = ours.cpuMs / theirs.cpuMs;
    return QStringLiteral("processor %1 ms; ours / tool = %2x, processor %3x (at most %4x: %5)")
        .arg(theirs.cpuMs, 0, 'f', 0)
        .arg(wall, 0, 'f', 2)
        .arg(cpu, 0, 'f', 2)
        .arg(allowed, 0, 'f', 0)
        .arg(wall <= allowed && cpu <= allowed ? QStringLiteral("met") : QStringLiteral("NOT MET"));
}

// One output of every member, as the reports window makes it: the selection opened, the
// file written whole. Also the longest stretch in which no events could have run.
struct Output {
    Took took;
    double longestPauseMs = 0;
    qint64 bytes = 0;
};

template <typename Write>
Output timeOutput(AppState& state, const QString& file, Write write)
{
    Output o;
    const QString sql = reports::BuildReportQuery(reports::ReportRanges{}).sql;
    std::vector<double> pauses, cpu;
    o.took.wallMs = medianMs([&] {
        const double cpuStart = cpuNowMs();
        QElapsedTimer since;
        since.start();
        double longest = 0;
        // The time since the last chance for events to run, starting the next stretch.
        const auto lap = [&] {
            const double ms = double(since.nsecsElapsed()) / 1e6;
            since.restart();
            return ms;
        };
        const reports::KeepResponsive tick = [&] { longest = std::max(longest, lap()); };
        state.reopen(state.rsZelk, sql);
        const reports::ReadTransaction reading(*state.dbZelk);
        const QString problem = reports::saveReport(file, [&](QIODevice& out) { return write(*state.rsZelk, out, tick); });
        if (!problem.isEmpty())
            std::fprintf(stderr, "writing %s: %s\n", qPrintable(file), qPrintable(problem));
        pauses.push_back(std::max(longest, lap()));
        cpu.push_back(cpuNowMs() - cpuStart);
    });
    o.took.cpuMs = median(cpu);
    o.longestPauseMs = *std::max_element(pauses.begin(), pauses.end());
    o.bytes = QFileInfo(file).size();
    return o;
}

} // namespace

void printReportFigures(const QString& path)
{
    QTemporaryDir folder;
    AppState state;
    std::vector<Figure> rows;
    try {
        state.dbZelk = Database::open(path);
        state.reopen(state.rsZelk, membersInOrder(QStringLiteral("Surname")));

        // Surnames B to M, ordered by surname and then by number, highest first.
        reports::ReportRanges selection;
        selection.txtRange[reports::range::SurnameFrom] = QStringLiteral("B");
        selection.txtRange[reports::range::SurnameTo] = QStringLiteral("M");
        selection.txtPriority[0] = QStringLiteral("1");
        selection.txtPriority[2] = QStringLiteral("2");
        selection.chkDesc[2] = true;
        const QString sql = reports::BuildReportQuery(selection).sql;
        int selected = 0;
        std::vector<double> openCpu;
        const double openMs = medianMs([&] {
            const double cpuStart = cpuNowMs();
            state.reopen(state.rsZelk, sql);
            selected = state.rsZelk->recordCount();
            openCpu.push_back(cpuNowMs() - cpuStart);
        });
        rows.push_back({QStringLiteral("open selection: surname B-M, 2 priorities"), openMs,
                        QStringLiteral("median of %1, processor %2 ms, %3 members; at most 200 ms: %4")
                            .arg(kRuns)
                            .arg(median(openCpu), 0, 'f', 0)
                            .arg(selected)
                            .arg(openMs <= 200 ? QStringLiteral("met") : QStringLiteral("NOT MET"))});

        const QString tool = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
        // Ours and the tool's, the tool writing the same rows with the columns `columns`.
        const auto compare = [&](const QString& what, const Output& ours, const QString& mode, const char* columns, double allowed) {
            rows.push_back({what, ours.took.wallMs,
                            QStringLiteral("median of %1, open + write, processor %2 ms, %3 MB; longest pause %4 ms")
                                .arg(kRuns)
                                .arg(ours.took.cpuMs, 0, 'f', 0)
                                .arg(double(ours.bytes) / 1e6, 0, 'f', 1)
                                .arg(ours.longestPauseMs, 0, 'f', 0)});
            if (tool.isEmpty()) {
                rows.push_back({QStringLiteral("sqlite3 tool"), -1, QStringLiteral("no sqlite3 on PATH")});
                return;
            }
            const Took theirs = toolMs(tool, path, mode, QLatin1String(columns), folder.filePath(QStringLiteral("tool.") + mode));
            rows.push_back({QStringLiteral("sqlite3 tool, .mode %1 to a file").arg(mode), theirs.wallMs, ratio(ours.took, theirs, allowed)});
        };

        compare(QStringLiteral("data export, every member"),
                timeOutput(state, folder.filePath(QStringLiteral("report.txt")),
                           [](Recordset& rs, QIODevice& out, const reports::KeepResponsive& tick) {
                               return reports::PrintFile(rs, false, out, tick);
                           }),
                QStringLiteral("csv"), kExportColumns, 2);

        reports::ReportContent everything;
        everything.chkInclude.fill(true);
        compare(QStringLiteral("list report, every member, every tick"),
                timeOutput(state, folder.filePath(QStringLiteral("report.htm")),
                           [&](Recordset& rs, QIODevice& out, const reports::KeepResponsive& tick) {
                               return reports::PrintReport(rs, everything, out, tick);
                           }),
                QStringLiteral("html"), kListColumns, 3);
    } catch (const EngineError& e) {
        std::fprintf(stderr, "reports: engine error %d: %s\n", e.number(), qPrintable(e.description()));
        return;
    }
    std::printf("\nReports (the selection opened as the reports window opens it; each output of every member\n"
                "written to a file as the window writes it; the tool's rows in its NOCASE surname order)\n\n");
    printFigures(rows);
}

} // namespace zelk::bench
