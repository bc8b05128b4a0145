#include "create_db.h"

#include "field_names.h"
#include "queries.h"
#include "schema.h"
#include "schema_version.h"

#include "engine/database.h"
#include "engine/engine_error.h"
#include "engine/recordset.h"
#include "engine/sql_dialect.h"

#include <QFile>
#include <QFileInfo>

namespace zelk {

namespace {

void addPlaceholderMember(Database& db)
{
    auto rs = db.openRecordset(QStringLiteral("Zelk"));
    rs->addNew();
    rs->setField(field::Number, 1);
    // The placeholder holds empty texts, not Null, in the fields a member is entered with;
    // the importers recognise it by them.
    for (const char* f : {"Title", "FirstName", "Surname", "Address1", "Address2", "Address3", "Address4", "PostCode",
                          "Phone", "WorkPhone", "MemberType", "Fax", "Mobile", "Lookup1", "Lookup2", "Lookup3",
                          "Lookup4", "Lookup5", "Lookup6", "Memo"})
        rs->setField(QLatin1String(f), QString(QLatin1String("")));
    rs->update();
}

void addSettingsRow(Database& db, qint64 lastNumber = 1)
{
    auto rs = db.openRecordset(QStringLiteral("Settings"));
    rs->addNew();
    rs->setField(field::LastNumber, lastNumber);
    for (const auto& flag : schema::includeFlagFields())
        rs->setField(flag, true);
    rs->setField(field::YearEnd, QStringLiteral("1y"));
    rs->update();
}

void addSheet(Recordset& rs, const schema::LabelSheet& s)
{
    rs.addNew();
    rs.setField(QStringLiteral("LabelName"), QString::fromLatin1(s.name));
    rs.setField(QStringLiteral("TopMargin"), s.topMargin);
    rs.setField(QStringLiteral("LeftMargin"), s.leftMargin);
    rs.setField(QStringLiteral("LabelHeight"), s.labelHeight);
    rs.setField(QStringLiteral("LabelWidth"), s.labelWidth);
    rs.setField(QStringLiteral("LabelVertGap"), s.vertGap);
    rs.setField(QStringLiteral("LabelHorizGap"), s.horizGap);
    rs.setField(QStringLiteral("LabelsWide"), s.labelsWide);
    rs.setField(QStringLiteral("LabelsHigh"), s.labelsHigh);
    rs.update();
}

} // namespace

void removeUnfinishedBuild(const QString& path)
{
    const QString building = path + QStringLiteral(".building");
    QFile::remove(building);
    QFile::remove(building + QStringLiteral("-journal"));
}

void buildNewDatabase(const QString& path)
{
    if (QFileInfo::exists(path))
        throw EngineError(err::DatabaseExists, QStringLiteral("Database '%1' already exists.").arg(path));
    const QString building = path + QStringLiteral(".building");
    removeUnfinishedBuild(path);
    try {
        auto db = Database::create(building);
        db->beginTrans();
        for (const auto& table : schema::allTables())
            db->createTable(table);
        addPlaceholderMember(*db);
        addSettingsRow(*db);
        auto labels = db->openRecordset(QStringLiteral("Labels"));
        for (const auto& sheet : schema::defaultLabelSheets())
            addSheet(*labels, sheet);
        labels.reset();
        db->setUserVersion(kSchemaVersion);
        db->commitTrans();
        db->close();
    } catch (...) {
        removeUnfinishedBuild(path);
        throw;
    }
    if (!QFile::rename(building, path)) {
        removeUnfinishedBuild(path);
        if (QFileInfo::exists(path))
            throw EngineError(err::DatabaseExists, QStringLiteral("Database '%1' already exists.").arg(path));
        throw EngineError(err::CannotOpenFile, QStringLiteral("Could not put the new database in place as '%1'.").arg(path));
    }
}

void addMissingLabelSheets(Database& db)
{
    if (!db.tableExists(QStringLiteral("Labels")))
        db.createTable(schema::labelsTable());
    auto rs = db.openRecordset(query::labels());
    for (const auto& sheet : schema::defaultLabelSheets()) {
        rs->findFirst(QStringLiteral("LabelName = ") + sql::quoteText(QString::fromLatin1(sheet.name)));
        if (rs->noMatch())
            addSheet(*rs, sheet);
    }
}

void addMissingSettingsRow(Database& db)
{
    if (!db.tableExists(QStringLiteral("Settings")) || db.openRecordset(query::settingsRow())->recordCount() > 0)
        return;
    const auto largest = db.openRecordset(QStringLiteral("Select Max(Number) as Largest from Zelk"));
    const QVariant number = largest->recordCount() > 0 ? largest->field(0) : QVariant();
    addSettingsRow(db, number.isNull() ? 0 : number.toLongLong());
}

void CreateLabelsTable(const QString& path)
{
    try {
        auto db = Database::open(path);
        addMissingLabelSheets(*db);
    } catch (const EngineError&) {
        // Nothing more can be mended: the label printing reports the sheet it cannot find.
    }
}

} // namespace zelk
