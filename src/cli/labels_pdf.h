#pragma once
// zelk-membership labels-pdf FILE [--upper] [--number] [--start N]: an address label for
// every member, in surname order, on the default label sheet, written as a PDF file.
#include "command.h"

namespace zelk::cli {

Command labelsPdfCommand();

} // namespace zelk::cli
