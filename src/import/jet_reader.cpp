#include "jet_reader.h"

#include "jet_values.h"

// libmdb's header needs glib's declarations first.
#include <glib.h>
#include <mdbtools.h>

#include <QFile>
#include <QFileInfo>
#include <cstring>

namespace zelk::jet {

struct JetFile::Handle {
    MdbHandle* mdb = nullptr;
    std::vector<int> userTables;   // positions in the catalog, in its order

    ~Handle()
    {
        if (mdb)
            mdb_close(mdb);
    }
};

struct JetTable::State {
    // Each table reads through a handle of its own, with its own page buffer, so that
    // tables can be read side by side.
    MdbHandle* mdb = nullptr;
    MdbTableDef* table = nullptr;
    std::vector<MdbField> cracked;
    std::vector<char> chunk;   // one page of a long value at a time
    qint64 rowsRead = 0;

    ~State()
    {
        if (table)
            mdb_free_tabledef(table);
        if (mdb)
            mdb_close(mdb);
    }
};

namespace {

const QByteArray kJetSignature("Standard Jet DB", 15);
const QByteArray kAceSignature("Standard ACE DB", 15);
constexpr int kVersionOffset = 0x14;
constexpr int kJet3PageSize = 2048;
constexpr int kJet4PageSize = 4096;
constexpr unsigned long kCatalogPage = 2;

QString nativePath(const QString& path)
{
    return QFileInfo(path).absoluteFilePath();
}

JetError damagedFile(const QString& path, const QString& what)
{
    return JetError(JetError::Kind::Damaged,
                    QStringLiteral("The file %1 is damaged or incomplete: %2.").arg(nativePath(path), what));
}

bool isUtf8(const char* charset)
{
    const QByteArray name = QByteArray(charset).toUpper();
    return name == "UTF-8" || name == "UTF8";
}

JetType typeOf(int columnType)
{
    switch (columnType) {
    case MDB_BOOL:
        return JetType::Boolean;
    case MDB_BYTE:
        return JetType::Byte;
    case MDB_INT:
        return JetType::Integer;
    case MDB_LONGINT:
        return JetType::Long;
    case MDB_MONEY:
        return JetType::Currency;
    case MDB_FLOAT:
        return JetType::Single;
    case MDB_DOUBLE:
        return JetType::Double;
    case MDB_DATETIME:
        return JetType::DateTime;
    case MDB_TEXT:
        return JetType::Text;
    case MDB_MEMO:
        return JetType::Memo;
    case MDB_BINARY:
        return JetType::Binary;
    case MDB_OLE:
        return JetType::Ole;
    default:
        return JetType::Other;
    }
}

// The number of rows the table of a catalog entry says it holds, or -1.
qint64 storedRows(MdbCatalogEntry& entry)
{
    MdbTableDef* table = mdb_read_table(&entry);
    if (!table)
        return -1;
    const qint64 rows = table->num_rows;
    mdb_free_tabledef(table);
    return rows;
}

MdbColumn* columnAt(MdbTableDef* table, int index)
{
    return static_cast<MdbColumn*>(g_ptr_array_index(table->columns, guint(index)));
}

// Leaves a column unbound whatever happens while a long value is read through it.
class BoundForReading {
public:
    BoundForReading(MdbColumn* column, char* buffer)
        : m_column(column)
    {
        m_column->bind_ptr = buffer;
    }
    ~BoundForReading() { m_column->bind_ptr = nullptr; }
    BoundForReading(const BoundForReading&) = delete;
    BoundForReading& operator=(const BoundForReading&) = delete;

private:
    MdbColumn* m_column;
};

} // namespace

JetFile::JetFile(QString path, Handle* handle)
    : m_path(std::move(path))
    , m_handle(handle)
{
}

JetFile::~JetFile()
{
    delete m_handle;
}

std::unique_ptr<JetFile> JetFile::open(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        throw JetError(JetError::Kind::CannotOpen, QStringLiteral("There is no file %1.").arg(nativePath(path)));
    if (!info.isFile())
        throw JetError(JetError::Kind::CannotOpen, QStringLiteral("%1 is a folder, not a file.").arg(nativePath(path)));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw JetError(JetError::Kind::CannotOpen,
                       QStringLiteral("The file %1 could not be read: %2.").arg(nativePath(path), file.errorString()));
    // libmdb takes any file whose first byte is zero for a database; look at the
    // signature first, so another program's file is named for what it is.
    const QByteArray head = file.read(kVersionOffset + 1);
    file.close();
    const QByteArray signature = head.mid(4, 15);
    if (head.size() <= kVersionOffset || head.at(0) != 0 || (signature != kJetSignature && signature != kAceSignature))
        throw JetError(JetError::Kind::NotJet,
                       QStringLiteral("The file %1 is not a Microsoft Access (Jet) database.").arg(nativePath(path)));
    // A Jet file is a whole number of pages, and holds at least its catalog.
    const qint64 pageSize = head.at(kVersionOffset) == MDB_VER_JET3 ? kJet3PageSize : kJet4PageSize;
    if (info.size() % pageSize != 0 || info.size() <= qint64(kCatalogPage) * pageSize)
        throw damagedFile(path, QStringLiteral("it ends part-way through"));

    auto handle = std::make_unique<Handle>();
    handle->mdb = mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS);
    if (!handle->mdb)
        throw damagedFile(path, QStringLiteral("its first page cannot be read"));
    MdbHandle* mdb = handle->mdb;
    // Text comes from libmdb in the character set the MDBICONV variable names; this
    // reader takes it as UTF-8 only.
    if (!isUtf8(mdb_target_charset(mdb)))
        throw JetError(JetError::Kind::CannotOpen,
                       QStringLiteral("The file %1 cannot be read while the environment variable MDBICONV asks for %2 "
                                      "rather than UTF-8.")
                           .arg(nativePath(path), QString::fromLatin1(mdb_target_charset(mdb))));

