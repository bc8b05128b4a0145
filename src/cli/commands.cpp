#include "command.h"
#include "import_commands.h"
#include "labels_pdf.h"
#include "windows_commands.h"

namespace zelk::cli {

// Each output and import adds its commands here.
const std::vector<Command>& commands()
{
    static const std::vector<Command> all = [] {
        std::vector<Command> list;
        list.push_back(labelsPdfCommand());
        list.push_back(convertWindowsRegisterCommand());
        list.push_back(importWindowsCommand());
        list.push_back(importTextCommand());
        list.push_back(importDosCommand());
        return list;
    }();
    return all;
}

} // namespace zelk::cli
