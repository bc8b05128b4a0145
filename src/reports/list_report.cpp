#include "list_report.h"

#include "engine/recordset.h"
#include "engine/regional.h"

#include <QIODevice>

namespace zelk::reports {

namespace {

enum Field {
    Number, Title, FirstName, Surname, Address1, Address2, Address3, Address4, Address5, PostCode, Phone, MemberType,
    RenewDate, Birthday, Lookup1, Lookup2, Lookup3, Lookup4, Lookup5, Lookup6, Email
};

const QString kEmptyCell = QStringLiteral("<td>&nbsp;</td>");

// The member's name in the order chosen; a part counts as missing only when it is Null.
QString nameOf(const MemberFields& m, bool surnameFirst)
{
    const QVariant surname = m.value(Surname);
    if (surname.isNull())
        return {};
    const QVariant title = m.value(Title), first = m.value(FirstName);
    const QString s = surname.toString();
    if (surnameFirst) {
        if (!title.isNull() && !first.isNull())
            return s + QStringLiteral(", ") + title.toString() + u' ' + first.toString();
        if (!title.isNull())
            return s + QStringLiteral(", ") + title.toString();
        if (!first.isNull())
            return s + QStringLiteral(", ") + first.toString();
        return s;
    }
    if (!title.isNull() && !first.isNull())
        return title.toString() + u' ' + first.toString() + u' ' + s;
    if (!title.isNull())
        return title.toString() + u' ' + s;
    if (!first.isNull())
        return first.toString() + u' ' + s;
    return s;
}

class RowWriter {
public:
    RowWriter(const Recordset& members, const ReportContent& content)
        : m(members, {"Number", "Title", "FirstName", "Surname", "Address1", "Address2", "Address3", "Address4",
                      "Address5", "PostCode", "Phone", "MemberType", "RenewDate", "Birthday", "Lookup1", "Lookup2",
                      "Lookup3", "Lookup4", "Lookup5", "Lookup6", "Email"})
        , c(content)
        , upper(content.upperCase)
    {
    }

    QString row()
    {
        QString out = QStringLiteral("<tr>");
        if (c.chkInclude[include::Number]) {
            const QVariant number = m.value(Number);
            if (number.isNull())
                out += kEmptyCell;
            else
                out += QStringLiteral("<td align=right>") + regional::locale().toString(number.toLongLong())
                       + QStringLiteral("&nbsp;</td>");
        }
        // Without a name the cell begins with the first address text.
        QString names = upperIf(upper, nameOf(m, c.surnameFirst));
        bool first = m.value(Surname).isNull();
        for (int f = Address1; f <= PostCode; ++f) {
            const QVariant value = m.value(f);
            if (!isPresent(value))
                continue;
            if (!first)
                names += QStringLiteral(", ");
            names += upperIf(upper, value.toString());
            first = false;
        }
        out += QStringLiteral("<td>") + htmlEscaped(names) + QStringLiteral("</td>");
        if (c.chkInclude[include::Phone])
            out += cell(m.value(Phone).toString(), isPresent(m.value(Phone)));
        if (c.chkInclude[include::MemberType])
            out += cell(m.value(MemberType).toString(), isPresent(m.value(MemberType)));
        if (c.chkInclude[include::RenewDate])
            out += dateCell(m.value(RenewDate));
        if (c.chkInclude[include::Birthday])
            out += dateCell(m.value(Birthday));
        if (c.chkInclude[include::Lookups])
            for (int f = Lookup1; f <= Lookup6; ++f)
                out += cell(m.value(f).toString(), isPresent(m.value(f)));
        if (c.chkInclude[include::Email])
            out += cell(m.value(Email).toString(), isPresent(m.value(Email)));
        out += QStringLiteral("</tr>");
        return out;
    }

private:
    QString cell(const QString& text, bool present) const
    {
        if (!present)
            return kEmptyCell;
        return QStringLiteral("<td>") + htmlEscaped(upperIf(upper, text)) + QStringLiteral("</td>");
    }
    QString dateCell(const QVariant& value)
    {
        return cell(dates.text(value), isPresent(value));
    }

    MemberFields m;
    const ReportContent& c;
    bool upper;
    LongDates dates;
};

} // namespace

QString htmlEscaped(const QString& text)
{
    QString out;
    out.reserve(text.size() + 8);
    for (QChar ch : text) {
        switch (ch.unicode()) {
        case u'&': out += QStringLiteral("&amp;"); break;
        case u'<': out += QStringLiteral("&lt;"); break;
        case u'>': out += QStringLiteral("&gt;"); break;
        case u'"': out += QStringLiteral("&quot;"); break;
        default: out += ch;
        }
    }
    return out;
}

void StartReport(TextWriter& out)
{
    out.writeBytes(QByteArrayLiteral("\xEF\xBB\xBF"));
    out.line(QStringLiteral("<html><head><title>"));
    out.line(QStringLiteral("Zelk Membership Report"));
    out.line(QStringLiteral("</title></head><body>"));
    out.line(QStringLiteral("<table width=\"100%\">"));
}

bool PrintReport(Recordset& members, const ReportContent& content, QIODevice& device, const KeepResponsive& keepResponsive)
{
    TextWriter out(device);
    StartReport(out);
    if (!content.heading.isEmpty())
        out.line(QStringLiteral("<h2 align=center>") + htmlEscaped(upperIf(content.upperCase, content.heading))
                 + QStringLiteral("</h2>"));
    else
        out.line(content.upperCase ? QStringLiteral("<h2 align=center>ZELK MEMBERSHIP REPORT</h2>")
                                   : QStringLiteral("<h2 align=center>Zelk Membership Report</h2>"));
    RowWriter rows(members, content);
    for (int n = 1; !members.eof(); members.moveNext(), ++n) {
        out.line(rows.row());
        if (keepResponsive && n % 128 == 0)
            keepResponsive();
    }
    out.line(QStringLiteral("</table></body></html>"));
    return out.finish();
}

} // namespace zelk::reports
