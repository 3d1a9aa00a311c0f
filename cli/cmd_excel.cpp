#include <iostream>

#include "cli/cli_support.h"
#include "cli/commands.h"
#include "export/excel_export.h"
#include "instrument/other_makers_export.h"

namespace vm::cli {
namespace {

constexpr char kUsage[] = "excel [--numbers] [--format NAME] SOURCE TARGET";

}  // namespace

int CmdExcel(const Args& args) {
    if (WantsHelp(args)) {
        std::cout << "usage: veltramarlin-cli " << kUsage << "\n"
                  << "Saves the comma-separated coordinate file SOURCE as a workbook with the\n"
                     "sheet Coordinate (PT*, X, Y, Z, PCode; every value a text cell). A TARGET\n"
                     "ending in .xlsx is an Office Open XML workbook; one that does not end in\n"
                     ".xls or .xlsx is written as a delimited text file instead. More than\n"
                     "65,535 points go on in sheets \"Coordinate (2)\", ...\n"
                     "  --numbers  X, Y and Z as number cells shown with three decimals\n"
                  << kFormatHelp;
        return kExitOk;
    }
    ExcelExportInput input;
    std::vector<std::string> paths;
    SourceFormat format = SourceFormat::Auto;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        std::string reason = "--format needs a name";
        if (arg == "--numbers")
            input.numbers = true;
        else if (arg == "--format" &&
                 (i + 1 == args.size() || !ParseFormatOption(args[++i], format, reason)))
            return UsageError(kUsage, reason);
        else if (arg == "--format")
            continue;
        else if (arg.size() > 1 && arg[0] == '-')
            return UsageError(kUsage, "unknown option " + arg);
        else
            paths.push_back(arg);
    }
    if (paths.size() != 2)
        return UsageError(kUsage, "SOURCE and TARGET are needed");

    std::string message;
    if (!ReadExcelSource(paths[0], input.source, message)) {
        PrintLines({message});
        return kExitFailure;
    }
    // Another maker's file goes into the workbook as the points it is read into.
    ExportSourceText other = OtherMakersExportText(input.source, format, ExportReading::Points);
    if (other.converted)
        PrintLines({other.report});
    if (other.failed)
        return kExitFailure;
    if (other.converted)
        input.source.swap(other.text);
    input.targetPath = paths[1];
    const ExcelExportResult result = ExportCoordinatesToExcel(input);
    if (!result.status.empty())
        PrintLines({result.status});
    PrintLines(result.messages);
    return result.ok ? kExitOk : kExitFailure;
}

}  // namespace vm::cli
