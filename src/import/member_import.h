#pragma once
// What every importer shares. A whole import is one transaction: it adds all its members
// or, when it stops, none, so a corrected file can simply be imported again. The blank
// member a new register starts with is removed inside the same transaction, and afterwards
// the shared record sets are reopened, so the window that ran the import only has to call
// RefreshData. Plain logic: a window passes its message box and progress display, the
// command line passes writers to its output, a test passes a script.
//
//   ImportCallbacks io{ask, progress};
//   ImportResult r = runImport(state, ImportMode::Store, io, [&] {
//       ... state.rsZelk->addNew(); ... state.rsZelk->update(); ...
//       return membersAdded;      // or: io.ask(why); throw ImportStopped();
//   });
//   mainView.RefreshData();
#include "core/question.h"

#include <QString>
#include <QtGlobal>
#include <exception>
#include <functional>

namespace zelk {
struct AppState;
}

namespace zelk::import {

// How far a long import has come: `done` of `total` in the importer's own unit (bytes of
// the file read, rows of a table), and what it is doing, for a caption (empty: keep the
// caption shown). Reported often (every member); the receiver decides how often to paint.
struct Progress {
    qint64 done = 0;
    qint64 total = 0;
    QString caption;
};
using ReportProgress = std::function<void(const Progress&)>;

// What an import may need of whoever runs it.
struct ImportCallbacks {
    AskUser ask;               // every message and question, with its exact text
    ReportProgress progress;   // may be empty
};

// Thrown by an import's work to stop it once the user has been told why: nothing of the
// import is kept.
class ImportStopped : public std::exception {
public:
    const char* what() const noexcept override { return "import stopped"; }
};

enum class ImportMode {
    Store,   // keep what the work added
    Check,   // run the whole import, then undo it: nothing is kept
};

struct ImportResult {
    enum class Status { Stored, Checked, Stopped };
    Status status = Status::Stopped;
    int membersAdded = 0;   // as the work counted them
    bool placeholderRemoved = false;
    bool stopped() const { return status == Status::Stopped; }
};

// Adds the members (and types and lookups) through the shared record sets and returns how
// many members it added. To stop, it tells the user and throws ImportStopped; an
// EngineError it lets through stops the import too and is reported by runImport.
using ImportWork = std::function<int()>;

// Stores first a backup of the register (a backup that fails is put to the user through
// `io.ask`, and only Yes goes on without one). Then runs `work`, then
// RemovePlaceholderMember, as one transaction, and keeps the result (Store) or undoes it
// (Check). When the work stops, or the register refuses the writes
// (held by another program, read-only, disk full), nothing is kept and, for a refusal,
// the user is told through `io.ask` what happened. Whatever happened, the shared record
// sets are then reopened (ReopenSharedRecordsets). Any other exception is passed on after
// the same undo and reopen.
ImportResult runImport(AppState& state, ImportMode mode, const ImportCallbacks& io, const ImportWork& work);

// "Select * from Zelk Where Number = 1 and trim(Surname) = '' and trim(FirstName) =''":
// the blank member number 1 that a new register holds.
QString placeholderQuery();

// Reopens rsZelk on placeholderQuery() and deletes its first record when it has one, so a
// register that never held that blank member loses nothing. Returns whether it deleted.
bool RemovePlaceholderMember(AppState& state);

// Reopens rsMemberTypes ("Select * from Members") and rsLookups ("Select * from Lookups"),
// then rsZelk in the SortOrder, which leaves SQLText holding the member query.
void ReopenSharedRecordsets(AppState& state);

// The message for a register that refused an import's writes (number and description of
// the engine's error): what happened, that nothing was kept, and what to do.
MessageRequest importNotStoredMessage(int errorNumber, const QString& description);

// "Your data has now been imported successfully.", titled "All done": the last word of
// every importer once its data is stored and the main window shows it.
MessageRequest importedMessage();

} // namespace zelk::import