    // Every object of the catalog, so that its count can be checked against the rows its
    // table says it holds: a catalog cut short would otherwise hide tables.
    if (!mdb_read_catalog(mdb, MDB_ANY))
        throw damagedFile(path, QStringLiteral("its list of tables cannot be read"));
    MdbCatalogEntry catalog{};
    catalog.mdb = mdb;
    catalog.object_type = MDB_TABLE;
    catalog.table_pg = kCatalogPage;
    std::strncpy(catalog.object_name, "MSysObjects", MDB_MAX_OBJ_NAME);
    const qint64 objects = storedRows(catalog);
    if (objects < 0 || qint64(mdb->num_catalog) < objects)
        throw damagedFile(path, QStringLiteral("its list of tables cannot be read"));
    for (unsigned int i = 0; i < mdb->num_catalog; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (mdb_is_user_table(entry))
            handle->userTables.push_back(int(i));
    }
    return std::unique_ptr<JetFile>(new JetFile(path, handle.release()));
}

QStringList JetFile::tableNames() const
{
    QStringList names;
    for (int i : m_handle->userTables) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(m_handle->mdb->catalog, guint(i)));
        names << QString::fromUtf8(entry->object_name);
    }
    return names;
}

QString JetFile::findTable(const QString& name) const
{
    for (const QString& table : tableNames())
        if (table.compare(name, Qt::CaseInsensitive) == 0)
            return table;
    return {};
}

