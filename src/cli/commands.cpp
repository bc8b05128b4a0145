#include "backup_commands.h"
#include "command.h"
#include "import_commands.h"
#include "labels_pdf.h"
#include "report_commands.h"
#include "windows_commands.h"

namespace zelk::cli {

// Each output and import adds its commands here.
const std::vector<Command>& commands()
{
    static const std::vector<Command> all = [] {
        std::vector<Command> list;
        list.push_back(labelsPdfCommand());
        list.push_back(exportCsvCommand());
        list.push_back(listHtmlCommand());
        list.push_back(convertWindowsRegisterCommand());
        list.push_back(importWindowsCommand());
        list.push_back(importTextCommand());
        list.push_back(importDosCommand());
        list.push_back(backupCommand());
        list.push_back(restoreCommand());
        return list;
    }();
    return all;
}

} // namespace zelk::cli
