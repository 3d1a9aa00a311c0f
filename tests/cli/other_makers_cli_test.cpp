#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "common/file_io.h"
#include "tests/support/cli_runner.h"
#include "tests/support/temp_dir.h"

namespace vm {
namespace {

using test::CliRun;
using test::TempDir;

const std::string kData = VM_SOURCE_DIR "/tests/data/other_makers/";

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// Every output of one source, as the commands print and write them: the
// status lines (the folder shown as DIR) and each written file's bytes.
std::string EveryOutput(const TempDir& dir, const std::string& source) {
    std::string all;
    const auto run = [&](const std::string& title, const std::vector<std::string>& args,
                         const std::vector<std::string>& files) {
        const CliRun r = test::RunCliCommand(args);
        all += "== " + title + " (exit " + std::to_string(r.status) + ")\n" +
               ReplaceAll(r.out, dir.path(), "DIR");
        for (const std::string& name : files) {
            std::string bytes;
            if (ReadFileBytes(dir.file(name), bytes))
                all += "-- " + name + "\n" + bytes + "\n";
        }
    };
    run("classify", {"classify", source}, {});
    run("coord", {"coord", "--layout", "2", source, dir.file("coord.txt")}, {"coord.txt"});
    run("meas",
        {"meas", "--coord", dir.file("c.txt"), "--angle-dist", dir.file("ad.txt"), "--angle",
         dir.file("a.txt"), source},
        {"c.txt", "ad.txt", "a.txt"});
    run("excel", {"excel", source, dir.file("excel.txt")}, {"excel.txt"});
    run("dxf", {"dxf", "--type", "coordinate", source, dir.file("p.dxf")}, {"p.dxf"});
    run("dxf measurement", {"dxf", "--type", "measurement", source, dir.file("m.dxf")}, {"m.dxf"});
    run("table", {"table", source, dir.file("table.txt")}, {"table.txt"});
    return all;
}

// Each sample, written from its format's description, through every output;
// the expected files beside the samples were checked by hand against the
// descriptions (VM_UPDATE_EXPECTED=1 rewrites them for a new review).
TEST(OtherMakersCli, everySampleThroughEveryOutput) {
    for (const char* sample :
         {"sample.gsi16", "sample.gsi8", "sample.sdr", "sample2x.sdr", "sample.raw", "sample.job",
          "sample.are", "sample.rw5", "sample.txt"}) {
        TempDir dir;
        std::string bytes;
        ASSERT_TRUE(ReadFileBytes(kData + sample, bytes)) << sample;
        const std::string got = EveryOutput(dir, dir.write(sample, bytes));
        const std::string expectedPath = kData + sample + ".expected";
        if (std::getenv("VM_UPDATE_EXPECTED"))
            WriteFileAtomic(expectedPath, got);
        std::string expected;
        ReadFileBytes(expectedPath, expected);
        EXPECT_EQ(got, expected) << sample;
    }
}

// A format named by the user wins over recognition; an unknown name is a usage
// error; a file with no record of the format fails and names its first line.
TEST(OtherMakersCli, formatOptionOverridesAndRefuses) {
    TempDir dir;
    const std::string text = dir.write("p.txt", "P1 10.5 20.5 3\nP2 11.5 21.5 4\n");
    EXPECT_EQ(test::RunCliCommand({"coord", "--format", "nope", text, dir.file("o")}).status, 2);
    const CliRun wrong = test::RunCliCommand({"coord", "--format", "gsi8", text, dir.file("o")});
    EXPECT_EQ(wrong.status, 1);
    EXPECT_EQ(wrong.out,
              "没有符合 Leica GSI-8 格式的记录\n跳过 2 行不符合格式的记录，第一行是第 1 行：P1 "
              "10.5 20.5 3\n");
    const CliRun run = test::RunCliCommand({"coord", "--format", "text", text, dir.file("o")});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(TempDir::read(dir.file("o")), "P1,10.500,20.500,3.000\r\nP2,11.500,21.500,4.000\r\n");
}

}  // namespace
}  // namespace vm