std::unique_ptr<JetTable> JetFile::openTable(const QString& name)
{
    const QStringList names = tableNames();
    qsizetype at = -1;
    for (qsizetype i = 0; i < names.size() && at < 0; ++i)
        if (names[i].compare(name, Qt::CaseInsensitive) == 0)
            at = i;
    if (at < 0)
        throw JetError(JetError::Kind::NoTable, QStringLiteral("The file %1 has no table %2.").arg(nativePath(m_path), name));

    auto state = std::make_unique<JetTable::State>();
    state->mdb = mdb_clone_handle(m_handle->mdb);
    if (!state->mdb)
        throw damagedFile(m_path, QStringLiteral("the table %1 cannot be read").arg(names[at]));
    // The copy's catalog lists the same objects in the same order.
    auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(state->mdb->catalog, guint(m_handle->userTables[size_t(at)])));
    state->table = mdb_read_table(entry);
    if (!state->table || !mdb_read_columns(state->table))
        throw damagedFile(m_path, QStringLiteral("the table %1 cannot be read").arg(names[at]));
    mdb_rewind_table(state->table);
    state->cracked.resize(std::max(1u, state->table->num_cols));
    state->chunk.resize(MDB_PGSIZE);

    std::unique_ptr<JetTable> table(new JetTable(m_path, state.release()));
    table->m_name = names[at];
    MdbTableDef* def = table->m_state->table;
    const bool jet3 = IS_JET3(table->m_state->mdb);
    for (unsigned int i = 0; i < def->num_cols; ++i) {
        const MdbColumn* column = columnAt(def, int(i));
        JetField field;
        field.name = QString::fromUtf8(column->name);
        field.type = typeOf(column->col_type);
        // Jet 4 keeps text as UCS-2: its sizes count bytes, two to a character.
        if (field.type == JetType::Text)
            field.size = jet3 ? column->col_size : column->col_size / 2;
        table->m_fields.push_back(field);
    }
    table->m_values.resize(table->m_fields.size());
    return table;
}

JetTable::JetTable(const QString& filePath, State* state)
    : m_filePath(filePath)
    , m_state(state)
{
}

JetTable::~JetTable()
{
    delete m_state;
}

