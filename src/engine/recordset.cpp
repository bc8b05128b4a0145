#include "recordset.h"

#include "conversion.h"
#include "database.h"
#include "engine_error.h"
#include "schema_sql.h"
#include "sql_dialect.h"
#include "sqlite_error.h"
#include "stored_text.h"

#include <sqlite3.h>

#include <QDateTime>
#include <QRegularExpression>
#include <charconv>
#include <cstdio>
#include <optional>
#include <unordered_set>

namespace zelk {

namespace {

// A statement that is always finalized, so no lock outlives the call that needed it.
class Statement {
public:
    Statement(sqlite3* db, const QString& sql)
        : m_db(db)
        , m_sql(sql)
    {
        const QByteArray text = sql.toUtf8();
        checkSqlite(db, sqlite3_prepare_v2(db, text.constData(), int(text.size()), &m_st, nullptr), sql);
    }
    // One of the connection's kept statements: reset, not finalized, when done.
    Statement(Database& db, const QString& sql)
        : Statement(db, sql, db.cachedStatement(sql))
    {
    }
    // The kept statement of `sql`, already looked up.
    Statement(Database& db, const QString& sql, sqlite3_stmt* kept)
        : m_db(db.handle())
        , m_sql(sql)
        , m_st(kept)
        , m_kept(true)
    {
    }
    ~Statement()
    {
        if (m_kept) {
            sqlite3_reset(m_st);
            sqlite3_clear_bindings(m_st);
        } else {
            sqlite3_finalize(m_st);
        }
    }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool step()
    {
        const int rc = sqlite3_step(m_st);
        if (rc == SQLITE_ROW)
            return true;
        checkSqlite(m_db, rc, m_sql);
        return false;
    }
    sqlite3_stmt* get() const { return m_st; }

private:
    sqlite3* m_db;
    QString m_sql;
    sqlite3_stmt* m_st = nullptr;
    bool m_kept = false;
};

EngineError noCurrentRecord()
{
    return EngineError(err::NoCurrentRecord, QStringLiteral("No current record."));
}

// A bare table name: one word, or a name in brackets.
std::optional<QString> tableName(const QString& text)
{
    static const QRegularExpression bare(QStringLiteral("^\\s*(?:\\[([^\\]]+)\\]|(\\w+))\\s*$"),
                                         QRegularExpression::UseUnicodePropertiesOption);
    const auto m = bare.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    return m.captured(1).isEmpty() ? m.captured(2) : m.captured(1);
}

QString storedDate(const QDateTime& value)
{
    if (value.time() == QTime(0, 0))
        return value.date().toString(QStringLiteral("yyyy-MM-dd"));
    return value.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

// "YYYY-MM-DD", written out by hand: the library's formatting goes through the locale.
QByteArray isoDate(const QDate& date)
{
    char text[16];
    const int n = std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year(), date.month(), date.day());
    return QByteArray(text, n);
}

// A Single is stored as the shortest decimal that reads back as the same float, so other
// tools see 0.54 and not 0.540000021457672.
double storedSingle(float value)
{
    char buffer[32];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QByteArray(buffer, int(r.ptr - buffer)).toDouble();
}

} // namespace

Recordset::Recordset(Database& db, const QString& sqlOrTable)
    : m_db(db)
    , m_source(sqlOrTable)
{
    sqlite3* h = db.handle();
    QString keysSql;
    if (const auto name = tableName(sqlOrTable)) {
        m_fields = db.fields(*name);
        m_table = *name;
        keysSql = QStringLiteral("SELECT rowid FROM %1 ORDER BY rowid").arg(storage::quoteName(m_table));
    } else if (const auto select = sql::simpleSelect(sqlOrTable)) {
        const auto all = db.fields(select->table);
        m_table = select->table;
        if (select->columns.isEmpty()) {
            m_fields = all;
        } else {
            for (const auto& c : select->columns) {
                auto it = std::find_if(all.begin(), all.end(),
                                       [&](const FieldDef& f) { return f.name.compare(c, Qt::CaseInsensitive) == 0; });
                if (it == all.end())
                    throw EngineError(err::TooFewParameters, QStringLiteral("Too few parameters. Expected 1. (There is no field '%1'.)").arg(c));
                m_fields.push_back(*it);
            }
        }
        keysSql = QStringLiteral("SELECT rowid FROM %1 %2").arg(storage::quoteName(m_table), select->tail);
        // Without an order of its own a query delivers its rows in stored order (the order
        // they were added), whichever index SQLite would choose to read them by.
        if (!select->ordered)
            keysSql += QStringLiteral(" ORDER BY rowid");
    } else {
        openSnapshot(sql::translate(sqlOrTable));
        return;
    }

    {
        Statement keys(h, keysSql);
        while (keys.step())
            m_keys.push_back(sqlite3_column_int64(keys.get(), 0));
    }
    QStringList cols;
    for (const auto& f : m_fields)
        cols << storage::quoteName(f.name);
    const QByteArray fetch = QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?1")
                                 .arg(cols.join(QStringLiteral(", ")), storage::quoteName(m_table))
                                 .toUtf8();
    checkSqlite(h, sqlite3_prepare_v3(h, fetch.constData(), int(fetch.size()), SQLITE_PREPARE_PERSISTENT, &m_fetch, nullptr),
                QString::fromUtf8(fetch));
}

Recordset::~Recordset()
{
    sqlite3_finalize(m_fetch);
}

void Recordset::openSnapshot(const QString& sql)
{
    Statement st(m_db.handle(), sql);
    const int n = sqlite3_column_count(st.get());
    for (int i = 0; i < n; ++i) {
        FieldDef f;
        f.name = QString::fromUtf8(sqlite3_column_name(st.get(), i));
        const char* declared = sqlite3_column_decltype(st.get(), i);
        f.type = declared ? storage::typeFromDeclared(QString::fromUtf8(declared), &f.size) : FieldType::Memo;
        m_fields.push_back(f);
    }
    while (st.step()) {
        std::vector<QVariant> row;
        for (int i = 0; i < n; ++i)
            row.push_back(readColumn(st.get(), i, m_fields[size_t(i)]));
        m_snapshot.push_back(std::move(row));
        m_keys.push_back(qint64(m_keys.size()));
    }
}

bool Recordset::bof() const
{
    return m_keys.empty() || m_pos < 0;
}

bool Recordset::eof() const
{
    return m_keys.empty() || m_pos >= qsizetype(m_keys.size());
}

void Recordset::moveTo(qsizetype position)
{
    m_mode = EditMode::None;
    m_pos = position;
}

void Recordset::moveFirst()
{
    if (m_keys.empty())
        throw noCurrentRecord();
    moveTo(0);
}

void Recordset::moveLast()
{
    if (m_keys.empty())
        throw noCurrentRecord();
    moveTo(qsizetype(m_keys.size()) - 1);
}

void Recordset::moveNext()
{
    if (eof())
        throw noCurrentRecord();
    moveTo(m_pos + 1);
}

void Recordset::movePrevious()
{
    if (bof())
        throw noCurrentRecord();
    moveTo(m_pos - 1);
}

int Recordset::indexOf(const QString& name) const
{
    // Names are nearly always written as the table writes them: look for that first.
    for (size_t i = 0; i < m_fields.size(); ++i)
        if (m_fields[i].name == name)
            return int(i);
    for (size_t i = 0; i < m_fields.size(); ++i)
        if (m_fields[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

void Recordset::requireCurrent() const
{
    if (bof() || eof())
        throw noCurrentRecord();
}

void Recordset::requireUpdatable() const
{
    if (m_table.isEmpty())
        throw EngineError(err::ReadOnly, QStringLiteral("Cannot update. Database or object is read-only."));
}

void Recordset::loadRow() const
{
    if (m_rowAt == m_pos)
        return;
    // Whatever is read below replaces the row kept: a read that fails leaves none kept.
    m_rowAt = -2;
    m_row.assign(m_fields.size(), QVariant());
    m_rowDeleted = false;
    if (m_table.isEmpty()) {
        m_row = m_snapshot[size_t(m_pos)];
    } else {
        sqlite3_bind_int64(m_fetch, 1, m_keys[size_t(m_pos)]);
        const int rc = sqlite3_step(m_fetch);
        if (rc == SQLITE_ROW) {
            for (size_t i = 0; i < m_fields.size(); ++i)
                m_row[i] = readColumn(m_fetch, int(i), m_fields[i]);
        } else {
            m_rowDeleted = true;
        }
        sqlite3_reset(m_fetch);
        if (rc != SQLITE_ROW && rc != SQLITE_DONE)
            throw sqliteError(m_db.handle(), rc, m_source);
    }
    m_rowAt = m_pos;
}

QVariant Recordset::field(int index) const
{
    if (index < 0 || index >= int(m_fields.size()))
        throw EngineError(err::ItemNotFound, QStringLiteral("Item not found in this collection."));
    if (m_mode != EditMode::None)
        return m_buffer[size_t(index)];
    requireCurrent();
    loadRow();
    if (m_rowDeleted)
        throw EngineError(err::RecordDeleted, QStringLiteral("Record is deleted."));
    return m_row[size_t(index)];
}

QVariant Recordset::field(const QString& name) const
{
    const int i = indexOf(name);
    if (i < 0)
        throw EngineError(err::ItemNotFound, QStringLiteral("Item not found in this collection (%1).").arg(name));
    return field(i);
}

void Recordset::setField(const QString& name, const QVariant& value)
{
    const int i = indexOf(name);
    if (i < 0)
        throw EngineError(err::ItemNotFound, QStringLiteral("Item not found in this collection (%1).").arg(name));
    setField(i, value);
}

void Recordset::setField(int i, const QVariant& value)
{
    if (i < 0 || i >= int(m_fields.size()))
        throw EngineError(err::ItemNotFound, QStringLiteral("Item not found in this collection (%1).").arg(i));
    if (m_mode == EditMode::None)
        throw EngineError(err::UpdateWithoutEdit, QStringLiteral("Update or CancelUpdate without AddNew or Edit."));
    const FieldDef& f = m_fields[size_t(i)];
    QVariant stored = convertForField(f, value);
    // A Yes/No field cannot hold Null: Null given to one stores False.
    if (f.type == FieldType::Boolean && stored.isNull())
        stored = false;
    // A date without a time of day reads as a QDate, pending or stored.
    if (stored.typeId() == QMetaType::QDateTime && stored.toDateTime().time() == QTime(0, 0))
        stored = stored.toDateTime().date();
    m_buffer[size_t(i)] = std::move(stored);
    m_dirty[size_t(i)] = true;
}

void Recordset::addNew()
{
    requireUpdatable();
    m_buffer.assign(m_fields.size(), QVariant());
    m_dirty.assign(m_fields.size(), false);
    // Yes/No fields are never Null: a new row's flags are False until set.
    for (size_t i = 0; i < m_fields.size(); ++i)
        if (m_fields[i].type == FieldType::Boolean) {
            m_buffer[i] = false;
            m_dirty[i] = true;
        }
    m_mode = EditMode::Add;
}

void Recordset::edit()
{
    requireUpdatable();
    requireCurrent();
    loadRow();
    if (m_rowDeleted)
        throw EngineError(err::RecordDeleted, QStringLiteral("Record is deleted."));
    m_buffer = m_row;
    m_dirty.assign(m_fields.size(), false);
    m_editKey = m_keys[size_t(m_pos)];
    m_mode = EditMode::Edit;
}

void Recordset::cancelUpdate()
{
    if (m_mode == EditMode::None)
        throw EngineError(err::UpdateWithoutEdit, QStringLiteral("Update or CancelUpdate without AddNew or Edit."));
    m_mode = EditMode::None;
}

void Recordset::update()
{
    if (m_mode == EditMode::None)
        throw EngineError(err::UpdateWithoutEdit, QStringLiteral("Update or CancelUpdate without AddNew or Edit."));
    sqlite3* h = m_db.handle();
    std::vector<size_t> changed;
    for (size_t i = 0; i < m_fields.size(); ++i)
        if (m_dirty[i])
            changed.push_back(i);
    const auto names = [&] {
        QStringList quoted;
        for (size_t i : changed)
            quoted << storage::quoteName(m_fields[i].name);
        return quoted;
    };
    if (m_mode == EditMode::Add) {
        // Rows added one after another set the same fields (an import sets them all): the
        // text of the insert is built once for them.
        if (m_insertSql.isEmpty() || m_insertFields != m_dirty) {
            const QString table = storage::quoteName(m_table);
            if (changed.empty()) {
                m_insertSql = QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table);
            } else {
                QStringList marks;
                for (size_t i = 0; i < changed.size(); ++i)
                    marks << QStringLiteral("?%1").arg(i + 1);
                m_insertSql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                  .arg(table, names().join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
            }
            m_insertFields = m_dirty;
            m_insertStatement = m_db.cachedStatement(m_insertSql);
        }
        std::vector<QByteArray> texts;
        texts.reserve(changed.size());
        Statement st(m_db, m_insertSql, m_insertStatement);
        for (size_t i = 0; i < changed.size(); ++i)
            bindValue(st.get(), int(i + 1), m_buffer[changed[i]], texts);
        st.step();
        m_keys.push_back(sqlite3_last_insert_rowid(h));
        m_mode = EditMode::None;
        m_pos = qsizetype(m_keys.size()) - 1;
        m_rowAt = -2;
        return;
    }
    if (!changed.empty()) {
        std::vector<QByteArray> texts;
        texts.reserve(changed.size());
        QStringList sets;
        const QString table = storage::quoteName(m_table);
        const QStringList quoted = names();
        for (size_t i = 0; i < changed.size(); ++i)
            sets << QStringLiteral("%1 = ?%2").arg(quoted[qsizetype(i)]).arg(i + 1);
        Statement st(m_db, QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?%3")
                            .arg(table, sets.join(QStringLiteral(", ")))
                            .arg(changed.size() + 1));
        for (size_t i = 0; i < changed.size(); ++i)
            bindValue(st.get(), int(i + 1), m_buffer[changed[i]], texts);
        sqlite3_bind_int64(st.get(), int(changed.size() + 1), m_editKey);
        st.step();
        if (sqlite3_changes(h) == 0)
            throw EngineError(err::RecordDeleted, QStringLiteral("Record is deleted."));
    }
    m_mode = EditMode::None;
    m_rowAt = -2;
}

void Recordset::deleteCurrent()
{
    requireUpdatable();
    requireCurrent();
    m_mode = EditMode::None;
    Statement st(m_db, QStringLiteral("DELETE FROM %1 WHERE rowid = ?1").arg(storage::quoteName(m_table)));
    sqlite3_bind_int64(st.get(), 1, m_keys[size_t(m_pos)]);
    st.step();
    m_keys.erase(m_keys.begin() + m_pos);
    m_rowAt = -2;
}

void Recordset::findFirst(const QString& criterion)
{
    if (m_table.isEmpty())
        throw EngineError(err::NotSupported, QStringLiteral("Operation is not supported for this type of object."));
    const QString where = sql::translateCriterion(criterion);
    std::unordered_set<qint64> matching;
    {
        Statement st(m_db.handle(), QStringLiteral("SELECT rowid FROM %1 WHERE %2").arg(storage::quoteName(m_table), where));
        while (st.step())
            matching.insert(sqlite3_column_int64(st.get(), 0));
    }
    m_noMatch = true;
    if (matching.empty())
        return;
    for (size_t i = 0; i < m_keys.size(); ++i)
        if (matching.count(m_keys[i])) {
            moveTo(qsizetype(i));
            m_noMatch = false;
            return;
        }
}

qint64 Recordset::bookmark() const
{
    requireCurrent();
    return m_keys[size_t(m_pos)];
}

void Recordset::setBookmark(qint64 bookmark)
{
    for (size_t i = 0; i < m_keys.size(); ++i)
        if (m_keys[i] == bookmark) {
            moveTo(qsizetype(i));
            return;
        }
    throw EngineError(err::NoCurrentRecord, QStringLiteral("Not a valid bookmark."));
}

void Recordset::bindValue(sqlite3_stmt* st, int index, const QVariant& value, std::vector<QByteArray>& keep) const
{
    if (!value.isValid() || value.isNull()) {
        sqlite3_bind_null(st, index);
        return;
    }
    switch (value.typeId()) {
    case QMetaType::Bool:
        sqlite3_bind_int(st, index, value.toBool() ? 1 : 0);
        return;
    case QMetaType::Int:
    case QMetaType::LongLong:
        sqlite3_bind_int64(st, index, value.toLongLong());
        return;
    case QMetaType::Float:
        sqlite3_bind_double(st, index, storedSingle(value.toFloat()));
        return;
    case QMetaType::Double:
        sqlite3_bind_double(st, index, value.toDouble());
        return;
    case QMetaType::QDateTime:
    case QMetaType::QDate: {
        // A date alone is written as it is: turning it into a date and time would ask the
        // system for the local time zone, which costs more than the whole row.
        keep.push_back(value.typeId() == QMetaType::QDate ? isoDate(value.toDate()) : storedDate(value.toDateTime()).toUtf8());
        break;
    }
    default:
        keep.push_back(value.toString().toUtf8());
        break;
    }
    sqlite3_bind_text(st, index, keep.back().constData(), int(keep.back().size()), SQLITE_STATIC);
}

QVariant Recordset::readColumn(sqlite3_stmt* st, int column, const FieldDef& field) const
{
    const int type = sqlite3_column_type(st, column);
    if (type == SQLITE_NULL)
        return {};
    switch (field.type) {
    case FieldType::Long:
    case FieldType::Integer:
        return qint32(sqlite3_column_int64(st, column));
    case FieldType::Single:
        return float(sqlite3_column_double(st, column));
    case FieldType::Currency:
        return sqlite3_column_double(st, column);
    case FieldType::Boolean:
        return sqlite3_column_int64(st, column) != 0;
    case FieldType::DateTime: {
        const QString text = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, column)));
        if (text.size() <= 10)
            return QDate::fromString(text, Qt::ISODate);
        return QDateTime(QDate::fromString(text.left(10), Qt::ISODate), QTime::fromString(text.mid(11), Qt::ISODate),
                         Qt::UTC);
    }
    case FieldType::Text:
    case FieldType::Memo:
        break;
    }
    return fromStoredText(reinterpret_cast<const char*>(sqlite3_column_text(st, column)), sqlite3_column_bytes(st, column));
}

} // namespace zelk
