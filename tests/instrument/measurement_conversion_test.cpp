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

// Units, names from the preceding line, the counters for missing names, and
// the 99-byte cut, each as the three tables show them.
TEST(MeasurementText, tableRows) {
    const struct {
        const char* what;
        std::string source;
        int layout;
        std::string coordinates, angleDistance, angles;
    } cases[] = {
        {"mil: three decimals",
         "UNITS ft,m\nSS P1,1,C1\nHD 1600000,50000,0\nBKB B1,1600000,800000\n"
         "SS P2,1,C2\nHV 1600000,800000\nSS P3,1,C3\nSD 0,1600000,100000\n",
         0, "",
         kAD + "P1\t\t1600.000(mil)\t50.000ft\t\t0.000ft\t\tC1\r\n"
               "B1\t\t1600.000(mil)\t800.000(mil)\t\t\tCheck\r\n"
               "P3\t\t0.000(mil)\t100.000ft\t\t0.000ft\t\tC3\r\n",
         kA + "P2\t\t1600.000(mil)\t\t800.000(mil)\t\tC2\r\n"},
        {"gon, and an unknown unit as gon",
         "UNITS m,g\nSS P1,1,\nSD 0,1000000,100000\nUNITS M,D\nSS P2,1,\nSD 0,1000000,100000\n", 0,
         "",
         kAD + "P1\t\t0.0000(gon)\t100.000m\t\t0.000m\t\t\r\n" +
             "P2\t\t0.0000(D)\t100.000M\t\t0.000M\t\t\r\n",
         ""},
        // 33.3333 gon from the zenith: 100 x sin = 50.000, 100 x cos = 86.603.
        {"no units", "SS P1,1,X\nSD 100,333333,100000\n", 0, "",
         kAD + "P1\t\t0.0100()\t50.000\t\t86.603\t\tX\r\n", ""},
        {"preceding line",
         "UNITS m,d\nBKB B1,100,200\n"
         "XYZ 1000,2000,3000\n"  // BKB before: B1, empty code
         "SS P2,1,WALL\nSD 1234500,900000,1000\n"
         "XYZ 4000,5000,6000\n"    // name from SD's field 1, keeps WALL
         "SS ,1,NONAME\nHV 0,0\n"  // no name: the row counter (5)
         "XYZ 7000,8000,9000\n",   // HV before: its field 1 "0", code NONAME
         1,
         "B1,,1.000,2.000,3.000\r\n1234500,WALL,4.000,5.000,6.000\r\n"
         "0,NONAME,7.000,8.000,9.000\r\n",
         kAD + "B1\t\t0.0100(dms)\t0.0200(dms)\t\t\tCheck\r\n" +
             "P2\t\t123.4500(dms)\t1.000m\t\t0.000m\t\tWALL\r\n",
         kA + "5\t\t0.0000(dms)\t\t0.0000(dms)\t\tNONAME\r\n"},
        // The first line has no preceding line; an XYZ line before HD gives its
        // field 1 as name and its rest as code. Nameless XYZ rows take the point
        // counter, other rows the row counter, which runs across all three tables.
        {"counters", "XYZ 1,2,3\nHD 0,0,0\nXYZ 1,2,3\nBKB ,0,0\nXYZ 4,5,6\n", 7,
         "3\r\n3\r\n\r\n0.002\r\n0.001\r\n0.003\r\n1\r\n\r\n0.002\r\n0.001\r\n0.003\r\n"
         "0\r\n\r\n0.005\r\n0.004\r\n0.006\r\n3\r\n",
         kAD + "1\t\t0.0000()\t0.000\t\t0.000\t\t3\r\n4\t\t0.0000()\t0.0000()\t\t\tCheck\r\n", ""},
        // The 99-byte cut makes "XYZ 1,2,3" a piece of its own after the SS piece.
        {"long line", "SS " + std::string(90, 'N') + ",1,C  XYZ 1,2,3\n", 0,
         std::string(90, 'N') + ",0.001,0.002,0.003\r\n", "", ""},
    };
    for (const auto& c : cases) {
        const MeasurementOutputs out = ConvertMeasurementText(c.source, All(c.layout));
        EXPECT_EQ(out.coordinates, c.coordinates) << c.what;
        EXPECT_EQ(out.angleDistance, c.angleDistance) << c.what;
        EXPECT_EQ(out.angles, c.angles) << c.what;
    }
}

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
