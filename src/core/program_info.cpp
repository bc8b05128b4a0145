#include "program_info.h"

namespace zelk {

QString programTitle()
{
    return QStringLiteral("Zelk Membership");
}

QString programVersion()
{
    return QStringLiteral(ZELK_VERSION);
}

QString makerWebSite()
{
    return QStringLiteral("https://www.bramwick.co.uk/");
}

} // namespace zelk
