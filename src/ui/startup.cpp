#include "startup.h"

#include "core/app_state.h"
#include "core/browser.h"
#include "find_browser.h"
#include "foreign_register.h"
#include "busy_cursor.h"
#include "create_database.h"
#include "frm_splash.h"
#include "register_backups.h"
#include "core/everyday_trouble.h"
#include "core/main_defaults.h"
#include "message_box.h"
#include "core/program_folder.h"
#include "core/settings_store.h"
#include "unexpected_error.h"

#include "data/create_db.h"
#include "data/sort_fields.h"
#include "engine/engine_error.h"

#include <QFileInfo>

namespace zelk {

namespace {

void finish(AppState& s, frmSplash& splash, const std::function<void(AppState&)>& showMainWindow)
{
    showMainWindow(s);
    letEventsRun();
    splash.close();
}

void tellLocked()
{
    MessageBox::show(QStringLiteral("Someone on your machine or network has got a copy of Zelk open on their machine for exclusive use.\n\n"
                                    "Please close down that copy and try again."),
                     QStringLiteral("Another person is using Zelk"), MsgButtons::OK, MsgIcon::Critical);
}

void tellNotADatabase(const QString& path)
{
    MessageBox::show(QStringLiteral("The file %1 is not a membership register that this version of Zelk Membership can open. "
                                    "It may have been made by an earlier edition of Zelk.\n\n"
                                    "The file has not been changed. Move or rename it, then start Zelk Membership again: "
                                    "it will make a new, empty register, into which you can bring the members of the old "
                                    "file with Import data on the File menu.")
                         .arg(path),
                     QStringLiteral("Problem loading Zelk Membership"), MsgButtons::OK, MsgIcon::Critical);
}

// Lets go of the register, so that a backup can be put in its place.
void closeRegister(AppState& s)
{
    for (auto* rs : {&s.rsInUse, &s.rsLabels, &s.rsLookups, &s.rsMemberTypes, &s.rsSettings, &s.rsZelk})
        rs->reset();
    s.dbZelk.reset();
}

QString registerPath()
{
    return programFile(QStringLiteral("zelk2002.mdb"));
}

} // namespace

bool runStartup(AppState& s, frmSplash& splash, const std::function<void(AppState&)>& showMainWindow)
{
    splash.show();
    letEventsRun();
    splash.fillCaptions();

    bool mendedMissingFile = false;
    bool offeredConversion = false;
    bool offeredBackup = false;
    // Each pass runs the start-up from the step an error handler sends it back to.
    enum class From { Settings, MadeAfresh, Converted } from = From::Settings;
    while (true) {
        try {
            if (from == From::Settings) {
                const QString browser = readSetting(setting::WebBrowser);
                if (!browser.isEmpty())
                    s.BrowserPath = browser;
                else
                    FindBrowser(s);
                s.DatabasePath = registerPath();
                removeUnfinishedBuild(s.DatabasePath);
                if (!QFileInfo::exists(s.DatabasePath) && !CreateDatabase(s))
                    return false;
                s.SortOrder = readSetting(setting::SortOrder);
                s.AutoDates = toWholeNumber(readSetting(setting::AutoDates));
                s.AutoCaps = toWholeNumber(readSetting(setting::AutoCaps));
                s.PageDir = toWholeNumber(readSetting(setting::PageDir));
                letEventsRun();
                s.HelpFile = programFile(QStringLiteral("zelkmembership2003.hlp"));
                s.openRegister(membersInOrder(s.SortOrder));
            } else if (from == From::MadeAfresh) {
                s.openRegister(membersInOrder(sortField(SortKey::Surname).field));
            } else {
                s.openRegister(membersInOrder(s.SortOrder));
            }
            if (s.dbZelk->canWrite()) {
                backUpRegisterIfDue(s);
            } else {
                // The members can still be looked at and reported on; saves say why they fail.
                splash.hide();
                MessageBox::show(readOnlyRegisterMessage(s.DatabasePath));
            }
            finish(s, splash, showMainWindow);
            return true;
        } catch (const EngineError& e) {
            // The file went between looking for it and opening it: it is made afresh.
            if (e.number() == err::FileNotFound && !mendedMissingFile) {
                mendedMissingFile = true;
                if (s.DatabasePath.isEmpty())
                    s.DatabasePath = registerPath();
                removeUnfinishedBuild(s.DatabasePath);
                if (!CreateDatabase(s))
                    return false;
                from = From::MadeAfresh;
                continue;
            }
            // Another program's database: the Windows program's own register is offered for
            // conversion, and opens once converted.
            if (e.number() == err::NotAnSqliteFile && !offeredConversion) {
                offeredConversion = true;
                splash.hide();
                const ForeignRegister offered = offerForeignRegister(s.DatabasePath);
                if (offered == ForeignRegister::Converted) {
                    from = From::Converted;
                    continue;
                }
                if (offered == ForeignRegister::Stopped)
                    return false;
            }
            splash.hide();
            // A damaged register is left as it is; a good backup may be put in its place.
            if (e.number() == err::DiskOrNetwork && !offeredBackup) {
                offeredBackup = true;
                closeRegister(s);
                if (offerBackupForDamagedRegister(s.DatabasePath)) {
                    from = From::Converted;
                    continue;
                }
                MessageBox::show(damagedRegisterMessage(s.DatabasePath));
                return false;
            }
            const auto plain = everydayTroubleMessage(e.number(), s.DatabasePath);
            if (e.number() == err::LockedExclusively || e.number() == err::TableLockedByUser)
                tellLocked();
            // A missing table means the file is not a register at all (another program's database).
            else if (e.number() == err::NotAnSqliteFile || e.number() == err::TableNotFound)
                tellNotADatabase(s.DatabasePath);
            else if (plain)
                MessageBox::show(*plain);
            else
                showLoadingError(e.number(), QStringLiteral("frmSplash"));
            return false;
        } catch (const std::exception& e) {
            splash.hide();
            showLoadingError(errorNumber(e), QStringLiteral("frmSplash"));
            return false;
        }
    }
}

} // namespace zelk
