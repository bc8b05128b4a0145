#pragma once
// A register the Windows program kept (a Jet database named zelk2002.mdb with the tables
// Zelk, Settings, Members, Lookups and Labels) turned into a register of ours at the same
// place. The new register is written under a temporary name and moved into place only when
// it is complete and checked; the original is kept beside it, and nothing is changed when
// the conversion cannot be finished.
#include <QString>
#include <exception>
#include <functional>
#include <string>

namespace zelk::import {

// Whether the file at `path` is a Jet database with a member table Zelk: one the Windows
// program kept. False for any other file, and for a file that cannot be read.
bool isWindowsRegister(const QString& path);

// The name the original keeps beside the new register: the path followed by ".windows",
// or ".windows.2", ".windows.3" ... when that name is taken (nothing is ever overwritten).
QString keptOriginalName(const QString& path);

struct ConversionReport {
    QString keptAs;       // where the original now is
    int members = 0;
    int memberTypes = 0;
    int lookups = 0;
    int labelSheets = 0;  // the sheets the file held
};

// Why a conversion stopped, in sentences for the user; nothing has been changed.
class ConversionFailed : public std::exception {
public:
    explicit ConversionFailed(QString message)
        : m_message(std::move(message))
        , m_what(m_message.toStdString())
    {
    }
    const QString& message() const noexcept { return m_message; }
    const char* what() const noexcept override { return m_what.c_str(); }

private:
    QString m_message;
    std::string m_what;
};

// Called after each row copied: rows done of the rows the file's tables hold.
using ConversionProgress = std::function<void(qint64 done, qint64 total)>;

// Converts the Jet register at `path` into a register of ours at the same path, keeping
// the original under keptOriginalName(path). Every table is copied row by row in stored
// order, fields matched by name: Zelk whole (the file's own members only), Settings over
// our defaults, Members and Lookups, and Labels (a sheet named as one of our default sheets
// takes the file's values). Fields the file lacks keep our defaults. Throws
// ConversionFailed when the file cannot be read, or a value does not fit our register
// (naming table, row and field); the file at `path` is then untouched.
ConversionReport convertWindowsRegister(const QString& path, const ConversionProgress& progress = {});

} // namespace zelk::import
