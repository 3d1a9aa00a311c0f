#include <gtest/gtest.h>

#include "common/file_io.h"
#include "instrument/coordinate_conversion.h"
#include "tests/support/temp_dir.h"

namespace vm {
namespace {

using test::TempDir;

const std::string kNul(
    "P\0"
    "1",
    3);

// The record rules (four commas make a point, "@" and "$" never belong to a
// field, the 99-byte cut, GBK bytes) are checked for every layout against an
// independent rendering of them (tests/scripts/instrument_reference.sh); here
// what its generated files lack: "@$$" ending a record, a last line without
// line end, NUL bytes, and the counting layouts' header without any point.
TEST(CoordinateText, recordRules) {
    const struct {
        std::string source;
        int layout;
        std::string text;
    } cases[] = {
        {"P1,1,2,3,A@$$P2,4,5,6,B\n", 9, "P1 A 0.001 0.002 0.003\r\nP2 B 0.004 0.005 0.006\r\n"},
        {"P1,1,2,3,A@\n", 1, "P1,A,0.001,0.002,0.003\r\n"},
        {"P1,1,2,3,C", 0, "P1,0.001,0.002,0.003\r\n"},  // no line end
        {kNul + ",1,2,3,C\n", 1, kNul + ",C,0.001,0.002,0.003\r\n"},
        {"ATMOS 1,2\nJOB\n", 4, "0\r\n"},
        {"ATMOS 1,2\nJOB\n", 8, "0\r\n\r\n"},
        {"ATMOS 1,2\nJOB\n", 0, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ConvertCoordinateText(c.source, c.layout).text, c.text) << c.source;
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
    std::string target = dir.file("out.txt");
};

// A written file and the messages for a target that cannot be written are
// checked through the command line.
TEST_F(CoordinateFile, noTargetOrAnUnreadableSourceIsReportedAndWritesNothing) {
    const ConversionResult none = ConvertCoordinateFile({source, "", 0});
    EXPECT_FALSE(none.ok);
    EXPECT_EQ(none.status, "没有选择转换文件的保存位置，请先选择一个保存位置。");
    EXPECT_TRUE(none.messages.empty());
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

}  // namespace
}  // namespace vm
