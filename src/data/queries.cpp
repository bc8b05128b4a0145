#include "queries.h"

#include "sort_fields.h"

#include "engine/engine_error.h"
#include "engine/regional.h"
#include "engine/sql_dialect.h"

#include <QStringList>

namespace zelk::query {

namespace {

const QString kNumber = QStringLiteral("Number");
const QString kRenewDate = QStringLiteral("RenewDate");

// The register's name of one of the five sort fields, whatever the case it is given in.
// Any other text (a stored setting another program changed, "Surname LIMIT 1") names no
// field of the register and is refused as the engine refuses such a field: it never
// becomes part of a query.
QString sortFieldName(const QString& field)
{
    for (SortKey key : kMainSortMenu) {
        const QString name = sortField(key).field;
        if (field.compare(name, Qt::CaseInsensitive) == 0)
            return name;
    }
    throw EngineError(err::TooFewParameters, QStringLiteral("Too few parameters. Expected 1. (There is no field '%1'.)").arg(field));
}

QString orderBy(const QString& field)
{
    return QStringLiteral(" ORDER BY [") + field + u']';
}

// The engine's date literal, month first whatever the user's order: #04/01/2026#.
std::optional<QString> renewalDate(const QString& text)
{
    const auto typed = regional::parseDate(text);
    if (!typed)
        return std::nullopt;
    const QDate d = typed->date();
    return QStringLiteral("RenewDate = #%1/%2/%3#")
        .arg(d.month(), 2, 10, QChar(u'0'))
        .arg(d.day(), 2, 10, QChar(u'0'))
        .arg(d.year(), 4, 10, QChar(u'0'));
}

// A typed number searched for, blanks around it allowed.
std::optional<qint64> typedNumber(const QString& text)
{
    bool ok = false;
    const qint64 n = text.trimmed().toLongLong(&ok);
    return ok ? std::optional<qint64>(n) : std::nullopt;
}

// A like pattern matching the text itself at the start of the field, or anywhere in it.
QString likePattern(const QString& text, bool anywhere)
{
    return sql::quoteText((anywhere ? QStringLiteral("*") : QString()) + sql::likeLiteral(text) + u'*');
}

} // namespace

QString settingsRow()
{
    return QStringLiteral("Select * from Settings");
}

QString memberTypes()
{
    return QStringLiteral("Select * from Members");
}

QString lookups()
{
    return QStringLiteral("Select * from Lookups");
}

QString labels()
{
    return QStringLiteral("Select * from Labels");
}

QString membersInOrder(const QString& field)
{
    return QStringLiteral("Select * from Zelk ORDER BY ") + sortFieldName(field);
}

std::optional<QString> narrowingQuery(const QString& sortOrder, const QString& text, bool anywhere)
{
    const QString field = sortFieldName(sortOrder);
    if (field == kNumber) {
        const auto n = typedNumber(text);
        if (!n)
            return std::nullopt;
        return QStringLiteral("Select * from Zelk WHERE Number >= ") + QString::number(*n) + orderBy(field);
    }
    if (field == kRenewDate) {
        const auto date = renewalDate(text);
        if (!date)
            return std::nullopt;
        return QStringLiteral("Select * from Zelk WHERE ") + *date;
    }
    return QStringLiteral("Select * from Zelk WHERE [") + field + QStringLiteral("] like ") + likePattern(text, anywhere)
           + orderBy(field);
}

std::optional<QString> findCriterion(const QString& sortOrder, const QString& text, bool anywhere)
{
    const QString field = sortFieldName(sortOrder);
    if (field == kNumber) {
        // Numbers that begin with the typed digits: 12 finds 12 and 120, not 15.
        const auto n = typedNumber(text);
        if (!n)
            return std::nullopt;
        return kNumber + QStringLiteral(" like ") + likePattern(QString::number(*n), false);
    }
    if (field == kRenewDate)
        return renewalDate(text);
    return field + QStringLiteral(" like ") + likePattern(text, anywhere);
}

QString valueListQuery(ValueList list)
{
    return list == ValueList::MemberTypes ? memberTypes() : lookups();
}

QString valueField(ValueList list)
{
    return list == ValueList::MemberTypes ? QStringLiteral("Member Type") : QStringLiteral("Lookups");
}

QString valueCriterion(ValueList list, const QString& value)
{
    return u'[' + valueField(list) + QStringLiteral("] = ") + sql::quoteText(value);
}

QString inUseQuery(ValueList list, const QString& value)
{
    const QString quoted = sql::quoteText(value);
    if (list == ValueList::MemberTypes)
        return QStringLiteral("Select * from Zelk where MemberType = ") + quoted;
    QStringList conditions;
    for (int i = 1; i <= 6; ++i)
        conditions << QStringLiteral("(Lookup") + QString::number(i) + QStringLiteral(" = ") + quoted + u')';
    return QStringLiteral("Select * from Zelk where ") + conditions.join(QStringLiteral(" or ")) + u' ';
}

} // namespace zelk::query
