#include "dos_import.h"

#include "delimited_text.h"
#include "dos_programs.h"
#include "text_file.h"

#include "core/app_state.h"
#include "core/text_rules.h"

#include "engine/engine_error.h"
#include "engine/recordset.h"
#include "engine/transaction_guard.h"

#include <QDir>
#include <QFile>
#include <QLocale>

namespace zelk::import::dos {

namespace {

constexpr int kMemberValues = 24;
const char* const kCodePage = "CP437";

// Values the register refuses for one member or one type, which leave the rest of the
// import standing; any other error (a full disk, a lock) stops the whole import.
bool isRefusal(int number)
{
    return number == err::TypeMismatch || number == err::Overflow || number == err::ValueTooLong
        || number == err::ZeroLengthNotAllowed || number == err::DuplicateKey;
}

// Numbers as the conversion programs write them, whatever the user's language: digits and
// a decimal point. Empty is 0, as the old program read it.
template <typename T, typename Read>
std::optional<T> fileNumber(const QString& text, Read read)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return T(0);
    bool ok = false;
    const T n = read(t, &ok);
    return ok ? std::optional<T>(n) : std::nullopt;
}

std::optional<qint64> wholeNumber(const QString& text)
{
    return fileNumber<qint64>(text, [](const QString& t, bool* ok) { return t.toLongLong(ok); });
}

std::optional<double> amount(const QString& text)
{
    return fileNumber<double>(text, [](const QString& t, bool* ok) { return t.toDouble(ok); });
}

QString mixed(QString text, bool mixedCase)
{
    if (mixedCase && !text.isEmpty())
        MixedCase(text);
    return text;
}

// The file of `name` in the DOS folder, read as text of the DOS code page; nothing when
// the user has been told it cannot be.
std::optional<QString> readDosFile(const QString& dosFolder, const char* name, const ImportCallbacks& io)
{
    const QString path = findFile(dosFolder, QString::fromLatin1(name));
    if (path.isEmpty()) {
        io.ask({QStringLiteral("Sorry, the conversion did not leave the file %1 in %2.\n\n"
                               "Nothing has been imported: your register is as it was.")
                    .arg(QString::fromLatin1(name), QDir::toNativeSeparators(dosFolder)),
                QStringLiteral("Conversion failed"), MsgButtons::OK, MsgIcon::Critical, MsgAnswer::OK});
        return std::nullopt;
    }
    TextFile file = readTextFile(path, kCodePage);
    if (file.problem != FileProblem::None) {
        io.ask(unreadableFileMessage(path, file));
        return std::nullopt;
    }
    return std::move(file.text);
}

QString errorLogPath(const QString& dosFolder)
{
    const QString existing = findFile(dosFolder, QStringLiteral("Error.log"));
    return existing.isEmpty() ? dosFolder + QStringLiteral("Error.log") : existing;
}

// Adds the lines to Error.log; the reason when it cannot be written, else empty.
QString appendToErrorLog(const QString& path, const QStringList& lines)
{
    QFile log(path);
    if (!log.open(QIODevice::WriteOnly | QIODevice::Append))
        return log.errorString();
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toUtf8() + "\r\n";
    if (log.write(bytes) != bytes.size() || !log.flush())
        return log.errorString();
    return {};
}

void tellNotConverted(const ImportCallbacks& io, const QString& dosFolder, const QStringList& lines, const char* what)
{
    const QString path = errorLogPath(dosFolder);
    const QString problem = appendToErrorLog(path, lines);
    QString text = QStringLiteral("Your DOS files had %1 %2 which could not be converted.\n\n")
                       .arg(QString::number(lines.size()), QString::fromLatin1(what));
    if (problem.isEmpty())
        text += QStringLiteral("These are shown, with the reason for each, in the file %1. ").arg(QDir::toNativeSeparators(path));
    else
        text += QStringLiteral("They could not be listed in the file %1 (%2):\n\n%3\n\n")
                    .arg(QDir::toNativeSeparators(path), problem, lines.join(u'\n'));
    text += QStringLiteral("You will need to re-input these.");
    io.ask({text, QStringLiteral("Conversion errors"), MsgButtons::OK, MsgIcon::Exclamation, MsgAnswer::OK});
}

} // namespace

