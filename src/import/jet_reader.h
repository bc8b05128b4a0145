#pragma once
// Reads the tables of a Microsoft Access (Jet 3 and Jet 4) database through mdbtools'
// libmdb. The file is only ever read. Values come as the engine's record sets give them:
// a null QVariant for Null ("" is not Null); qint32 for Long, Integer and Byte; float for
// Single; double for Double and for Currency (exact to its four decimals); QDate for a
// date at midnight, QDateTime (Qt::UTC) for one with a time of day; bool for Yes/No;
// QString for Text and Memo (memos whole, whatever their length); QByteArray for binary
// and OLE data. Nothing depends on the C library's locale.
//
// Every failure is a JetError whose message names the file; a damaged or cut-short file
// is reported as such, never read as fewer rows than it holds.
#include "jet_error.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <vector>

namespace zelk::jet {

enum class JetType { Boolean, Byte, Integer, Long, Currency, Single, Double, DateTime, Text, Memo, Binary, Ole, Other };

struct JetField {
    QString name;
    JetType type = JetType::Other;
    int size = 0;   // Text: at most this many characters; 0 for other types
};

class JetTable;

class JetFile {
public:
    // Throws JetError: CannotOpen, NotJet, Damaged.
    static std::unique_ptr<JetFile> open(const QString& path);
    ~JetFile();
    JetFile(const JetFile&) = delete;
    JetFile& operator=(const JetFile&) = delete;

    const QString& path() const { return m_path; }
    // The user tables, in the order the file lists them.
    QStringList tableNames() const;
    // The table's name as the file spells it, found without regard to case; empty when
    // there is no such table.
    QString findTable(const QString& name) const;
    // Opens a table for reading from its first row. Throws JetError: NoTable, Damaged.
    // Tables may be read side by side.
    std::unique_ptr<JetTable> openTable(const QString& name);

    struct Handle;

private:
    JetFile(QString path, Handle* handle);

    QString m_path;
    Handle* m_handle;
};

class JetTable {
public:
    ~JetTable();
    JetTable(const JetTable&) = delete;
    JetTable& operator=(const JetTable&) = delete;

    const QString& name() const { return m_name; }
    const std::vector<JetField>& fields() const { return m_fields; }
    // The position of a field found without regard to case, or -1.
    int fieldIndex(const QString& name) const;
    // As fieldIndex, but a missing field is a JetError (NoField) naming table and file.
    int requireField(const QString& name) const;

    // The number of rows the table says it holds (a file that was not closed properly may
    // say 0), for showing progress.
    qint64 storedRowCount() const;

    // Reads the next row in the table's stored order; false after the last. Throws
    // JetError (Damaged) when the row, or the rest of the table, cannot be read.
    bool next();
    // The position of the row read last, from 1.
    int rowNumber() const { return m_rowNumber; }
    const QVariant& value(int index) const { return m_values.at(size_t(index)); }
    const std::vector<QVariant>& values() const { return m_values; }

    struct State;

private:
    friend class JetFile;
    JetTable(const QString& filePath, State* state);
    void readValues();
    QVariant readValue(int index, const void* field);
    [[noreturn]] void damaged(const QString& what) const;

    QString m_filePath;
    QString m_name;
    std::vector<JetField> m_fields;
    std::vector<QVariant> m_values;
    int m_rowNumber = 0;
    State* m_state;
};

} // namespace zelk::jet
