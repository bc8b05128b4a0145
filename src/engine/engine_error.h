#pragma once
// Numbered errors of the database engine layer. The meanings callers must tell apart keep
// the numbers the old engine used, so messages that show a number stay familiar.
#include <QString>
#include <exception>
#include <string>

namespace zelk {

namespace err {
constexpr int InvalidProcedureCall = 5;
constexpr int Overflow = 6;             // a number too large for its field
constexpr int TypeMismatch = 13;        // text that does not convert to the field's type
constexpr int BadFileName = 52;
constexpr int Reserved = 3000;          // any other failure of the engine
constexpr int CannotOpenFile = 3051;    // no permission, or not a file
constexpr int NotAnSqliteFile = 3343;   // unrecognised database format: never written to
constexpr int UpdateWithoutEdit = 3020;
constexpr int NoCurrentRecord = 3021;
constexpr int DuplicateKey = 3022;
constexpr int FileNotFound = 3024;
constexpr int DiskFull = 3026;
constexpr int ReadOnly = 3027;
constexpr int DiskOrNetwork = 3043;
constexpr int TooFewParameters = 3061;  // a query names a field the table does not have
constexpr int SyntaxError = 3075;
constexpr int TableNotFound = 3078;
constexpr int LockedExclusively = 3008;
constexpr int TableLockedByUser = 3261;
constexpr int RecordLocked = 3218;
constexpr int ValueTooLong = 3163;
constexpr int RecordDeleted = 3167;
constexpr int DatabaseExists = 3204;
constexpr int ItemNotFound = 3265;      // no field of that name in the record set
constexpr int ZeroLengthNotAllowed = 3315;
constexpr int TableExists = 3010;
constexpr int CharactersAfterEnd = 3142;
constexpr int FileInUse = 3045;        // opened exclusively: another connection has it open
constexpr int NotSupported = 3251;     // the record set cannot do that (a read-only query)
} // namespace err

class EngineError : public std::exception {
public:
    EngineError(int number, QString description, QString source = {});

    int number() const noexcept { return m_number; }
    const QString& description() const noexcept { return m_description; }
    // The routine the error is reported from, when it is passed on by name.
    const QString& source() const noexcept { return m_source; }
    void setSource(const QString& source) { m_source = source; }

    const char* what() const noexcept override { return m_what.c_str(); }

private:
    int m_number;
    QString m_description;
    QString m_source;
    std::string m_what;
};

} // namespace zelk
