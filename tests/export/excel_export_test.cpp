// The Excel export: the five cells of a line, the text-file target, and what
// happens to targets that exist or cannot be written.
#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <sys/resource.h>

#include "common/file_io.h"
#include "export/excel_export.h"
#include "tests/support/temp_dir.h"

namespace vm {
namespace {

using Five = ColumnFields;

TEST(ExcelCells, FieldsGoByPositionUnderPtXYZAndPCode) {
    EXPECT_EQ(ExcelCellsFromPiece("1,100.5,200.25,30.1,TREE\n"),
              (Five{"1", "100.5", "200.25", "30.1", "TREE"}));
    EXPECT_EQ(ExcelCellsFromPiece("1,TREE,100,200,30"), (Five{"1", "TREE", "100", "200", "30"}))
        << "no reordering";
}

TEST(ExcelCells, MissingAndExtraCommas) {
    EXPECT_EQ(ExcelCellsFromPiece("7,100,200,30"), (Five{"7", "100", "200", "30", ""}));
    EXPECT_EQ(ExcelCellsFromPiece("7,100,200,30,A,B"), (Five{"7", "100", "200", "30", "A,B"}));
    EXPECT_EQ(ExcelCellsFromPiece(""), (Five{"", "", "", "", ""}));
    // Without any comma the searches start over: the whole line lands in Z.
    EXPECT_EQ(ExcelCellsFromPiece("HEADING"), (Five{"", "", "", "HEADING", ""}));
    EXPECT_EQ(ExcelCellsFromPiece("A,B"), (Five{"A", "", "A", "B", ""}));
}

TEST(ExcelCells, OnlyOuterSpacesAndLineEndsGo) {
    EXPECT_EQ(ExcelCellsFromPiece("  7, 100 ,200,30\t \r\n"),
              (Five{"7", " 100 ", "200", "30\t", ""}));
}

std::string ExportText(const std::string& source, const std::string& target) {
    const ExcelExportResult result = ExportCoordinatesToExcel({source, target});
    EXPECT_TRUE(result.ok) << (result.messages.empty() ? "" : result.messages[0]);
    EXPECT_TRUE(result.messages.empty());
    return test::TempDir::read(target);
}

TEST(ExcelExport, OtherNamesBecomeTextFilesSeparatedByTheSheetName) {
    test::TempDir dir;
    const std::string target = dir.file("points.txt");
    EXPECT_EQ(ExportText("1,2,3,4,5\r\n7,100,200,30\r\n", target),
              "\"PT*\"Coordinate\"X\"Coordinate\"Y\"Coordinate\"Z\"Coordinate\"PCode\"\r\n"
              "\"1\"Coordinate\"2\"Coordinate\"3\"Coordinate\"4\"Coordinate\"5\"\r\n"
              "\"7\"Coordinate\"100\"Coordinate\"200\"Coordinate\"30\"Coordinate\"\"\r\n");
}

TEST(ExcelExport, LongLinesArriveInPiecesOfNinetyNineBytes) {
    test::TempDir dir;
    const std::string line = "P1,1,2,3," + std::string(100, 'c');  // 109 bytes
    const ExcelExportResult result = ExportCoordinatesToExcel({line + "\n", dir.file("t.xls")});
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.rows, 2);
}

TEST(ExcelExport, AnExistingTextTargetIsReplacedNotExtended) {
    test::TempDir dir;
    const std::string target = dir.write("old.txt", "\"old\"Coordinate\"row\"\r\n");
    EXPECT_EQ(ExportText("1,2,3,4,5\n", target),
              "\"PT*\"Coordinate\"X\"Coordinate\"Y\"Coordinate\"Z\"Coordinate\"PCode\"\r\n"
              "\"1\"Coordinate\"2\"Coordinate\"3\"Coordinate\"4\"Coordinate\"5\"\r\n");
    EXPECT_FALSE(FileExists(target + ".bak"));
}

TEST(ExcelExport, ATargetThatCannotBeWrittenGetsAClearMessage) {
    test::TempDir dir;
    const std::string target = dir.file("missing/folder/points.xls");
    const ExcelExportResult result = ExportCoordinatesToExcel({"1,2,3,4,5\n", target});
    EXPECT_FALSE(result.ok);
    ASSERT_EQ(result.messages.size(), 1u);
    EXPECT_EQ(result.messages[0], WriteFailureMessage(target, ENOENT));
    EXPECT_FALSE(FileExists(target));
}

// A disk that fills up mid-write, made with a file size limit (works as root too).
TEST(ExcelExport, AFailedWorkbookLeavesTheOldOneAsItWas) {
    test::TempDir dir;
    const std::string target = dir.write("old.xls", "previous workbook");
    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 1024;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const ExcelExportResult result = ExportCoordinatesToExcel({"1,2,3,4,5\n", target});
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(result.ok);
    ASSERT_EQ(result.messages.size(), 1u);
    EXPECT_EQ(result.messages[0], WriteFailureMessage(target, EFBIG));
    EXPECT_EQ(test::TempDir::read(target), "previous workbook");
}

TEST(ExcelExport, AnUnreadableSourceIsReported) {
    test::TempDir dir;
    std::string bytes, message;
    EXPECT_FALSE(ReadExcelSource(dir.file("none.txt"), bytes, message));
    EXPECT_EQ(message, ReadFailureMessage(dir.file("none.txt"), ENOENT));
}

}  // namespace
}  // namespace vm