int JetTable::fieldIndex(const QString& name) const
{
    for (size_t i = 0; i < m_fields.size(); ++i)
        if (m_fields[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

int JetTable::requireField(const QString& name) const
{
    const int i = fieldIndex(name);
    if (i < 0)
        throw JetError(JetError::Kind::NoField,
                       QStringLiteral("The table %1 of the file %2 has no field %3.").arg(m_name, nativePath(m_filePath), name));
    return i;
}

qint64 JetTable::storedRowCount() const
{
    return qint64(m_state->table->num_rows);
}

void JetTable::damaged(const QString& what) const
{
    throw damagedFile(m_filePath, what);
}

bool JetTable::next()
{
    MdbTableDef* table = m_state->table;
    if (!mdb_fetch_row(table)) {
        // libmdb passes over rows and pages it cannot read; the table's own count of its
        // rows shows whether any were lost. (A file not closed properly may count none.)
        if (m_state->rowsRead < qint64(table->num_rows))
            damaged(QStringLiteral("only %1 of the %2 rows of the table %3 can be read")
                        .arg(m_state->rowsRead)
                        .arg(table->num_rows)
                        .arg(m_name));
        return false;
    }
    ++m_state->rowsRead;
    ++m_rowNumber;
    readValues();
    return true;
}

void JetTable::readValues()
{
    MdbTableDef* table = m_state->table;
    MdbHandle* mdb = m_state->mdb;
    // A bound column cannot tell Null from "": the row's null mask can, so the row is
    // taken apart again here.
    int start = 0;
    size_t length = 0;
    if (mdb_find_row(mdb, int(table->cur_row) - 1, &start, &length) != 0)
        damaged(QStringLiteral("row %1 of the table %2 cannot be found").arg(m_rowNumber).arg(m_name));
    start &= 0x1fff;
    if (mdb_crack_row(table, start, length, m_state->cracked.data()) < 0)
        damaged(QStringLiteral("row %1 of the table %2 cannot be read").arg(m_rowNumber).arg(m_name));
    for (size_t i = 0; i < m_fields.size(); ++i)
        m_values[i] = readValue(int(i), &m_state->cracked[i]);
}

QVariant JetTable::readValue(int index, const void* cracked)
{
    const MdbField& field = *static_cast<const MdbField*>(cracked);
    MdbHandle* mdb = m_state->mdb;
    MdbColumn* column = columnAt(m_state->table, index);
    const QString& name = m_fields[size_t(index)].name;
    const auto unreadable = [&](const QString& what) {
        damaged(QStringLiteral("%1 in the field %2, row %3 of the table %4 cannot be read").arg(what, name).arg(m_rowNumber).arg(m_name));
    };
    // A Yes/No field keeps its value in the null mask: "null" is No.
    if (column->col_type == MDB_BOOL)
        return QVariant(field.is_null == 0);
    if (field.is_null)
        return QVariant();

    unsigned char* page = mdb->pg_buf;
    const int at = field.start;
    const int size = field.siz;
    const auto fixedSize = [&](int bytes) {
        if (size < bytes || at < 0 || at + bytes > int(mdb->fmt->pg_size))
            unreadable(QStringLiteral("the value"));
    };
    const auto text = [&](const char* bytes, size_t count) {
        if (count == 0)
            return QVariant(QStringLiteral(""));
        // At most four bytes of UTF-8 for each byte stored, whichever way it is stored.
        std::vector<char> utf8(count * 4 + 16);
        const int written = mdb_unicode2ascii(mdb, bytes, count, utf8.data(), utf8.size());
        return QVariant(written > 0 ? QString::fromUtf8(utf8.data(), written) : QStringLiteral(""));
    };

    switch (column->col_type) {
    case MDB_BYTE:
        fixedSize(1);
        return QVariant(qint32(page[at]));
    case MDB_INT:
        fixedSize(2);
        return QVariant(qint32(qint16(quint16(mdb_get_int16(page, at)))));
    case MDB_LONGINT:
        fixedSize(4);
        return QVariant(qint32(quint32(mdb_get_int32(page, at))));
    case MDB_MONEY: {
        fixedSize(8);
        const quint64 low = quint32(mdb_get_int32(page, at));
        const quint64 high = quint32(mdb_get_int32(page, at + 4));
        return QVariant(currencyFromRaw(qint64(low | (high << 32))));
    }
    case MDB_FLOAT:
        fixedSize(4);
        return QVariant(mdb_get_single(page, at));
    case MDB_DOUBLE:
        fixedSize(8);
        return QVariant(mdb_get_double(page, at));
    case MDB_DATETIME: {
        fixedSize(8);
        const auto date = dateFromSerial(mdb_get_double(page, at));
        if (!date)
            unreadable(QStringLiteral("the date"));
        return *date;
    }
    case MDB_TEXT:
        if (size < 0 || at + size > int(mdb->fmt->pg_size))
            unreadable(QStringLiteral("the text"));
        return text(reinterpret_cast<const char*>(page + at), size_t(size));
    case MDB_MEMO:
    case MDB_OLE: {
        if (size < MDB_MEMO_OVERHEAD) {
            if (column->col_type == MDB_MEMO)
                return QVariant(QStringLiteral(""));
            return QVariant(QByteArray(""));
        }
        // The long value's length and where it lies; it may be kept in the row, on a
        // page of its own, or across a chain of pages.
        char header[MDB_MEMO_OVERHEAD];
        std::memcpy(header, page + at, MDB_MEMO_OVERHEAD);
        const qint64 expected = qint64(quint32(mdb_get_int32(header, 0)) & 0x3fffffffu);
        QByteArray bytes;
        {
            BoundForReading bound(column, m_state->chunk.data());
            size_t got = mdb_ole_read(mdb, column, header, m_state->chunk.size());
            bytes.append(m_state->chunk.data(), qsizetype(got));
            while (bytes.size() < expected && (got = mdb_ole_read_next(mdb, column, header)) > 0)
                bytes.append(m_state->chunk.data(), qsizetype(got));
        }
        if (bytes.size() != expected)
            unreadable(column->col_type == MDB_MEMO ? QStringLiteral("the long text") : QStringLiteral("the object"));
        if (column->col_type == MDB_MEMO)
            return text(bytes.constData(), size_t(bytes.size()));
        return QVariant(bytes);
    }
    default:
        if (size < 0 || at + size > int(mdb->fmt->pg_size))
            unreadable(QStringLiteral("the value"));
        return QVariant(QByteArray(reinterpret_cast<const char*>(page + at), size));
    }
}

} // namespace zelk::jet
