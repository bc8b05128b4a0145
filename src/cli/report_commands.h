#pragma once
// The reports of the reports window without a window: the data export and the list
// report of every member in surname order, written by the same routines.
#include "command.h"

namespace zelk::cli {

Command exportCsvCommand();   // export-csv [FILE] [--upper]
Command listHtmlCommand();    // list-html [FILE] [--heading TEXT] [--upper] [--surname-first] [--include ...]

} // namespace zelk::cli
