#include <iostream>

#include "cli/cli_support.h"
#include "cli/commands.h"
#include "export/excel_export.h"

namespace vm::cli {
namespace {

constexpr char kUsage[] = "excel SOURCE TARGET";

}  // namespace

int CmdExcel(const Args& args) {
    if (WantsHelp(args)) {
        std::cout << "usage: veltramarlin-cli " << kUsage << "\n"
                  << "Saves the comma-separated coordinate file SOURCE as a workbook with the\n"
                     "sheet Coordinate (PT*, X, Y, Z, PCode; every value a text cell). A TARGET\n"
                     "that does not end in .xls is written as a delimited text file instead.\n"
                     "More than 65,535 points go on in sheets \"Coordinate (2)\", ...\n";
        return kExitOk;
    }
    for (const std::string& arg : args) {
        if (arg.size() > 1 && arg[0] == '-')
            return UsageError(kUsage, "unknown option " + arg);
    }
    if (args.size() != 2)
        return UsageError(kUsage, "SOURCE and TARGET are needed");

    ExcelExportInput input;
    std::string message;
    if (!ReadExcelSource(args[0], input.source, message)) {
        PrintLines({message});
        return kExitFailure;
    }
    input.targetPath = args[1];
    const ExcelExportResult result = ExportCoordinatesToExcel(input);
    PrintLines(result.messages);
    return result.ok ? kExitOk : kExitFailure;
}

}  // namespace vm::cli
