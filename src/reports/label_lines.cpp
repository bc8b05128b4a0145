#include "label_lines.h"

#include "engine/recordset.h"

namespace zelk {

namespace {

// A value worth a line of its own: not Null, and not only blanks.
bool present(const QVariant& value)
{
    return !value.isNull() && !value.toString().trimmed().isEmpty();
}

} // namespace

LabelMember labelMemberOf(const Recordset& members)
{
    LabelMember m;
    m.title = members.field(QStringLiteral("Title"));
    m.firstName = members.field(QStringLiteral("FirstName"));
    m.surname = members.field(QStringLiteral("Surname"));
    for (int i = 0; i < 5; ++i)
        m.address[size_t(i)] = members.field(QStringLiteral("Address%1").arg(i + 1));
    m.postCode = members.field(QStringLiteral("PostCode"));
    m.number = members.field(QStringLiteral("Number"));
    return m;
}

QString labelText(const LabelMember& member, const LabelContent& content)
{
    QString text;
    if (!member.title.isNull())
        text += member.title.toString() + u' ';
    if (!member.firstName.isNull())
        text += member.firstName.toString() + u' ';
    if (!member.surname.isNull())
        text += member.surname.toString() + u'\n';

    for (int i = 0; i < 4; ++i)
        if (present(member.address[size_t(i)]))
            text += member.address[size_t(i)].toString() + u'\n';

    if (present(member.address[4]))
        text += member.address[4].toString() + QStringLiteral(", ");
    // The number is only ever digits, so upper-casing leaves it as it is.
    const QString number = member.number.toString();
    if (present(member.postCode)) {
        text += member.postCode.toString();
        if (content.number)
            text += u'\t' + number;
        text += u'\n';
    } else if (content.number && !member.number.isNull()) {
        text += u'\t' + number + u'\n';
    }
    return content.upperCase ? text.toUpper() : text;
}

QStringList labelTexts(Recordset& members, const LabelContent& content)
{
    QStringList texts;
    texts.reserve(members.recordCount());
    for (; !members.eof(); members.moveNext())
        texts << labelText(labelMemberOf(members), content);
    return texts;
}

} // namespace zelk
