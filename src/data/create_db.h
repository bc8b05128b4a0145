#pragma once
// Building a new register, and bringing an older one's label sheets up to date.
#include <QString>

namespace zelk {

// Builds a new register at `path`: the five tables with their indexes, the placeholder
// member number 1, the one Settings row and the six label sheets, of the current schema
// version. The file is built under
// a temporary name and renamed into place, so the file at `path` is either whole or absent.
// Throws EngineError: DatabaseExists (3204) when a file is at `path` (it is not changed);
// any other engine error when building fails.
void buildNewDatabase(const QString& path);

// Removes what a build of the register at `path` that was stopped part-way (the program
// killed, the machine switched off) left beside it: the half-made file and its journal.
void removeUnfinishedBuild(const QString& path);

class Database;

// Adds table Labels with its index when the register has none, and each default sheet
// whose name is not there yet (in the caller's transaction, when one is open). Calling it
// on a complete register changes nothing. Throws EngineError when a write fails.
void addMissingLabelSheets(Database& db);

// Puts back the one Settings row when another program has deleted it: the settings of a
// new register, with the largest membership number in use as the last number given out.
// Does nothing when the row is there.
void addMissingSettingsRow(Database& db);

// The same on a connection of its own to the register at `path`, passing over whatever
// fails, for the label printing when the chosen sheet is not found.
void CreateLabelsTable(const QString& path);

} // namespace zelk
