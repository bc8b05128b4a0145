#include "schema_sql.h"

#include "sqlite_error.h"

#include <sqlite3.h>

#include <QRegularExpression>

namespace zelk::storage {

QString quoteName(const QString& name)
{
    QString n = name;
    n.replace(u'"', QStringLiteral("\"\""));
    return u'"' + n + u'"';
}

namespace {

QString constraint(const FieldDef& f, const char* rule, const QString& check)
{
    return QStringLiteral(" CONSTRAINT %1 CHECK (%2)").arg(quoteName(f.name + QLatin1String(rule)), check);
}

QString typeCheck(const FieldDef& f)
{
    const QString n = quoteName(f.name);
    switch (f.type) {
    case FieldType::Long:
        return QStringLiteral("%1 IS NULL OR (typeof(%1) = 'integer' AND %1 BETWEEN -2147483648 AND 2147483647)").arg(n);
    case FieldType::Integer:
        return QStringLiteral("%1 IS NULL OR (typeof(%1) = 'integer' AND %1 BETWEEN -32768 AND 32767)").arg(n);
    case FieldType::Single:
    case FieldType::Currency:
        return QStringLiteral("%1 IS NULL OR typeof(%1) IN ('integer', 'real')").arg(n);
    case FieldType::DateTime:
        // A date, or a date and a time, that the calendar has.
        return QStringLiteral("%1 IS NULL OR (typeof(%1) = 'text' AND (%1 GLOB '[0-9][0-9][0-9][0-9]-[01][0-9]-[0-3][0-9]'"
                              " OR %1 GLOB '[0-9][0-9][0-9][0-9]-[01][0-9]-[0-3][0-9] [0-2][0-9]:[0-5][0-9]:[0-5][0-9]')"
                              " AND date(julianday(%1)) = substr(%1, 1, 10))")
            .arg(n);
    case FieldType::Boolean:
        return QStringLiteral("%1 IS NULL OR (typeof(%1) = 'integer' AND %1 IN (0, 1))").arg(n);
    case FieldType::Text:
    case FieldType::Memo:
        return QStringLiteral("%1 IS NULL OR typeof(%1) = 'text'").arg(n);
    }
    return {};
}

} // namespace

QString declaredType(const FieldDef& f)
{
    switch (f.type) {
    case FieldType::Long: return QStringLiteral("INTEGER");
    case FieldType::Integer: return QStringLiteral("SMALLINT");
    case FieldType::Single: return QStringLiteral("FLOAT");
    case FieldType::Currency: return QStringLiteral("CURRENCY");
    case FieldType::DateTime: return QStringLiteral("DATETIME");
    case FieldType::Boolean: return QStringLiteral("BOOLEAN");
    case FieldType::Text: return QStringLiteral("TEXT(%1)").arg(f.size);
    case FieldType::Memo: return QStringLiteral("TEXT");
    }
    return {};
}

FieldType typeFromDeclared(const QString& declared, int* size)
{
    const QString d = declared.trimmed().toUpper();
    if (size)
        *size = 0;
    static const QRegularExpression text(QStringLiteral("^(?:TEXT|VARCHAR|CHAR)\\s*\\((\\d+)\\)$"));
    if (const auto m = text.match(d); m.hasMatch()) {
        if (size)
            *size = m.captured(1).toInt();
        return FieldType::Text;
    }
    if (d == QLatin1String("INTEGER") || d == QLatin1String("INT") || d == QLatin1String("LONG"))
        return FieldType::Long;
    if (d == QLatin1String("SMALLINT"))
        return FieldType::Integer;
    if (d == QLatin1String("FLOAT") || d == QLatin1String("SINGLE"))
        return FieldType::Single;
    if (d == QLatin1String("CURRENCY") || d == QLatin1String("REAL") || d == QLatin1String("DOUBLE"))
        return FieldType::Currency;
    if (d == QLatin1String("DATETIME") || d == QLatin1String("DATE"))
        return FieldType::DateTime;
    if (d == QLatin1String("BOOLEAN"))
        return FieldType::Boolean;
    return FieldType::Memo;
}

QString createTableSql(const TableDef& table)
{
    QStringList columns;
    for (const auto& f : table.fields) {
        QString col = quoteName(f.name) + u' ' + declaredType(f);
        if (isTextual(f.type))
            col += QStringLiteral(" COLLATE NOCASE");
        col += constraint(f, kWrongType, typeCheck(f));
        if (f.type == FieldType::Text)
            col += constraint(f, kTooLong, QStringLiteral("length(%1) <= %2").arg(quoteName(f.name)).arg(f.size));
        if (isTextual(f.type) && !f.allowZeroLength)
            col += constraint(f, kEmptyText, QStringLiteral("%1 <> ''").arg(quoteName(f.name)));
        columns << col;
    }
    return QStringLiteral("CREATE TABLE %1 (\n  %2\n)").arg(quoteName(table.name), columns.join(QStringLiteral(",\n  ")));
}

QString storedIndexName(const QString& table, const QString& index)
{
    return table + u'_' + index;
}

QStringList createIndexSql(const TableDef& table)
{
    QStringList out;
    for (const auto& ix : table.indexes) {
        QStringList cols;
        for (const auto& f : ix.fields)
            cols << quoteName(f);
        out << QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)")
                   .arg(ix.unique ? QStringLiteral("UNIQUE ") : QString(),
                        quoteName(storedIndexName(table.name, ix.name)), quoteName(table.name),
                        cols.join(QStringLiteral(", ")));
    }
    return out;
}

std::vector<FieldDef> readFields(sqlite3* db, const QString& table)
{
    // Every step is checked: a schema that cannot be read because another program holds
    // the file is a lock, never a missing table.
    std::vector<FieldDef> fields;
    QString createSql;
    {
        const QString context = QStringLiteral("the fields of %1").arg(table);
        sqlite3_stmt* st = nullptr;
        checkSqlite(db,
                    sqlite3_prepare_v2(db, "SELECT sql FROM sqlite_master WHERE type = 'table' AND name = ?1 COLLATE NOCASE",
                                       -1, &st, nullptr),
                    context);
        const QByteArray name = table.toUtf8();
        sqlite3_bind_text(st, 1, name.constData(), int(name.size()), SQLITE_TRANSIENT);
        const int rc = sqlite3_step(st);
        if (rc == SQLITE_ROW)
            createSql = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
        sqlite3_finalize(st);
        checkSqlite(db, rc, context);
    }
    if (createSql.isEmpty())
        return fields;
    sqlite3_stmt* st = nullptr;
    const QString pragmaText = QStringLiteral("PRAGMA table_info(%1)").arg(quoteName(table));
    const QByteArray pragma = pragmaText.toUtf8();
    checkSqlite(db, sqlite3_prepare_v2(db, pragma.constData(), -1, &st, nullptr), pragmaText);
    int rc = SQLITE_OK;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        FieldDef f;
        f.name = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 1)));
        f.type = typeFromDeclared(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 2))), &f.size);
        f.allowZeroLength = !createSql.contains(quoteName(f.name + QLatin1String(kEmptyText)));
        fields.push_back(f);
    }
    sqlite3_finalize(st);
    checkSqlite(db, rc, pragmaText);
    return fields;
}

} // namespace zelk::storage

