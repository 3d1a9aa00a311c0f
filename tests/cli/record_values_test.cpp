// What reaches an output from a source: values no surveyor could mean (NaN,
// infinite, beyond what the output writes exactly) are skipped record by
// record, counted, and the first named with its line; lines end at CR, LF or
// CR LF; a byte-order mark is no data.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/cli_runner.h"
#include "tests/support/temp_dir.h"

namespace vm {
namespace {

using test::CliRun;
using test::TempDir;

struct SourceCase {
    const char* what;
    std::vector<std::string> args;  // "SOURCE" and "TARGET" stand for the files
    std::string source;
    std::string expected;  // a line the run prints
};

TEST(RecordValues, everyOutputSkipsUnusableValuesAndNamesTheFirst) {
    const std::string coords = "P1,1000000,2000000,30000,T\r\nP2,1e309,1,1,T\r\nP3,1e308,1,1,T\r\n";
    const std::string metres = "P1,1000.5,2000.5,30,T\r\nP2,1e309,1,1,T\r\nP3,1,-1e11,1,T\r\n";
    const std::string meas =
        "UNITS m,d\r\nSS P1,1.6,T\r\nXYZ 1000000,2000000,50000\r\n"
        "SS P2,1.6,T\r\nXYZ 1e309,1,1\r\nSS P3,1.6,T\r\nHV 1e309,900000\r\n"
        "SS P4,1.6,T\r\nHV 1800000,900000\r\n";
    const std::string from = "1,5,2,3,4,6", to = "1,2,3,4,5,6";
    const SourceCase cases[] = {
        {"coord",
         {"coord", "SOURCE", "TARGET"},
         coords,
         "跳过 2 个数值无效的记录，第一个在第 2 行：P2,1e309,1,1,T"},
        {"universal",
         {"universal", "--source-fields", from, "--target-fields", to, "SOURCE", "TARGET"},
         metres,
         "跳过 2 个数值无效的记录，第一个在第 2 行：P2,1e309,1,1,T"},
        {"dxf",
         {"dxf", "--type", "coordinate", "--cad", "SOURCE", "TARGET"},
         metres,
         "跳过 2 个数值无效的记录，第一个在第 2 行：P2,1e309,1,1,T"},
        {"dxf-measurement",
         {"dxf", "--type", "measurement", "SOURCE", "TARGET"},
         meas,
         "跳过 1 个数值无效的记录，第一个在第 5 行：XYZ 1e309,1,1"},
        {"meas",
         {"meas", "--coord", "TARGET", "--angle", "TARGET.angles", "SOURCE"},
         meas,
         "跳过 2 个数值无效的记录，第一个在第 5 行：XYZ 1e309,1,1"},
        // Lines that end in a lone CR are lines; a BOM is not part of the first name.
        {"cr-only",
         {"coord", "SOURCE", "TARGET"},
         "\xEF\xBB\xBFP1,1,2,3,T\rP2,1,2,3,T\rP3,1,2,3,T\r",
         "（3 个点）"},
    };
    for (const SourceCase& c : cases) {
        TempDir dir;
        const std::string source = dir.write("source.txt", c.source);
        const std::string target = dir.file("target");
        std::vector<std::string> args = c.args;
        for (std::string& arg : args) {
            if (arg == "SOURCE")
                arg = source;
            else if (arg.rfind("TARGET", 0) == 0)
                arg = target + arg.substr(6);
        }
        const CliRun run = test::RunCliCommand(args, {dir.path(), "", 0});
        EXPECT_EQ(run.status, 0) << c.what << "\n" << run.out;
        EXPECT_NE(run.out.find(c.expected), std::string::npos) << c.what << "\n" << run.out;
        const std::string written = TempDir::read(target);
        EXPECT_TRUE(written.find("inf") == std::string::npos &&
                    written.find("nan") == std::string::npos &&
                    written.find("\xEF\xBB\xBF") == std::string::npos &&
                    written.find("00000000000000") == std::string::npos)
            << c.what << "\n"
            << written.substr(0, 400);
    }
}

}  // namespace
}  // namespace vm
