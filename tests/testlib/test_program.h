#pragma once
// The whole program started on a register of a test's own: start-up as the program runs
// it, then the real main window, shown and active. Members can be added before the start.
#include "test_world.h"

#include "core/app_state.h"
#include "entry/frm_zelk_main.h"

#include <QVariantMap>
#include <memory>

namespace zelk::test {

class TestProgram {
public:
    explicit TestProgram(const QString& localeName = QStringLiteral("en_GB"));
    ~TestProgram();

    // Adds a member to the register (fields by name; values as the engine takes them).
    // Call before start().
    void addMember(const QVariantMap& fields);
    // Runs start-up and shows the main window; fails the test when it does not start.
    void start();

    TestWorld& world() { return m_world; }
    AppState& state() { return m_state; }
    frmZelkMain& main() { return *m_main; }
    QString databasePath() const;

private:
    TestWorld m_world;
    AppState m_state;
    std::unique_ptr<frmZelkMain> m_main;
};

} // namespace zelk::test

namespace zelk::test {

// The rows a query of the program's dialect gives on the register file, read through a
// connection of its own: each row's values joined by "|", Null as "<null>", dates as
// yyyy-MM-dd.
QStringList registerRows(const QString& databasePath, const QString& sql);

} // namespace zelk::test
