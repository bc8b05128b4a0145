#pragma once
// The import of members from a delimited text file: the first line names the columns, each
// later line is one member, and each of the first 30 columns goes into the member field
// chosen for it, or nowhere. Values are converted to their field's type by the engine,
// by the same rules as typing them into the main window.
#include "member_import.h"

#include <QChar>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QVariant>
#include <array>

namespace zelk::import {

inline constexpr int kTextColumns = 30;

// The target field of each column; blank (or " ") for a column not imported.
using ColumnTargets = std::array<QString, kTextColumns>;

// What every column's list offers, in order: " " (not imported), "Number", "JoinDate",
// ... "Lapsed", "Memo": the member fields a file may fill (not the picture).
const QStringList& textImportTargets();

// The separator of each option: 0 tab, 1 ",", 2 ";".
QChar separatorOf(int option);

// The column names of the first line: at most 30, each trimmed and unquoted as a value is
// (delimited_text.h); a last empty name after a separator names no column. `tooMany`
// when a name follows the 30th.
struct FieldNames {
    QStringList names;
    bool tooMany = false;
};
FieldNames readFieldNames(QStringView text, QChar separator);

// The values of the first member (the line after the names); empty when there is none.
QStringList firstValues(QStringView text, QChar separator);

// The field a column name stands for ("Surname", "surname", "First Name", "Post Code",
// "Join Date", "E-mail", and the names our own data export writes), or "" for none.
QString targetForColumnName(const QString& name);
// The target of each column by its name; each field is given to its first column only.
ColumnTargets automaticTargets(const QStringList& names);

// How many columns have a target.
int mappedColumns(const ColumnTargets& targets);

// The value a field is set to: Null for a value that is empty or blanks only, otherwise
// the text as it stands, which the engine converts to the field's type.
QVariant fieldValue(const QString& value);

struct TextImport {
    QString path;
    QChar separator = u'\t';
    ColumnTargets targets;
};

// The work of the import (for runImport): reads the file, passes over the names, and adds
// one member per line through rsZelk, counting lines from 1 after the names. A line with
// fewer values than columns leaves the later fields Null; values after the 30th are not
// read. An unreadable file, or a value the engine refuses, is told through `io.ask` and
// stops the import (ImportStopped). Returns the number of members added.
int ImportFile(AppState& state, const TextImport& import, const ImportCallbacks& io);

// The whole import, ImportFile with the placeholder removal, as one transaction.
ImportResult importTextFile(AppState& state, ImportMode mode, const TextImport& import, const ImportCallbacks& io);

// The messages of the text import.
MessageRequest tooManyFieldsMessage();
MessageRequest noDataMessage();
MessageRequest nothingSelectedMessage();
MessageRequest refusedValueMessage(const QString& field, const QString& value, qint64 line);
MessageRequest checkedMessage(int members);

} // namespace zelk::import
