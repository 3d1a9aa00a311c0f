// The DXF export: exact text, both builders' field rules, the settings, and a
// failed read or write that is reported without "Save OK".
#include <gtest/gtest.h>

#include <clocale>

#include "common/ini_file.h"
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

std::string Coordinates(const std::string& bytes) {
    return AssembleDxf(DxfPointsFromCoordinates(bytes));
}

std::string Measurement(const std::string& bytes, const std::string& prefix = "") {
    return AssembleDxf(DxfPointsFromMeasurement(bytes, prefix));
}

TEST(DxfText, EmptySourceGivesHeadAndTailOnly) {
    EXPECT_EQ(Coordinates(""), kHead + kTail);
    EXPECT_EQ(Measurement(""), kHead + kTail);
}

TEST(DxfText, NumbersAreFixedSixDecimalsInEveryLocale) {
    EXPECT_EQ(FormatDxfNumber(-12.5), "-12.500000");
    EXPECT_EQ(FormatDxfNumber(38500000.0004), "38500000.000400");
    EXPECT_EQ(FormatDxfNumber(0.0000004), "0.000000");
    // A desktop locale with a decimal comma must not leak into the drawing.
    const std::string old = std::setlocale(LC_NUMERIC, nullptr);
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) {
        EXPECT_EQ(FormatDxfNumber(1234.5), "1234.500000");
        std::setlocale(LC_NUMERIC, old.c_str());
    }
}

TEST(DxfFromCoordinates, SwapsNorthAndEastAndIgnoresTheCode) {
    EXPECT_EQ(Coordinates("P1,100,200,30,CODE\r\n"),
              kHead + PointText("200.000000", "100.000000", "30.000000", "P1") + kTail);
    // The label is written unchanged, Chinese bytes and spaces included.
    EXPECT_EQ(Coordinates(" \xb5\xe3 1 ,-1.5,2e3, 7x ,"),
              kHead + PointText("2000.000000", "-1.500000", "7.000000", "\xb5\xe3 1 ") + kTail);
}

TEST(DxfFromCoordinates, FewerThanFourCommasGiveNoPoint) {
    EXPECT_EQ(Coordinates("P1,100,200,30\nheading\n\n,,,\n,,,,\n"),
              kHead + PointText("0.000000", "0.000000", "0.000000", "") + kTail);
}

TEST(DxfFromCoordinates, UnreadableNumbersAreZero) {
    EXPECT_EQ(Coordinates("P1,abc,200,30,C"),
              kHead + PointText("200.000000", "0.000000", "30.000000", "P1") + kTail);
}

TEST(DxfFromMeasurement, LabelsArePrefixNumberAndPrecedingName) {
    const std::string file = "SS P7,1.500,TREE\r\nXYZ 100,200,30\r\nHD 1,2,3\r\nXYZ 1,2,3\r\n";
    EXPECT_EQ(Measurement(file), kHead + PointText("200.000000", "100.000000", "30.000000", "1P7") +
                                     PointText("2.000000", "1.000000", "3.000000", "21") + kTail);
    const std::vector<DxfPoint> points = DxfPointsFromMeasurement(file, "K");
    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(points[0].label, "K1P7");
    EXPECT_EQ(points[1].label, "K21");  // named by the HD line's first field
}

TEST(DxfFromMeasurement, NameRuleWhateverThePrecedingTag) {
    // Any preceding line names the point: text between its first space and the next comma.
    EXPECT_EQ(DxfPointsFromMeasurement("BKB  Q2  ,1,2\nXYZ 1,2,3", "")[0].label, "1 Q2");
    // No space in the preceding line: the name is what stands before its first comma.
    EXPECT_EQ(DxfPointsFromMeasurement("N5,9\nXYZ 1,2,3", "")[0].label, "1N5");
    // First line: no preceding line, so no name.
    EXPECT_EQ(DxfPointsFromMeasurement("XYZ 1,2,3\n", "K")[0].label, "K1");
}

