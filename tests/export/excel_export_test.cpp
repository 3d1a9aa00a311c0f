// The Excel export: the text-file target, and what happens to targets that
// exist or cannot be written.
#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <sys/resource.h>

#include "common/file_io.h"
#include "export/excel_export.h"
#include "tests/support/temp_dir.h"

namespace vm {
namespace {

// The column rules of a line (by position, missing and extra commas, outer
// spaces) are read back by an independent reader in tests/scripts; the
// messages for unreadable sources and unwritable targets are checked where
// the window shows them.

TEST(ExcelExport, OtherNamesBecomeTextFilesSeparatedByTheSheetName) {
    test::TempDir dir;
    const std::string target = dir.file("points.txt");
    const ExcelExportResult result =
        ExportCoordinatesToExcel({"1,2,3,4,5\r\n7,100,200,30\r\n", target});
    EXPECT_TRUE(result.ok && result.messages.empty());
    EXPECT_EQ(test::TempDir::read(target),
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

}  // namespace
}  // namespace vm
