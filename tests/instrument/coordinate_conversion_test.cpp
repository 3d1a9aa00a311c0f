#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "common/file_io.h"
#include "instrument/conversion_run.h"
#include "instrument/coordinate_conversion.h"
#include "tests/support/temp_dir.h"

namespace vm {
namespace {

using test::TempDir;

TEST(CoordinateText, onlyRecordsWithFourCommasArePoints) {
    const std::string source =
        "ATMOS 20.0,1013.0\r\nP1,1000,2000,300,TREE\r\nno commas\r\nA,B,C,D\r\n"
        "P2,1,2,3,\r\nP3,1,2,3,CODE,WITH,COMMAS\r\n";
    const CoordinateOutput out = ConvertCoordinateText(source, 2);
    EXPECT_EQ(out.text,
              "1,P1,TREE,2.000,1.000,0.300\r\n2,P2,,0.002,0.001,0.003\r\n"
              "3,P3,CODE,WITH,COMMAS,0.002,0.001,0.003\r\n");
    EXPECT_EQ(out.points, 3);
    EXPECT_EQ(out.lastName, "P3");
}

TEST(CoordinateText, atAndDollarNeverBelongToAField) {
    EXPECT_EQ(ConvertCoordinateText("P@1$,1,2,3,T$\n", 0).text, "P1,0.001,0.002,0.003\r\n");
    // "@$$" in a line ends a record there; what follows is a record of its own.
    EXPECT_EQ(ConvertCoordinateText("P1,1,2,3,A@$$P2,4,5,6,B\n", 9).text,
              "P1 A 0.001 0.002 0.003\r\nP2 B 0.004 0.005 0.006\r\n");
    EXPECT_EQ(ConvertCoordinateText("P1,1,2,3,A@\n", 1).text, "P1,A,0.001,0.002,0.003\r\n");
}

TEST(CoordinateText, longLinesAreCutAfter99BytesAndEachPieceStandsAlone) {
    // 120 bytes: the first piece of 99 bytes holds a full record, the last 21
    // bytes are too short to be one.
    const std::string first = "P1,1,2,3," + std::string(90, 'c');
    const std::string line = first + "P2,4,5,6" + std::string(13, 'x');
    ASSERT_EQ(line.size(), 120u);
    EXPECT_EQ(ConvertCoordinateText(line + "\r\n", 1).text,
              "P1," + std::string(90, 'c') + ",0.001,0.002,0.003\r\n");
}

TEST(CoordinateText, gbkNamesAndCodesPassThroughByteForByte) {
    const std::string name = "\xb5\xe3\xba\xc5";  // two GBK characters
    const std::string code = "\xc2\xb7\xb5\xc6,\xff\x80";
    const CoordinateOutput out = ConvertCoordinateText(name + ",1,2,3," + code + "\r\n", 10);
    EXPECT_EQ(out.text, name + "," + code + ",0.001,0.002,0.003\r\n");
}

TEST(CoordinateText, sourceWithoutPointsStillHasTheHeader) {
    for (int layout = 0; layout < 11; ++layout) {
        const std::string expected = layout == 4                    ? "0\r\n"
                                     : (layout == 7 || layout == 8) ? "0\r\n\r\n"
                                                                    : "";
        EXPECT_EQ(ConvertCoordinateText("ATMOS 1,2\nJOB\n", layout).text, expected) << layout;
    }
}

TEST(CoordinateText, pointCountAndSequenceGoPast32767) {
    std::string source;
    for (int i = 1; i <= 70000; ++i)
        source += "P" + std::to_string(i) + ",1,2,3,C\n";
    const CoordinateOutput scs = ConvertCoordinateText(source, 7);
    EXPECT_EQ(scs.points, 70000);
    EXPECT_EQ(scs.text.substr(0, 15), "70000\r\nP70000\r\n");
    const std::string epsw = ConvertCoordinateText(source, 6).text;
    EXPECT_NE(epsw.find("904 1 0 $32768\r\nP32768 "), std::string::npos);
    EXPECT_NE(epsw.find("904 1 0 $70000\r\nP70000 "), std::string::npos);
}

class CoordinateFile : public ::testing::Test {
protected:
    TempDir dir;
    std::string source = dir.write("src.txt", "ATMOS 1,2\r\nP7,1234567,2345678,12345,TREE\r\n");
};

TEST_F(CoordinateFile, successWritesTargetAndReportsSourceAndTarget) {
    const std::string target = dir.file("out.txt");
    const ConversionResult r = ConvertCoordinateFile({source, target, 4});
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.status,
              "开始转换........\r\n原文件:" + source + "\r\n转换到:" + target + "转换保存成功!");
    EXPECT_TRUE(r.messages.empty());
    EXPECT_EQ(r.filesWritten, std::vector<std::string>{target});
    EXPECT_EQ(TempDir::read(target), "1\r\nP7,TREE,2345.678,1234.567,12.345\r\n");
}

TEST_F(CoordinateFile, missingTargetPathStopsWithoutMessageBox) {
    const ConversionResult r = ConvertCoordinateFile({source, "", 0});
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.status, "没有选择转换文件的保存位置，请先选择一个保存位置。");
    EXPECT_TRUE(r.messages.empty());
}

