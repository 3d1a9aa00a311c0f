#include <iostream>

#include "cli/cli_support.h"
#include "cli/commands.h"
#include "export/dxf_export.h"

namespace vm::cli {
namespace {

const char kUsage[] =
    "dxf --type measurement|coordinate [--prefix TEXT] [--cad] [--metres] [--format NAME] "
    "SOURCE TARGET";

}  // namespace

int CmdDxf(const Args& args) {
    if (WantsHelp(args)) {
        std::cout << "usage: veltramarlin-cli " << kUsage << "\n"
                  << "Saves the points of SOURCE (the text pane as saved) as a DXF drawing.\n"
                     "  --type TYPE    measurement or coordinate file\n"
                     "  --prefix TEXT  put in front of every measurement label\n"
                     "  --cad          CAD-ready: HEADER with code page ANSI_936, layer\n"
                     "                 tables, labels converted to GBK\n"
                     "  --metres       measurement values in metres, as the coordinate\n"
                     "                 drawing of the same survey\n"
                  << kFormatHelp;
        return kExitOk;
    }
    DxfExportRequest request;
    request.format = SourceFormat::Auto;
    bool typeGiven = false;
    std::vector<std::string> paths;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--cad" || a == "--metres") {
            (a == "--cad" ? request.options.cadReady : request.options.metres) = true;
        } else if (a == "--format") {
            std::string reason = "--format needs a name";
            if (++i == args.size() || !ParseFormatOption(args[i], request.format, reason))
                return UsageError(kUsage, reason);
        } else if (a == "--type" || a == "--prefix") {
            if (++i == args.size())
                return UsageError(kUsage, a + " needs a value");
            if (a == "--prefix") {
                request.labelPrefix = args[i];
            } else if (args[i] == "measurement" || args[i] == "coordinate") {
                request.fileType =
                    args[i] == "measurement" ? kDxfMeasurementFile : kDxfCoordinateFile;
                typeGiven = true;
            } else {
                return UsageError(kUsage, "--type is measurement or coordinate");
            }
        } else if (a.size() > 1 && a[0] == '-') {
            return UsageError(kUsage, "unknown option " + a);
        } else {
            paths.push_back(a);
        }
    }
    if (!typeGiven)
        return UsageError(kUsage, "--type is needed");
    if (paths.size() != 2)
        return UsageError(kUsage, "SOURCE and TARGET are needed");
    request.workFilePath = paths[0];
    request.targetPath = paths[1];

    const DxfExportResult result = ExportDxf(request);
    std::vector<std::string> lines;
    if (!result.status.empty())
        lines.push_back(result.status);
    for (const DxfMessage& m : result.messages) {
        if (!m.title.empty())
            lines.push_back(m.title);
        lines.push_back(m.text);
    }
    PrintLines(lines);
    return result.saved ? kExitOk : kExitFailure;
}

}  // namespace vm::cli
