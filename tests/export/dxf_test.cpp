// The DXF export: exact text, both builders' field rules, and a failed read or
// write that is reported without "Save OK".
#include <gtest/gtest.h>

#include <clocale>

#include "export/dxf_export.h"
#include "tests/support/temp_dir.h"

namespace vm {
namespace {

const std::string kHead = "0\nSECTION\n2\nENTITIES\n0\n";
const std::string kTail = "ENDSEC\n0\nEOF";

std::string PointText(const std::string& x, const std::string& y, const std::string& z,
                      const std::string& label) {
    return "POINT\n8\npoint\n10\n" + x + "\n20\n" + y + "\n30\n" + z + "\n0\nTEXT\n8\nPT#\n10\n" +
           x + "\n20\n" + y + "\n30\n" + z + "\n40\n0.2\n1\n" + label + "\n0\n";
}

TEST(DxfFromCoordinates, ExactTextEastOnXAndOnlyFourCommaLines) {
    EXPECT_EQ(AssembleDxf(DxfPointsFromCoordinates("")), kHead + kTail);
    EXPECT_EQ(AssembleDxf(DxfPointsFromCoordinates("Title\r\nP0,1,2,3\r\nP1,100,200,30,CODE\r\n"
                                                   "\xb5\xe3 1,abc,-2e3, 7x ,C\r\n")),
              kHead + PointText("200.000000", "100.000000", "30.000000", "P1") +
                  PointText("-2000.000000", "0.000000", "7.000000", "\xb5\xe3 1") + kTail);
}

TEST(DxfText, NumbersIgnoreTheDesktopLocale) {
    const std::string old = std::setlocale(LC_NUMERIC, nullptr);
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) {
        EXPECT_EQ(FormatDxfNumber(38500000.0004), "38500000.000400");
        std::setlocale(LC_NUMERIC, old.c_str());
    }
    EXPECT_EQ(FormatDxfNumber(-12.5), "-12.500000");
}

TEST(DxfFromMeasurement, LabelsArePrefixNumberAndPrecedingName) {
    const std::vector<DxfPoint> p = DxfPointsFromMeasurement(
        "XYZ 1,2,3\nSS P7,1.500,TREE\r\nXYZ 1500,2500,300\r\nBKB  Q2  ,1,2\nXYZ 1,2\n"
        "xyz 1,2,3\nXYZ\n",
        "K");
    ASSERT_EQ(p.size(), 3u);
    EXPECT_EQ(p[0].label, "K1");  // first line: no preceding line, no name
    EXPECT_EQ(p[1].label, "K2P7");
    EXPECT_EQ(p[2].label, "K3 Q2");  // any preceding tag; trailing spaces go
    // Unscaled, east on x; "XYZ 1,2" lacks the comma that ends Y: Y and Z read 0.
    EXPECT_EQ((std::array<double, 3>{p[1].x, p[1].y, p[1].z}),
              (std::array<double, 3>{2500, 1500, 300}));
    EXPECT_EQ((std::array<double, 3>{p[2].x, p[2].y, p[2].z}), (std::array<double, 3>{0, 1, 0}));
}

// A prefix holding a line break would write group codes of its own: given, it
// is refused; stored, it is used without its control characters.
TEST(DxfExport, APrefixCannotBreakTheDrawing) {
    EXPECT_EQ(DxfPrefixProblem("K-\xb5\xe3"), "");
    EXPECT_EQ(DxfPrefixProblem("K\n0\nENDSEC"), "DXF 标注前缀不能含换行或其他控制字符");
    test::TempDir dir;
    DxfExportRequest r;
    r.workFilePath = dir.write("m.txt", "SS P7,1.5,T\r\nXYZ 1500,2500,300\r\n");
    r.targetPath = dir.file("out.dxf");
    r.fileType = kDxfMeasurementFile;
    r.labelPrefix = "K\r\n0\tX";
    ASSERT_TRUE(ExportDxf(r).saved);
    EXPECT_NE(test::TempDir::read(r.targetPath).find("K0X1P7"), std::string::npos);
}

TEST(DxfExport, UnreadableWorkFileKeepsTheEarlierDrawing) {
    test::TempDir dir;
    for (long long type : {1, 0}) {
        DxfExportRequest r;
        r.workFilePath = dir.file("gone.txt");
        r.targetPath = dir.write("out.dxf", "earlier drawing");
        r.fileType = type;
        r.labelPrefix = "K";
        const DxfExportResult result = ExportDxf(r);
        EXPECT_FALSE(result.saved);
        EXPECT_EQ(result.messages.at(0).text,
                  "无法读取文件 " + r.workFilePath + "：文件或文件夹不存在");
        EXPECT_EQ(result.status, type == 1 ? "" : "Open c:\\tempfilepath.txt failed!");
        EXPECT_EQ(test::TempDir::read(r.targetPath), "earlier drawing");
    }
}

// Readers judge the CAD-ready drawing in tests/scripts; here: its entities are
// the plain drawing's bytes, its labels GBK, and metres scale what they should.
TEST(DxfExport, CadReadyAndMetresOptions) {
    test::TempDir dir;
    const std::string meas = dir.write("m.txt", "SS \xe6\xa0\x91,1.5,T\r\nXYZ 1500,-2500,300\r\n");
    DxfExportRequest r;
    r.workFilePath = meas;
    r.targetPath = dir.file("out.dxf");
    r.fileType = kDxfMeasurementFile;
    r.options = {true, true};
    const DxfExportResult result = ExportDxf(r);
    ASSERT_TRUE(result.saved);
    EXPECT_EQ(result.status, "");
    const std::string dxf = test::TempDir::read(r.targetPath);
    const std::string entities =
        kHead + PointText("-2.500000", "1.500000", "0.300000", "1\xca\xf7") + kTail;
    EXPECT_EQ(
        dxf.rfind("0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\nAC1009\n9\n$DWGCODEPAGE\n3\nANSI_936\n",
                  0),
        0u);
    ASSERT_GT(dxf.size(), entities.size());
    EXPECT_EQ(dxf.substr(dxf.size() - entities.size()), entities);

    r.options = {};  // the plain drawing keeps the file's numbers and bytes
    ExportDxf(r);
    EXPECT_EQ(
        test::TempDir::read(r.targetPath),
        kHead + PointText("-2500.000000", "1500.000000", "300.000000", "1\xe6\xa0\x91") + kTail);
}

}  // namespace
}  // namespace vm
