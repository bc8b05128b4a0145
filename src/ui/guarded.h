#pragma once
// The one error boundary for the handlers of windows: whatever the handler throws is shown
// as the numbered unexpected-error message naming the routine, and nothing escapes into
// Qt's event loop.
#include "message_box.h"
#include "unexpected_error.h"

#include "core/error_number.h"
#include "core/settings_store.h"

#include <QString>
#include <exception>
#include <utility>

class QWidget;

namespace zelk {

// Runs `fn`; returns true when it ran to its end, false when it threw (the user has then
// been told, naming `routine`). A settings file that refused a save is foreseeable trouble,
// not an unexpected error: the user is told what happened and what to do.
template <typename F>
bool guarded(const QString& routine, QWidget* parent, F&& fn)
{
    try {
        std::forward<F>(fn)();
        return true;
    } catch (const SettingsNotSaved& e) {
        MessageBox::show(e.message(), parent);
    } catch (const std::exception& e) {
        showUnexpectedError(errorNumber(e), routine, parent);
    } catch (...) {
        showUnexpectedError(errorNumber(std::exception()), routine, parent);
    }
    return false;
}

} // namespace zelk
