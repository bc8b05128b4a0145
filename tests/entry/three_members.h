#pragma once
// The register most tests of the main window start from, and what they read back from it.
#include "testlib/test_program.h"
#include "testlib/test_registry.h"

#include "engine/database.h"
#include "ui/modal.h"

#include <QDialog>

namespace zelk::test {

// Three members besides the placeholder, in surname order: "", Adams (3), Smith (2),
// Young (4). The counter stands at 4.
inline void threeMembers(TestProgram& p)
{
    p.addMember({{"Number", 2}, {"Surname", "Smith"}, {"Address1", "1 High Street"}, {"FirstName", "John"}, {"FeePaid", 12.5},
                 {"PostCode", "NR21 0AB"}, {"MemberType", "Full"}, {"RenewDate", QDate(2027, 4, 1)}});
    p.addMember({{"Number", 3}, {"Surname", "Adams"}, {"Address1", "2 Low Road"}, {"FirstName", "Ada"}, {"PostCode", "AB1 2CD"},
                 {"MemberType", "Life"}, {"RenewDate", QDate(2026, 1, 1)}});
    p.addMember({{"Number", 4}, {"Surname", "Young"}, {"Address1", "3 Mill Lane"}, {"FirstName", "Yan"},
                 {"PostCode", "ZZ9 9ZZ"}, {"MemberType", "Associate"}, {"RenewDate", QDate(2028, 6, 30)}});
    Database::open(p.databasePath())->execute(QStringLiteral("UPDATE Settings SET LastNumber = 4"));
    p.start();
}

inline QStringList rows(TestProgram& p, const QString& sql)
{
    return registerRows(p.databasePath(), sql);
}

// Records the titles of the windows opened modally, closing each at once.
struct OpenedWindows {
    QStringList titles;
    OpenedWindows()
    {
        setModalHandler([this](QDialog& d) {
            titles << d.windowTitle();
            d.done(QDialog::Rejected);
        });
    }
    ~OpenedWindows() { setModalHandler({}); }
};

} // namespace zelk::test
