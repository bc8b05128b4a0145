#pragma once
// Another program's database at the register's path may be one that can be turned into a
// register (the Windows program's own zelk2002.mdb). The program names, at its start, the
// routine that recognises such a file and offers to convert it; start-up calls it when the
// file at the register's path is not a register of ours.
#include <QString>
#include <functional>

namespace zelk {

enum class ForeignRegister {
    NotRecognised,   // not a file the routine knows: start-up says it is not a register
    Converted,       // a register of ours now stands at the path: start-up opens it
    Stopped,         // the user said no, or the conversion failed and said why: the program ends
};

using ForeignRegisterHandler = std::function<ForeignRegister(const QString& path)>;

// Names the routine; an empty one (the default) recognises nothing.
void setForeignRegisterHandler(ForeignRegisterHandler handler);

// What the routine makes of the file at `path`.
ForeignRegister offerForeignRegister(const QString& path);

} // namespace zelk
