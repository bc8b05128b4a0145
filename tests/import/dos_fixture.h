#pragma once
// The DOS edition's folder as the conversion programs leave it, and fake conversion
// programs: small scripts that write their name, arguments and working folder to a log
// and end with the code they are given.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>

namespace zelk::test {

struct FakePrograms {
    QString folder;   // the program's folder, which holds them
    QString log;      // one line per run: name [arg] [arg] ... in folder

    FakePrograms(const QString& programFolder, const QString& logFile)
        : folder(programFolder)
        , log(logFile)
    {
        QDir().mkpath(folder);
    }

    // A program of that file name which ends with `exitCode` after writing `errorOutput`.
    void add(const QString& fileName, int exitCode = 0, const QString& errorOutput = {}, bool executable = true) const
    {
        const QString path = QDir(folder).filePath(fileName);
        QFile script(path);
        script.open(QIODevice::WriteOnly);
        script.write(QStringLiteral("#!/bin/sh\n"
                                    "{ printf '%s' \"$(basename \"$0\")\"; for a in \"$@\"; do printf ' [%s]' \"$a\"; done;"
                                    " printf ' in %s\\n' \"$PWD\"; } >> '%1'\n"
                                    "%2exit %3\n")
                         .arg(log, errorOutput.isEmpty() ? QString() : QStringLiteral("echo '%1' >&2\n").arg(errorOutput),
                              QString::number(exitCode))
                         .toUtf8());
        script.close();
        QFile::Permissions p = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
        if (executable)
            p |= QFileDevice::ExeOwner;
        script.setPermissions(p);
    }
    void addAll() const
    {
        add(QStringLiteral("cfil.exe"));
        add(QStringLiteral("CCVT"));
        add(QStringLiteral("Rrun"));
    }
    QStringList runs() const
    {
        QFile f(log);
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts);
    }
};

// Writes a file of the DOS folder in code page 437 (the test gives the bytes).
inline void writeDosFile(const QString& dosFolder, const QString& name, const QByteArray& bytes)
{
    QDir().mkpath(dosFolder);
    QFile f(QDir(dosFolder).filePath(name));
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
}

// Members of ZELK.DAT as the conversion writes them; numbers and day numbers bare, texts
// in quotes. The 24th value is not used.
inline QByteArray dosMemberLine(const QString& number, const QString& join, const QString& renew, const QString& fee,
                                const QByteArray& title, const QByteArray& first, const QByteArray& surname,
                                const QByteArray& rest = "\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"")
{
    return number.toLatin1() + ',' + join.toLatin1() + ',' + renew.toLatin1() + ',' + fee.toLatin1() + ",\"" + title + "\",\""
        + first + "\",\"" + surname + "\"," + rest + "\r\n";
}

} // namespace zelk::test
