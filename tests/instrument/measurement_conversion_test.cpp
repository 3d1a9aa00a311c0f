#include <gtest/gtest.h>

#include "common/file_io.h"
#include "instrument/measurement_conversion.h"
#include "tests/support/temp_dir.h"

namespace vm {
namespace {

using test::TempDir;

const std::string kAD = "PT#\t\tHR/HL\t\tHD\t\tVH\t\tPCode\r\n";
const std::string kA = "PT#\t\tHR/HL\t\tHV\t\t\tPCode\r\n";

const char kTenLines[] =
    "UNITS m,d\r\nSTN A,1.500,\r\nSS P1,1.600,TREE\r\nSD 1234500,900000,100000\r\n"
    "SS P2,1.600,WALL\r\nHD 450000,50000,-1234\r\nSS P3,1.600,\r\nHV 1800000,900000\r\n"
    "SS P4,1.500,POLE\r\nXYZ 1000000,2000000,50000\r\n";

MeasurementOptions All(int layout = 0) {
    MeasurementOptions o;
    o.coordinates = o.angleDistance = o.angles = true;
    o.layout = layout;
    return o;
}

// The rules of the three tables (units, names from the preceding line, the
// counters for missing names, the 99-byte cut) are checked for every layout
// against an independent rendering of them (tests/scripts/instrument_reference.sh).
TEST(MeasurementText, untickedOutputsLeaveNoTraceButThePrecedingLine) {
    MeasurementOptions onlyAngles;
    onlyAngles.coordinates = false;
    onlyAngles.angles = true;
    const MeasurementOutputs out =
        ConvertMeasurementText("SS P1,1,C\nXYZ 1,2,3\nHV 0,0\nSD 0,0,0\n", onlyAngles);
    EXPECT_EQ(out.coordinates, "");
    EXPECT_EQ(out.angleDistance, "");
    // The unticked XYZ line still is the line before HV.
    EXPECT_EQ(out.angles, kA + "1\t\t0.0000()\t\t0.0000()\t\t3\r\n");
}

class MeasurementFile : public ::testing::Test {
protected:
    TempDir dir;
    MeasurementConversionInput input;
    void SetUp() override {
        input.source = dir.write("meas.txt", kTenLines);
        input.options = All();
        input.coordTarget = dir.file("c.txt");
        input.angleDistTarget = dir.file("ad.txt");
        input.angleTarget = dir.file("a.txt");
    }
};

TEST_F(MeasurementFile, tenLineExampleEndToEnd) {
    const ConversionResult r = ConvertMeasurementFile(input);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.status, "转换保存成功!\r\n已写入 " + input.coordTarget + "（1 个点）\r\n已写入 " +
                            input.angleDistTarget + "（2 行）\r\n已写入 " + input.angleTarget +
                            "（1 行）");
    EXPECT_EQ(r.filesWritten.size(), 3u);
    EXPECT_EQ(TempDir::read(input.angleDistTarget),
              kAD +
                  "P1\t\t123.4500(dms)\t100.000m\t\t0.000m\t\tTREE\r\n"
                  "P2\t\t45.0000(dms)\t50.000m\t\t-1.234m\t\tWALL\r\n");
    EXPECT_EQ(TempDir::read(input.angleTarget), kA + "P3\t\t180.0000(dms)\t\t90.0000(dms)\t\t\r\n");
    EXPECT_EQ(TempDir::read(input.coordTarget), "P4,1000.000,2000.000,50.000\r\n");
}

TEST_F(MeasurementFile, aTickedOutputWithoutTargetStopsBeforeReading) {
    input.angleTarget.clear();
    input.source = dir.file("absent.txt");
    const ConversionResult r = ConvertMeasurementFile(input);
    EXPECT_EQ(r.status, "没有选择转换文件的保存位置，请先选择一个保存位置。");
    EXPECT_TRUE(r.messages.empty());
    input.options.angles = false;
    EXPECT_EQ(ConvertMeasurementFile(input).status, "打开原坐标文件失败");
}

TEST_F(MeasurementFile, failedTargetStopsTheRestAndKeepsTheOnesBefore) {
    input.angleDistTarget = dir.path();  // a folder cannot be replaced by a file
    dir.write("a.txt", "old angles");
    const ConversionResult r = ConvertMeasurementFile(input);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.messages, std::vector<std::string>{"写入文件失败，退出"});
    EXPECT_EQ(r.status, "打开保存文件失败,退出");
    EXPECT_EQ(r.filesWritten, std::vector<std::string>{input.coordTarget});
    EXPECT_EQ(TempDir::read(input.coordTarget), "P4,1000.000,2000.000,50.000\r\n");
    EXPECT_EQ(TempDir::read(input.angleTarget), "old angles");
}

}  // namespace
}  // namespace vm
