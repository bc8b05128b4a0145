#include "browser.h"

#include "app_state.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTextStream>

namespace zelk {

namespace {

QStringList applicationFolders()
{
    QString home = qEnvironmentVariable("XDG_DATA_HOME");
    if (home.isEmpty())
        home = QDir::homePath() + QStringLiteral("/.local/share");
    QString dirs = qEnvironmentVariable("XDG_DATA_DIRS");
    if (dirs.isEmpty())
        dirs = QStringLiteral("/usr/local/share:/usr/share");
    QStringList out{home + QStringLiteral("/applications")};
    for (const auto& d : dirs.split(u':', Qt::SkipEmptyParts))
        out << d + QStringLiteral("/applications");
    return out;
}

// The program named by a .desktop file's Exec line, without arguments or field codes.
QString execProgram(const QString& desktopFile)
{
    QFile f(desktopFile);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QTextStream in(&f);
    bool inEntry = false;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.startsWith(u'['))
            inEntry = line == QLatin1String("[Desktop Entry]");
        else if (inEntry && line.startsWith(QLatin1String("Exec="))) {
            const QStringList words = QProcess::splitCommand(line.mid(5));
            if (words.isEmpty())
                return {};
            QString program = words.first();
            if (program == QLatin1String("env")) {   // "env VAR=x program ..."
                for (const auto& w : words.mid(1))
                    if (!w.contains(u'=')) {
                        program = w;
                        break;
                    }
            }
            return program;
        }
    }
    return {};
}

} // namespace

QString desktopBrowser()
{
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty())
        return {};
    QProcess p;
    p.start(xdgMime, {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("text/html")});
    if (!p.waitForFinished(5000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        p.kill();
        return {};
    }
    const QString id = QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
    if (id.isEmpty() || id.contains(u'/'))
        return {};
    for (const auto& folder : applicationFolders()) {
        const QString file = folder + u'/' + id;
        if (!QFileInfo::exists(file))
            continue;
        const QString program = execProgram(file);
        if (program.isEmpty())
            return {};
        const QString full = QFileInfo(program).isAbsolute() ? program : QStandardPaths::findExecutable(program);
        return QFileInfo(full).isExecutable() ? full : QString();
    }
    return {};
}

QString GetLongPath(const QString& path)
{
    if (!path.contains(u'~'))
        return path;
    QString rest = path;
    if (rest.startsWith(u'"'))
        rest.remove(0, 1);
    if (rest.endsWith(u'"'))
        rest.chop(1);
    rest = QDir::fromNativeSeparators(rest);
    if (!rest.endsWith(u'/'))
        rest += u'/';

    QString built;
    if (rest.startsWith(QLatin1String("~/"))) {
        built = QDir::homePath();
        rest = rest.mid(2);
    } else if (rest.size() >= 3 && rest[1] == u':') {   // a drive, "C:/"
        built = rest.left(2);
        rest = rest.mid(3);
    } else if (rest.startsWith(u'/')) {
        rest = rest.mid(1);
    } else {
        built = QDir::currentPath();
    }
    while (rest.contains(u'/')) {
        const qsizetype at = rest.indexOf(u'/');
        const QString component = rest.left(at);
        rest = rest.mid(at + 1);
        if (component.isEmpty())
            continue;
        const QFileInfo entry(built + u'/' + component);
        if (!entry.exists())
            return {};
        QString name = entry.fileName();
        built += u'/' + TrimAtNull(name);
    }
    return QDir::toNativeSeparators(built + u'/' + rest);
}

QString TrimAtNull(QString& text)
{
    const qsizetype at = text.indexOf(QChar(0));
    if (at >= 0)
        text.truncate(at);
    return text;
}

} // namespace zelk