std::optional<QDate> dateOfDayNumber(qint64 dayNumber)
{
    // Day 36161 of the DOS edition is day 0 of the register's own count, 30 December 1899.
    constexpr qint64 kOffset = 36161;
    if (dayNumber < 1 || dayNumber - kOffset < 1)
        return std::nullopt;
    const QDate date = QDate(1899, 12, 30).addDays(dayNumber - kOffset);
    return date.isValid() && date.year() <= 9999 ? std::optional<QDate>(date) : std::nullopt;
}

QString errorLogLine(const QString& number, const QString& name, const QString& reason)
{
    return (number + u' ' + name).trimmed() + QStringLiteral(": ") + reason;
}

namespace {

// The places of dosFieldNames().
enum DosField {
    NumberField, JoinDateField, RenewDateField, BirthdayField, FeePaidField, TitleField, FirstNameField, SurnameField,
    Address1Field, PostCodeField = Address1Field + 4, PhoneField, WorkPhoneField, MobileField, FaxField, MemberTypeField,
    Lookup1Field, MemoField = Lookup1Field + 6
};

} // namespace

const QStringList& dosFieldNames()
{
    static const QStringList names{
        QStringLiteral("Number"),     QStringLiteral("JoinDate"),  QStringLiteral("RenewDate"), QStringLiteral("Birthday"),
        QStringLiteral("FeePaid"),    QStringLiteral("Title"),     QStringLiteral("FirstName"), QStringLiteral("Surname"),
        QStringLiteral("Address1"),   QStringLiteral("Address2"),  QStringLiteral("Address3"),  QStringLiteral("Address4"),
        QStringLiteral("PostCode"),   QStringLiteral("Phone"),     QStringLiteral("WorkPhone"), QStringLiteral("Mobile"),
        QStringLiteral("Fax"),        QStringLiteral("MemberType"), QStringLiteral("Lookup1"),  QStringLiteral("Lookup2"),
        QStringLiteral("Lookup3"),    QStringLiteral("Lookup4"),   QStringLiteral("Lookup5"),   QStringLiteral("Lookup6"),
        QStringLiteral("Memo")};
    return names;
}

DosMember dosMember(const std::vector<QString>& values, const std::optional<QString>& memo, const DosOptions& options)
{
    const auto value = [&values](int i) { return size_t(i) < values.size() ? values[size_t(i)] : QString(); };
    DosMember m;
    m.fields.reserve(26);
    m.number = value(0).trimmed();
    QString title = mixed(value(4), options.mixedCase);
    QString first = mixed(value(5), options.mixedCase);
    QString surname = mixed(value(6), options.mixedCase);
    m.displayName = QString(title.trimmed() + u' ' + first.trimmed() + u' ' + surname.trimmed()).trimmed();

    const auto number = wholeNumber(value(0));
    if (!number) {
        m.problem = QStringLiteral("The membership number \"%1\" is not a whole number.").arg(m.number);
        return m;
    }
    m.numberValue = *number;
    m.fields.emplace_back(NumberField, QVariant(*number));

    const auto date = [&](int i, const char* what, DosField field) {
        const auto day = wholeNumber(value(i));
        if (!day) {
            m.problem = QStringLiteral("The %1 \"%2\" is not a day number.").arg(QString::fromLatin1(what), value(i).trimmed());
            return;
        }
        if (const auto d = dateOfDayNumber(*day))
            m.fields.emplace_back(field, QVariant(*d));
    };
    date(1, "join date", JoinDateField);
    date(2, "renewal date", options.birthday ? BirthdayField : RenewDateField);
    const auto fee = amount(value(3));
    if (!fee)
        m.problem = QStringLiteral("The fee \"%1\" is not an amount.").arg(value(3).trimmed());
    if (!m.problem.isEmpty())
        return m;
    m.fields.emplace_back(FeePaidField, QVariant(*fee));

    m.fields.emplace_back(TitleField, QVariant(title));
    m.fields.emplace_back(FirstNameField, QVariant(first));
    m.fields.emplace_back(SurnameField, QVariant(surname));
    // The texts after the surname, values 8 to 23 of the record in the order of their
    // fields; post codes and numbers keep their case.
    for (int field = Address1Field; field < MemoField; ++field) {
        const QString text = value(field - Address1Field + 7);
        const bool keepsCase = field >= PostCodeField && field <= FaxField;
        m.fields.emplace_back(field, QVariant(keepsCase ? text : mixed(text, options.mixedCase)));
    }
    if (memo)
        m.fields.emplace_back(MemoField, QVariant(mixed(*memo, options.mixedCase)));
    return m;
}

