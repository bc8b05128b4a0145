#include "report_options.h"

namespace zelk::reports {

ReportType reportTypeFromSetting(const QString& value)
{
    if (value == QLatin1String("Labels"))
        return ReportType::Labels;
    if (value == QLatin1String("List"))
        return ReportType::List;
    if (value == QLatin1String("File"))
        return ReportType::File;
    if (value == QLatin1String("E-mail"))
        return ReportType::Email;
    return ReportType::None;
}

} // namespace zelk::reports
