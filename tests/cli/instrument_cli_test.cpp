#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "common/file_io.h"
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

TEST(InstrumentCli, coordWritesTheLayoutAndPrintsTheStatusLines) {
    TempDir dir;
    const std::string source = dir.write("c.txt", "ATMOS 1,2\r\nP7,1234567,2345678,12345,TREE\r\n");
    const std::string target = dir.file("out.txt");
    const CliRun run = Cli({"coord", "--layout", "6", source, target});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "开始转换........\n原文件:" + source + "\n转换到:" + target +
                           "转换保存成功!\n已写入 " + target + "（1 个点）\n");
    EXPECT_EQ(TempDir::read(target), "904 1 0 $1\r\nP7 2345.678 1234.567 12.345 1 1 0 0\r\n");

    const CliRun failed = Cli({"coord", source, dir.path() + "/no/such/folder.txt"});
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.out, "写入文件失败，退出\n打开保存文件失败,退出\n");
}

TEST(InstrumentCli, measWritesTheTickedOutputs) {
    TempDir dir;
    const std::string source = dir.write("m.txt", kMeasurement);
    const CliRun run = Cli({"meas", "--layout", "2", "--coord", dir.file("c.txt"), "--angle",
                            dir.file("a.txt"), source});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "转换保存成功!\n已写入 " + dir.file("c.txt") + "（1 个点）\n已写入 " +
                           dir.file("a.txt") + "（1 行）\n");
    EXPECT_EQ(TempDir::read(dir.file("c.txt")), "1,P4,POLE,2000.000,1000.000,50.000\r\n");
    EXPECT_EQ(TempDir::read(dir.file("a.txt")),
              "PT#\t\tHR/HL\t\tHV\t\t\tPCode\r\nP3\t\t180.0000(dms)\t\t90.0000(dms)\t\t\r\n");
    EXPECT_FALSE(FileExists(dir.file("ad.txt")));

    // Outputs without records: not created, an earlier file kept, named, exit 1.
    const std::string earlier = dir.write("ad.txt", "earlier");
    const CliRun partly =
        Cli({"meas", "--angle-dist", earlier, "--angle", dir.file("a2.txt"),
             dir.write("hv.txt", "UNITS m,d\r\nSS P3,1.6,\r\nHV 1800000,900000\r\n")});
    EXPECT_EQ(partly.status, 1);
    EXPECT_EQ(partly.out, "角度距离没有记录，未创建 " + earlier + "\n已写入 " + dir.file("a2.txt") +
                              "（1 行）\n");  // no "saved" for a failed run
    EXPECT_EQ(TempDir::read(earlier), "earlier");
    const CliRun none =
        Cli({"coord", dir.write("empty.txt", "ATMOS 1,2\r\n"), dir.file("none.txt")});
    EXPECT_EQ(none.status, 1);
    EXPECT_NE(none.out.find("坐标文件转换没有记录，未创建 " + dir.file("none.txt")),
              std::string::npos);
    EXPECT_EQ(none.out.find("转换保存成功"), std::string::npos);
    EXPECT_FALSE(FileExists(dir.file("none.txt")));

    const CliRun noTarget = Cli({"meas", source});
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
