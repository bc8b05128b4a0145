#pragma once
// The state every window shares for the whole run: the open register, the shared record
// sets and the working copies of the settings. Start-up creates it; every window is given
// it; each test makes a fresh one. It holds the shared values only: what one window hands
// to the next is an argument, and what it chose is its result.
#include "data/queries.h"
#include "engine/database.h"
#include "engine/recordset.h"

#include <QString>
#include <memory>

namespace zelk {

struct AppState {
    QString DatabasePath;
    // Declared before the record sets so that it closes after them.
    std::unique_ptr<Database> dbZelk;
    std::unique_ptr<Recordset> rsZelk;         // the members in the current order
    std::unique_ptr<Recordset> rsSettings;     // the one Settings row
    std::unique_ptr<Recordset> rsMemberTypes;
    std::unique_ptr<Recordset> rsLookups;
    std::unique_ptr<Recordset> rsLabels;
    std::unique_ptr<Recordset> rsInUse;        // the in-use test of the lookups window

    QString SQLText;       // the SQL text of the record set opened last
    QString WorkString;    // scratch text, and a font or label-sheet name on its way
    QString SortOrder = QStringLiteral("Surname");
    int AutoCaps = -1;
    int AutoDates = -1;
    int PageDir = 1;
    QString BrowserPath;
    QString HelpFile;

    int NewMember = 0;        // -1 while the main window shows a member not yet stored
    int MultiLineFocus = 0;   // -1 while the Notes box has the focus
    int LabelEditMode = 0;    // 1 adding a label sheet, 2 amending one
    QString SelectionSQL;     // the last report selection

    // Reopens a shared record set on `sql`, keeping the text in SQLText first.
    void reopen(std::unique_ptr<Recordset>& rs, const QString& sql)
    {
        SQLText = sql;
        auto fresh = dbZelk->openRecordset(sql);   // on failure the old record set stays
        rs = std::move(fresh);
    }

    // Opens the register at DatabasePath (shared), brings an older one up to the current
    // schema version, and opens the shared record sets: the members on `membersSql`, then
    // Settings, Members, Lookups and Labels. Throws EngineError.
    void openRegister(const QString& membersSql);

    // A register opened for reading only, because its file was read-only then, is opened
    // again for writing once the file can be written, so a save works without a restart:
    // the record sets are opened afresh on the same SQL texts, the members on the same
    // member. Changes nothing when the register is writable already or still read-only,
    // or when opening it again fails (the register stays open as it was).
    void reopenIfWritableAgain();
};

using query::membersInOrder;

} // namespace zelk
