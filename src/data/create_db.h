#pragma once
// Building a new register, and bringing an older one's label sheets up to date.
#include <QString>

namespace zelk {

// Builds a new register at `path`: the five tables with their indexes, the placeholder
// member number 1, the one Settings row and the six label sheets. The file is built under
// a temporary name and renamed into place, so the file at `path` is either whole or absent.
// Throws EngineError: DatabaseExists (3204) when a file is at `path` (it is not changed);
// any other engine error when building fails.
void buildNewDatabase(const QString& path);

// Removes what a build of the register at `path` that was stopped part-way (the program
// killed, the machine switched off) left beside it: the half-made file and its journal.
void removeUnfinishedBuild(const QString& path);

// Adds table Labels with its index when the register at `path` has none, and each default
// sheet whose name is not there yet. A step that fails is passed over, so calling it on a
// complete register changes nothing. Works on a connection of its own.
void CreateLabelsTable(const QString& path);

} // namespace zelk
