#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "common/file_io.h"
#include "instrument/measurement_conversion.h"
#include "tests/support/temp_dir.h"

namespace vm {
namespace {

using test::TempDir;

constexpr char kAngleDistHeader[] = "PT#\t\tHR/HL\t\tHD\t\tVH\t\tPCode\r\n";
constexpr char kAngleHeader[] = "PT#\t\tHR/HL\t\tHV\t\t\tPCode\r\n";

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

TEST(MeasurementFile, tenLineExampleEndToEnd) {
    TempDir dir;
    MeasurementConversionInput input;
    input.source = dir.write("meas.txt", kTenLines);
    input.options = All();
    input.coordTarget = dir.file("c.txt");
    input.angleDistTarget = dir.file("ad.txt");
    input.angleTarget = dir.file("a.txt");
    const ConversionResult r = ConvertMeasurementFile(input);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.status, "转换保存成功!");
    EXPECT_EQ(r.filesWritten.size(), 3u);
    EXPECT_EQ(TempDir::read(input.angleDistTarget),
              std::string(kAngleDistHeader) +
                  "P1\t\t123.4500(dms)\t100.000m\t\t0.000m\t\tTREE\r\n"
                  "P2\t\t45.0000(dms)\t50.000m\t\t-1.234m\t\tWALL\r\n");
    EXPECT_EQ(TempDir::read(input.angleTarget),
              std::string(kAngleHeader) + "P3\t\t180.0000(dms)\t\t90.0000(dms)\t\t\r\n");
    EXPECT_EQ(TempDir::read(input.coordTarget), "P4,1000.000,2000.000,50.000\r\n");
}

TEST(MeasurementText, milAnglesPrintThreeDecimals) {
    const std::string source =
        "UNITS ft,m\nSS P1,1,C1\nHD 1600000,50000,0\nBKB B1,1600000,800000\n"
        "SS P2,1,C2\nHV 1600000,800000\nSS P3,1,C3\nSD 0,1600000,100000\n";
    const MeasurementOutputs out = ConvertMeasurementText(source, All());
    EXPECT_EQ(out.angleDistance, std::string(kAngleDistHeader) +
                                     "P1\t\t1600.000(mil)\t50.000ft\t\t0.000ft\t\tC1\r\n"
                                     "B1\t\t1600.000(mil)\t800.000(mil)\t\t\tCheck\r\n"
                                     "P3\t\t0.000(mil)\t100.000ft\t\t0.000ft\t\tC3\r\n");
    EXPECT_EQ(out.angles,
              std::string(kAngleHeader) + "P2\t\t1600.000(mil)\t\t800.000(mil)\t\tC2\r\n");
}

TEST(MeasurementText, gonAndUnknownUnitsReduceAsGon) {
    // 100 gon and a code that is not d, m or g both mean a quarter circle in gon.
    for (const char* units : {"UNITS m,g", "UNITS M,D"}) {
        const std::string source = std::string(units) + "\nSS P1,1,\nSD 0,1000000,100000\n";
        const std::string unit = units[8] == 'g' ? "gon" : "D";
        const std::string dist = units[6] == 'm' ? "m" : "M";
        EXPECT_EQ(ConvertMeasurementText(source, All()).angleDistance,
                  std::string(kAngleDistHeader) + "P1\t\t0.0000(" + unit + ")\t100.000" + dist +
                      "\t\t0.000" + dist + "\t\t\r\n");
    }
}

TEST(MeasurementText, withoutUnitsAnglesHaveEmptyParenthesesAndGonReduction) {
    const MeasurementOutputs out =
        ConvertMeasurementText("SS P1,1,X\nSD 100,333333,100000\n", All());
    // 33.3333 gon from the zenith: 100 x sin = 50.000, 100 x cos = 86.603.
    EXPECT_EQ(out.angleDistance,
              std::string(kAngleDistHeader) + "P1\t\t0.0100()\t50.000\t\t86.603\t\tX\r\n");
}

TEST(MeasurementText, precedingLineRuleForNamesAndCodes) {
    const std::string source =
        "UNITS m,d\n"
        "BKB B1,100,200\n"
        "XYZ 1000,2000,3000\n"  // BKB before: B1, empty code
        "SS P2,1,WALL\n"
        "SD 1234500,900000,1000\n"  // P2 WALL
        "XYZ 4000,5000,6000\n"      // name from SD's field 1, keeps WALL
        "SS ,1,NONAME\n"
        "HV 0,0\n"               // no name: the row counter (5)
        "XYZ 7000,8000,9000\n";  // HV before: its field 1 "0", code NONAME
    const MeasurementOutputs out = ConvertMeasurementText(source, All(1));
    EXPECT_EQ(out.coordinates,
              "B1,,1.000,2.000,3.000\r\n1234500,WALL,4.000,5.000,6.000\r\n"
              "0,NONAME,7.000,8.000,9.000\r\n");
    EXPECT_NE(out.angleDistance.find("B1\t\t0.0100(dms)\t0.0200(dms)\t\t\tCheck\r\n"),
              std::string::npos);
    EXPECT_NE(out.angles.find("\r\n5\t\t0.0000(dms)"), std::string::npos);
}

TEST(MeasurementText, emptyNamesTakeTheCounters) {
    // The first line has no preceding line; an XYZ line is the preceding line of
    // the HD record (its field 1 as name, its rest as code). Nameless XYZ rows
    // take the point counter, other rows the row counter, which runs across
    // all three outputs and so jumps within one table.
    const MeasurementOutputs out =
        ConvertMeasurementText("XYZ 1,2,3\nHD 0,0,0\nXYZ 1,2,3\nBKB ,0,0\nXYZ 4,5,6\n", All(7));
    EXPECT_EQ(out.coordinates,
              "3\r\n3\r\n\r\n0.002\r\n0.001\r\n0.003\r\n1\r\n\r\n0.002\r\n0.001\r\n0.003\r\n"
              "0\r\n\r\n0.005\r\n0.004\r\n0.006\r\n3\r\n");
    EXPECT_EQ(out.angleDistance, std::string(kAngleDistHeader) +
                                     "1\t\t0.0000()\t0.000\t\t0.000\t\t3\r\n"
                                     "4\t\t0.0000()\t0.0000()\t\t\tCheck\r\n");
}

TEST(MeasurementText, untickedOutputsLeaveNoTraceButThePrecedingLine) {
    MeasurementOptions onlyAngles;
    onlyAngles.coordinates = false;
    onlyAngles.angles = true;
    const MeasurementOutputs out =
        ConvertMeasurementText("SS P1,1,C\nXYZ 1,2,3\nHV 0,0\nSD 0,0,0\n", onlyAngles);
    EXPECT_EQ(out.coordinates, "");
    EXPECT_EQ(out.angleDistance, "");
    // The unticked XYZ line still is the line before HV: its field 1 and rest
    // become the name and the code.
    EXPECT_EQ(out.angles, std::string(kAngleHeader) + "1\t\t0.0000()\t\t0.0000()\t\t3\r\n");
}

TEST(MeasurementText, longLinesAreCutInto99BytePieces) {
    // The 99-byte cut makes "XYZ 1,2,3" the second piece; the first piece is its preceding line.
    const std::string source = "SS " + std::string(90, 'N') + ",1,C" + "  XYZ 1,2,3\n";
    const MeasurementOutputs out = ConvertMeasurementText(source, All());
    EXPECT_EQ(out.coordinates, std::string(90, 'N') + ",0.001,0.002,0.003\r\n");
}

class MeasurementTargets : public ::testing::Test {
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

TEST_F(MeasurementTargets, aTickedOutputWithoutTargetStopsBeforeReading) {
    input.angleTarget.clear();
    input.source = dir.file("absent.txt");
    const ConversionResult r = ConvertMeasurementFile(input);
    EXPECT_EQ(r.status, "没有选择转换文件的保存位置，请先选择一个保存位置。");
    EXPECT_TRUE(r.messages.empty());
    input.options.angles = false;
    EXPECT_EQ(ConvertMeasurementFile(input).status, "打开原坐标文件失败");
}

TEST_F(MeasurementTargets, outputWithoutRowsLeavesItsTargetAlone) {
    input.source = dir.write("only_xyz.txt", "SS P1,1,C\nXYZ 1,2,3\n");
    dir.write("ad.txt", "kept");
    const ConversionResult r = ConvertMeasurementFile(input);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.filesWritten, std::vector<std::string>{input.coordTarget});
    EXPECT_EQ(TempDir::read(input.angleDistTarget), "kept");
    EXPECT_FALSE(FileExists(input.angleTarget));
}

TEST_F(MeasurementTargets, failedTargetStopsTheRestAndKeepsTheOnesBefore) {
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
