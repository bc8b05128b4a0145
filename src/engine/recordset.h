#pragma once
// An updatable record set that behaves like the old engine's dynasets: the row ids of
// the query's rows are kept in query order when it opens (a keyset), and the fields of
// the current row are read when it is reached, so a large table opens quickly and every
// row shows its latest stored values. Rows added through the record set join its end;
// after an update that added a row the record set stands on that row. A deleted row
// leaves the keyset and the record set stands on the row after it (past the end when it
// was the last).
//
// Values are QVariants: null for Null; qint32 for Long and Integer; float for Single;
// double for Currency; QDate for a date (QDateTime in UTC, when it has a time of
// day); bool for Boolean (a Yes/No field is never Null: False until set); QString for
// Text and Memo ("" is not Null).
#include "field_type.h"

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <memory>
#include <vector>

struct sqlite3_stmt;

namespace zelk {

class Database;

class Recordset {
public:
    ~Recordset();
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    const QString& source() const { return m_source; }

    // Before the first row / past the last row. Both are true when there is no row.
    bool bof() const;
    bool eof() const;
    // NoCurrentRecord (3021) when there is no row, or when moving on from past an end.
    void moveFirst();
    void moveLast();
    void moveNext();
    void movePrevious();
    int recordCount() const { return int(m_keys.size()); }

    // Stands on the first row, in the record set's order, that meets `criterion` (a
    // WHERE-clause expression of the program's dialect). When none does, noMatch() is
    // true and the current row is unchanged.
    void findFirst(const QString& criterion);
    bool noMatch() const { return m_noMatch; }

    const std::vector<FieldDef>& fields() const { return m_fields; }
    bool hasField(const QString& name) const { return indexOf(name) >= 0; }
    // The value of the current row, or of the pending new or edited row. ItemNotFound
    // (3265) for an unknown name; NoCurrentRecord (3021) with no current row;
    // RecordDeleted (3167) when the row was deleted since the record set opened.
    QVariant field(const QString& name) const;
    QVariant field(int index) const;
    // Sets a field of the pending row, converting the value to the field's type by the
    // user's regional settings (TypeMismatch, Overflow, ValueTooLong,
    // ZeroLengthNotAllowed). UpdateWithoutEdit (3020) when no row is pending.
    void setField(const QString& name, const QVariant& value);
    // The same by the field's place in fields(), for work that sets the same fields of many
    // rows and looks their names up once.
    void setField(int index, const QVariant& value);
    // The place of a field in fields(), or -1 when there is none of that name.
    int fieldIndex(const QString& name) const { return indexOf(name); }

    enum class EditMode { None, Edit, Add };
    EditMode editMode() const { return m_mode; }
    void addNew();
    void edit();
    // Stores the pending row. On failure the row stays pending; cancelUpdate drops it.
    void update();
    void cancelUpdate();
    // Deletes the current row.
    void deleteCurrent();

    // The row id of the current row, to come back to it with setBookmark.
    qint64 bookmark() const;
    void setBookmark(qint64 bookmark);

    bool updatable() const { return !m_table.isEmpty(); }

private:
    friend class Database;
    Recordset(Database& db, const QString& sqlOrTable);

    int indexOf(const QString& name) const;
    void requireCurrent() const;
    void requireUpdatable() const;
    void loadRow() const;
    void moveTo(qsizetype position);
    // Texts are bound without a copy: `keep` holds them until the statement has run.
    void bindValue(sqlite3_stmt* st, int index, const QVariant& value, std::vector<QByteArray>& keep) const;
    QVariant readColumn(sqlite3_stmt* st, int column, const FieldDef& field) const;
    void openSnapshot(const QString& sql);

    Database& m_db;
    QString m_source;
    QString m_table;                 // empty for a read-only snapshot
    std::vector<FieldDef> m_fields;
    std::vector<qint64> m_keys;      // row ids, in the record set's order
    qsizetype m_pos = 0;             // -1 before the first row, size() past the last
    bool m_noMatch = false;

    // Read-only snapshot of a query over more than one table, or with computed columns.
    std::vector<std::vector<QVariant>> m_snapshot;

    sqlite3_stmt* m_fetch = nullptr;             // the fields of one row by row id
    mutable std::vector<QVariant> m_row;         // fields of the current row
    mutable qsizetype m_rowAt = -2;              // which position m_row holds
    mutable bool m_rowDeleted = false;

    EditMode m_mode = EditMode::None;
    std::vector<QVariant> m_buffer;              // the pending row
    std::vector<bool> m_dirty;                   // fields set since addNew/edit
    std::vector<bool> m_insertFields;            // the fields m_insertSql sets
    QString m_insertSql;                         // the insert of the last row added
    sqlite3_stmt* m_insertStatement = nullptr;   // its statement, kept by the database
    qint64 m_editKey = 0;
};

} // namespace zelk
