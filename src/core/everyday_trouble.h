#pragma once
// Foreseeable trouble with the register (another program holding it, a read-only or full
// disk, a file moved away or damaged) is told in plain words: what happened, and what to
// do. Every window and start-up take these texts from here.
#include "question.h"

#include <exception>
#include <optional>

namespace zelk {

// The plain message for an engine error that everyday trouble explains, naming the
// register's file when `registerPath` is given; nothing for an error no one expects,
// which is reported by its number instead.
std::optional<MessageRequest> everydayTroubleMessage(int errorNumber, const QString& registerPath = {});
std::optional<MessageRequest> everydayTroubleMessage(const std::exception& e, const QString& registerPath = {});

// Said at start-up when the register can be read but not written.
MessageRequest readOnlyRegisterMessage(const QString& registerPath);
// Said at start-up when the register is damaged and no backup was put in its place.
MessageRequest damagedRegisterMessage(const QString& registerPath);

} // namespace zelk
