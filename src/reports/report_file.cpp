#include "report_file.h"

#include <QProcess>
#include <QSaveFile>

namespace zelk::reports {

QString saveReport(const QString& path, const std::function<bool(QIODevice&)>& write)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (!write(file)) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return {};
}

bool startBrowser(const QString& browser, const QString& page)
{
    const QString program = browser.trimmed();
    if (program.isEmpty())
        return false;
    return QProcess::startDetached(program, {page});
}

} // namespace zelk::reports
