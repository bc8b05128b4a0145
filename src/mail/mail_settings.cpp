#include "mail_settings.h"

#include "core/settings_store.h"

namespace zelk::mail {

MailSettings readMailSettings()
{
    MailSettings s;
    s.sender = readSetting(setting::EmailSender);
    s.server = readSetting(setting::EmailSMTP);
    s.userName = readSetting(setting::EmailUser);
    s.security = securityOf(readSetting(setting::EmailSecurity));
    s.greeting = greetingOf(readSetting(setting::EmailGreeting));
    return s;
}

} // namespace zelk::mail
