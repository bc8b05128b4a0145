#include "program_folder.h"
#include "program_folder_choice.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace zelk {

bool folderIsWritable(const QString& folder)
{
    if (folder.isEmpty())
        return false;
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral("zelk-write-test-XXXXXX")));
    return probe.open();  // removed again when the probe goes
}

QString chooseProgramFolder(const QString& zelkHome, const QString& executableFolder)
{
    QString folder;
    if (!zelkHome.isEmpty()) {
        folder = zelkHome;
        QDir().mkpath(folder);   // when it cannot be made, opening the register says why
    } else if (QFileInfo::exists(QDir(executableFolder).filePath(QStringLiteral("zelk2002.mdb")))) {
        folder = executableFolder;   // a portable copy keeps its register beside it
    } else {
        folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QDir().mkpath(folder);
    }
    return QDir::toNativeSeparators(QDir::cleanPath(folder));
}

// Not remembered between calls: the environment decides each time.
QString programFolder()
{
    return chooseProgramFolder(qEnvironmentVariable("ZELK_HOME"), QCoreApplication::applicationDirPath());
}

QString programFile(const QString& name)
{
    return QDir::toNativeSeparators(programFolder() + QLatin1Char('/') + name);
}

} // namespace zelk
