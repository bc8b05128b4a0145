#pragma once
// The imports without a window: a text file, and the DOS edition's files. They run the
// very code the import windows run, say on standard error what the windows would show,
// and print the number of members added.
#include "command.h"

#include "core/question.h"

namespace zelk::cli {

// zelk-membership import-text FILE [--separator tab|comma|semicolon] [--map FIELD,FIELD,...]
Command importTextCommand();

// zelk-membership import-dos FOLDER [--birthday] [--mixed-case]
Command importDosCommand();

// Every message of an import written on `err` (its text, then a blank line); the answer
// is the message's default button.
AskUser messagesTo(QTextStream& err);

} // namespace zelk::cli
