#include "windows_register.h"

#include "jet_reader.h"
#include "jet_refusal.h"

#include "data/create_db.h"
#include "engine/database.h"
#include "engine/engine_error.h"
#include "engine/recordset.h"
#include "engine/transaction_guard.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <filesystem>

namespace zelk::import {

using jet::JetError;
using jet::JetFile;
using jet::JetTable;

namespace {

const QString kNothingChanged = QStringLiteral("Nothing has been changed: the file is as it was.");

QString shownPath(const QString& path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

[[noreturn]] void stop(const QString& path, const QString& why)
{
    throw ConversionFailed(QStringLiteral("The register %1 could not be converted.\n\n%2\n\n%3").arg(shownPath(path), why, kNothingChanged));
}

// Where in the file a value stands, for the message when it does not fit.
struct Place {
    QString table;
    int row = 0;
    QVariant number;   // the member's number, for a row of Zelk
};

[[noreturn]] void refused(const QString& path, const Place& place, const EngineError& e, const FieldDef* field = nullptr,
                          const QVariant& value = {})
{
    stop(path, refusedValue(place.table, place.row, place.number, e, field, value));
}

// Copies the rows of one Jet table into one of ours, fields matched by name. A row is
// either added, or written over an existing row that `rowToUpdate` picks (then every
// field the file has is set, Null included); fields the file lacks keep what they hold.
class TableCopy {
public:
    TableCopy(const QString& path, JetTable& from, Recordset& to, qint64& done, qint64 total, const ConversionProgress& progress)
        : m_path(path)
        , m_from(from)
        , m_to(to)
        , m_done(done)
        , m_total(total)
        , m_progress(progress)
    {
        for (const FieldDef& field : to.fields())
            m_source.push_back(from.fieldIndex(field.name));
        m_number = from.fieldIndex(QStringLiteral("Number"));
    }

    // Returns the number of rows copied.
    int run(const std::function<std::optional<qint64>(const JetTable&)>& rowToUpdate = {})
    {
        int rows = 0;
        while (m_from.next()) {
            const auto existing = rowToUpdate ? rowToUpdate(m_from) : std::nullopt;
            Place place{m_from.name(), m_from.rowNumber(), m_from.name() == QLatin1String("Zelk") && m_number >= 0 ? m_from.value(m_number) : QVariant()};
            PendingEdit pending(m_to);
            try {
                if (existing) {
                    m_to.setBookmark(*existing);
                    m_to.edit();
                } else {
                    m_to.addNew();
                }
            } catch (const EngineError& e) {
                refused(m_path, place, e);
            }
            const auto& fields = m_to.fields();
            for (size_t i = 0; i < fields.size(); ++i) {
                if (m_source[i] < 0)
                    continue;
                const QVariant& value = m_from.value(m_source[i]);
                if (value.isNull() && !existing)
                    continue;
                try {
                    m_to.setField(fields[i].name, value);
                } catch (const EngineError& e) {
                    refused(m_path, place, e, &fields[i], value);
                }
            }
            try {
                m_to.update();
            } catch (const EngineError& e) {
                refused(m_path, place, e);
            }
            ++rows;
            ++m_done;
            if (m_progress)
                m_progress(m_done, m_total);
        }
        return rows;
    }

private:
    QString m_path;
    JetTable& m_from;
    Recordset& m_to;
    std::vector<int> m_source;   // for each of our fields, the file's field, or -1
    int m_number = -1;
    qint64& m_done;
    qint64 m_total;
    const ConversionProgress& m_progress;
};

// What a conversion stopped part-way (or killed) left: the new register and its journal.
void removeHalfMade(const QString& building)
{
    QFile::remove(building);
    QFile::remove(building + QStringLiteral("-journal"));
    removeUnfinishedBuild(building);
}

qint64 rowsIn(Database& db, const QString& table)
{
    return db.openRecordset(table)->recordCount();
}

} // namespace

bool isWindowsRegister(const QString& path)
{
    try {
        return !JetFile::open(path)->findTable(QStringLiteral("Zelk")).isEmpty();
    } catch (const JetError&) {
        return false;
    }
}

QString keptOriginalName(const QString& path)
{
    QString name = path + QStringLiteral(".windows");
    for (int n = 2; QFileInfo::exists(name) || QFileInfo(name).isSymLink(); ++n)
        name = path + QStringLiteral(".windows.%1").arg(n);
    return name;
}

ConversionReport convertWindowsRegister(const QString& path, const ConversionProgress& progress)
{
    ConversionReport report;
    const QString building = path + QStringLiteral(".converting");
    removeHalfMade(building);   // left by a conversion that was stopped part-way
    try {
        auto jet = JetFile::open(path);
        if (jet->findTable(QStringLiteral("Zelk")).isEmpty())
            stop(path, QStringLiteral("It has no table of members (Zelk), so it is not a register of the Windows program."));

        // The tables the file has, among the five of a register, in the order they are copied.
        std::vector<std::unique_ptr<JetTable>> tables;
        qint64 total = 0;
        for (const char* name : {"Zelk", "Settings", "Members", "Lookups", "Labels"}) {
            if (jet->findTable(QLatin1String(name)).isEmpty()) {
                tables.push_back(nullptr);
                continue;
            }
            tables.push_back(jet->openTable(QLatin1String(name)));
            total += tables.back()->storedRowCount();
        }
        JetTable* members = tables[0].get();
        JetTable* settings = tables[1].get();
        JetTable* memberTypes = tables[2].get();
        JetTable* lookups = tables[3].get();
        JetTable* labels = tables[4].get();

        buildNewDatabase(building);
        auto db = Database::open(building, Database::Mode::Exclusive);
        qint64 done = 0;
        {
            TransactionGuard transaction(*db);
            // The register's members are the file's own: our blank member number 1 goes.
            db->execute(QStringLiteral("Delete from Zelk"));
            {
                auto rs = db->openRecordset(QStringLiteral("Zelk"));
                report.members = TableCopy(path, *members, *rs, done, total, progress).run();
            }
            if (settings) {
                // The file's settings row is written over ours; any further rows are kept too.
                auto rs = db->openRecordset(QStringLiteral("Settings"));
                rs->moveFirst();
                const qint64 ours = rs->bookmark();
                bool first = true;
                TableCopy(path, *settings, *rs, done, total, progress).run([&](const JetTable&) -> std::optional<qint64> {
                    if (!first)
                        return std::nullopt;
                    first = false;
                    return ours;
                });
            }
            if (memberTypes) {
                auto rs = db->openRecordset(QStringLiteral("Members"));
                report.memberTypes = TableCopy(path, *memberTypes, *rs, done, total, progress).run();
            }
            if (lookups) {
                auto rs = db->openRecordset(QStringLiteral("Lookups"));
                report.lookups = TableCopy(path, *lookups, *rs, done, total, progress).run();
            }
            if (labels) {
                // A sheet named as one of ours takes the file's measurements.
                auto rs = db->openRecordset(QStringLiteral("Labels"));
                QHash<QString, qint64> ours;
                for (rs->moveFirst(); !rs->eof(); rs->moveNext())
                    ours.insert(rs->field(QStringLiteral("LabelName")).toString().toCaseFolded(), rs->bookmark());
                const int name = labels->fieldIndex(QStringLiteral("LabelName"));
                report.labelSheets = TableCopy(path, *labels, *rs, done, total, progress).run([&](const JetTable& row) -> std::optional<qint64> {
                    const QVariant value = name >= 0 ? row.value(name) : QVariant();
                    const auto it = ours.constFind(value.toString().toCaseFolded());
                    if (value.isNull() || it == ours.constEnd())
                        return std::nullopt;
                    return *it;
                });
            }

            // Every row read is in the new register.
            const auto check = [&](const QString& table, qint64 expected) {
                const qint64 stored = rowsIn(*db, table);
                if (stored != expected)
                    stop(path, QStringLiteral("The new register holds %1 rows in the table %2 where the file holds %3.").arg(stored).arg(table).arg(expected));
            };
            check(QStringLiteral("Zelk"), report.members);
            check(QStringLiteral("Members"), report.memberTypes);
            check(QStringLiteral("Lookups"), report.lookups);
            transaction.commit();
        }
        db.reset();
        tables.clear();
        jet.reset();
    } catch (const ConversionFailed&) {
        removeHalfMade(building);
        throw;
    } catch (const JetError& e) {
        removeHalfMade(building);
        stop(path, e.message());
    } catch (const EngineError& e) {
        removeHalfMade(building);
        stop(path, QStringLiteral("The new register could not be written beside it: %1 (error %2)").arg(e.description()).arg(e.number()));
    } catch (...) {
        removeHalfMade(building);
        throw;
    }

    // The original is copied aside first; then the new register takes its place in one
    // step, so the register's path always holds one whole file or the other.
    report.keptAs = keptOriginalName(path);
    if (!QFile::copy(path, report.keptAs)) {
        removeHalfMade(building);
        stop(path, QStringLiteral("A copy of it could not be kept as %1.").arg(shownPath(report.keptAs)));
    }
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(building).toStdString(), QFile::encodeName(path).toStdString(), error);
    if (error) {
        removeHalfMade(building);
        QFile::remove(report.keptAs);
        stop(path, QStringLiteral("The new register could not be put in its place: %1.").arg(QString::fromLocal8Bit(error.message().c_str())));
    }
    return report;
}

} // namespace zelk::import
