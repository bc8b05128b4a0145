#pragma once
// A register for the import tests: a test world of its own, a new register in it and the
// shared state opened on it as start-up opens it, without any window. Messages go through
// the scripted message box, so a test reads them back with messagesShown().
#include "testlib/test_checks.h"
#include "testlib/test_program.h"
#include "testlib/test_world.h"

#include "core/app_state.h"
#include "core/program_folder.h"
#include "data/create_db.h"
#include "engine/database.h"
#include "engine/recordset.h"
#include "import/member_import.h"
#include "ui/message_box.h"

#include <QDir>
#include <QFile>
#include <QVariantMap>

namespace zelk::test {

class ImportRegister {
public:
    explicit ImportRegister(const QString& locale = QStringLiteral("en_GB"))
        : m_world(locale)
    {
        buildNewDatabase(path());
    }

    QString path() const { return programFile(QStringLiteral("zelk2002.mdb")); }
    TestWorld& world() { return m_world; }

    // Adds a member before the state is opened (fields by name, as the engine takes them).
    void addMember(const QVariantMap& fields)
    {
        auto db = Database::open(path());
        auto rs = db->openRecordset(QStringLiteral("Zelk"));
        rs->addNew();
        for (auto it = fields.begin(); it != fields.end(); ++it)
            rs->setField(it.key(), it.value());
        rs->update();
    }
    void removePlaceholder() { Database::open(path())->execute(QStringLiteral("Delete from Zelk WHERE Number = 1")); }

    // The shared state as start-up leaves it, the members in surname order.
    AppState& state()
    {
        if (!m_state.dbZelk) {
            m_state.DatabasePath = path();
            m_state.dbZelk = Database::open(path());
            m_state.reopen(m_state.rsZelk, membersInOrder(m_state.SortOrder));
            m_state.reopen(m_state.rsSettings, QStringLiteral("Select * from Settings"));
            m_state.reopen(m_state.rsMemberTypes, QStringLiteral("Select * from Members"));
            m_state.reopen(m_state.rsLookups, QStringLiteral("Select * from Lookups"));
            m_state.reopen(m_state.rsLabels, QStringLiteral("Select * from Labels"));
        }
        return m_state;
    }

    // Rows as registerRows gives them ("1|2026-04-01|<null>|...").
    QStringList rows(const QString& sql) const { return registerRows(path(), sql); }
    // Everything an import may change, to compare before and after.
    QStringList everything() const
    {
        return rows(QStringLiteral("Select * from Zelk")) + rows(QStringLiteral("Select * from Members"))
            + rows(QStringLiteral("Select * from Lookups")) + rows(QStringLiteral("Select * from Settings"));
    }

    // Writes a file into the test's program folder and gives its path.
    QString writeFile(const QString& name, const QByteArray& bytes) const
    {
        const QString file = m_world.file(name);
        QDir().mkpath(QFileInfo(file).path());
        QFile f(file);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(file));
        return file;
    }

    import::ImportCallbacks callbacks()
    {
        return {[](const MessageRequest& m) { return MessageBox::show(m); }, {}};
    }

private:
    TestWorld m_world;
    AppState m_state;
};

} // namespace zelk::test
