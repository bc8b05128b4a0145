#include "find_browser.h"

#include "busy_cursor.h"
#include "message_box.h"

#include "core/app_state.h"
#include "core/browser.h"
#include "core/settings_store.h"

namespace zelk {

void FindBrowser(AppState& state)
{
    QString found = desktopBrowser();
    if (found.isEmpty())
        MessageBox::show(QStringLiteral("I can't find your web browser.\n\nYou will need to find it yourself from the Options menu. Sorry."),
                         QStringLiteral("Browser Not Found"), MsgButtons::OK, MsgIcon::Exclamation);
    letEventsRun();
    state.BrowserPath = GetLongPath(found).trimmed();
    if (state.BrowserPath.isEmpty())
        state.BrowserPath = found.trimmed();
    if (state.BrowserPath.endsWith(u'/') || state.BrowserPath.endsWith(u'\\'))
        state.BrowserPath.chop(1);
    while (state.BrowserPath.endsWith(QChar(0)))
        state.BrowserPath.chop(1);
    if (state.BrowserPath.isEmpty())
        return;
    try {
        saveSetting(setting::WebBrowser, state.BrowserPath);
    } catch (const SettingsNotSaved& e) {
        MessageBox::show(e.message());   // the browser is known for this run; it is looked for again next time
    }
}

} // namespace zelk
