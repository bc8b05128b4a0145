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

} // namespace zelk