TEST_F(CoordinateFile, unreadableSourceReportsAndWritesNothing) {
    const std::string target = dir.file("out.txt");
    for (const std::string& bad : {dir.file("absent.txt"), dir.path()}) {
        const ConversionResult r = ConvertCoordinateFile({bad, target, 0});
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.status, "打开原坐标文件失败");
        EXPECT_EQ(r.messages, std::vector<std::string>{"打开原坐标文件失败"});
        EXPECT_FALSE(r.messagesBeforeStatus);
        EXPECT_FALSE(r.detail.empty());
    }
    EXPECT_FALSE(FileExists(target));
}

TEST_F(CoordinateFile, unwritableTargetReportsAfterReadingTheSource) {
    const std::string notAFolder = dir.write("plain.txt", "x");
    const ConversionResult r = ConvertCoordinateFile({source, notAFolder + "/out.txt", 0});
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.messages, std::vector<std::string>{"写入文件失败，退出"});
    EXPECT_TRUE(r.messagesBeforeStatus);
    EXPECT_EQ(r.status, "打开保存文件失败,退出");
    EXPECT_TRUE(r.filesWritten.empty());
    EXPECT_FALSE(r.detail.empty());
}

TEST_F(CoordinateFile, failedWriteKeepsTheOldTargetWhole) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root ignores folder permissions";
    const std::string locked = dir.path() + "/locked";
    ::mkdir(locked.c_str(), 0700);
    const std::string target = dir.write("locked/out.txt", "previous result\r\n");
    ::chmod(locked.c_str(), 0500);
    const ConversionResult r = ConvertCoordinateFile({source, target, 0});
    ::chmod(locked.c_str(), 0700);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(TempDir::read(target), "previous result\r\n");
}

TEST_F(CoordinateFile, runChecksWhichSourceIsSet) {
    DownloadConversionInput input;
    ConversionResult r = RunDownloadConversion(input);
    EXPECT_EQ(r.status, "先选择一种要转换的文件");
    EXPECT_EQ(r.messages, std::vector<std::string>{"没有文件可以转换"});
    input.measSource = source;
    input.coordSource = source;
    r = RunDownloadConversion(input);
    EXPECT_EQ(r.status, "两种格式的文件不可以同时转换");
    EXPECT_EQ(r.messages, std::vector<std::string>{"两种格式的文件不可以同时转换"});
    EXPECT_FALSE(r.ok);
    input.measSource.clear();
    input.coordTarget = dir.file("run.txt");
    input.options.layout = 0;
    EXPECT_TRUE(RunDownloadConversion(input).ok);
    EXPECT_EQ(TempDir::read(input.coordTarget), "P7,1234.567,2345.678,12.345\r\n");
}

}  // namespace
}  // namespace vm
