// The workbook the Windows build writes with the project's own .xlsx writer,
// read back by openpyxl beside the one libxlsxwriter writes from the same
// sheets: every sheet name, cell value, cell type, number format and column
// width must be equal, and the .zip container must pass its CRC check.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "common/file_io.h"
#include "export/xlsx_package.h"
#include "export/xlsx_writer.h"
#include "tests/support/temp_dir.h"

namespace vm {
namespace {

using test::TempDir;

bool OpenpyxlAvailable() {
    return std::system("/usr/bin/python3 -c 'import openpyxl' 2>/dev/null") == 0;
}

// Writes both workbooks and compares them; the comparer's complaint, or "".
std::string CompareWithLibrary(const TempDir& dir, const std::vector<XlsSheet>& sheets) {
    FileError error;
    if (!WriteXlsxWorkbook(dir.file("library.xlsx"), sheets, error))
        return "libxlsxwriter: " + error.message;
    std::string bytes, problem;
    if (!BuildXlsxPackage(sheets, bytes, problem))
        return "own writer: " + problem;
    dir.write("own.xlsx", bytes);
    const std::string command = "/usr/bin/python3 " VM_SOURCE_DIR
                                "/tests/export/xlsx_cells_compare.py " +
                                dir.file("library.xlsx") + " " + dir.file("own.xlsx") + " > " +
                                dir.file("compare.out") + " 2>&1";
    return std::system(command.c_str()) == 0 ? std::string()
                                             : TempDir::read(dir.file("compare.out"));
}

TEST(XlsxPackage, cellsFormatsAndWidthsEqualTheLibraryWorkbook) {
    if (!OpenpyxlAvailable())
        GTEST_SKIP() << "python3-openpyxl is not installed";
    // Names in GBK and UTF-8, markup characters, outer spaces,
    // tabs, ragged and empty rows, numbers and text in the number columns, a
    // text wider than a column may be.
    const std::vector<XlsRow> points = {
        {"PT*", "X", "Y", "Z", "PCode"},
        {"\xb5\xe3"
         "1",
         "38500000.125", "2500000.5", "12.5", "\xb7\xbf\xbd\xc7"},
        {"点2", " 42 ", "-0", "1e3", "电线杆 3 号"},
        {"K'3", "abc", "", "-2.5e-3", "a&b<c>\"d\""},
        {"  lead", "1", "2", "3", "trail  "},
        {"P_x", "0.1", "123456789.123", "7", "tab\there"},
        {},
        {"short"},
        {"P9", "1", "2", "3", "4", "5", std::string(300, 'W')},
    };
    const std::vector<XlsRow> second = {{"名称", "值"}, {"甲", "1.000"}};
    std::vector<XlsSheet> sheets = LayOutOnSheets("坐标 Coordinate", points, {1, 2, 3});
    sheets.push_back(XlsSheet{"\xc3\xfb\xb3\xc6", {&second[0], &second[1]}, {}});
    TempDir dir;
    EXPECT_EQ(CompareWithLibrary(dir, sheets), "");
}

}  // namespace
}  // namespace vm
