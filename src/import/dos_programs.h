#pragma once
// The conversion programs of the DOS edition's database product (CFIL, CCVT and RRUN),
// which a club puts into the program's folder: the commands the conversion runs, finding
// the programs there whatever the case of their names, and running each as a process of
// its own while the window goes on painting.
#include "core/question.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace zelk::import::dos {

// One program run: the tool's name and its arguments, each path one argument however many
// blanks it holds.
struct ConversionStep {
    QString tool;   // "CFIL", "CCVT" or "RRUN"
    QStringList arguments;
};

// The runs that turn the files of the DOS folder `dosFolder` (ending in a separator) into
// text: the member file and the type file each by CFIL and then CCVT, and the memo file by
// RRUN when `memoPresent`. `programFolder` holds the programs and their definition files.
std::vector<ConversionStep> conversionSteps(const QString& programFolder, const QString& dosFolder, bool memoPresent);

// The file of `name` in `folder` in any case of its letters ("MEMO.DAT", "memo.dat");
// empty when there is none.
QString findFile(const QString& folder, const QString& name);

// The program file of `tool` in `folder`: its name in any case, with or without ".exe"
// ("CFIL", "cfil", "Cfil.EXE"); empty when there is none.
QString findConversionProgram(const QString& folder, const QString& tool);

// True when the first conversion program, CFIL, is missing from `programFolder`.
bool CheckClarionFilesPresent(const QString& programFolder);

// What the user is told then: "You don't appear to have downloaded the DOS conversion
// files yet." ..., titled "Conversion files missing".
MessageRequest conversionFilesMissingMessage();

// How a program run ended.
struct ProgramRun {
    bool started = false;
    bool crashed = false;
    int exitCode = -1;
    QString problem;       // why it could not be started
    QString errorOutput;   // the last of what it wrote to its error output
};

// Starts `program` with `arguments` (no shell) in `workingFolder` and waits for its end,
// calling `whileWaiting` (may be empty) every few hundredths of a second meanwhile.
ProgramRun ExecCmd(const QString& program, const QStringList& arguments, const QString& workingFolder,
                   const std::function<void()>& whileWaiting);

// Runs every step in turn from `programFolder`, each after the one before has ended. A
// program that is missing, cannot be started, or ends with a failure code stops the
// conversion: the user is told through `ask` which and why, and the result is false.
bool runConversionPrograms(const QString& programFolder, const QString& dosFolder, const AskUser& ask,
                           const std::function<void()>& whileWaiting);

} // namespace zelk::import::dos
