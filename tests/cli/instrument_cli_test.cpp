#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/support/cli_runner.h"
#include "tests/support/temp_dir.h"

namespace vm {
namespace {

using test::TempDir;

using test::CliRun;

// Runs veltramarlin-cli with args.
CliRun Cli(const std::vector<std::string>& args) {
    return test::RunCliCommand(args);
}

const char kMeasurement[] =
    "UNITS m,d\r\nATMOS 20,1013\r\nSTN A,1.500,\r\nSS P1,1.600,TREE\r\nSD 1234500,900000,100000\r\n"
    "SS P3,1.600,\r\nHV 1800000,900000\r\nSS P4,1.500,POLE\r\nXYZ 1000000,2000000,50000\r\n";

TEST(InstrumentCli, classifyPrintsTheKind) {
    TempDir dir;
    EXPECT_EQ(Cli({"classify", dir.write("m.txt", kMeasurement)}).out, "measurement\n");
    EXPECT_EQ(Cli({"classify", dir.write("c.txt", "ATMOS 1,2\nP1,1,2,3,\n")}).out, "coordinate\n");
    const CliRun none = Cli({"classify", dir.write("n.txt", "P1,1,2,3,\n")});
    EXPECT_EQ(none.out, "none\n");
    EXPECT_EQ(none.status, 0);
    const CliRun missing = Cli({"classify", dir.file("absent.txt")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.out.find("无法读取文件"), std::string::npos);
}

// What the conversions print on success, and the bytes of every layout, are
// checked through the other makers' expected outputs and the independent
// reference (tests/scripts); here the failures' texts and exit status.
TEST(InstrumentCli, coordAndMeasSayWhatFailedAndKeepEarlierFiles) {
    TempDir dir;
    const std::string source = dir.write("c.txt", "ATMOS 1,2\r\nP7,1234567,2345678,12345,TREE\r\n");
    const CliRun failed = Cli({"coord", source, dir.path() + "/no/such/folder.txt"});
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.out, "写入文件失败，退出\n打开保存文件失败,退出\n");

    // Outputs without records: not created, an earlier file kept, named, exit 1.
    const std::string earlier = dir.write("ad.txt", "earlier");
    const CliRun partly =
        Cli({"meas", "--angle-dist", earlier, "--angle", dir.file("a2.txt"),
             dir.write("hv.txt", "UNITS m,d\r\nSS P3,1.6,\r\nHV 1800000,900000\r\n")});
    EXPECT_EQ(partly.status, 1);
    EXPECT_EQ(partly.out, "角度距离没有记录，未创建 " + earlier + "\n已写入 " + dir.file("a2.txt") +
                              "（1 行）\n");  // no "saved" for a failed run
    EXPECT_EQ(TempDir::read(earlier), "earlier");

    const CliRun noTarget = Cli({"meas", dir.write("m.txt", kMeasurement)});
    EXPECT_EQ(noTarget.status, 1);
    EXPECT_EQ(noTarget.out, "没有选择转换文件的保存位置，请先选择一个保存位置。\n");
}

TEST(InstrumentCli, usageErrorsExitWithTwo) {
    EXPECT_EQ(Cli({"coord", "--layout", "11", "a", "b"}).status, 2);
    EXPECT_EQ(Cli({"coord", "--layout"}).status, 2);
    EXPECT_EQ(Cli({"coord", "a"}).status, 2);
    EXPECT_EQ(Cli({"meas", "--coord"}).status, 2);
    EXPECT_EQ(Cli({"meas", "--bogus", "x", "a"}).status, 2);
    EXPECT_EQ(Cli({"classify"}).status, 2);
    EXPECT_EQ(Cli({"downloads", "--restore", "ID"}).status, 2);
    EXPECT_EQ(Cli({"dxf", "--type", "measurement", "--prefix", "K\n0", "a", "b"}).status, 2);
    const CliRun help = Cli({"coord", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("10  TOPCON(PC,PA,X,Y,Z)"), std::string::npos);
}

}  // namespace
}  // namespace vm
