#include "dos_programs.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

namespace zelk::import::dos {

namespace {

MessageRequest conversionFailed(const QString& text)
{
    return {text + QStringLiteral("\n\nNothing has been imported: your register is as it was."),
            QStringLiteral("Conversion failed"), MsgButtons::OK, MsgIcon::Critical, MsgAnswer::OK};
}

// The last few lines a program wrote to its error output, for the message about it.
QString lastLines(const QByteArray& output)
{
    QStringList lines = QString::fromLocal8Bit(output).split(QRegularExpression(QStringLiteral("[\r\n]+")), Qt::SkipEmptyParts);
    lines = lines.mid(qMax<qsizetype>(0, lines.size() - 3));
    QString text = lines.join(u'\n').trimmed();
    if (text.size() > 400)
        text = text.right(400);
    return text;
}

} // namespace

std::vector<ConversionStep> conversionSteps(const QString& programFolder, const QString& dosFolder, bool memoPresent)
{
    const QString p = QDir::toNativeSeparators(programFolder) + QDir::separator();
    const QString& d = dosFolder;
    std::vector<ConversionStep> steps{
        {QStringLiteral("CFIL"), {QStringLiteral("s=") + p + QStringLiteral("ZELK"), QStringLiteral("l=ZELK2"),
                                  QStringLiteral("I=") + d + QStringLiteral("ZELK2"), QStringLiteral("O=ZELK2")}},
        {QStringLiteral("CFIL"), {QStringLiteral("s=") + p + QStringLiteral("ZELK"), QStringLiteral("l=TYPE"),
                                  QStringLiteral("I=") + d + QStringLiteral("TYPE"), QStringLiteral("O=TYPE")}},
        {QStringLiteral("CCVT"), {QStringLiteral("T=Clarion"), QStringLiteral("I=") + d + QStringLiteral("ZELK2.DAT"),
                                  QStringLiteral("O=BASIC"), QStringLiteral("F=") + d + QStringLiteral("ZELK.DAT")}},
        {QStringLiteral("CCVT"), {QStringLiteral("T=Clarion"), QStringLiteral("I=") + d + QStringLiteral("TYPE.DAT"),
                                  QStringLiteral("O=BASIC"), QStringLiteral("F=") + d + QStringLiteral("TYP_LOOK.DAT")}},
    };
    if (memoPresent)
        steps.push_back({QStringLiteral("RRUN"), {QStringLiteral("R=RPT1.DEF"), QStringLiteral("D=") + p + QStringLiteral("MEMO1.DEF"),
                                                  QStringLiteral("O=F-") + d + QStringLiteral("MEMO.DAT")}});
    return steps;
}

QString findFile(const QString& folder, const QString& name)
{
    const QDir dir(folder);
    for (const QFileInfo& entry : dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System))
        if (entry.fileName().compare(name, Qt::CaseInsensitive) == 0)
            return entry.filePath();
    return {};
}

QString findConversionProgram(const QString& folder, const QString& tool)
{
    const QString bare = findFile(folder, tool);
    return bare.isEmpty() ? findFile(folder, tool + QStringLiteral(".exe")) : bare;
}

bool CheckClarionFilesPresent(const QString& programFolder)
{
    return findConversionProgram(programFolder, QStringLiteral("CFIL")).isEmpty();
}

MessageRequest conversionFilesMissingMessage()
{
    return {QStringLiteral("You don't appear to have downloaded the DOS conversion files yet.\n\n"
                           "I can't do the conversion for you without these."),
            QStringLiteral("Conversion files missing"), MsgButtons::OK, MsgIcon::Critical, MsgAnswer::OK};
}

ProgramRun ExecCmd(const QString& program, const QStringList& arguments, const QString& workingFolder,
                   const std::function<void()>& whileWaiting)
{
    ProgramRun run;
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setWorkingDirectory(workingFolder);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start();
    if (!process.waitForStarted(-1)) {
        run.problem = process.errorString();
        return run;
    }
    run.started = true;
    while (!process.waitForFinished(whileWaiting ? 30 : -1)) {
        if (process.state() == QProcess::NotRunning)
            break;
        if (whileWaiting)
            whileWaiting();
    }
    run.crashed = process.exitStatus() == QProcess::CrashExit;
    run.exitCode = process.exitCode();
    run.errorOutput = lastLines(process.readAllStandardError());
    return run;
}

bool runConversionPrograms(const QString& programFolder, const QString& dosFolder, const AskUser& ask,
                           const std::function<void()>& whileWaiting)
{
    const bool memo = !findFile(dosFolder, QStringLiteral("MEMO.DAT")).isEmpty();
    for (const ConversionStep& step : conversionSteps(programFolder, dosFolder, memo)) {
        const QString program = findConversionProgram(programFolder, step.tool);
        if (program.isEmpty()) {
            ask(conversionFailed(QStringLiteral("Sorry, I can't find the conversion program %1 in %2.\n\n"
                                                "It must be there, as a program or a script of that name, for the "
                                                "conversion to run.")
                                     .arg(step.tool, QDir::toNativeSeparators(programFolder))));
            return false;
        }
        const ProgramRun run = ExecCmd(program, step.arguments, programFolder, whileWaiting);
        QString failure;
        if (!run.started)
            failure = QStringLiteral("Sorry, the conversion program %1 could not be started: %2.").arg(program, run.problem);
        else if (run.crashed)
            failure = QStringLiteral("Sorry, the conversion program %1 stopped unexpectedly.").arg(program);
        else if (run.exitCode != 0)
            failure = QStringLiteral("Sorry, the conversion program %1 stopped with the error code %2.").arg(program, QString::number(run.exitCode));
        if (failure.isEmpty())
            continue;
        if (run.started && !run.errorOutput.isEmpty())
            failure += QStringLiteral("\n\nIt said: ") + run.errorOutput;
        ask(conversionFailed(failure));
        return false;
    }
    return true;
}

} // namespace zelk::import::dos
