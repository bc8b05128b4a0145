#pragma once
// What the tests of the Jet reader and of the conversions share: values shown as the README
// of the test files writes them, and the C library put under a locale with a decimal comma,
// as Qt leaves it for a user whose language writes one.
#include "jet_expected.h"

#include "testlib/test_world.h"

#include "cli/command.h"
#include "engine/database.h"
#include "engine/recordset.h"

#include <QCommandLineParser>
#include <QCryptographicHash>
#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QTemporaryDir>
#include <QVariant>

#include <charconv>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace zelk::test {

// A value as the test files' README writes it (see jet_expected.h).
inline QString shownValue(const QVariant& v)
{
    if (!v.isValid() || v.isNull())
        return QStringLiteral("Null");
    switch (v.typeId()) {
    case QMetaType::Bool:
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::Int:
        return QString::number(v.toInt());
    case QMetaType::Float: {
        // The shortest decimal that reads back as the same float: the one that was stored.
        char buffer[32];
        const auto r = std::to_chars(buffer, buffer + sizeof buffer, v.toFloat());
        return QString::fromLatin1(buffer, int(r.ptr - buffer));
    }
    case QMetaType::Double:
        return QString::number(v.toDouble(), 'f', 4);
    case QMetaType::QDate:
        return v.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    case QMetaType::QDateTime: {
        const QDateTime d = v.toDateTime();
        return d.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) + (d.timeSpec() == Qt::UTC ? QString() : QStringLiteral(" (not UTC)"));
    }
    case QMetaType::QString: {
        const QString text = v.toString();
        if (text.size() > 150)
            return QStringLiteral("memo:%1/%2")
                .arg(QString::fromLatin1(QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha256).toHex()))
                .arg(text.size());
        QString shown = text;
        shown.replace(u'\r', u'␍').replace(u'\n', u'␊').replace(u'\t', u'␉');
        return u'⟨' + shown + u'⟩';
    }
    default:
        return QStringLiteral("(%1)").arg(QString::fromLatin1(v.typeName()));
    }
}

// A writable copy of the shared Jet test file `testFile` (zelk.mdb ...) at `target`, in
// place of any file there; gives `target`.
inline QString copyOfTestFile(const QString& testFile, const QString& target)
{
    QFile::remove(target);
    QFile::copy(testData(QStringLiteral("mdb/") + testFile), target);
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    return target;
}

// A file's bytes ("<unreadable>" when it cannot be read), and the files beside it.
inline QByteArray bytesOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}
inline QStringList filesBeside(const QString& path)
{
    return QDir(QFileInfo(path).path()).entryList(QDir::Files, QDir::Name);
}

// The names in a list of fields as jet_expected.h gives them: "Member Type Text(100), ...".
inline QStringList fieldNames(const QString& fields)
{
    static const QRegularExpression typed(
        QStringLiteral("^(.*) (Long|Integer|Single|Currency|Date/Time|Memo|Text\\(\\d+\\)|Yes/No \\(Boolean\\))$"));
    QStringList names;
    for (const QString& f : fields.split(QStringLiteral(", ")))
        names << typed.match(f).captured(1);
    return names;
}

// Each expected value as "row field value", so a difference names its place.
inline QStringList expectedValues(const QString& fields, const jet_expected::Rows& rows)
{
    const QStringList names = fieldNames(fields);
    QStringList out;
    for (size_t r = 0; r < rows.size(); ++r)
        for (qsizetype i = 0; i < names.size(); ++i)
            out << QStringLiteral("%1 %2 %3").arg(r + 1).arg(names[i], rows[r][size_t(i)]);
    return out;
}

// The same for the rows of a table of a register, in the order they were stored.
inline QStringList registerValues(const QString& databasePath, const QString& table, const QString& fields)
{
    auto db = Database::open(databasePath);
    auto rs = db->openRecordset(table);
    QStringList out;
    int row = 0;
    for (; !rs->eof(); rs->moveNext()) {
        ++row;
        for (const QString& name : fieldNames(fields))
            out << QStringLiteral("%1 %2 %3").arg(row).arg(name, shownValue(rs->field(name)));
    }
    return out;
}

// Runs a headless command as the program would, its output and messages caught.
struct CommandRun {
    int exitCode = -1;
    QString out, err;
};
inline CommandRun runCommand(const QStringList& arguments)
{
    CommandRun run;
    for (const auto& command : cli::commands()) {
        if (command.name != arguments.first())
            continue;
        QCommandLineParser parser;
        parser.addHelpOption();
        if (command.addOptions)
            command.addOptions(parser);
        parser.parse(QStringList{QStringLiteral("zelk-membership")} + arguments.mid(1));
        QTextStream out(&run.out), err(&run.err);
        cli::CommandOutput io{out, err};
        run.exitCode = command.run(parser, io);
    }
    return run;
}

// For as long as it lives the C library's locale is German: a decimal comma, day-first
// dates. The locale is built into a folder of the test's own when the system lacks it.
class GermanCLocale {
public:
    GermanCLocale()
        : m_old(std::setlocale(LC_ALL, nullptr))
    {
        if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) {
            static QTemporaryDir built;
            static const bool made = QProcess::execute(QStringLiteral("localedef"),
                                                       {QStringLiteral("-c"), QStringLiteral("-i"), QStringLiteral("de_DE"),
                                                        QStringLiteral("-f"), QStringLiteral("UTF-8"),
                                                        built.filePath(QStringLiteral("de_DE.UTF-8"))})
                                     >= 0;
            if (made) {
                qputenv("LOCPATH", built.path().toLocal8Bit());
                std::setlocale(LC_ALL, "de_DE.UTF-8");
            }
        }
    }
    ~GermanCLocale() { std::setlocale(LC_ALL, m_old.constData()); }
    GermanCLocale(const GermanCLocale&) = delete;
    GermanCLocale& operator=(const GermanCLocale&) = delete;

    bool hasDecimalComma() const { return std::strcmp(std::localeconv()->decimal_point, ",") == 0; }

private:
    QByteArray m_old;
};

// Sends the process's standard output and error to /dev/null until end() or the end of its
// life, for the chatter of a library that writes there.
class QuietOutput {
public:
    QuietOutput()
    {
        std::fflush(stdout);
        std::fflush(stderr);
        const int null = ::open("/dev/null", O_WRONLY);
        for (int fd : {1, 2}) {
            m_saved[fd - 1] = ::dup(fd);
            ::dup2(null, fd);
        }
        ::close(null);
    }
    ~QuietOutput() { end(); }
    QuietOutput(const QuietOutput&) = delete;
    QuietOutput& operator=(const QuietOutput&) = delete;

    void end()
    {
        std::fflush(stdout);
        std::fflush(stderr);
        for (int fd : {1, 2}) {
            if (m_saved[fd - 1] >= 0) {
                ::dup2(m_saved[fd - 1], fd);
                ::close(m_saved[fd - 1]);
                m_saved[fd - 1] = -1;
            }
        }
    }

private:
    int m_saved[2] = {-1, -1};
};

} // namespace zelk::test
