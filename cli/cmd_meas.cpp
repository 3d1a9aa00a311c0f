#include <iostream>

#include "cli/cli_support.h"
#include "cli/commands.h"
#include "cli/conversion_report.h"
#include "instrument/conversion_run.h"

namespace vm::cli {

namespace {

constexpr char kUsage[] =
    "meas --layout N [--coord FILE] [--angle-dist FILE] [--angle FILE] [--format NAME] SOURCE";

void PrintHelp() {
    std::cout << "usage: veltramarlin-cli " << kUsage << "\n"
              << "Converts an instrument measurement file. Each output option ticks its\n"
                 "output: --coord the coordinates in layout N (default 0, see 'coord --help'),\n"
                 "--angle-dist the angle-distance table, --angle the angle table.\n"
                 "With none of them only the coordinate output is ticked, without a target.\n"
              << kFormatHelp;
}

}  // namespace

int CmdMeas(const Args& args) {
    if (WantsHelp(args)) {
        PrintHelp();
        return kExitOk;
    }
    DownloadConversionInput input;
    MeasurementOptions& options = input.options;
    options.coordinates = options.angleDistance = options.angles = false;
    std::vector<std::string> paths;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool takesValue = arg == "--layout" || arg == "--coord" || arg == "--angle-dist" ||
                                arg == "--angle" || arg == "--format";
        if (takesValue && i + 1 >= args.size())
            return UsageError(kUsage, arg + " needs a value");
        std::string reason;
        if (arg == "--layout") {
            if (!ParseLayoutOption(args[++i], options.layout, reason)) {
                return UsageError(kUsage, reason);
            }
        } else if (arg == "--format") {
            if (!ParseFormatOption(args[++i], input.format, reason))
                return UsageError(kUsage, reason);
        } else if (arg == "--coord") {
            options.coordinates = true;
            input.coordExtractTarget = args[++i];
        } else if (arg == "--angle-dist") {
            options.angleDistance = true;
            input.angleDistTarget = args[++i];
        } else if (arg == "--angle") {
            options.angles = true;
            input.angleTarget = args[++i];
        } else if (arg.size() > 1 && arg[0] == '-') {
            return UsageError(kUsage, "unknown option " + arg);
        } else {
            paths.push_back(arg);
        }
    }
    if (paths.size() != 1)
        return UsageError(kUsage, "meas takes one SOURCE");
    // The dialog opens with the coordinate output ticked.
    if (!options.coordinates && !options.angleDistance && !options.angles) {
        options.coordinates = true;
    }
    input.measSource = paths[0];
    return ReportConversion(RunDownloadConversion(input));
}

}  // namespace vm::cli
