// veltramarlin-cli universal: the universal conversion of the dialog, with the
// layout and options given on the command line instead of the dialog's controls.
#include <cmath>
#include <vector>

#include "cli/cli_support.h"
#include "cli/commands.h"
#include "universal/universal_conversion.h"

namespace vm::cli {
namespace {

const char* kUsage =
    "universal [--source-fields P,A,X,Y,Z,S] [--target-fields P,A,X,Y,Z,S] [--attribute]\n"
    "          [--numbering] [--start N] [--source-sep comma|space] [--target-sep comma|space]\n"
    "          [--header-count] [--add-x V] [--add-y V] [--add-z V]\n"
    "          [--mul-x V] [--mul-y V] [--mul-z V] SOURCE TARGET";

// Field numbers 1-6 as the dialog lists show them, in the order point number,
// attribute, X, Y, Z, sequence number.
bool ParseFields(const std::string& text, ColumnLayout& layout) {
    std::vector<int> v;
    if (!ParseIntList(text, 6, v))
        return false;
    for (const int n : v) {
        if (n < 1 || n > kLayoutPositions)
            return false;
    }
    layout = {v[0] - 1, v[1] - 1, v[2] - 1, v[3] - 1, v[4] - 1, v[5] - 1};
    return true;
}

bool ParseSeparator(const std::string& text, char& separator) {
    if (text != "comma" && text != "space")
        return false;
    separator = text == "comma" ? ',' : ' ';
    return true;
}

bool ParseConstant(const std::string& text, double& value) {
    return ParseDouble(text, value) && std::isfinite(value);
}

// Fills run from the options; an empty reason means success.
std::string ParseOptions(const Args& args, UniversalConversionRun& run) {
    std::vector<std::string> paths;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--attribute") {
            run.layout.attributeEnabled = true;
        } else if (a == "--numbering") {
            run.layout.numberingEnabled = true;
        } else if (a == "--header-count") {
            run.headerCount = true;
        } else if (a.size() > 2 && a.compare(0, 2, "--") == 0) {
            if (i + 1 >= args.size())
                return "option " + a + " needs a value";
            const std::string& v = args[++i];
            bool ok = false;
            if (a == "--source-fields")
                ok = ParseFields(v, run.layout.source);
            else if (a == "--target-fields")
                ok = ParseFields(v, run.layout.target);
            else if (a == "--start")
                ok = ParseInt(v, run.startNumber);
            else if (a == "--source-sep")
                ok = ParseSeparator(v, run.sourceSeparator);
            else if (a == "--target-sep")
                ok = ParseSeparator(v, run.targetSeparator);
            else if (a == "--add-x")
                ok = ParseConstant(v, run.addX);
            else if (a == "--add-y")
                ok = ParseConstant(v, run.addY);
            else if (a == "--add-z")
                ok = ParseConstant(v, run.addZ);
            else if (a == "--mul-x")
                ok = ParseConstant(v, run.mulX);
            else if (a == "--mul-y")
                ok = ParseConstant(v, run.mulY);
            else if (a == "--mul-z")
                ok = ParseConstant(v, run.mulZ);
            else
                return "unknown option " + a;
            if (!ok)
                return "invalid value '" + v + "' for " + a;
        } else {
            paths.push_back(a);
        }
    }
    if (paths.size() != 2)
        return "expected SOURCE and TARGET";
    run.sourcePath = paths[0];
    run.targetPath = paths[1];
    return std::string();
}

}  // namespace

int CmdUniversal(const Args& args) {
    if (WantsHelp(args)) {
        PrintLines({"usage: veltramarlin-cli " + std::string(kUsage),
                    "Converts SOURCE from one field layout to another into TARGET.",
                    "Field numbers are 1-6 as the dialog lists them (default 1,1,1,1,1,1)."});
        return kExitOk;
    }
    UniversalConversionRun run;
    const std::string reason = ParseOptions(args, run);
    if (!reason.empty())
        return UsageError(kUsage, reason);
    const UniversalConversionResult result = ConvertLayoutFile(run);
    std::vector<std::string> lines;
    for (const ConversionMessage& m : result.messages)
        lines.push_back(m.text);
    PrintLines(lines);
    return result.success ? kExitOk : kExitFailure;
}

}  // namespace vm::cli
