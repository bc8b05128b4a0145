#pragma once
// The messages for errors no routine expects: they name the error's number and the
// routine it happened in, so the user can report it.
#include "core/error_number.h"

#include <QString>

class QWidget;

namespace zelk {

// "There was an unexpected error, number N in <where>. Please contact Bramwick for
// further advice.", titled "Unexpected error.".
void showUnexpectedError(int number, const QString& where, QWidget* parent = nullptr);

// The start-up form: "I have encountered an unexpected error, number N in <where>.",
// two line breaks, "Please contact Bramwick for advice.", titled "Problem loading Zelk
// Membership".
void showLoadingError(int number, const QString& where);

} // namespace zelk
