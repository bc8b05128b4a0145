#include "data_export.h"

#include "engine/recordset.h"
#include "engine/regional.h"

#include <QHash>
#include <QIODevice>

namespace zelk::reports {

namespace {

// The 29 columns, in the order of the header.
enum Field {
    Number, JoinDate, RenewDate, Birthday, FeePaid, Title, FirstName, Surname, Address1, Address2, Address3, Address4,
    Address5, PostCode, Phone, WorkPhone, Fax, Mobile, Email, Email2, InternetLink, MemberType, Lookup1, Lookup2,
    Lookup3, Lookup4, Lookup5, Lookup6, Lapsed
};

// A value's text, any double quote in it doubled (the quotes around it are the line's).
void putEscaped(TextWriter& out, QStringView text)
{
    qsizetype from = 0;
    for (qsizetype at; (at = text.indexOf(u'"', from)) >= 0; from = at + 1)
        out << text.sliced(from, at + 1 - from) << u'"';
    out << text.sliced(from);
}

// The text a value of a text field holds, read in place.
QStringView textOf(const QVariant& value)
{
    if (value.typeId() == QMetaType::QString)
        return *static_cast<const QString*>(value.constData());
    return {};
}

class LineWriter {
public:
    LineWriter(const Recordset& members, bool upperCase)
        : m(members, {"Number", "JoinDate", "RenewDate", "Birthday", "FeePaid", "Title", "FirstName", "Surname",
                      "Address1", "Address2", "Address3", "Address4", "Address5", "PostCode", "Phone", "WorkPhone",
                      "Fax", "Mobile", "Email", "Email2", "InternetLink", "MemberType", "Lookup1", "Lookup2",
                      "Lookup3", "Lookup4", "Lookup5", "Lookup6", "Lapsed"})
        , upper(upperCase)
    {
    }

    // Each value between double quotes, the values separated by commas: the line is
    // written as '"', then each value followed by '","', and the lapsed flag last.
    void write(TextWriter& out)
    {
        static const QString between = QStringLiteral("\",\"");
        out << u'"';
        for (int f = Number; f < Lapsed; ++f) {
            const QVariant value = m.value(f);
            if (value.isNull())
                ;   // an empty pair of quotes
            else if ((f == JoinDate || f == RenewDate || f == Birthday) && upper)
                putEscaped(out, dates.text(value).toUpper());
            else if (f == JoinDate || f == RenewDate || f == Birthday)
                putEscaped(out, dates.text(value));
            else if (f == FeePaid)
                putEscaped(out, currency(value.toDouble()));
            else if (f == Number)
                out << QString::number(value.toLongLong());
            else if (upper && f != InternetLink)
                putEscaped(out, value.toString().toUpper());
            else if (value.typeId() == QMetaType::QString)
                putEscaped(out, textOf(value));
            else
                putEscaped(out, value.toString());
            out << between;
        }
        out << (m.value(Lapsed).toBool() ? QStringLiteral("TRUE\"") : QStringLiteral("FALSE\""));
        out.endLine();
    }

private:
    // Fees repeat from member to member: each amount is formatted once.
    const QString& currency(double amount)
    {
        auto it = fees.constFind(amount);
        if (it != fees.constEnd())
            return *it;
        return *fees.insert(amount, regional::formatCurrency(amount));
    }

    MemberFields m;
    bool upper;
    LongDates dates;
    QHash<double, QString> fees;
};

} // namespace

void StartFile(TextWriter& out)
{
    out.line(QStringLiteral(
        "\"Number\",\"Join Date\",\"Renewal Date\",\"Birthday\",\"Fee Paid\",\"Title\",\"First Name\",\"Surname\","
        "\"Address 1\",\"Address 2\",\"Address 3\",\"Address 4\",\"Address 5\",\"Post Code\",\"Phone\",\"Work Phone\","
        "\"Fax\",\"Mobile\",\"Email 1\",\"Email 2\",\"Web address\",\"Membership Type\",\"Lookup 1\",\"Lookup 2\","
        "\"Lookup 3\",\"Lookup 4\",\"Lookup 5\",\"Lookup 6\",\"Lapsed\""));
}

bool PrintFile(Recordset& members, bool upperCase, QIODevice& device, const KeepResponsive& keepResponsive)
{
    TextWriter out(device);
    StartFile(out);
    LineWriter lines(members, upperCase);
    for (int n = 1; !members.eof(); members.moveNext(), ++n) {
        lines.write(out);
        if (keepResponsive && n % 128 == 0)
            keepResponsive();
    }
    return out.finish();
}

} // namespace zelk::reports
