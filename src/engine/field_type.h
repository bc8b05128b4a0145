#pragma once
// The field types a table may hold, with the properties a field is defined by.
#include <QString>
#include <QStringList>
#include <vector>

namespace zelk {

enum class FieldType { Long, Integer, Single, Currency, DateTime, Boolean, Text, Memo };

struct FieldDef {
    QString name;
    FieldType type = FieldType::Text;
    int size = 0;                 // Text(n): at most n characters; 0 for other types
    bool allowZeroLength = true;  // text and memo only: may the field hold ""?
};

struct IndexDef {
    QString name;
    QStringList fields;
    bool unique = false;
};

struct TableDef {
    QString name;
    std::vector<FieldDef> fields;
    std::vector<IndexDef> indexes;
};

inline bool isTextual(FieldType t) { return t == FieldType::Text || t == FieldType::Memo; }

} // namespace zelk
