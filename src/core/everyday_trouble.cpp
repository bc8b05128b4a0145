#include "everyday_trouble.h"

#include "error_number.h"

#include "engine/engine_error.h"

#include <QDir>

namespace zelk {

namespace {

// " (/home/ann/zelk2002.mdb)" or nothing.
QString named(const QString& registerPath)
{
    return registerPath.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(QDir::toNativeSeparators(registerPath));
}

MessageRequest exclamation(const QString& title, const QString& text)
{
    return {text, title, MsgButtons::OK, MsgIcon::Exclamation, MsgAnswer::OK};
}

} // namespace

std::optional<MessageRequest> everydayTroubleMessage(int errorNumber, const QString& registerPath)
{
    switch (errorNumber) {
    case err::RecordLocked:
    case err::LockedExclusively:
    case err::TableLockedByUser:
    case err::FileInUse:
        return exclamation(QStringLiteral("Register in use"),
                           QStringLiteral("The register is in use by another program. Please try again in a moment."));
    case err::ReadOnly:
        return exclamation(QStringLiteral("Register is read-only"),
                           QStringLiteral("The register%1 cannot be changed: the file, or the folder it is in, is read-only. "
                                          "Nothing has been changed.\n\n"
                                          "Make the file and its folder writable (or ask whoever looks after this computer), "
                                          "then try again.")
                               .arg(named(registerPath)));
    case err::DiskFull:
        return exclamation(QStringLiteral("Disk full"),
                           QStringLiteral("There is not enough space on the disk to store this change. Nothing has been changed.\n\n"
                                          "Make some room on the disk, then try again."));
    case err::FileNotFound:
        return exclamation(QStringLiteral("Register missing"),
                           QStringLiteral("The register%1 has been moved or deleted while Zelk Membership was running. "
                                          "Nothing has been changed.\n\n"
                                          "End the program, put the register back in its place (or restore a backup), "
                                          "and start the program again.")
                               .arg(named(registerPath)));
    case err::CannotOpenFile:
        return exclamation(QStringLiteral("Register cannot be opened"),
                           QStringLiteral("The register%1 cannot be opened: this program may not read it, or it is not "
                                          "a file.\n\nCheck the file and its permissions, then try again.")
                               .arg(named(registerPath)));
    case err::RecordDeleted:
        return exclamation(QStringLiteral("Member not found"),
                           QStringLiteral("This member is no longer in the register: another program may have deleted it. "
                                          "Nothing has been changed."));
    case err::DiskOrNetwork:
        return exclamation(QStringLiteral("Register damaged"),
                           QStringLiteral("The register%1 could not be read or written: the file is damaged, or the disk "
                                          "it is on cannot be read. Nothing has been changed.\n\n"
                                          "End the program and start it again; if this message comes back, restore the "
                                          "register from its latest backup.")
                               .arg(named(registerPath)));
    default:
        return std::nullopt;
    }
}

std::optional<MessageRequest> everydayTroubleMessage(const std::exception& e, const QString& registerPath)
{
    // Only the engine's own failures are everyday trouble; its numbers say which.
    if (!dynamic_cast<const EngineError*>(&e))
        return std::nullopt;
    return everydayTroubleMessage(errorNumber(e), registerPath);
}

MessageRequest readOnlyRegisterMessage(const QString& registerPath)
{
    return {QStringLiteral("The register%1 is read-only, or the folder it is in is, so Zelk Membership has opened it "
                           "for reading only. You can look at members and make reports, but changes cannot be saved.\n\n"
                           "To make changes, make the file and its folder writable (or ask whoever looks after this "
                           "computer); the next save then works.")
                .arg(named(registerPath)),
            QStringLiteral("Register is read-only"), MsgButtons::OK, MsgIcon::Exclamation, MsgAnswer::OK};
}

MessageRequest damagedRegisterMessage(const QString& registerPath)
{
    return {QStringLiteral("The register%1 is damaged, so Zelk Membership cannot open it. The file has been left "
                           "exactly as it is.\n\n"
                           "Restore the latest good backup from the folder \"backups\" beside it (the command "
                           "\"zelk-membership restore FILE\" puts one in its place), then start the program again.")
                .arg(named(registerPath)),
            QStringLiteral("Register damaged"), MsgButtons::OK, MsgIcon::Critical, MsgAnswer::OK};
}

} // namespace zelk
