#include "register_generator.h"

#include "data/create_db.h"
#include "engine/database.h"
#include "engine/recordset.h"

#include <QDate>
#include <QStringList>
#include <algorithm>

namespace zelk::bench {

std::uint64_t Random::next()
{
    std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

int Random::below(int n)
{
    return int((static_cast<unsigned __int128>(next()) * unsigned(n)) >> 64);
}

int Random::skewed(int n)
{
    return std::min(below(n), below(n));
}

namespace {

// Names are listed most common first, so skewed() gives the Smiths their due. The
// non-ASCII, prefixed and apostrophed names are there because they are what sorting and
// searching get wrong.
const QStringList kWomen = {
    u"Margaret"_qs, u"Susan"_qs, u"Sarah"_qs, u"Elizabeth"_qs, u"Catherine"_qs, u"Helen"_qs, u"Patricia"_qs,
    u"Olivia"_qs, u"Amelia"_qs, u"Emily"_qs, u"Sophie"_qs, u"Grace"_qs, u"Charlotte"_qs, u"Joan"_qs, u"Isla"_qs,
    u"Ava"_qs, u"Eilidh"_qs, u"Ffion"_qs, u"Bethan"_qs, u"Siobhán"_qs, u"Aoife"_qs, u"Niamh"_qs, u"Zoë"_qs,
    u"Chloé"_qs, u"Renée"_qs, u"Anaïs"_qs, u"Małgorzata"_qs, u"Agnieszka"_qs, u"Åsa"_qs, u"Ingrid"_qs,
    u"María"_qs, u"Inés"_qs, u"Begoña"_qs, u"Priya"_qs, u"Aisha"_qs, u"Fatima"_qs, u"Mei"_qs, u"Yuki"_qs,
    u"Chiamaka"_qs, u"Guðrún"_qs, u"Ana-Maria"_qs, u"Mary Ann"_qs,
};
const QStringList kMen = {
    u"John"_qs, u"David"_qs, u"Peter"_qs, u"Michael"_qs, u"Robert"_qs, u"William"_qs, u"James"_qs, u"Thomas"_qs,
    u"Andrew"_qs, u"Ian"_qs, u"Graham"_qs, u"Oliver"_qs, u"George"_qs, u"Harry"_qs, u"Jack"_qs, u"Dafydd"_qs,
    u"Iain"_qs, u"Hamish"_qs, u"Seán"_qs, u"Ciarán"_qs, u"Émile"_qs, u"François"_qs, u"Jérôme"_qs, u"Łukasz"_qs,
    u"Wojciech"_qs, u"Jürgen"_qs, u"Björn"_qs, u"Søren"_qs, u"Ólafur"_qs, u"José"_qs, u"Joaquín"_qs, u"João"_qs,
    u"Rajesh"_qs, u"Mohammed"_qs, u"Wei"_qs, u"Kenji"_qs, u"Kwame"_qs, u"Chukwuemeka"_qs, u"Jean-Luc"_qs,
};
const QStringList kSurnames = {
    u"Smith"_qs, u"Jones"_qs, u"Williams"_qs, u"Taylor"_qs, u"Brown"_qs, u"Davies"_qs, u"Evans"_qs, u"Wilson"_qs,
    u"Thomas"_qs, u"Johnson"_qs, u"Roberts"_qs, u"Robinson"_qs, u"Thompson"_qs, u"Wright"_qs, u"Walker"_qs,
    u"White"_qs, u"Edwards"_qs, u"Hughes"_qs, u"Green"_qs, u"Hall"_qs, u"Wood"_qs, u"Harris"_qs, u"Lewis"_qs,
    u"Martin"_qs, u"Jackson"_qs, u"Clarke"_qs, u"Clark"_qs, u"Turner"_qs, u"Hill"_qs, u"Scott"_qs, u"Cooper"_qs,
    u"Morris"_qs, u"Ward"_qs, u"Moore"_qs, u"King"_qs, u"Watson"_qs, u"Baker"_qs, u"Harrison"_qs, u"Morgan"_qs,
    u"Patel"_qs, u"Young"_qs, u"Allen"_qs, u"Mitchell"_qs, u"Anderson"_qs, u"Phillips"_qs, u"Bell"_qs,
    u"Parker"_qs, u"Campbell"_qs, u"Stewart"_qs, u"Murphy"_qs, u"Kelly"_qs, u"O'Brien"_qs, u"O'Neill"_qs,
    u"O'Connor"_qs, u"McDonald"_qs, u"MacDonald"_qs, u"McLeod"_qs, u"MacLeod"_qs, u"McKenzie"_qs,
    u"Fitzgerald"_qs, u"Smith-Jones"_qs, u"Bowes-Lyon"_qs, u"St John"_qs, u"ap Rhys"_qs, u"de la Cruz"_qs,
    u"de Souza"_qs, u"van der Berg"_qs, u"Van Dyke"_qs, u"D'Angelo"_qs, u"Müller"_qs, u"Mueller"_qs,
    u"Muller"_qs, u"Schäfer"_qs, u"Schröder"_qs, u"Weiß"_qs, u"Öztürk"_qs, u"Çelik"_qs, u"Şahin"_qs,
    u"Nuñez"_qs, u"Peña"_qs, u"García"_qs, u"Gómez"_qs, u"Ólafsson"_qs, u"Jónsdóttir"_qs, u"Wiśniewski"_qs,
    u"Kowalski"_qs, u"Łukaszewicz"_qs, u"Dvořák"_qs, u"Ødegaard"_qs, u"Åberg"_qs, u"Ström"_qs, u"Lefèvre"_qs,
    u"Côté"_qs, u"Dubois"_qs, u"Nguyễn"_qs, u"Singh"_qs, u"Kaur"_qs, u"Khan"_qs, u"Ahmed"_qs, u"Hussain"_qs,
    u"Begum"_qs, u"Chen"_qs, u"Wong"_qs, u"Li"_qs, u"Okafor"_qs, u"Adeyemi"_qs, u"Mensah"_qs, u"Nakamura"_qs,
    u"Papadopoulos"_qs, u"Rossi"_qs, u"Esposito"_qs, u"Ó Súilleabháin"_qs,
};

struct Town {
    const char16_t* name;
    QStringList areas;       // post code areas that serve it
    const char16_t* county;  // empty: none written
};
const std::vector<Town> kTowns = {
    {u"London", {u"N"_qs, u"E"_qs, u"SE"_qs, u"SW"_qs, u"W"_qs, u"NW"_qs}, u""},
    {u"Birmingham", {u"B"_qs}, u"West Midlands"}, {u"Manchester", {u"M"_qs}, u"Greater Manchester"},
    {u"Leeds", {u"LS"_qs}, u"West Yorkshire"}, {u"Bristol", {u"BS"_qs}, u""},
    {u"Sheffield", {u"S"_qs}, u"South Yorkshire"}, {u"Liverpool", {u"L"_qs}, u"Merseyside"},
    {u"Newcastle upon Tyne", {u"NE"_qs}, u"Tyne and Wear"}, {u"York", {u"YO"_qs}, u"North Yorkshire"},
    {u"Oxford", {u"OX"_qs}, u"Oxfordshire"}, {u"Cambridge", {u"CB"_qs}, u"Cambridgeshire"},
    {u"Norwich", {u"NR"_qs}, u"Norfolk"}, {u"Exeter", {u"EX"_qs}, u"Devon"}, {u"Truro", {u"TR"_qs}, u"Cornwall"},
    {u"Brighton", {u"BN"_qs}, u"East Sussex"}, {u"Nottingham", {u"NG"_qs}, u"Nottinghamshire"},
    {u"Bath", {u"BA"_qs}, u"Somerset"}, {u"Edinburgh", {u"EH"_qs}, u"Midlothian"},
    {u"Glasgow", {u"G"_qs}, u"Lanarkshire"}, {u"Aberdeen", {u"AB"_qs}, u"Aberdeenshire"},
    {u"Inverness", {u"IV"_qs}, u"Inverness-shire"}, {u"Cardiff", {u"CF"_qs}, u"South Glamorgan"},
    {u"Swansea", {u"SA"_qs}, u"West Glamorgan"}, {u"Belfast", {u"BT"_qs}, u"County Antrim"},
};

struct Abroad {
    const char16_t* street;
    const char16_t* town;
    const char16_t* postCode;
    const char16_t* country;
    const char16_t* dialling;
};
const std::vector<Abroad> kAbroad = {
    {u"Rue de Rivoli", u"Paris", u"75001", u"France", u"+33 1"},
    {u"Hauptstraße", u"München", u"80331", u"Germany", u"+49 89"},
    {u"Calle Mayor", u"Madrid", u"28013", u"Spain", u"+34 91"},
    {u"Laugavegur", u"Reykjavík", u"101", u"Iceland", u"+354 5"},
    {u"ul. Marszałkowska", u"Warszawa", u"00-001", u"Poland", u"+48 22"},
    {u"Grafton Street", u"Dublin 2", u"D02 X285", u"Ireland", u"+353 1"},
    {u"Elm Street", u"Springfield, IL", u"62701", u"USA", u"+1 217"},
};

const QStringList kStreets = {
    u"High"_qs, u"Church"_qs, u"Station"_qs, u"Victoria"_qs, u"Mill"_qs, u"School"_qs, u"Park"_qs,
    u"Queen's"_qs, u"King's"_qs, u"Manor"_qs, u"Chapel"_qs, u"St Mary's"_qs, u"Orchard"_qs, u"Springfield"_qs,
    u"Westfield"_qs, u"Beech"_qs, u"Oak"_qs, u"Willow"_qs, u"Heol y Parc"_qs, u"Brynmawr"_qs,
};
const QStringList kStreetKinds = {
    u"Street"_qs, u"Road"_qs, u"Lane"_qs, u"Avenue"_qs, u"Close"_qs, u"Drive"_qs, u"Way"_qs,
    u"Gardens"_qs, u"Crescent"_qs, u"Terrace"_qs, u"Place"_qs,
};
const QStringList kHouseNames = {
    u"Rose Cottage"_qs, u"The Old Rectory"_qs, u"Ivy House"_qs, u"Orchard View"_qs, u"Hillside"_qs,
    u"Bryn Awel"_qs, u"Tŷ Newydd"_qs, u"The Coach House"_qs,
};
const QStringList kLocalities = {
    u"Headingley"_qs, u"Clifton"_qs, u"Didsbury"_qs, u"Jesmond"_qs, u"Morningside"_qs, u"Roath"_qs, u"Kew"_qs,
    u"Abbots Langley"_qs, u"Market Weighton"_qs, u"Newton St Cyres"_qs, u"Upper Slaughter"_qs,
    u"Llanfair Caereinion"_qs, u"Bishop's Stortford"_qs,
};
// Letters that end a British post code (C, I, K, M, O and V are never used there).
const QString kUnitLetters = u"ABDEFGHJLNPQRSTUWXYZ"_qs;
// Numbers set aside for drama, so no real telephone is in the register.
const QStringList kPhonePrefixes = {
    u"01632 960"_qs, u"020 7946 0"_qs, u"0113 496 0"_qs, u"0114 496 0"_qs, u"0115 496 0"_qs, u"0117 496 0"_qs,
    u"0121 496 0"_qs, u"0131 496 0"_qs, u"0141 496 0"_qs, u"0161 496 0"_qs, u"028 9649 6"_qs, u"029 2018 0"_qs,
};
const QStringList kMailDomains = {
    u"example.com"_qs, u"example.org"_qs, u"example.net"_qs, u"mail.example.com"_qs,
};
const QStringList kNotes = {
    u"Prefers contact by e-mail."_qs, u"Pays by standing order."_qs,
    u"Wheelchair user: ground floor seating, please."_qs, u"Committee member 2015-2018."_qs,
    u"Moved from the Leeds branch.\r\nTransferred membership kept."_qs, u"Do not send the newsletter by post."_qs,
};

struct MemberType {
    const char16_t* name;
    int weight;      // out of 100
    double fee;      // < 0: none is charged, the fee stays Null
    int minAge, maxAge;
    bool abroad;     // members who live overseas
};
const std::vector<MemberType> kTypes = {
    {u"Full", 45, 25.00, 18, 80, false}, {u"Joint", 15, 37.50, 20, 80, false},
    {u"Senior", 15, 18.00, 60, 90, false}, {u"Junior", 8, 12.50, 8, 17, false},
    {u"Family", 7, 45.00, 25, 60, false}, {u"Overseas", 4, 30.00, 20, 80, true},
    {u"Life", 3, 250.00, 30, 80, false}, {u"Honorary", 2, -1, 40, 90, false},
    {u"Student", 1, 10.00, 18, 25, false},
};
const QStringList kLookups = {
    u"Committee"_qs, u"Volunteer"_qs, u"Newsletter by post"_qs, u"Newsletter by e-mail"_qs, u"Gift Aid"_qs,
    u"Standing order"_qs, u"Car park permit"_qs, u"Quiz team"_qs, u"Bar rota"_qs, u"Garden group"_qs,
    u"Walking group"_qs, u"Choir"_qs, u"Past president"_qs, u"Trustee"_qs,
};

// The register is as it stood on this day; nothing depends on the machine's clock.
const QDate kToday(2026, 1, 1);
const QDate kFirstJoin(1996, 1, 1);

// The letters of a name as an e-mail address would have them: Łukasz Müller -> lukasz, muller.
QString mailPart(const QString& name)
{
    QString out;
    for (const QChar c : name.normalized(QString::NormalizationForm_KD)) {
        const char16_t u = c.toLower().unicode();
        if ((u >= u'a' && u <= u'z') || (u >= u'0' && u <= u'9'))
            out += QChar(u);
        else if (u == u'ł')
            out += u'l';
        else if (u == u'ø')
            out += u'o';
        else if (u == u'ß')
            out += u"ss";
        else if (u == u'ð')
            out += u'd';
    }
    return out;
}

} // namespace

const QStringList& RegisterGenerator::memberTypes()
{
    static const QStringList names = [] {
        QStringList l;
        for (const auto& t : kTypes)
            l << QString::fromUtf16(t.name);
        return l;
    }();
    return names;
}

const QStringList& RegisterGenerator::lookups()
{
    return kLookups;
}

Member RegisterGenerator::member(int i, int count)
{
    Random& r = m_random;
    Member m;
    auto set = [&m](const char* field, QVariant value) { m.emplace_back(QLatin1String(field), std::move(value)); };
    auto pick = [&r](const QStringList& l) { return l[r.below(int(l.size()))]; };
    auto digits = [&r](int n) {
        QString s;
        for (int k = 0; k < n; ++k)
            s += QChar(u'0' + r.below(10));
        return s;
    };
    // Rows brought in by an import keep "" where a typed member has Null.
    const bool imported = r.percent(2);
    auto blank = [imported] { return imported ? QVariant(QString()) : QVariant(); };

    set("Number", i + 2);

    int t = r.below(100);
    size_t type = 0;
    while (type + 1 < kTypes.size() && t >= kTypes[type].weight)
        t -= kTypes[type++].weight;
    const MemberType& mt = kTypes[type];
    if (!r.percent(1))
        set("MemberType", QString::fromUtf16(mt.name));

    // Members join in number order, spread evenly over thirty years.
    const qint64 span = kFirstJoin.daysTo(kToday);
    const QDate join = kFirstJoin.addDays(qint64(i) * span / count + r.below(int(std::max<qint64>(1, span / count))));
    set("JoinDate", join);
    // The renewal date is an anniversary of joining: the next one for a member who pays,
    // the last one paid for for a lapsed member, last year's for one who is late.
    int years = std::max(1, kToday.year() - join.year());
    while (join.addYears(years) < kToday)
        ++years;
    const bool lapsed = r.percent(5);
    if (lapsed)
        years = std::max(1, r.between(1, years - 1));
    else if (r.percent(3) && years > 1)
        --years;
    set("RenewDate", join.addYears(years));
    set("Lapsed", lapsed);
    if (mt.fee >= 0 && !r.percent(3))
        set("FeePaid", mt.fee);
    if (r.percent(85))
        set("Birthday", join.addYears(-r.between(mt.minAge, mt.maxAge)).addDays(-r.below(365)));

    const bool woman = r.percent(52);
    const QString first = woman ? kWomen[r.skewed(int(kWomen.size()))] : kMen[r.skewed(int(kMen.size()))];
    QString surname = kSurnames[r.skewed(int(kSurnames.size()))];
    if (r.percent(2))
        surname = surname.toUpper();   // as typed into the DOS edition
    static const QStringList womenTitles = {u"Mrs"_qs, u"Miss"_qs, u"Ms"_qs, u"Dr"_qs};
    static const QStringList menTitles = {u"Mr"_qs, u"Mr"_qs, u"Mr"_qs, u"Dr"_qs, u"Rev"_qs, u"Prof"_qs};
    if (r.percent(95))
        set("Title", pick(woman ? womenTitles : menTitles));
    else
        set("Title", blank());
    set("FirstName", first);
    set("Surname", surname);

    // Two to four address lines, the town always last but one or last.
    QStringList lines;
    const bool abroad = mt.abroad || r.percent(1);
    const int houseNumber = r.skewed(120) + 1;
    const QString street = pick(kStreets) + u' ' + pick(kStreetKinds);
    QString dialling;
    if (abroad) {
        const Abroad& a = kAbroad[size_t(r.below(int(kAbroad.size())))];
        lines << QString::number(houseNumber) + u' ' + QString::fromUtf16(a.street) << QString::fromUtf16(a.town)
              << QString::fromUtf16(a.country);
        set("PostCode", QString::fromUtf16(a.postCode));
        dialling = QString::fromUtf16(a.dialling);
    } else {
        const int shape = r.below(100);
        if (shape < 12) {
            lines << u"Flat "_qs + QString::number(r.between(1, 24)) << QString::number(houseNumber) + u' ' + street;
        } else if (shape < 24) {
            lines << pick(kHouseNames);
            if (r.percent(60))
                lines << street;
        } else {
            lines << QString::number(houseNumber) + u' ' + street;
        }
        if (lines.size() < 3 && r.percent(40))
            lines << pick(kLocalities);
        const Town& town = kTowns[size_t(r.skewed(int(kTowns.size())))];
        lines << QString::fromUtf16(town.name);
        const QString county = QString::fromUtf16(town.county);
        if (lines.size() < 4 && !county.isEmpty() && r.percent(50))
            lines << county;
        if (r.percent(98)) {
            QString code = pick(town.areas) + QString::number(r.between(1, 20)) + u' ' + QString::number(r.below(10))
                + kUnitLetters[r.below(int(kUnitLetters.size()))] + kUnitLetters[r.below(int(kUnitLetters.size()))];
            if (r.percent(1))
                code.remove(u' ');   // typed without its space
            set("PostCode", code);
        } else {
            set("PostCode", blank());
        }
    }
    static const char* const addressFields[] = {"Address1", "Address2", "Address3", "Address4", "Address5"};
    for (int k = 0; k < int(lines.size()); ++k)
        set(addressFields[k], lines[k]);
    for (int k = int(lines.size()); k < 4; ++k)
        if (imported)
            set(addressFields[k], QString());

    auto phone = [&] { return abroad ? dialling + u' ' + digits(3) + u' ' + digits(4) : pick(kPhonePrefixes) + digits(3); };
    if (r.percent(85))
        set("Phone", phone());
    else
        set("Phone", blank());
    if (r.percent(20))
        set("WorkPhone", phone());
    if (r.percent(3))
        set("Fax", phone());
    if (r.percent(55))
        set("Mobile", abroad ? phone() : u"07700 900"_qs + digits(3));

    const QString f = mailPart(first), s = mailPart(surname);
    if (r.percent(45)) {
        const int style = r.below(3);
        const QString local = style == 0 ? f + u'.' + s : style == 1 ? f.left(1) + s : s + digits(2);
        set("Email", local + u'@' + pick(kMailDomains));
        if (r.percent(10))
            set("Email2", f + u'@' + pick(kMailDomains));
    }
    if (r.percent(3))
        set("InternetLink", u"https://www.example.org/"_qs + s);

    // Lookups fill from the first: nobody has Lookup2 without Lookup1.
    static const char* const lookupFields[] = {"Lookup1", "Lookup2", "Lookup3", "Lookup4", "Lookup5", "Lookup6"};
    static const int lookupShare[] = {450, 200, 80, 30, 10, 5};   // per thousand members
    for (int k = 0; k < 6 && r.below(1000) < lookupShare[k]; ++k)
        set(lookupFields[k], pick(kLookups));

    if (r.percent(8))
        set("Memo", pick(kNotes));
    if (r.percent(2))
        set("Picture", u"photos/"_qs + QString::number(i + 2) + u".jpg"_qs);
    return m;
}

void fillRegister(Database& db, int count, int batch)
{
    auto addAll = [&db](const QString& table, const QString& field, const QStringList& values) {
        auto rs = db.openRecordset(table);
        for (const auto& v : values) {
            rs->addNew();
            rs->setField(field, v);
            rs->update();
        }
    };
    RegisterGenerator generator;
    db.beginTrans();
    try {
        addAll(u"Members"_qs, u"Member Type"_qs, RegisterGenerator::memberTypes());
        addAll(u"Lookups"_qs, u"Lookups"_qs, RegisterGenerator::lookups());
        auto rs = db.openRecordset(u"Zelk"_qs);
        for (int i = 0; i < count; ++i) {
            rs->addNew();
            for (const auto& [field, value] : generator.member(i, count))
                rs->setField(field, value);
            rs->update();
            if ((i + 1) % batch == 0) {
                db.commitTrans();
                db.beginTrans();
            }
        }
        auto settings = db.openRecordset(u"Settings"_qs);
        settings->moveFirst();
        settings->edit();
        settings->setField(u"LastNumber"_qs, count + 1);
        settings->update();
        db.commitTrans();
    } catch (...) {
        if (db.inTransaction())
            db.rollback();
        throw;
    }
}

void generateRegister(const QString& path, int count)
{
    buildNewDatabase(path);
    auto db = Database::open(path);
    fillRegister(*db, count);
}

} // namespace zelk::bench
