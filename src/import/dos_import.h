#pragma once
// Reading the DOS edition's data, once its conversion programs have turned it into text
// (code page 437, values separated by commas, texts in double quotes, one record a line):
// members from ZELK.DAT with their notes from MEMO.DAT, membership types and lookups from
// TYP_LOOK.DAT. A member the register refuses is never passed over in silence: it is
// written to Error.log in the DOS folder with the reason, and the user is told how many.
#include "member_import.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>
#include <utility>
#include <vector>

namespace zelk::import::dos {

struct DosOptions {
    bool birthday = false;    // the DOS renewal date holds the birthday
    bool mixedCase = false;   // names, addresses, types, lookups and notes to mixed case
};

// The date of a DOS day number. Day 36161 is 30 December 1899; numbers up to it (0 for no
// date) stand for none.
std::optional<QDate> dateOfDayNumber(qint64 dayNumber);

// One member of ZELK.DAT, made ready to be stored.
struct DosMember {
    QString number;        // the membership number as the file has it
    qint64 numberValue = 0;
    QString displayName;   // title, first name and surname, joined by blanks
    std::vector<std::pair<int, QVariant>> fields;   // field (of dosFieldNames()) and value, in the order they are set
    QString problem;       // a value that is not what the file should hold: the member is refused
};

// The member fields the DOS files fill, as DosMember::fields numbers them.
const QStringList& dosFieldNames();

// The member of a record of 24 values (fewer are taken as empty) and its memo record's
// text, when the memo file has one for it.
DosMember dosMember(const std::vector<QString>& values, const std::optional<QString>& memo, const DosOptions& options);

struct DosMemberCount {
    int added = 0;
    int refused = 0;
};

// Adds the members of ZELK.DAT in `dosFolder` (ending in a separator) through rsZelk.
// Members numbered 0 or below are passed over. A member the register refuses is written
// to Error.log with its number, name and reason; when there are any, the user is told how
// many. A missing or unreadable ZELK.DAT stops the import (ImportStopped).
DosMemberCount ImportDosMembers(AppState& state, const QString& dosFolder, const DosOptions& options,
                                const ImportCallbacks& io);

// Adds the membership types and lookup values of TYP_LOOK.DAT through rsMemberTypes and
// rsLookups, passing over blank values and the headings "Typ:member_type" and "Typ:l".
// Returns how many it could not add (written to Error.log).
int ImportDosTypes(AppState& state, const QString& dosFolder, const DosOptions& options, const ImportCallbacks& io);

// Both, and the placeholder removal, as one transaction (runImport).
ImportResult importDosFiles(AppState& state, ImportMode mode, const QString& dosFolder, const DosOptions& options,
                            const ImportCallbacks& io);

// A line of Error.log: "1234 Mr John Smith: The fee "1,50" is not an amount."
QString errorLogLine(const QString& number, const QString& name, const QString& reason);

} // namespace zelk::import::dos
