#include "report_file.h"

#include "engine/database.h"

#include <QProcess>
#include <QSaveFile>

namespace zelk::reports {

ReadTransaction::ReadTransaction(Database& db)
    : m_db(db)
{
    if (!m_db.inTransaction()) {
        m_db.beginTrans();
        m_began = true;
    }
}

ReadTransaction::~ReadTransaction()
{
    if (m_began && m_db.inTransaction()) {
        try {
            m_db.commitTrans();   // nothing was written: this only gives the lock back
        } catch (...) {
        }
    }
}

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
