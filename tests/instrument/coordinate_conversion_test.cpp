#include <gtest/gtest.h>

#include "common/file_io.h"
#include "instrument/coordinate_conversion.h"
#include "tests/support/temp_dir.h"

namespace vm {
namespace {

using test::TempDir;

const std::string kGbkName = "\xb5\xe3\xba\xc5";  // two GBK characters
const std::string kNul(
    "P\0"
    "1",
    3);

// Only records with four commas are points; "@" and "$" never belong to a
// field and "@$$" ends a record; long lines are cut after 99 bytes and each
// piece stands alone; GBK and NUL bytes pass through untouched.
TEST(CoordinateText, recordRules) {
    const std::string c90(90, 'c');
    const struct {
        std::string source;
        int layout;
        std::string text;
    } cases[] = {
        {"ATMOS 20.0,1013.0\r\nP1,1000,2000,300,TREE\r\nno commas\r\nA,B,C,D\r\n"
         "P2,1,2,3,\r\nP3,1,2,3,CODE,WITH,COMMAS\r\n",
         2,
         "1,P1,TREE,2.000,1.000,0.300\r\n2,P2,,0.002,0.001,0.003\r\n"
         "3,P3,CODE,WITH,COMMAS,0.002,0.001,0.003\r\n"},
        {"P@1$,1,2,3,T$\n", 0, "P1,0.001,0.002,0.003\r\n"},
        {"P1,1,2,3,A@$$P2,4,5,6,B\n", 9, "P1 A 0.001 0.002 0.003\r\nP2 B 0.004 0.005 0.006\r\n"},
        {"P1,1,2,3,A@\n", 1, "P1,A,0.001,0.002,0.003\r\n"},
        {"P1,1,2,3,C", 0, "P1,0.001,0.002,0.003\r\n"},  // no line end
        // 120 bytes: the first 99 hold a record, the last 21 are too short for one.
        {"P1,1,2,3," + c90 + "P2,4,5,6" + std::string(13, 'x') + "\r\n", 1,
         "P1," + c90 + ",0.001,0.002,0.003\r\n"},
        {kGbkName + ",1,2,3,\xc2\xb7\xb5\xc6,\xff\x80\r\n", 10,
         kGbkName + ",\xc2\xb7\xb5\xc6,\xff\x80,0.001,0.002,0.003\r\n"},
        {kNul + ",1,2,3,C\n", 1, kNul + ",C,0.001,0.002,0.003\r\n"},
        // Without points the counting layouts still write their header.
        {"ATMOS 1,2\nJOB\n", 4, "0\r\n"},
        {"ATMOS 1,2\nJOB\n", 8, "0\r\n\r\n"},
        {"ATMOS 1,2\nJOB\n", 0, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ConvertCoordinateText(c.source, c.layout).text, c.text) << c.source;
    const CoordinateOutput out = ConvertCoordinateText(cases[0].source, 2);
    EXPECT_EQ(out.points, 3);
    EXPECT_EQ(out.lastName, "P3");
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
