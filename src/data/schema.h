#pragma once
// The register's five tables, the label sheets a new database starts with, and the member
// field catalogue that ties each member field to its include flag and its caption.
#include "engine/field_type.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace zelk::schema {

TableDef zelkTable();
TableDef lookupsTable();
TableDef membersTable();
TableDef settingsTable();
TableDef labelsTable();

// The tables in the order a new database is built.
std::vector<TableDef> allTables();

struct LabelSheet {
    const char* name;
    float topMargin, leftMargin, labelHeight, labelWidth, vertGap, horizGap;
    int labelsWide, labelsHigh;
};
// The six sheets every register has, in order.
const std::vector<LabelSheet>& defaultLabelSheets();

// One member field the user sees: its type, the Settings flag that includes it in data
// entry (empty for Number, always included) and the Settings field holding its caption.
struct MemberField {
    QString field;
    FieldType type;
    int size;
    QString includeFlag;
    QString captionField;
    QString defaultCaption;
};
const std::vector<MemberField>& memberFieldCatalogue();

// The thirty include flags of Settings, in stored order.
QStringList includeFlagFields();

// The twenty-seven caption fields of Settings in stored order, and the default text of
// each (the screen-text window numbers them 0 to 26 in this order).
struct CaptionField {
    QString field;
    QString defaultText;
};
const std::vector<CaptionField>& captionFields();

} // namespace zelk::schema
