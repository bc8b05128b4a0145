#pragma once
// The import from the first Windows edition: its file zelk.mdb is read, and its members,
// membership types and lookup values are added to the register through the shared record
// sets, as one transaction. The earlier file is only read.
#include "member_import.h"

#include "core/question.h"

#include <QString>

namespace zelk {
struct AppState;
}

namespace zelk::import {

// The earlier edition's file in `folder`, "zelk.mdb" whatever the case of its name
// (ZELK.MDB); empty when the folder holds none.
QString earlierWindowsFile(const QString& folder);

// Where to look first: the earlier edition's folder in a Wine prefix ($WINEPREFIX, then
// ~/.wine: drive_c/Program Files/zelkwin or drive_c/Program Files (x86)/zelkwin) when
// there is one, otherwise the user's home folder.
QString earlierWindowsStartFolder();

// "Sorry but I can't find the file ZELK.MDB in <folder>", titled "File isn't there".
MessageRequest fileNotThereMessage(const QString& folder);
// "There don't appear to be any members in that database.", titled "Empty database".
MessageRequest emptyDatabaseMessage();
// A file that cannot be read, or a value the register cannot keep: `why` and that
// nothing has been imported, titled "Can't import data".
MessageRequest cannotImportMessage(const QString& why);

// Copies the earlier file's members (text fields without their leading and trailing
// blanks, Null left unset), then its membership types and lookups (trimmed; empty and
// Null ones skipped, duplicates kept) through rsZelk, rsMemberTypes and rsLookups, and
// removes the placeholder member, all in one transaction (runImport). Settings are not
// touched. Stops, keeping nothing, after telling the user through `io.ask` when the file
// cannot be read, lacks a table or field it reads, has no members, or holds a value the
// register cannot keep. Reports progress in rows read of the rows the file holds.
ImportResult GetData(AppState& state, const QString& file, const ImportCallbacks& io);

} // namespace zelk::import
