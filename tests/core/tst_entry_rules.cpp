// The text rules of data entry: capitals, e-mail addresses and the membership-year dates,
// under several regional settings.
#include "testlib/test_checks.h"
#include "testlib/test_registry.h"
#include "testlib/test_world.h"

#include "core/membership_dates.h"
#include "core/text_rules.h"

using namespace zelk;
using namespace zelk::test;

class EntryRulesTest : public QObject {
    Q_OBJECT

private slots:
    // properCase starts words only after blanks, tabs and line breaks; MixedCase trims, also
    // starts them after . , ' and -, and rewrites its argument.
    void capitals()
    {
        checkEach({{"mary o'BRIEN-SMITH, j.r.", "Mary O'brien-smith, J.r. / Mary O'Brien-Smith, J.R."},
                   {"émile ÓLAFSSON-ÜBER", "Émile Ólafsson-über / Émile Ólafsson-Über"}, {"a\tb\nc d", "A\tB\nC D / A\tb\nc D"},
                   {"  12b high STREET ", "  12b High Street  / 12b High Street"}, {"", " / "}},
                  [](QString s) { const QString proper = properCase(s), mixed = MixedCase(s); return proper + " / " + (mixed == s ? mixed : "left as " + s); });
    }

    void emailAddressesReportTheFirstRuleBroken()
    {
        const QString start = QStringLiteral("That doesn't seem to be a valid e-mail address");
        const QString basic = start + ". It must have an @ sign and cannot have spaces or double full stops. Do you want to correct it?";
        const QString twoAts = start + ". It can only have one @ sign in it. Do you want to correct it?";
        const QString tooShort = start + " - it is too short. Do you want to correct it?";
        checkEach({{"ab@cd.e", ""}, {"ab@c.d", tooShort}, {"jo.club.org", basic}, {"jo @club.org", basic},
                   {"a..b@c@d.org", basic}, {"jo@home@club.org", twoAts}, {"@c.org", tooShort},
                   {"@club.org.uk", start + ". There should be something before the @ sign.\nDo you want to correct it?"}},
                  [](const QString& a) { return emailAddressProblem(a).value_or(QString()); });
    }

    // On 20 March 2026: no rule ("-" for Null, or empty) gives today; "05/" the 5th of this
    // month; a stored day and month that date this year, the latter two as typed dates.
    void automaticJoinDates()
    {
        TestWorld world;
        checkEach({{"en_GB -", "20/03/2026"}, {"en_GB ", "20/03/2026"}, {"en_GB 05/", "05/03/26"}, {"en_GB 01/04", "01/04/26"},
                   {"en_US -", "3/20/2026"}, {"en_US 05/", "03/05/26"}, {"en_US 04/01", "04/01/26"},
                   {"de_DE -", "20.03.2026"}, {"de_DE 05/", "05.03.26"}, {"de_DE 01.04", "01.04.26"}},
                  [](const QString& in) {
                      const QString rule = underLocale(in);
                      return automaticJoinDate(rule == "-" ? QVariant() : QVariant(rule), QDate(2026, 3, 20));
                  });
    }

    // The renewal date is the anniversary itself; months keep to the month's end ("-": no rule).
    void automaticRenewalDates()
    {
        TestWorld world;
        checkEach({{"en_GB 01/04/2026 1y", "01/04/2027"}, {"en_GB 31/08/2026 6m", "28/02/2027"},
                   {"en_GB 01/04/2026 30d", "01/05/2026"}, {"en_GB 29/02/2024 1y", "28/02/2025"},
                   {"en_GB 01/04/26 1y", "01/04/2027"}, {"en_US 8/31/2026 6m", "2/28/2027"},
                   {"de_DE 01.04.26 1y", "01.04.2027"}, {"en_GB next_week 1y", ""}, {"en_GB 01/04/2026 2w", ""},
                   {"en_GB 01/04/2026 -", ""}},
                  [](const QString& in) {
                      const QString typed = underLocale(in);
                      const QString rule = typed.section(u' ', 1);
                      return automaticRenewalDate(typed.section(u' ', 0, 0), rule == "-" ? QVariant() : QVariant(rule));
                  });
    }
};

ZELK_TEST(EntryRulesTest)
#include "tst_entry_rules.moc"
