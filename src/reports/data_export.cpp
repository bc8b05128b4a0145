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

void putQuoted(QString& line, const QString& text)
{
    line += u'"';
    if (text.contains(u'"'))
        line += QString(text).replace(u'"', QStringLiteral("\"\""));
    else
        line += text;
    line += u'"';
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

    QString line()
    {
        QString out;
        out.reserve(400);
        for (int f = Number; f < Lapsed; ++f) {
            const QVariant value = m.value(f);
            QString text;
            if (value.isNull())
                ;   // an empty pair of quotes
            else if (f == JoinDate || f == RenewDate || f == Birthday)
                text = upperIf(upper, dates.text(value));
            else if (f == FeePaid)
                text = currency(value.toDouble());
            else if (f == Number || f == InternetLink)
                text = value.toString();
            else
                text = upperIf(upper, value.toString());
            putQuoted(out, text);
            out += u',';
        }
        out += m.value(Lapsed).toBool() ? QStringLiteral("\"TRUE\"") : QStringLiteral("\"FALSE\"");
        return out;
    }

private:
    // Fees repeat from member to member: each amount is formatted once.
    QString currency(double amount)
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
        out.line(lines.line());
        if (keepResponsive && n % 128 == 0)
            keepResponsive();
    }
    return out.finish();
}

} // namespace zelk::reports