TEST(DxfFromMeasurement, ValuesAreUnscaledAndTheLastTakesTheRest) {
    const std::vector<DxfPoint> p = DxfPointsFromMeasurement("SS A,0,C\nXYZ 1500,2500,300", "");
    ASSERT_EQ(p.size(), 1u);
    EXPECT_EQ(p[0].x, 2500.0);
    EXPECT_EQ(p[0].y, 1500.0);
    EXPECT_EQ(p[0].z, 300.0);
    // Tags are whole and case-sensitive; a short record reads 0 for what is missing.
    EXPECT_TRUE(DxfPointsFromMeasurement("xyz 1,2,3\nXYZ\nXYZZ 1,2,3", "").empty());
    const std::vector<DxfPoint> shortRecord = DxfPointsFromMeasurement("XYZ 7,8", "");
    ASSERT_EQ(shortRecord.size(), 1u);
    EXPECT_EQ(shortRecord[0].y, 7.0);
    EXPECT_EQ(shortRecord[0].x, 0.0);  // Y: no second comma, so the field is empty
    EXPECT_EQ(shortRecord[0].z, 0.0);  // Z: the rest from 0, the whole line, reads no number
}

class DxfExportTest : public ::testing::Test {
protected:
    test::TempDir dir;
    DxfExportRequest Request(const std::string& pane, long long type) {
        DxfExportRequest r;
        r.workFilePath = dir.write("veltratemp.txt", pane);
        r.targetPath = dir.file("out.dxf");
        r.fileType = type;
        return r;
    }
};

TEST_F(DxfExportTest, WritesTheDrawingAndReportsSaveOk) {
    DxfExportRequest r = Request("P1,100,200,30,CODE\r\n", -1);  // -1 and 2 use coordinates
    DxfExportResult result = ExportDxf(r);
    EXPECT_TRUE(result.saved);
    EXPECT_EQ(result.pointCount, 1u);
    ASSERT_EQ(result.messages.size(), 1u);
    EXPECT_EQ(result.messages[0].text, r.targetPath);
    EXPECT_EQ(result.messages[0].title, "Save OK");
    EXPECT_EQ(test::TempDir::read(r.targetPath), Coordinates("P1,100,200,30,CODE"));

    r = Request("SS P7,1.500,TREE\r\nXYZ 100,200,30\r\n", kDxfMeasurementFile);
    r.labelPrefix = "K";
    EXPECT_TRUE(ExportDxf(r).saved);
    EXPECT_NE(test::TempDir::read(r.targetPath).find("\n1\nK1P7\n"), std::string::npos);
}

TEST_F(DxfExportTest, UnreadableWorkFileIsReportedAndNothingIsWritten) {
    for (long long type : {kDxfCoordinateFile, kDxfMeasurementFile}) {
        DxfExportRequest r = Request("", type);
        r.workFilePath = dir.file("gone.txt");
        dir.write("out.dxf", "earlier drawing");
        const DxfExportResult result = ExportDxf(r);
        EXPECT_FALSE(result.saved);
        ASSERT_FALSE(result.messages.empty());
        for (const DxfMessage& m : result.messages)
            EXPECT_NE(m.title, "Save OK");
        EXPECT_EQ(test::TempDir::read(r.targetPath), "earlier drawing");
        if (type == kDxfCoordinateFile) {
            EXPECT_EQ(result.messages[0].text, "Open file failed!");
        } else {
            EXPECT_EQ(result.status, "Open c:\\tempfilepath.txt failed!");
        }
    }
}

TEST_F(DxfExportTest, TargetThatCannotBeCreatedGetsAMessageAndNoSaveOk) {
    DxfExportRequest r = Request("P1,100,200,30,CODE\r\n", kDxfCoordinateFile);
    r.targetPath = dir.file("missing-folder/out.dxf");
    const DxfExportResult result = ExportDxf(r);
    EXPECT_FALSE(result.saved);
    ASSERT_EQ(result.messages.size(), 1u);
    EXPECT_NE(result.messages[0].text.find("missing-folder/out.dxf"), std::string::npos);
    EXPECT_TRUE(result.messages[0].title.empty());
}

TEST(DxfSettings, DefaultsStoredTypeAndPrefixLength) {
    test::TempDir dir;
    const std::string ini = dir.file("ConfigFile.ini");
    EXPECT_EQ(LoadDxfFileType(ini), kDxfFileTypeDefault);
    EXPECT_EQ(LoadDxfLabelPrefix(ini), "");
    ASSERT_TRUE(StoreDxfFileType(ini, -1));
    EXPECT_EQ(LoadDxfFileType(ini), -1);
    EXPECT_NE(test::TempDir::read(ini).find("filetype=-1"), std::string::npos);
    ASSERT_TRUE(IniWriteString(ini, "Parametersetting", "codecounstant", std::string(300, 'k')));
    EXPECT_EQ(LoadDxfLabelPrefix(ini), std::string(259, 'k'));
}

}  // namespace
}  // namespace vm
