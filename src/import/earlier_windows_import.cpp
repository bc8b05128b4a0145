#include "earlier_windows_import.h"

#include "jet_reader.h"
#include "jet_refusal.h"

#include "core/app_state.h"
#include "core/text_rules.h"
#include "engine/engine_error.h"
#include "engine/recordset.h"
#include "engine/transaction_guard.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace zelk::import {

using jet::JetError;
using jet::JetFile;
using jet::JetTable;

namespace {

// The earlier edition's member fields, each copied into the field of the same name.
// Texts lose their leading and trailing blanks; these keep their values as they are.
constexpr const char* kMemberFields[] = {"Number", "JoinDate", "RenewDate", "FeePaid", "Title", "FirstName", "Surname",
                                         "Address1", "Address2", "Address3", "Address4", "PostCode", "Phone", "WorkPhone",
                                         "MemberType", "Lookup1", "Lookup2", "Lookup3", "Lookup4", "Lookup5", "Lookup6",
                                         "Birthday", "Memo", "Suffix", "Fax", "Mobile"};

QVariant trimmed(const QVariant& value)
{
    if (value.typeId() == QMetaType::QString)
        return trimBlanks(value.toString());
    return value;
}

const FieldDef* fieldOf(const Recordset& rs, const QString& name)
{
    for (const auto& f : rs.fields())
        if (f.name.compare(name, Qt::CaseInsensitive) == 0)
            return &f;
    return nullptr;
}

[[noreturn]] void stopWith(const ImportCallbacks& io, const QString& why)
{
    io.ask(cannotImportMessage(why));
    throw ImportStopped();
}

// Adds each trimmed, non-empty value of one field of a list table (types, lookups).
void copyList(AppState& state, std::unique_ptr<Recordset>& target, const QString& sql, JetTable& from, int column,
              const QString& field, const ImportCallbacks& io, const std::function<void()>& counted)
{
    state.reopen(target, sql);
    Recordset& rs = *target;
    while (from.next()) {
        counted();
        const QVariant value = from.value(column);
        if (value.isNull())
            continue;
        const QString text = trimBlanks(value.toString());
        if (text.isEmpty())
            continue;
        PendingEdit pending(rs);
        rs.addNew();
        try {
            rs.setField(field, text);
        } catch (const EngineError& e) {
            stopWith(io, refusedValue(from.name(), from.rowNumber(), {}, e, fieldOf(rs, field), text));
        }
        rs.update();
    }
}

} // namespace

QString earlierWindowsFile(const QString& folder)
{
    if (folder.isEmpty())
        return {};
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System))
        if (name.compare(QLatin1String("zelk.mdb"), Qt::CaseInsensitive) == 0)
            return dir.filePath(name);
    return {};
}

QString earlierWindowsStartFolder()
{
    QStringList prefixes;
    const QString wine = qEnvironmentVariable("WINEPREFIX");
    if (!wine.isEmpty())
        prefixes << wine;
    prefixes << QDir::home().filePath(QStringLiteral(".wine"));
    for (const QString& prefix : prefixes)
        for (const char* programs : {"Program Files", "Program Files (x86)"}) {
            const QString folder = QDir(prefix).filePath(QStringLiteral("drive_c/%1/zelkwin").arg(QLatin1String(programs)));
            if (QFileInfo(folder).isDir())
                return QDir::cleanPath(folder);
        }
    return QDir::homePath();
}

MessageRequest fileNotThereMessage(const QString& folder)
{
    return {QStringLiteral("Sorry but I can't find the file ZELK.MDB in ") + QDir::toNativeSeparators(folder)
                + QStringLiteral("\n\nPlease try again."),
            QStringLiteral("File isn't there"), MsgButtons::OK, MsgIcon::Exclamation, MsgAnswer::OK};
}

MessageRequest emptyDatabaseMessage()
{
    return {QStringLiteral("There don't appear to be any members in that database."), QStringLiteral("Empty database"),
            MsgButtons::OK, MsgIcon::Exclamation, MsgAnswer::OK};
}

MessageRequest cannotImportMessage(const QString& why)
{
    return {QStringLiteral("Sorry, I can't import your data from Zelk for Windows.\n\n%1\n\n"
                           "Nothing has been imported: your register is as it was.")
                .arg(why),
            QStringLiteral("Can't import data"), MsgButtons::OK, MsgIcon::Critical, MsgAnswer::OK};
}

ImportResult GetData(AppState& state, const QString& file, const ImportCallbacks& io)
{
    // Everything the import reads is found before anything is written.
    std::unique_ptr<JetFile> jet;
    std::unique_ptr<JetTable> members, types, lookups;
    std::vector<int> columns;
    int typeColumn = -1, lookupColumn = -1;
    bool hasMembers = false;
    try {
        jet = JetFile::open(file);
        members = jet->openTable(QStringLiteral("Zelk"));
        for (const char* field : kMemberFields)
            columns.push_back(members->requireField(QLatin1String(field)));
        types = jet->openTable(QStringLiteral("Members"));
        typeColumn = types->requireField(QStringLiteral("Member Type"));
        lookups = jet->openTable(QStringLiteral("Lookups"));
        lookupColumn = lookups->requireField(QStringLiteral("Lookups"));
        hasMembers = members->next();
    } catch (const JetError& e) {
        io.ask(cannotImportMessage(e.message()));
        return {};
    }
    // Nothing is imported from a file without members, not even its types and lookups.
    if (!hasMembers) {
        io.ask(emptyDatabaseMessage());
        return {};
    }

    const qint64 total = members->storedRowCount() + types->storedRowCount() + lookups->storedRowCount();
    qint64 done = 0;
    const auto counted = [&](const QString& caption) {
        ++done;
        if (io.progress)
            io.progress({done, std::max(done, total), caption});
    };
    return runImport(state, ImportMode::Store, io, [&]() -> int {
        int added = 0;
        try {
            Recordset& rs = *state.rsZelk;
            const QString caption = QStringLiteral("Importing members");
            const int number = columns[0];
            do {
                counted(caption);
                PendingEdit pending(rs);
                rs.addNew();
                for (size_t i = 0; i < columns.size(); ++i) {
                    const QVariant value = members->value(columns[i]);
                    if (value.isNull())
                        continue;
                    const QString field = QLatin1String(kMemberFields[i]);
                    const QVariant stored = trimmed(value);
                    try {
                        rs.setField(field, stored);
                    } catch (const EngineError& e) {
                        stopWith(io, refusedValue(members->name(), members->rowNumber(), members->value(number), e,
                                                  fieldOf(rs, field), stored));
                    }
                }
                rs.update();
                ++added;
            } while (members->next());

            copyList(state, state.rsMemberTypes, query::memberTypes(), *types, typeColumn,
                     QStringLiteral("Member Type"), io, [&] { counted(QStringLiteral("Importing membership types")); });
            copyList(state, state.rsLookups, query::lookups(), *lookups, lookupColumn,
                     QStringLiteral("Lookups"), io, [&] { counted(QStringLiteral("Importing lookups")); });
        } catch (const JetError& e) {
            stopWith(io, e.message());
        }
        return added;
    });
}

} // namespace zelk::import
