#pragma once
// A new register in a temporary folder, opened shared, with the locale pinned to en_GB
// while it lives (the collation is made from the default locale when a connection opens).
#include "data/create_db.h"
#include "engine/database.h"
#include "engine/recordset.h"

#include <QDir>
#include <QLocale>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <memory>

namespace zelk::test {

class EngineRegister {
public:
    EngineRegister()
        : m_previousLocale(QLocale())
    {
        QLocale::setDefault(QLocale(QStringLiteral("en_GB")));
        buildNewDatabase(path());
        m_db = Database::open(path());
    }
    ~EngineRegister()
    {
        m_db.reset();
        QLocale::setDefault(m_previousLocale);
    }
    EngineRegister(const EngineRegister&) = delete;
    EngineRegister& operator=(const EngineRegister&) = delete;

    Database& db() { return *m_db; }
    QString path() const { return QDir(m_dir.path()).filePath(QStringLiteral("zelk2002.mdb")); }
    QString file(const QString& name) const { return QDir(m_dir.path()).filePath(name); }

private:
    QLocale m_previousLocale;
    QTemporaryDir m_dir;
    std::unique_ptr<Database> m_db;
};

// The member numbers of a record set, first to last.
inline QStringList numbers(Recordset& rs)
{
    QStringList out;
    for (; !rs.eof(); rs.moveNext())
        out << rs.field(QStringLiteral("Number")).toString();
    return out;
}

// `actual` written in the form of `expected`: numbers in order, with "{..}" around members
// whose order among themselves the query leaves open (equal sort keys); inside the braces
// the numbers are sorted. Equal to `expected` exactly when the order is right.
inline QString inOrder(QStringList actual, const QString& expected)
{
    QString out;
    qsizetype at = 0;
    const QStringList tokens = QString(expected).replace(u'{', QStringLiteral(" { ")).replace(u'}', QStringLiteral(" } "))
                                   .split(u' ', Qt::SkipEmptyParts);
    auto put = [&](const QString& piece) {
        if (!out.isEmpty() && !out.endsWith(u'{') && piece != u'}')
            out += u' ';
        out += piece;
    };
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        if (tokens[i] == u'{') {
            qsizetype n = 0;
            while (i + 1 + n < tokens.size() && tokens[i + 1 + n] != u'}')
                ++n;
            QStringList group = actual.mid(at, n);
            at += group.size();
            std::sort(group.begin(), group.end(), [](const QString& a, const QString& b) { return a.toInt() < b.toInt(); });
            put(QStringLiteral("{"));
            for (const auto& g : group)
                put(g);
            put(QStringLiteral("}"));
            i += n + 1;
        } else if (at < actual.size()) {
            put(actual[at++]);
        }
    }
    for (; at < actual.size(); ++at)
        put(actual[at]);
    return out;
}

} // namespace zelk::test
