#pragma once
// The one error boundary for the handlers of windows: whatever the handler throws is shown
// as the numbered unexpected-error message naming the routine, and nothing escapes into
// Qt's event loop.
#include "message_box.h"
#include "unexpected_error.h"

#include "core/error_number.h"
#include "core/everyday_trouble.h"
#include "core/settings_store.h"

#include <QString>
#include <exception>
#include <utility>

class QWidget;

namespace zelk {

// Runs `fn`; returns true when it ran to its end, false when it threw (the user has then
// been told, naming `routine`). Foreseeable trouble (a settings file that refused a save,
// another program holding the register, a read-only or full disk, a register moved away
// or damaged) is not an unexpected error: the user is told what happened and what to do.
template <typename F>
bool guarded(const QString& routine, QWidget* parent, F&& fn)
{
    try {
        std::forward<F>(fn)();
        return true;
    } catch (const SettingsNotSaved& e) {
        MessageBox::show(e.message(), parent);
    } catch (const std::exception& e) {
        if (const auto plain = everydayTroubleMessage(e))
            MessageBox::show(*plain, parent);
        else
            showUnexpectedError(errorNumber(e), routine, parent);
    } catch (...) {
        showUnexpectedError(errorNumber(std::exception()), routine, parent);
    }
    return false;
}

} // namespace zelk
