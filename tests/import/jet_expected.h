#pragma once
// Every value of the tables of the shared Jet test files as their README gives them: rows in
// stored order, each row's values in the order of its fields. A text stands between ⟨ and ⟩
// with its blanks as they are and ␍ ␊ ␉ for CR, LF and tab; Null is Null; a text longer than
// 150 characters is given as memo:SHA-256/length; amounts have four decimals; a Single is
// the decimal that was stored.
#include <QString>
#include <vector>

namespace zelk::test::jet_expected {

using namespace Qt::StringLiterals;
using Rows = std::vector<std::vector<QString>>;

// zelk.mdb, table Zelk
inline const QString zelkZelkFields = u"Number Long, JoinDate Date/Time, RenewDate Date/Time, FeePaid Currency, Title Text(100), FirstName Text(100), Surname Text(100), Address1 Text(100), Address2 Text(100), Address3 Text(100), Address4 Text(100), PostCode Text(100), Phone Text(50), WorkPhone Text(50), MemberType Text(100), Lookup1 Text(100), Lookup2 Text(100), Lookup3 Text(100), Lookup4 Text(100), Lookup5 Text(100), Lookup6 Text(100), Birthday Date/Time, Memo Memo, Suffix Text(10), Fax Text(50), Mobile Text(50)"_s;
inline const Rows zelkZelk{
    {u"2"_s, u"1998-04-01"_s, u"1999-04-01"_s, u"12.5000"_s, u"⟨Mr⟩"_s, u"⟨John⟩"_s, u"⟨Smith⟩"_s, u"⟨12 High Street⟩"_s, u"⟨Little Snoring⟩"_s, u"⟨Fakenham⟩"_s, u"⟨Norfolk⟩"_s, u"⟨NR21 0AB⟩"_s, u"⟨01328 123456⟩"_s, u"⟨01603 654321⟩"_s, u"⟨Full⟩"_s, u"⟨Committee⟩"_s, u"⟨Newsletter⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"1950-07-14"_s, u"⟨Paid by cheque.⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨07700 900123⟩"_s},
    {u"3"_s, u"1999-12-31"_s, u"2000-12-31"_s, u"0.0000"_s, u"⟨ Mrs ⟩"_s, u"⟨  Jane⟩"_s, u"⟨  Smith  ⟩"_s, u"⟨  4 Church Lane  ⟩"_s, u"⟨Little Snoring ⟩"_s, u"Null"_s, u"Null"_s, u"⟨ NR21 0AC⟩"_s, u"⟨01328 111222 ⟩"_s, u"Null"_s, u"⟨ Family ⟩"_s, u"⟨Newsletter  ⟩"_s, u"⟨  Volunteer⟩"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"1925-03-17"_s, u"⟨  Widow of the late Mr Smith.  ⟩"_s, u"⟨ Sr ⟩"_s, u"Null"_s, u"⟨  07700 900456  ⟩"_s},
    {u"4"_s, u"2000-02-29"_s, u"2001-02-28"_s, u"1234.5678"_s, u"⟨Ms⟩"_s, u"⟨Zoë⟩"_s, u"⟨Müller⟩"_s, u"⟨Hauptstraße 7⟩"_s, u"⟨Köln⟩"_s, u"⟨⟩"_s, u"⟨Deutschland⟩"_s, u"⟨50667⟩"_s, u"⟨+49 221 123456⟩"_s, u"⟨⟩"_s, u"⟨Associate⟩"_s, u"⟨Café helpers⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"1968-02-29"_s, u"⟨Überweisung erhalten – danke!⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s},
    {u"5"_s, u"1995-06-01"_s, u"1996-06-01"_s, u"25.0000"_s, u"⟨Mr⟩"_s, u"⟨Sigurður⟩"_s, u"⟨Ólafsson⟩"_s, u"⟨Laugavegur 1⟩"_s, u"⟨Reykjavík⟩"_s, u"⟨Ísland⟩"_s, u"⟨⟩"_s, u"⟨101⟩"_s, u"⟨+354 555 1234⟩"_s, u"⟨⟩"_s, u"⟨Full⟩"_s, u"⟨Committee⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"1900-02-28"_s, u"⟨Pays in króna; fee recorded as £25.⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s},
    {u"6"_s, u"2001-09-01"_s, u"2002-09-01"_s, u"12.5000"_s, u"⟨Sr.⟩"_s, u"⟨José⟩"_s, u"⟨Nuñez⟩"_s, u"⟨Calle de Alcalá 1⟩"_s, u"⟨Madrid⟩"_s, u"⟨España⟩"_s, u"⟨⟩"_s, u"⟨28014⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨Full⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"1975-11-20"_s, u"⟨Paid €20 in cash – see O’Neill’s receipt.⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨+34 600 123 456⟩"_s},
    {u"1"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"⟨⟩"_s, u"⟨   ⟩"_s, u"⟨  ⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"Null"_s, u"⟨⟩"_s, u"Null"_s, u"⟨⟩"_s, u"⟨⟩"_s},
    {u"7"_s, u"1899-12-30"_s, u"2030-12-31"_s, u"-25.7500"_s, u"⟨Dr⟩"_s, u"⟨Mary-Kate⟩"_s, u"⟨O'Brien⟩"_s, u"⟨Flat 3, \"The Gables\"⟩"_s, u"⟨St. Mary's Road⟩"_s, u"⟨Cork, Co. Cork⟩"_s, u"⟨Ireland⟩"_s, u"⟨T12 AB34⟩"_s, u"⟨021 4123456⟩"_s, u"⟨⟩"_s, u"⟨Life⟩"_s, u"⟨Say \"cheese\"⟩"_s, u"⟨a,b,c⟩"_s, u"⟨it's⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"1929-10-29"_s, u"⟨Refund of 25.75 issued; she said \"thanks, see you\".⟩"_s, u"⟨PhD⟩"_s, u"⟨021 4654321⟩"_s, u"⟨⟩"_s},
    {u"8"_s, u"1998-04-01"_s, u"1999-04-01"_s, u"12.5000"_s, u"⟨Mrs⟩"_s, u"⟨Ann⟩"_s, u"⟨Long-Memo⟩"_s, u"⟨1 Archive Row⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨AB1 2CD⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨Full⟩"_s, u"⟨Volunteer⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"1945-05-08"_s, u"memo:50f651bc689ea9a8546ae8ec32e7f983e5d1a366935ec3ea3d5aed6fc0f03cf0/1896"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s},
    {u"9"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s},
    {u"10"_s, u"1997-01-01"_s, u"1998-01-01"_s, u"12.5000"_s, u"⟨Mr⟩"_s, u"⟨Peter⟩"_s, u"⟨Jones⟩"_s, u"⟨2 Mill Lane⟩"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"⟨ZZ1 1ZZ⟩"_s, u"Null"_s, u"Null"_s, u"⟨Full⟩"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"⟨First of two members numbered 10.⟩"_s, u"Null"_s, u"Null"_s, u"Null"_s},
    {u"10"_s, u"1997-01-01"_s, u"1998-01-01"_s, u"12.5000"_s, u"⟨Mrs⟩"_s, u"⟨Paula⟩"_s, u"⟨Jones⟩"_s, u"⟨2 Mill Lane⟩"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"⟨ZZ1 1ZZ⟩"_s, u"Null"_s, u"Null"_s, u"⟨Family⟩"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"⟨Second of two members numbered 10.⟩"_s, u"Null"_s, u"Null"_s, u"Null"_s},
    {u"12"_s, u"2002-01-15 09:30:00"_s, u"2003-01-15"_s, u"12.5000"_s, u"⟨⟩"_s, u"⟨Cher⟩"_s, u"Null"_s, u"⟨Sunset Boulevard⟩"_s, u"⟨Los Angeles, CA⟩"_s, u"Null"_s, u"Null"_s, u"⟨90028⟩"_s, u"Null"_s, u"Null"_s, u"⟨Honorary⟩"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"1946-05-20"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"⟨+1 555 0100⟩"_s},
};

// zelk.mdb, table Members
inline const QString zelkMembersFields = u"Member Type Text(100)"_s;
inline const Rows zelkMembers{
    {u"⟨Full⟩"_s},
    {u"⟨ Family ⟩"_s},
    {u"⟨Associate⟩"_s},
    {u"⟨Full⟩"_s},
    {u"⟨⟩"_s},
    {u"⟨   ⟩"_s},
    {u"Null"_s},
    {u"⟨Life⟩"_s},
};

// zelk.mdb, table Lookups
inline const QString zelkLookupsFields = u"Lookups Text(100)"_s;
inline const Rows zelkLookups{
    {u"⟨Committee⟩"_s},
    {u"⟨Newsletter⟩"_s},
    {u"⟨  Volunteer  ⟩"_s},
    {u"⟨Newsletter⟩"_s},
    {u"⟨⟩"_s},
    {u"⟨ ⟩"_s},
    {u"Null"_s},
    {u"⟨Café helpers⟩"_s},
};

// zelk-empty.mdb, table Zelk
inline const QString zelkEmptyZelkFields = u"Number Long, JoinDate Date/Time, RenewDate Date/Time, FeePaid Currency, Title Text(100), FirstName Text(100), Surname Text(100), Address1 Text(100), Address2 Text(100), Address3 Text(100), Address4 Text(100), PostCode Text(100), Phone Text(50), WorkPhone Text(50), MemberType Text(100), Lookup1 Text(100), Lookup2 Text(100), Lookup3 Text(100), Lookup4 Text(100), Lookup5 Text(100), Lookup6 Text(100), Birthday Date/Time, Memo Memo, Suffix Text(10), Fax Text(50), Mobile Text(50)"_s;
inline const Rows zelkEmptyZelk{};

// zelk-empty.mdb, table Members
inline const QString zelkEmptyMembersFields = u"Member Type Text(100)"_s;
inline const Rows zelkEmptyMembers{
    {u"⟨Full⟩"_s},
    {u"⟨Family⟩"_s},
};

// zelk-empty.mdb, table Lookups
inline const QString zelkEmptyLookupsFields = u"Lookups Text(100)"_s;
inline const Rows zelkEmptyLookups{
    {u"⟨Committee⟩"_s},
    {u"⟨Newsletter⟩"_s},
};

// zelk-missing-table.mdb, table Zelk
inline const QString zelkMissingTableZelkFields = u"Number Long, JoinDate Date/Time, RenewDate Date/Time, FeePaid Currency, Title Text(100), FirstName Text(100), Surname Text(100), Address1 Text(100), Address2 Text(100), Address3 Text(100), Address4 Text(100), PostCode Text(100), Phone Text(50), WorkPhone Text(50), MemberType Text(100), Lookup1 Text(100), Lookup2 Text(100), Lookup3 Text(100), Lookup4 Text(100), Lookup5 Text(100), Lookup6 Text(100), Birthday Date/Time, Memo Memo, Suffix Text(10), Fax Text(50), Mobile Text(50)"_s;
inline const Rows zelkMissingTableZelk{
    {u"2"_s, u"1998-04-01"_s, u"1999-04-01"_s, u"12.5000"_s, u"⟨Mr⟩"_s, u"⟨John⟩"_s, u"⟨Smith⟩"_s, u"⟨12 High Street⟩"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"⟨NR21 0AB⟩"_s, u"Null"_s, u"Null"_s, u"⟨Full⟩"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"⟨Row 1 of 2.⟩"_s, u"Null"_s, u"Null"_s, u"Null"_s},
    {u"3"_s, u"1999-12-31"_s, u"2000-12-31"_s, u"0.0000"_s, u"⟨Mrs⟩"_s, u"⟨Jane⟩"_s, u"⟨Smith⟩"_s, u"⟨4 Church Lane⟩"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"⟨NR21 0AC⟩"_s, u"Null"_s, u"Null"_s, u"⟨Family⟩"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"⟨Row 2 of 2.⟩"_s, u"Null"_s, u"Null"_s, u"Null"_s},
};

// zelk-missing-table.mdb, table Members
inline const QString zelkMissingTableMembersFields = u"Member Type Text(100)"_s;
inline const Rows zelkMissingTableMembers{
    {u"⟨Full⟩"_s},
    {u"⟨Family⟩"_s},
};

// zelk2002.mdb, table Zelk
inline const QString zelk2002ZelkFields = u"Number Long, JoinDate Date/Time, RenewDate Date/Time, FeePaid Currency, Title Text(100), FirstName Text(100), Surname Text(100), Address1 Text(100), Address2 Text(100), Address3 Text(100), Address4 Text(100), Address5 Text(100), PostCode Text(100), Phone Text(50), WorkPhone Text(50), MemberType Text(100), Lookup1 Text(100), Lookup2 Text(100), Lookup3 Text(100), Lookup4 Text(100), Lookup5 Text(100), Lookup6 Text(100), Birthday Date/Time, Memo Memo, Suffix Text(10), AlwaysInclude Yes/No (Boolean), Picture Text(255), Fax Text(50), Mobile Text(50), Email Text(100), Email2 Text(100), InternetLink Text(255), Lapsed Yes/No (Boolean)"_s;
inline const Rows zelk2002Zelk{
    {u"1"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"Null"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"Null"_s, u"⟨⟩"_s, u"Null"_s, u"False"_s, u"Null"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"False"_s},
    {u"2"_s, u"2002-04-01"_s, u"2003-03-31"_s, u"15.0000"_s, u"⟨Mr⟩"_s, u"⟨John⟩"_s, u"⟨Smith⟩"_s, u"⟨12 High Street⟩"_s, u"⟨Little Snoring⟩"_s, u"⟨Fakenham⟩"_s, u"⟨Norfolk⟩"_s, u"⟨England⟩"_s, u"⟨NR21 0AB⟩"_s, u"⟨01328 123456⟩"_s, u"⟨01603 654321⟩"_s, u"⟨Full⟩"_s, u"⟨Committee⟩"_s, u"⟨Newsletter⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"1950-07-14"_s, u"⟨Treasurer 2002-2004.⟩"_s, u"⟨⟩"_s, u"False"_s, u"⟨C:\\My Documents\\Photos\\smith.jpg⟩"_s, u"⟨⟩"_s, u"⟨07700 900123⟩"_s, u"⟨john.smith@example.com⟩"_s, u"⟨⟩"_s, u"⟨http://www.example.com/~jsmith⟩"_s, u"False"_s},
    {u"3"_s, u"1999-04-01"_s, u"2001-03-31"_s, u"0.0000"_s, u"⟨Mrs⟩"_s, u"⟨Jane⟩"_s, u"⟨Smith⟩"_s, u"⟨4 Church Lane⟩"_s, u"⟨Little Snoring⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨NR21 0AC⟩"_s, u"⟨01328 111222⟩"_s, u"⟨⟩"_s, u"⟨Family⟩"_s, u"⟨Newsletter⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"1925-03-17"_s, u"⟨Lapsed: did not renew in 2001.⟩"_s, u"⟨⟩"_s, u"False"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨jane@example.org⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"True"_s},
    {u"14"_s, u"2000-02-29"_s, u"2001-02-28"_s, u"1234.5678"_s, u"⟨Ms⟩"_s, u"⟨Zoë⟩"_s, u"⟨Müller-Lüdenscheidt⟩"_s, u"⟨Hauptstraße 7⟩"_s, u"⟨Köln⟩"_s, u"⟨Nordrhein-Westfalen⟩"_s, u"⟨⟩"_s, u"⟨Deutschland⟩"_s, u"⟨50667⟩"_s, u"⟨+49 221 123456⟩"_s, u"⟨⟩"_s, u"⟨Associate⟩"_s, u"⟨Café helpers⟩"_s, u"⟨Newsletter⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨Übersetzer⟩"_s, u"1968-02-29"_s, u"⟨Paid €1234.5678 by transfer – “Überweisung” – O’Neill’s bank.⟩"_s, u"⟨⟩"_s, u"True"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨zoe.mueller@example.de⟩"_s, u"⟨zoë@example.de⟩"_s, u"⟨⟩"_s, u"False"_s},
    {u"15"_s, u"1899-12-30"_s, u"2030-12-31"_s, u"-25.7500"_s, u"⟨Dr⟩"_s, u"⟨Mary-Kate⟩"_s, u"⟨O'Brien⟩"_s, u"⟨Flat 3, \"The Gables\"⟩"_s, u"⟨St. Mary's Road⟩"_s, u"⟨Cork, Co. Cork⟩"_s, u"⟨⟩"_s, u"⟨Ireland⟩"_s, u"⟨T12 AB34⟩"_s, u"⟨021 4123456⟩"_s, u"⟨⟩"_s, u"⟨Life⟩"_s, u"⟨Say \"cheese\"⟩"_s, u"⟨a,b,c⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"1929-10-29"_s, u"⟨Refund of 25.75 issued; she said \"thanks, see you\".⟩"_s, u"⟨PhD⟩"_s, u"False"_s, u"⟨D:\\Photos\\O'Brien, Mary-Kate.jpg⟩"_s, u"⟨021 4654321⟩"_s, u"⟨⟩"_s, u"⟨mk.obrien@example.ie⟩"_s, u"⟨mary-kate+club@example.ie⟩"_s, u"⟨https://example.ie/?a=1&b=2⟩"_s, u"False"_s},
    {u"23"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"False"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"False"_s},
    {u"23"_s, u"1997-01-01"_s, u"1998-01-01"_s, u"12.5000"_s, u"⟨Mrs⟩"_s, u"⟨Paula⟩"_s, u"⟨Jones⟩"_s, u"⟨2 Mill Lane⟩"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"⟨ZZ1 1ZZ⟩"_s, u"Null"_s, u"Null"_s, u"⟨Family⟩"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"⟨Shares number 23 with the previous row.⟩"_s, u"Null"_s, u"True"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"True"_s},
    {u"40"_s, u"2002-01-15 09:30:00"_s, u"2003-01-15"_s, u"12.5000"_s, u"⟨⟩"_s, u"⟨Cher⟩"_s, u"Null"_s, u"⟨  Sunset Boulevard  ⟩"_s, u"⟨Los Angeles, CA⟩"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"⟨90028⟩"_s, u"Null"_s, u"Null"_s, u"⟨Honorary⟩"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"1946-05-20"_s, u"Null"_s, u"Null"_s, u"False"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"⟨ cher@example.com ⟩"_s, u"Null"_s, u"Null"_s, u"False"_s},
    {u"56"_s, u"1961-01-01"_s, u"2004-01-01"_s, u"12.5000"_s, u"⟨Mr⟩"_s, u"⟨Albert⟩"_s, u"⟨Winterbottom⟩"_s, u"⟨The Old Rectory⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨LS1 1AA⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨Life⟩"_s, u"⟨Committee⟩"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"1900-02-28"_s, u"memo:f3daa9811886e2b24a056089d5c07121f1c70fcd14de9d46abef9b7aa19414b1/4458"_s, u"Null"_s, u"False"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"False"_s},
    {u"57"_s, u"2003-04-01"_s, u"2004-03-31"_s, u"12.5000"_s, u"⟨Mr⟩"_s, u"⟨Sigurður⟩"_s, u"⟨Ólafsson⟩"_s, u"⟨Laugavegur 1⟩"_s, u"⟨Reykjavík⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨Ísland⟩"_s, u"⟨101⟩"_s, u"⟨+354 555 1234⟩"_s, u"⟨⟩"_s, u"⟨Full⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"1971-12-01"_s, u"⟨Newest member; LastNumber is 57.⟩"_s, u"⟨Jr⟩"_s, u"False"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"⟨sigurdur@example.is⟩"_s, u"⟨⟩"_s, u"⟨⟩"_s, u"False"_s},
};

// zelk2002.mdb, table Lookups
inline const QString zelk2002LookupsFields = u"Lookups Text(100)"_s;
inline const Rows zelk2002Lookups{
    {u"⟨Committee⟩"_s},
    {u"⟨Newsletter⟩"_s},
    {u"⟨Café helpers⟩"_s},
    {u"⟨Übersetzer⟩"_s},
    {u"⟨  Volunteer  ⟩"_s},
    {u"Null"_s},
};

// zelk2002.mdb, table Members
inline const QString zelk2002MembersFields = u"Member Type Text(100)"_s;
inline const Rows zelk2002Members{
    {u"⟨Full⟩"_s},
    {u"⟨Family⟩"_s},
    {u"⟨Associate⟩"_s},
    {u"⟨Life⟩"_s},
    {u"⟨Honorary⟩"_s},
    {u"⟨ Junior ⟩"_s},
    {u"Null"_s},
};

// zelk2002.mdb, table Settings
inline const QString zelk2002SettingsFields = u"LastNumber Long, AllowJoinDate Yes/No (Boolean), AllowRenewDate Yes/No (Boolean), AllowFeePaid Yes/No (Boolean), AllowBirthday Yes/No (Boolean), AllowTitle Yes/No (Boolean), AllowFirstName Yes/No (Boolean), AllowSurname Yes/No (Boolean), AllowAddress1 Yes/No (Boolean), AllowAddress2 Yes/No (Boolean), AllowAddress3 Yes/No (Boolean), AllowAddress4 Yes/No (Boolean), AllowAddress5 Yes/No (Boolean), AllowPostCode Yes/No (Boolean), AllowPhone Yes/No (Boolean), AllowWorkPhone Yes/No (Boolean), AllowFax Yes/No (Boolean), AllowMobile Yes/No (Boolean), AllowEmail Yes/No (Boolean), AllowEmail2 Yes/No (Boolean), AllowMemberType Yes/No (Boolean), AllowLookup1 Yes/No (Boolean), AllowLookup2 Yes/No (Boolean), AllowLookup3 Yes/No (Boolean), AllowLookup4 Yes/No (Boolean), AllowLookup5 Yes/No (Boolean), AllowLookup6 Yes/No (Boolean), AllowHttp Yes/No (Boolean), AllowNotes Yes/No (Boolean), AllowPicture Yes/No (Boolean), AllowLapsed Yes/No (Boolean), ScreenNumber Text(100), ScreenJoinDate Text(100), ScreenRenewDate Text(100), ScreenFeePaid Text(100), ScreenBirthday Text(100), ScreenTitle Text(100), ScreenFirstName Text(100), ScreenSurname Text(100), ScreenAddress Text(100), ScreenPostCode Text(100), ScreenHomePhone Text(100), ScreenWorkPhone Text(100), ScreenFax Text(100), ScreenMobile Text(100), ScreenEmail Text(100), ScreenEmail2 Text(100), ScreenMemberType Text(100), ScreenLookups Text(100), ScreenHttp Text(100), ScreenNotes Text(100), ScreenPicture Text(100), ScreenLapsed Text(100), ScreenNavigate Text(100), ScreenSave Text(100), ScreenUndo Text(100), ScreenNew Text(100), ScreenDelete Text(100), YearStart Text(100), YearEnd Text(100)"_s;
inline const Rows zelk2002Settings{
    {u"57"_s, u"True"_s, u"True"_s, u"True"_s, u"True"_s, u"True"_s, u"True"_s, u"True"_s, u"True"_s, u"True"_s, u"True"_s, u"True"_s, u"False"_s, u"True"_s, u"True"_s, u"True"_s, u"False"_s, u"True"_s, u"True"_s, u"False"_s, u"True"_s, u"True"_s, u"True"_s, u"True"_s, u"True"_s, u"True"_s, u"False"_s, u"True"_s, u"True"_s, u"False"_s, u"True"_s, u"⟨Member No.⟩"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"⟨Zip Code⟩"_s, u"⟨Phone⟩"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"⟨Interests⟩"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"⟨⟩"_s, u"Null"_s, u"⟨&Store⟩"_s, u"Null"_s, u"Null"_s, u"Null"_s, u"⟨01/04⟩"_s, u"⟨1y⟩"_s},
};

// zelk2002.mdb, table Labels
inline const QString zelk2002LabelsFields = u"LabelName Text(100), TopMargin Single, LeftMargin Single, LabelHeight Single, LabelWidth Single, LabelVertGap Single, LabelHorizGap Single, LabelsWide Integer, LabelsHigh Integer, LabelFont Text(100), FontSize Single"_s;
inline const Rows zelk2002Labels{
    {u"⟨L7159⟩"_s, u"0.54"_s, u"0.25"_s, u"1.33"_s, u"2.52"_s, u"0"_s, u"0.11"_s, u"3"_s, u"8"_s, u"Null"_s, u"Null"_s},
    {u"⟨L7160⟩"_s, u"0.63"_s, u"0.28"_s, u"1.5"_s, u"2.5"_s, u"0"_s, u"0.1"_s, u"3"_s, u"7"_s, u"Null"_s, u"Null"_s},
    {u"⟨L7162⟩"_s, u"0.54"_s, u"0.18"_s, u"1.33"_s, u"3.9"_s, u"0"_s, u"0.1"_s, u"2"_s, u"8"_s, u"Null"_s, u"Null"_s},
    {u"⟨L7163⟩"_s, u"0.63"_s, u"0.18"_s, u"1.5"_s, u"3.9"_s, u"0"_s, u"0.1"_s, u"2"_s, u"7"_s, u"Null"_s, u"Null"_s},
    {u"⟨5159⟩"_s, u"0.25"_s, u"0.13"_s, u"1.5"_s, u"4"_s, u"0"_s, u"0.13"_s, u"2"_s, u"7"_s, u"Null"_s, u"Null"_s},
    {u"⟨5162⟩"_s, u"0.83"_s, u"0.16"_s, u"1.33"_s, u"4"_s, u"0"_s, u"0.19"_s, u"2"_s, u"7"_s, u"Null"_s, u"Null"_s},
    {u"⟨MYSHEET⟩"_s, u"0.5"_s, u"0.2"_s, u"1.5"_s, u"2.75"_s, u"0.05"_s, u"0.125"_s, u"3"_s, u"7"_s, u"⟨Arial⟩"_s, u"10"_s},
};

} // namespace zelk::test::jet_expected
