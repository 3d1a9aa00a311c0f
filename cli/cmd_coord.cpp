#include <iostream>

#include "cli/cli_support.h"
#include "cli/commands.h"
#include "cli/conversion_report.h"
#include "instrument/conversion_run.h"
#include "instrument/target_layout.h"

namespace vm::cli {

namespace {

constexpr char kUsage[] = "coord --layout N [--format NAME] SOURCE TARGET";

void PrintHelp() {
    std::cout << "usage: veltramarlin-cli " << kUsage << "\n"
              << "Converts a coordinate file into target layout N (default 0):\n";
    const auto& names = TargetLayoutNames();
    for (size_t i = 0; i < names.size(); ++i)
        std::cout << "  " << i << "  " << names[i] << "\n";
    std::cout << kFormatHelp;
}

}  // namespace

int CmdCoord(const Args& args) {
    if (WantsHelp(args)) {
        PrintHelp();
        return kExitOk;
    }
    DownloadConversionInput input;
    std::vector<std::string> paths;
    for (size_t i = 0; i < args.size(); ++i) {
        std::string reason;
        if (args[i] == "--layout") {
            if (i + 1 >= args.size())
                return UsageError(kUsage, "--layout needs a number");
            if (!ParseLayoutOption(args[++i], input.options.layout, reason)) {
                return UsageError(kUsage, reason);
            }
        } else if (args[i] == "--format") {
            if (i + 1 >= args.size() || !ParseFormatOption(args[++i], input.format, reason))
                return UsageError(kUsage, reason.empty() ? "--format needs a name" : reason);
        } else if (args[i].size() > 1 && args[i][0] == '-') {
            return UsageError(kUsage, "unknown option " + args[i]);
        } else {
            paths.push_back(args[i]);
        }
    }
    if (paths.size() != 2)
        return UsageError(kUsage, "coord takes SOURCE and TARGET");
    input.coordSource = paths[0];
    input.coordTarget = paths[1];
    return ReportConversion(RunDownloadConversion(input));
}

}  // namespace vm::cli
