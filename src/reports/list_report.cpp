#include "list_report.h"

#include "engine/recordset.h"
#include "engine/regional.h"

#include <QIODevice>
#include <QLocale>

namespace zelk::reports {

namespace {

enum Field {
    Number, Title, FirstName, Surname, Address1, Address2, Address3, Address4, Address5, PostCode, Phone, MemberType,
    RenewDate, Birthday, Lookup1, Lookup2, Lookup3, Lookup4, Lookup5, Lookup6, Email
};

const QString kEmptyCell = QStringLiteral("<td>&nbsp;</td>");

// Appends the member's name in the order chosen; a part counts as missing only when it is
// Null. Without a surname nothing is written.
void appendName(QString& out, const MemberFields& m, bool surnameFirst)
{
    const QVariant surname = m.value(Surname);
    if (surname.isNull())
        return;
    const QVariant title = m.value(Title), first = m.value(FirstName);
    if (surnameFirst) {
        out += surname.toString();
        if (!title.isNull() || !first.isNull())
            out += QLatin1String(", ");
        if (!title.isNull())
            out += title.toString();
        if (!title.isNull() && !first.isNull())
            out += u' ';
        if (!first.isNull())
            out += first.toString();
        return;
    }
    for (const QVariant* part : {&title, &first})
        if (!part->isNull()) {
            out += part->toString();
            out += u' ';
        }
    out += surname.toString();
}

class RowWriter {
public:
    RowWriter(const Recordset& members, const ReportContent& content)
        : m(members, {"Number", "Title", "FirstName", "Surname", "Address1", "Address2", "Address3", "Address4",
                      "Address5", "PostCode", "Phone", "MemberType", "RenewDate", "Birthday", "Lookup1", "Lookup2",
                      "Lookup3", "Lookup4", "Lookup5", "Lookup6", "Email"})
        , c(content)
        , upper(content.upperCase)
        , numbers(regional::locale())
    {
    }

    void write(TextWriter& out)
    {
        out << QStringLiteral("<tr>");
        if (c.chkInclude[include::Number]) {
            const QVariant number = m.value(Number);
            if (number.isNull())
                out << kEmptyCell;
            else
                out << QStringLiteral("<td align=right>") << numbers.toString(number.toLongLong()) << QStringLiteral("&nbsp;</td>");
        }
        // Without a name the cell begins with the first address text.
        names.resize(0);
        appendName(names, m, c.surnameFirst);
        bool first = m.value(Surname).isNull();
        for (int f = Address1; f <= PostCode; ++f) {
            const QVariant value = m.value(f);
            if (!isPresent(value))
                continue;
            if (!first)
                names += QLatin1String(", ");
            names += value.toString();
            first = false;
        }
        out << QStringLiteral("<td>") << htmlEscaped(upperIf(upper, names)) << QStringLiteral("</td>");
        if (c.chkInclude[include::Phone])
            textCell(out, Phone);
        if (c.chkInclude[include::MemberType])
            textCell(out, MemberType);
        if (c.chkInclude[include::RenewDate])
            dateCell(out, RenewDate);
        if (c.chkInclude[include::Birthday])
            dateCell(out, Birthday);
        if (c.chkInclude[include::Lookups])
            for (int f = Lookup1; f <= Lookup6; ++f)
                textCell(out, f);
        if (c.chkInclude[include::Email])
            textCell(out, Email);
        out << QStringLiteral("</tr>");
        out.endLine();
    }

private:
    void cell(TextWriter& out, const QString& text)
    {
        out << QStringLiteral("<td>") << htmlEscaped(upperIf(upper, text)) << QStringLiteral("</td>");
    }
    void textCell(TextWriter& out, int field)
    {
        const QVariant value = m.value(field);
        if (isPresent(value))
            cell(out, value.toString());
        else
            out << kEmptyCell;
    }
    void dateCell(TextWriter& out, int field)
    {
        const QVariant value = m.value(field);
        if (value.isNull())
            out << kEmptyCell;
        else
            cell(out, dates.text(value));
    }

    MemberFields m;
    const ReportContent& c;
    bool upper;
    QLocale numbers;
    LongDates dates;
    QString names;   // the name and address cell, its room kept from member to member
};

} // namespace

QString htmlEscaped(const QString& text)
{
    bool plain = true;
    for (QChar ch : text)
        if (ch == u'&' || ch == u'<' || ch == u'>' || ch == u'"') {
            plain = false;
            break;
        }
    if (plain)
        return text;
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
        rows.write(out);
        if (keepResponsive && n % 128 == 0)
            keepResponsive();
    }
    out.line(QStringLiteral("</table></body></html>"));
    return out.finish();
}

} // namespace zelk::reports
