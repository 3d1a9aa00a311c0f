// The Excel export: the text-file target.
#include <gtest/gtest.h>

#include "export/excel_export.h"
#include "tests/support/temp_dir.h"

namespace vm {
namespace {

// The column rules of a line (by position, missing and extra commas, outer
// spaces) are read back by an independent reader in tests/scripts; unreadable
// sources, unwritable targets, a full disk and a target replaced, never
// extended, are checked where the window and the command line report them.

// Any other name is a text file of quoted cells separated by the sheet name,
// keeping the source's bytes (only workbooks decode) and saying nothing about
// encodings.
TEST(ExcelExport, OtherNamesBecomeTextFilesSeparatedByTheSheetName) {
    test::TempDir dir;
    const std::string target = dir.file("points.txt");
    const ExcelExportResult result = ExportCoordinatesToExcel(
        {"1,2,3,4,5\r\n7,100,200,30\r\n\xca\xf7,1,2,3\r\n\xe6\xa0\x91,1,2,3\r\n", target});
    EXPECT_TRUE(result.ok && result.messages.empty() && result.status.empty());
    EXPECT_EQ(test::TempDir::read(target),
              "\"PT*\"Coordinate\"X\"Coordinate\"Y\"Coordinate\"Z\"Coordinate\"PCode\"\r\n"
              "\"1\"Coordinate\"2\"Coordinate\"3\"Coordinate\"4\"Coordinate\"5\"\r\n"
              "\"7\"Coordinate\"100\"Coordinate\"200\"Coordinate\"30\"Coordinate\"\"\r\n"
              "\"\xca\xf7\"Coordinate\"1\"Coordinate\"2\"Coordinate\"3\"Coordinate\"\"\r\n"
              "\"\xe6\xa0\x91\"Coordinate\"1\"Coordinate\"2\"Coordinate\"3\"Coordinate\"\"\r\n");
}

}  // namespace
}  // namespace vm