DosMemberCount ImportDosMembers(AppState& state, const QString& dosFolder, const DosOptions& options,
                                const ImportCallbacks& io)
{
    const auto members = readDosFile(dosFolder, "ZELK.DAT", io);
    if (!members)
        throw ImportStopped();
    std::optional<QString> memos;
    if (!findFile(dosFolder, QStringLiteral("MEMO.DAT")).isEmpty()) {
        memos = readDosFile(dosFolder, "MEMO.DAT", io);
        if (!memos)
            throw ImportStopped();
    }

    Recordset& rs = *state.rsZelk;
    DelimitedReader reader(*members, u',');
    std::optional<DelimitedReader> memoReader;
    if (memos)
        memoReader.emplace(*memos, u',');
    DosMemberCount count;
    QStringList refused;
    // Where each field stands in the record set, looked up once for the whole file.
    std::vector<int> places;
    for (const QString& name : dosFieldNames())
        places.push_back(rs.fieldIndex(name));
    std::vector<QString> values;
    while (!reader.atEnd()) {
        reader.next(values);
        std::optional<QString> memo;
        if (memoReader && !memoReader->atEnd()) {
            const QStringList memoValues = memoReader->next();
            memo = memoValues.value(1);
        }
        const DosMember m = dosMember(values, memo, options);
        if (m.problem.isEmpty() && m.numberValue <= 0)
            continue;
        if (io.progress)
            io.progress({reader.position(), reader.size(), QStringLiteral("Converting ") + m.displayName});
        if (!m.problem.isEmpty()) {
            refused << errorLogLine(m.number, m.displayName, m.problem);
            continue;
        }
        try {
            rs.addNew();
            PendingEdit pending(rs);
            for (const auto& [field, value] : m.fields) {
                if (places[size_t(field)] < 0)
                    rs.setField(dosFieldNames()[field], value);   // says which name is not a field
                rs.setField(places[size_t(field)], value);
            }
            rs.update();
            ++count.added;
        } catch (const EngineError& e) {
            if (!isRefusal(e.number()))
                throw;
            refused << errorLogLine(m.number, m.displayName, e.description());
        }
    }
    count.refused = int(refused.size());
    if (!refused.isEmpty())
        tellNotConverted(io, dosFolder, refused, refused.size() == 1 ? "member" : "members");
    return count;
}

int ImportDosTypes(AppState& state, const QString& dosFolder, const DosOptions& options, const ImportCallbacks& io)
{
    const auto text = readDosFile(dosFolder, "TYP_LOOK.DAT", io);
    if (!text)
        throw ImportStopped();
    QStringList refused;
    const auto add = [&](Recordset& rs, const char* field, const char* what, const QString& read, const char* heading) {
        if (read.trimmed().isEmpty())
            return;
        const QString value = mixed(read, options.mixedCase);
        if (value == QLatin1String(heading))
            return;
        try {
            rs.addNew();
            PendingEdit pending(rs);
            rs.setField(QString::fromLatin1(field), value);
            rs.update();
        } catch (const EngineError& e) {
            if (!isRefusal(e.number()))
                throw;
            refused << QStringLiteral("%1 \"%2\": %3").arg(QString::fromLatin1(what), value, e.description());
        }
    };
    DelimitedReader reader(*text, u',');
    std::vector<QString> values;
    while (!reader.atEnd()) {
        reader.next(values);
        add(*state.rsMemberTypes, "Member Type", "Membership type", values.size() > 0 ? values[0] : QString(), "Typ:member_type");
        add(*state.rsLookups, "Lookups", "Lookup", values.size() > 1 ? values[1] : QString(), "Typ:l");
    }
    if (!refused.isEmpty())
        tellNotConverted(io, dosFolder, refused, "membership types or lookups");
    return int(refused.size());
}

ImportResult importDosFiles(AppState& state, ImportMode mode, const QString& dosFolder, const DosOptions& options,
                            const ImportCallbacks& io)
{
    state.reopen(state.rsMemberTypes, query::memberTypes());
    state.reopen(state.rsLookups, query::lookups());
    return runImport(state, mode, io, [&] {
        const DosMemberCount members = ImportDosMembers(state, dosFolder, options, io);
        ImportDosTypes(state, dosFolder, options, io);
        return members.added;
    });
}

} // namespace zelk::import::dos
