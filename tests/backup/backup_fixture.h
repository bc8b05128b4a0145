#pragma once
// Registers, backups and damage made to order for the backup tests.
#include "testlib/test_program.h"

#include "data/create_db.h"
#include "engine/database.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTest>

namespace zelk::test {

// A register at `path` holding one member for each surname, numbered from 1 in turn.
inline void makeRegister(const QString& path, const QStringList& surnames)
{
    buildNewDatabase(path);
    auto db = Database::open(path);
    db->execute(QStringLiteral("DELETE FROM Zelk"));
    for (int i = 0; i < surnames.size(); ++i)
        db->execute(QStringLiteral("INSERT INTO Zelk (Number, Surname, Address1) VALUES (%1, \"%2\", \"1 High Street\")").arg(i + 1).arg(surnames[i]));
}

// The surnames of a register in number order.
inline QStringList surnamesIn(const QString& path)
{
    return registerRows(path, QStringLiteral("Select Surname from Zelk ORDER BY Number"));
}

// Overwrites a page of members near the end of the file with rubbish, as a failing disk
// would (the tables' own description, at the start, stays readable).
inline void damage(const QString& path)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadWrite));
    const qint64 pages = f.size() / 4096;
    QVERIFY(pages > 4);
    f.seek(4096 * (pages - 2));
    f.write(QByteArray(4096, '\xA5'));
}

// The names of the files in `folder`, sorted.
inline QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

inline void writeFile(const QString& path, const QByteArray& bytes = "not a backup")
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Enough members that the register spans many pages.
inline QStringList manySurnames(int count = 400)
{
    QStringList names;
    for (int i = 0; i < count; ++i)
        names << QStringLiteral("Member%1").arg(i, 4, 10, QChar(u'0'));
    return names;
}

} // namespace zelk::test
