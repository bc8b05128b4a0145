#include "startup.h"

#include "core/app_state.h"
#include "core/browser.h"
#include "find_browser.h"
#include "foreign_register.h"
#include "busy_cursor.h"
#include "create_database.h"
#include "frm_splash.h"
#include "register_backups.h"
#include "core/main_defaults.h"
#include "message_box.h"
#include "core/program_folder.h"
#include "core/settings_store.h"
#include "unexpected_error.h"

#include "data/create_db.h"
#include "engine/engine_error.h"

#include <QFileInfo>

namespace zelk {

namespace {

// Which step failed, so the error handler knows what it can mend.
enum class Stage { Other, OpenLabels };

void openSharedRecordsets(AppState& s, const QString& membersSql, Stage& stage)
{
    s.dbZelk = Database::open(s.DatabasePath, Database::Mode::Shared);
    s.reopen(s.rsZelk, membersSql);
    s.reopen(s.rsSettings, QStringLiteral("Select * from Settings"));
    s.reopen(s.rsMemberTypes, QStringLiteral("Select * from Members"));
    s.reopen(s.rsLookups, QStringLiteral("Select * from Lookups"));
    stage = Stage::OpenLabels;
    s.reopen(s.rsLabels, QStringLiteral("Select * from Labels"));
    stage = Stage::Other;
}

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

} // namespace

bool runStartup(AppState& s, frmSplash& splash, const std::function<void(AppState&)>& showMainWindow)
{
    splash.show();
    letEventsRun();
    splash.fillCaptions();

    Stage stage = Stage::Other;
    bool mendedMissingFile = false;
    bool mendedLabels = false;
    bool offeredConversion = false;
    // Each pass runs the start-up from the step an error handler sends it back to.
    enum class From { Settings, OpenAgain, Labels, Converted } from = From::Settings;
    while (true) {
        try {
            if (from == From::Settings) {
                const QString browser = readSetting(setting::WebBrowser);
                if (!browser.isEmpty())
                    s.BrowserPath = browser;
                else
                    FindBrowser(s);
                s.DatabasePath = programFile(QStringLiteral("zelk2002.mdb"));
                removeUnfinishedBuild(s.DatabasePath);
                if (!QFileInfo::exists(s.DatabasePath) && !CreateDatabase(s))
                    return false;
                s.SortOrder = readSetting(setting::SortOrder);
                s.AutoDates = toWholeNumber(readSetting(setting::AutoDates));
                s.AutoCaps = toWholeNumber(readSetting(setting::AutoCaps));
                s.PageDir = toWholeNumber(readSetting(setting::PageDir));
                letEventsRun();
                s.HelpFile = programFile(QStringLiteral("zelkmembership2003.hlp"));
                openSharedRecordsets(s, membersInOrder(s.SortOrder), stage);
            } else if (from == From::OpenAgain) {
                openSharedRecordsets(s, membersInOrder(QStringLiteral("Surname")), stage);
            } else if (from == From::Converted) {
                openSharedRecordsets(s, membersInOrder(s.SortOrder), stage);
            } else {
                CreateLabelsTable(s.DatabasePath);
                s.reopen(s.rsLabels, QStringLiteral("Select * from Labels"));
            }
            backUpRegisterIfDue(s);
            finish(s, splash, showMainWindow);
            return true;
        } catch (const EngineError& e) {
            if (e.number() == err::FileNotFound && !mendedMissingFile) {
                mendedMissingFile = true;
                if (s.DatabasePath.isEmpty())
                    s.DatabasePath = programFile(QStringLiteral("zelk2002.mdb"));
                removeUnfinishedBuild(s.DatabasePath);
                if (!CreateDatabase(s))
                    return false;
                from = From::OpenAgain;
                continue;
            }
            // A register from an earlier release has no label sheets; any other missing
            // table means the file is not a register at all (another program's database).
            if (e.number() == err::TableNotFound && stage == Stage::OpenLabels && !mendedLabels) {
                mendedLabels = true;
                stage = Stage::Other;
                from = From::Labels;
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
                if (offered == ForeignRegister::Stopped) {
                    splash.hide();
                    return false;
                }
            }
            splash.hide();
            if (e.number() == err::LockedExclusively || e.number() == err::TableLockedByUser)
                tellLocked();
            else if (e.number() == err::NotAnSqliteFile || e.number() == err::TableNotFound)
                tellNotADatabase(s.DatabasePath);
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
