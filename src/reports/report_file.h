#pragma once
// Report files are written whole or not at all, and the list report is shown by starting
// the user's browser as a program of its own.
#include <QString>
#include <functional>

class QIODevice;

namespace zelk {
class Database;
}

namespace zelk::reports {

// Holds one read transaction of `db` while an output walks the selection (unless one is
// open already): every row then comes from the same state of the register, and the walk
// does not take and give back the file's lock for each member.
class ReadTransaction {
public:
    explicit ReadTransaction(Database& db);
    ~ReadTransaction();
    ReadTransaction(const ReadTransaction&) = delete;
    ReadTransaction& operator=(const ReadTransaction&) = delete;

private:
    Database& m_db;
    bool m_began = false;
};

// Writes the file at `path` through `write`, which returns false when the device refused
// a write. The file takes the place of an earlier one only once it is complete, so a
// failure (a folder that cannot be written, a full disk) leaves the earlier file as it
// was. Returns the reason for a failure; empty on success. What `write` throws is passed
// on, and the file is left as it was.
QString saveReport(const QString& path, const std::function<bool(QIODevice&)>& write);

// Starts `browser` (its path; blanks around it are dropped) on `page`, which it gets as
// its one argument, whatever blanks or other characters either holds. The program is not
// waited for. False when it cannot be started.
bool startBrowser(const QString& browser, const QString& page);

} // namespace zelk::reports
