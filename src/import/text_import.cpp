#include "text_import.h"

#include "delimited_text.h"
#include "text_file.h"

#include "core/app_state.h"

#include "engine/engine_error.h"
#include "engine/recordset.h"
#include "engine/transaction_guard.h"

#include <QHash>

namespace zelk::import {

namespace {

// Letters and digits only, in small letters: "First Name", "first_name" and "FirstName"
// are one name, as are "E-mail" and "email".
QString normalisedName(const QString& name)
{
    QString out;
    out.reserve(name.size());
    for (QChar c : name)
        if (c.isLetterOrNumber())
            out += c.toCaseFolded();
    return out;
}

const QHash<QString, QString>& namesOfFields()
{
    static const QHash<QString, QString> names = [] {
        QHash<QString, QString> h;
        const auto add = [&h](const char* field, std::initializer_list<const char*> aliases) {
            const QString target = QString::fromLatin1(field);
            h.insert(normalisedName(target), target);
            for (const char* alias : aliases)
                h.insert(QString::fromLatin1(alias), target);
        };
        // The field's own name, the main window's caption, the data export's heading,
        // and the names spreadsheets of members commonly use.
        add("Number", {"membershipnumber", "membernumber", "membershipno", "memberno", "no"});
        add("JoinDate", {"datejoined", "joined"});
        add("RenewDate", {"renewaldate", "renewal", "renewaldue", "renew"});
        add("FeePaid", {"fee", "paid", "amountpaid"});
        add("Title", {});
        add("FirstName", {"forename", "forenames", "givenname", "firstnames"});
        add("Surname", {"lastname", "familyname"});
        add("Address1", {"address", "addressline1"});
        add("Address2", {"addressline2"});
        add("Address3", {"addressline3"});
        add("Address4", {"addressline4"});
        add("Address5", {"addressline5"});
        add("PostCode", {"postalcode", "zip", "zipcode"});
        add("Phone", {"homephone", "telephone", "tel"});
        add("WorkPhone", {});
        add("Fax", {});
        add("Mobile", {"mobilephone", "cellphone"});
        add("MemberType", {"membershiptype", "type"});
        for (const char* lookup : {"Lookup1", "Lookup2", "Lookup3", "Lookup4", "Lookup5", "Lookup6"})
            add(lookup, {});
        add("Birthday", {"dateofbirth", "birthdate", "dob"});
        add("Email", {"email1", "emailaddress"});
        add("Email2", {"secondemail"});
        add("InternetLink", {"webaddress", "website", "http", "url"});
        add("Lapsed", {"membershiplapsed"});
        add("Memo", {"notes", "note", "comments"});
        return h;
    }();
    return names;
}

bool isConversionRefusal(int number)
{
    return number == err::TypeMismatch || number == err::Overflow || number == err::ValueTooLong
        || number == err::ZeroLengthNotAllowed;
}

// A value shown in a message: a whole file read into one value must not fill the screen.
QString shownValue(const QString& value)
{
    constexpr qsizetype kMost = 300;
    return value.size() <= kMost ? value : value.left(kMost) + QChar(0x2026);
}

MessageRequest information(const char* text, const char* title)
{
    return {QString::fromUtf8(text), QString::fromUtf8(title), MsgButtons::OK, MsgIcon::Information, MsgAnswer::OK};
}

} // namespace

const QStringList& textImportTargets()
{
    static const QStringList targets{
        QStringLiteral(" "),        QStringLiteral("Number"),    QStringLiteral("JoinDate"),  QStringLiteral("RenewDate"),
        QStringLiteral("FeePaid"),  QStringLiteral("Title"),     QStringLiteral("FirstName"), QStringLiteral("Surname"),
        QStringLiteral("Address1"), QStringLiteral("Address2"),  QStringLiteral("Address3"),  QStringLiteral("Address4"),
        QStringLiteral("Address5"), QStringLiteral("PostCode"),  QStringLiteral("Phone"),     QStringLiteral("WorkPhone"),
        QStringLiteral("Fax"),      QStringLiteral("Mobile"),    QStringLiteral("MemberType"), QStringLiteral("Lookup1"),
        QStringLiteral("Lookup2"),  QStringLiteral("Lookup3"),   QStringLiteral("Lookup4"),   QStringLiteral("Lookup5"),
        QStringLiteral("Lookup6"),  QStringLiteral("Birthday"),  QStringLiteral("Email"),     QStringLiteral("Email2"),
        QStringLiteral("InternetLink"), QStringLiteral("Lapsed"), QStringLiteral("Memo")};
    return targets;
}

QChar separatorOf(int option)
{
    switch (option) {
    case 1: return u',';
    case 2: return u';';
    default: return u'\t';
    }
}

FieldNames readFieldNames(QStringView text, QChar separator)
{
    FieldNames result;
    DelimitedReader reader(text, separator);
    if (reader.atEnd())
        return result;
    QStringList values = reader.next();
    // "a,b," names two columns: the empty name after the last separator names none.
    while (values.size() > 1 && values.last().trimmed().isEmpty())
        values.removeLast();
    result.tooMany = values.size() > kTextColumns;
    result.names = values.mid(0, kTextColumns);
    return result;
}

QStringList firstValues(QStringView text, QChar separator)
{
    DelimitedReader reader(text, separator);
    if (!reader.atEnd())
        reader.next();
    if (reader.atEnd())
        return {};
    return reader.next();
}

QString targetForColumnName(const QString& name)
{
    return namesOfFields().value(normalisedName(name));
}

ColumnTargets automaticTargets(const QStringList& names)
{
    ColumnTargets targets;
    QStringList taken;
    for (int i = 0; i < kTextColumns && i < names.size(); ++i) {
        const QString target = targetForColumnName(names[i]);
        if (!target.isEmpty() && !taken.contains(target)) {
            targets[size_t(i)] = target;
            taken << target;
        }
    }
    return targets;
}

int mappedColumns(const ColumnTargets& targets)
{
    int count = 0;
    for (const QString& t : targets)
        if (!t.trimmed().isEmpty())
            ++count;
    return count;
}

QVariant fieldValue(const QString& value)
{
    if (value.trimmed().isEmpty())
        return QVariant();
    return value;
}

int ImportFile(AppState& state, const TextImport& import, const ImportCallbacks& io)
{
    const TextFile file = readTextFile(import.path);
    if (file.problem != FileProblem::None) {
        io.ask(unreadableFileMessage(import.path, file));
        throw ImportStopped();
    }
    // The columns to fill, and their fields, found once rather than for every member.
    Recordset& rs = *state.rsZelk;
    struct Column {
        int column;
        QString target;
        int field;
    };
    std::vector<Column> columns;
    for (int i = 0; i < kTextColumns; ++i) {
        const QString target = import.targets[size_t(i)].trimmed();
        if (!target.isEmpty())
            columns.push_back({i, target, rs.fieldIndex(target)});
    }

    DelimitedReader reader(file.text, import.separator);
    std::vector<QString> values;
    if (!reader.atEnd())
        reader.next(values);   // the names
    qint64 line = 0;
    int added = 0;
    while (!reader.atEnd()) {
        reader.next(values);
        ++line;
        rs.addNew();
        PendingEdit pending(rs);
        for (const Column& c : columns) {
            // A short line leaves the later fields Null.
            const QString value = size_t(c.column) < values.size() ? values[size_t(c.column)] : QString();
            try {
                if (c.field < 0)
                    rs.setField(c.target, QVariant());   // says which name is not a field
                rs.setField(c.field, fieldValue(value));
            } catch (const EngineError& e) {
                if (!isConversionRefusal(e.number()))
                    throw;
                io.ask(refusedValueMessage(c.target, value, line));
                throw ImportStopped();
            }
        }
        rs.update();
        ++added;
        if (io.progress)
            io.progress({reader.position(), reader.size(), {}});
    }
    return added;
}

ImportResult importTextFile(AppState& state, ImportMode mode, const TextImport& import, const ImportCallbacks& io)
{
    return runImport(state, mode, io, [&] { return ImportFile(state, import, io); });
}

MessageRequest tooManyFieldsMessage()
{
    return information("Sorry, I can only import a maximum of 30 different fields. Any further fields will be ignored.",
                       "Too many fields to import");
}

MessageRequest noDataMessage()
{
    return information("Sorry, that file does not appear to have any data in it.", "Nothing to do");
}

MessageRequest nothingSelectedMessage()
{
    return information("You must choose at least one field to import.", "Nothing selected");
}

MessageRequest refusedValueMessage(const QString& field, const QString& value, qint64 line)
{
    return {QStringLiteral("Sorry, but I can't import all your data as the fields you have specified don't all contain "
                           "the correct type of data.\n\nPlease check your data and try again.\n\n"
                           "The first problem I encountered was data the claimed to be %1 but was actually %2 in line %3")
                .arg(field, shownValue(value), QString::number(line)),
            QStringLiteral("Can't import data"), MsgButtons::OK, MsgIcon::Critical, MsgAnswer::OK};
}

MessageRequest checkedMessage(int members)
{
    return {members == 1 ? QStringLiteral("The file can be imported: 1 member would be added.")
                         : QStringLiteral("The file can be imported: %1 members would be added.").arg(members),
            QStringLiteral("File checked"), MsgButtons::OK, MsgIcon::Information, MsgAnswer::OK};
}

} // namespace zelk::import
