#pragma once
// A new register in a test world of its own (en_GB: a connection takes its collation from the
// locale when it opens), and small helpers the engine tests share.
#include "data/create_db.h"
#include "engine/database.h"
#include "engine/engine_error.h"
#include "engine/recordset.h"
#include "testlib/test_world.h"

#include <QRegularExpression>

#include <algorithm>
#include <functional>

using namespace Qt::StringLiterals;

namespace zelk::test {

class EngineRegister {
public:
    EngineRegister() { buildNewDatabase(path()); m_db = Database::open(path()); }
    Database& db() { return *m_db; }
    QString path() const { return m_world.file(u"zelk2002.mdb"_s); }
    QString file(const QString& name) const { return m_world.file(name); }   // beside the register

private:
    TestWorld m_world;
    std::unique_ptr<Database> m_db;
};

// The error number a call throws, or 0 when it succeeds.
inline int errorOf(const std::function<void()>& call)
{
    try {
        call();
    } catch (const EngineError& e) {
        return e.number();
    }
    return 0;
}

// One field of every row of a record set, first to last (the first field unless named).
inline QStringList column(Database& db, const QString& source, const QString& field = {})
{
    QStringList out;
    for (auto rs = db.openRecordset(source); !rs->eof(); rs->moveNext())
        out << (field.isEmpty() ? rs->field(0) : rs->field(field)).toString();
    return out;
}

// Adds a row to `table` for each of `values`, holding it in `field`.
inline void addRows(Database& db, const QString& table, const QString& field, const QStringList& values)
{
    auto rs = db.openRecordset(table);
    for (const QString& v : values) {
        rs->addNew();
        rs->setField(field, v);
        rs->update();
    }
}

// `actual` in the form of `expected`: numbers in order, "{..}" around members whose order the
// query leaves open (equal sort keys), sorted inside. Equal to `expected` when the order is right.
inline QString inOrder(const QStringList& actual, const QString& expected)
{
    static const QRegularExpression part(uR"(\{[^}]*\}|[^\s{}]+)"_s);
    QStringList out;
    qsizetype at = 0;
    for (auto it = part.globalMatch(expected); it.hasNext();) {
        const QString p = it.next().captured();
        const qsizetype n = p.startsWith(u'{') ? p.split(u' ', Qt::SkipEmptyParts).size() : 1;
        QStringList group = actual.mid(at, n);
        at += n;
        std::sort(group.begin(), group.end(), [](const QString& a, const QString& b) { return a.toInt() < b.toInt(); });
        out << (p.startsWith(u'{') ? u'{' + group.join(u' ') + u'}' : group.join(u' '));
    }
    return (out + actual.mid(at)).join(u' ');
}

} // namespace zelk::test
