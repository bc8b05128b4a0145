#include "jet_bench.h"

#include "timing.h"

#include "core/app_state.h"
#include "data/create_db.h"
#include "engine/database.h"
#include "engine/engine_error.h"
#include "engine/recordset.h"
#include "import/earlier_windows_import.h"
#include "import/jet_reader.h"
#include "import/windows_register.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdio>
#include <vector>

namespace zelk::bench {

namespace {

struct Figure {
    double ms = -1;     // median of the repeats
    int members = 0;    // members read (and stored) each time
};

// Reads every row of the table, every value, as the import does.
Figure timeReading(const QString& file, const QString& table, int repeats)
{
    Figure f;
    std::vector<double> times;
    for (int k = 0; k < repeats; ++k)
        times.push_back(elapsedMs([&] {
            auto jet = jet::JetFile::open(file);
            auto t = jet->openTable(table);
            f.members = 0;
            while (t->next())
                ++f.members;
        }));
    f.ms = median(times);
    return f;
}

// mdb-export of the same table, as another program would read it: a process per run.
Figure timeMdbExport(const QString& tool, const QString& file, const QString& table, int repeats, int members)
{
    Figure f;
    f.members = members;
    std::vector<double> times;
    for (int k = 0; k < repeats; ++k) {
        bool ok = true;
        times.push_back(elapsedMs([&] {
            QProcess process;
            process.setStandardOutputFile(QProcess::nullDevice());
            process.start(tool, {QStringLiteral("-D"), QStringLiteral("%Y-%m-%d"), file, table});
            ok = process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
        }));
        if (!ok)
            return {};
    }
    f.ms = median(times);
    return f;
}

// GetData into a new register each time: the register is built before the clock starts.
Figure timeImport(const QString& file, int repeats)
{
    Figure f;
    std::vector<double> times;
    for (int k = 0; k < repeats; ++k) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("zelk2002.mdb"));
        buildNewDatabase(path);
        AppState state;
        state.DatabasePath = path;
        state.openRegister(membersInOrder(state.SortOrder));
        const import::ImportCallbacks io{[](const MessageRequest& m) {
                                             std::fprintf(stderr, "import: %s\n", qPrintable(m.text));
                                             return m.defaultButton;
                                         },
                                         {}};
        import::ImportResult result;
        times.push_back(elapsedMs([&] { result = import::GetData(state, file, io); }));
        if (result.stopped())
            return {};
        f.members = result.membersAdded;
    }
    f.ms = median(times);
    return f;
}

// The whole conversion of a fresh copy each time: read, new register, checks, files moved.
Figure timeConversion(const QString& file, int repeats)
{
    Figure f;
    std::vector<double> times;
    for (int k = 0; k < repeats; ++k) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("zelk2002.mdb"));
        QFile::copy(file, path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        import::ConversionReport report;
        try {
            times.push_back(elapsedMs([&] { report = import::convertWindowsRegister(path); }));
        } catch (const import::ConversionFailed& e) {
            std::fprintf(stderr, "conversion: %s\n", qPrintable(e.message()));
            return {};
        }
        f.members = report.members;
    }
    f.ms = median(times);
    return f;
}

void printFigure(const char* what, const Figure& f, const QString& note)
{
    if (f.ms < 0) {
        std::printf("%-44s %10s  %s\n", what, "-", "no figure (see the message above)");
        return;
    }
    std::printf("%-44s %10.2f  %s\n", what, f.ms,
                qPrintable(QStringLiteral("%1 members, %2 us per member; ").arg(f.members).arg(f.ms * 1000 / std::max(1, f.members), 0, 'f', 0)
                           + note));
}

} // namespace

void printJetFigures(const QString& jetFolder, int repeats)
{
    const QString older = QDir(jetFolder).filePath(QStringLiteral("zelk.mdb"));
    const QString newer = QDir(jetFolder).filePath(QStringLiteral("zelk2002.mdb"));
    if (!QFile::exists(older) || !QFile::exists(newer)) {
        std::fprintf(stderr, "Jet figures: no zelk.mdb and zelk2002.mdb in %s\n", qPrintable(jetFolder));
        return;
    }
    std::printf("\nThe Windows editions' Jet files (the shared test files), median of %d runs each:\n", repeats);
    std::printf("%-44s %10s  %s\n", "operation", "ms", "note");
    std::printf("%-44s %10s  %s\n", QByteArray(44, '-').constData(), "----------", "----");
    try {
        const QString tool = QStandardPaths::findExecutable(QStringLiteral("mdb-export"));
        const Figure readOld = timeReading(older, QStringLiteral("Zelk"), repeats);
        printFigure("read zelk.mdb Zelk (Jet reader)", readOld, QStringLiteral("open the file, every value of every row"));
        if (tool.isEmpty())
            std::printf("%-44s %10s  %s\n", "mdb-export zelk.mdb Zelk", "-", "no mdb-export on PATH (Debian package mdbtools)");
        else
            printFigure("mdb-export zelk.mdb Zelk", timeMdbExport(tool, older, QStringLiteral("Zelk"), repeats, readOld.members),
                        QStringLiteral("a process per run, output to /dev/null"));
        printFigure("import zelk.mdb (GetData, one transaction)", timeImport(older, repeats),
                    QStringLiteral("with its 8 types and 8 lookups, into a new register"));

        const Figure readNew = timeReading(newer, QStringLiteral("Zelk"), repeats);
        printFigure("read zelk2002.mdb Zelk (Jet reader)", readNew, QStringLiteral("open the file, every value of every row"));
        if (!tool.isEmpty())
            printFigure("mdb-export zelk2002.mdb Zelk", timeMdbExport(tool, newer, QStringLiteral("Zelk"), repeats, readNew.members),
                        QStringLiteral("a process per run, output to /dev/null"));
        printFigure("convert zelk2002.mdb (whole conversion)", timeConversion(newer, repeats),
                    QStringLiteral("five tables, new register built, checked, moved into place"));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "Jet figures: %s\n", e.what());
    }
}

} // namespace zelk::bench
