// CSpreadSheet: stored rows, header rules, row placement, splitting and the
// text-file and workbook paths with their error texts.
#include <gtest/gtest.h>

#include "export/spreadsheet.h"
#include "export/spreadsheet_sql.h"
#include "tests/support/temp_dir.h"

namespace vm {
namespace {

using Cells = CSpreadSheet::Cells;
const char kRowPastEnd[] = "Desired row is greater than total number of rows in spreadsheet\n";

TEST(SpreadSheetKind, XlsInAnyCaseIsAWorkbookAnythingElseATextFile) {
    test::TempDir dir;
    CSpreadSheet upper(dir.file("A.XLS"), "Coordinate", false);
    EXPECT_TRUE(upper.IsWorkbook());
    EXPECT_EQ(upper.Separator(), ",;.?");
    CSpreadSheet text(dir.file("a.txt"), "Coordinate", false);
    EXPECT_FALSE(text.IsWorkbook());
    EXPECT_EQ(text.Separator(), "Coordinate");
    EXPECT_EQ(text.LastError(), "Error in opening file\n");  // nothing there to load yet
}

TEST(SpreadSheetTextFile, WritesQuotedCellsJoinedBySeparatorWithCrLf) {
    test::TempDir dir;
    const std::string path = dir.file("out.csv");
    CSpreadSheet sheet(path, ";", true);
    sheet.DeferWrites();
    ASSERT_TRUE(sheet.SetHeaderRow({"PT*", "X"}, false));
    ASSERT_TRUE(sheet.PutRow({"1", "100.5"}, 0, false));
    ASSERT_TRUE(sheet.PutRow({"2", "it's", "extra"}, 0, false));
    EXPECT_EQ(test::TempDir::read(path), "") << "deferred: nothing written before Save";
    ASSERT_TRUE(sheet.Save());
    EXPECT_EQ(test::TempDir::read(path),
              "\"PT*\";\"X\"\r\n\"1\";\"100.5\"\r\n\"2\";\"it's\";\"extra\"\r\n");
    EXPECT_EQ(sheet.RowCount(), 3);
    EXPECT_EQ(sheet.ColumnCount(), 3);

    // Without deferring every row is written at once.
    const std::string direct = dir.file("out.txt");
    CSpreadSheet now(direct, ",", false);
    ASSERT_TRUE(now.SetHeaderRow({"A", "B"}, false));
    ASSERT_TRUE(now.PutRow({"1", "2"}, 0, false));
    EXPECT_EQ(test::TempDir::read(direct), "\"A\",\"B\"\r\n\"1\",\"2\"\r\n");
}

TEST(SpreadSheetTextFile, LoadsExistingRowsAndBacksThemUp) {
    test::TempDir dir;
    const std::string old = "\"A\",\"B\",\"C\"\r\n\"1\",\"2\"\n\"x\"";
    const std::string path = dir.write("old.txt", old);
    CSpreadSheet sheet(path, ",", true);
    EXPECT_TRUE(sheet.HasHeader());
    EXPECT_EQ(sheet.RowCount(), 3);
    EXPECT_EQ(sheet.ColumnCount(), 3);
    EXPECT_EQ(sheet.Headers(), (Cells{"A", "B", "C"}));
    EXPECT_TRUE(sheet.MakesBackup());
    EXPECT_EQ(test::TempDir::read(path + ".bak"), "\"A\",\"B\",\"C\"\r\n\"1\",\"2\"\r\n\"x\"\r\n");

    // Extending the header keeps the old names and adds the new ones.
    ASSERT_TRUE(sheet.SetHeaderRow({"D"}, false));
    EXPECT_EQ(sheet.StoredRows()[0], "\"A\",\"B\",\"C\",\"D\"");
    EXPECT_EQ(sheet.ColumnCount(), 4);
}

TEST(SpreadSheetRows, InsertOverwriteAndFillGapsWithBlankRows) {
    test::TempDir dir;
    CSpreadSheet sheet(dir.file("t.txt"), ",", false);
    sheet.DeferWrites();
    ASSERT_TRUE(sheet.SetHeaderRow({"A", "B"}, false));
    ASSERT_TRUE(sheet.PutRow({"1", "1"}, 0, false));
    ASSERT_TRUE(sheet.PutRow({"0", "0"}, 2, false));  // inserted before row 2
    ASSERT_TRUE(sheet.PutRow({"9", "9"}, 3, true));   // overwrites row 3
    const int32_t cursor = sheet.CursorRow();
    ASSERT_TRUE(sheet.PutRow({"5", "5"}, 0, false));
    EXPECT_EQ(sheet.CursorRow(), cursor) << "appending never moves the cursor";
    ASSERT_TRUE(sheet.PutRow({"7", "7"}, 6, false));  // two past the end: one blank row first
    EXPECT_EQ(sheet.StoredRows(),
              (std::vector<std::string>{"\"A\",\"B\"", "\"0\",\"0\"", "\"9\",\"9\"", "\"5\",\"5\"",
                                        "\"\",\"\"", "\"7\",\"7\""}));
    EXPECT_EQ(sheet.RowCount(), 6);
    EXPECT_EQ(sheet.CursorRow(), 6);
}

TEST(SpreadSheetSplit, CursorAndErrors) {
    test::TempDir dir;
    const std::string path = dir.write("s.txt", "\"a\",\"b\"\r\n\"c\",\"d\"\r\nsingle\r\n");
    CSpreadSheet sheet(path, ",", false);
    Cells cells;
    EXPECT_FALSE(sheet.SplitRow(cells, 4));
    EXPECT_EQ(sheet.LastError(), kRowPastEnd);
    EXPECT_FALSE(sheet.SplitRow(cells, 3)) << "a row with one cell does not split";
    ASSERT_TRUE(sheet.SplitRow(cells, 1));
    EXPECT_EQ(cells, (Cells{"a", "b"}));
    ASSERT_TRUE(sheet.SplitRow(cells, 0));  // the cursor moved on to row 2
    EXPECT_EQ(cells, (Cells{"c", "d"}));
    EXPECT_FALSE(sheet.SplitRow(cells, 0));
    EXPECT_FALSE(sheet.SplitRow(cells, 0)) << "past the last row: no crash, just false";
    EXPECT_FALSE(sheet.SplitRow(cells, -1));
}

// A workbook sheet: header and row rules with their error texts, values with
// quoted separators coming back whole, and gap rows of quoted spaces.
TEST(SpreadSheetWorkbook, RulesValuesAndGaps) {
    test::TempDir dir;
    CSpreadSheet sheet(dir.file("w.xls"), "S", false);
    sheet.DeferWrites();
    EXPECT_FALSE(sheet.PutRow({"1"}, 0, false));
    EXPECT_EQ(sheet.LastError(), "No header row. Add header row first\n");
    EXPECT_FALSE(sheet.SetHeaderRow({"A", "B", "A"}, false));
    EXPECT_EQ(sheet.LastError(), "Duplicate header row field:A\n");
    ASSERT_TRUE(sheet.SetHeaderRow({"A", "B"}, false));
    EXPECT_FALSE(sheet.PutRow({"1", "2", "3"}, 0, false));
    EXPECT_EQ(sheet.LastError(),
              "Number of columns to be added cannot be greater than the number of fields\n");
    EXPECT_FALSE(sheet.PutRow({"A"}, 1, true));
    EXPECT_EQ(sheet.LastError(),
              "Number of columns in new header row cannot be less than the number of columns in "
              "previous header row");
    EXPECT_EQ(sheet.RowCount(), 1);

    const Cells tricky{"a\",;.?\"b", "it's"};
    ASSERT_TRUE(sheet.PutRow(tricky, 0, false));
    Cells cells;
    ASSERT_TRUE(sheet.SplitRow(cells, 2));
    EXPECT_EQ(cells, tricky);
    ASSERT_TRUE(sheet.PutRow({"1", "2"}, 4, false));  // past the end: a gap row first
    EXPECT_EQ(sheet.StoredRows()[2], "\" \",;.?\" \"");
}

TEST(SpreadSheetSave, FailureKeepsTheOldFileAndSaysWhy) {
    test::TempDir dir;
    const std::string missing = dir.file("no/such/folder/t.txt");
    CSpreadSheet text(missing, ",", false);
    text.DeferWrites();
    ASSERT_TRUE(text.SetHeaderRow({"A", "B"}, false));
    EXPECT_FALSE(text.Save());
    EXPECT_EQ(text.LastError(), "Error writing file\n");
    EXPECT_NE(text.LastFileError().message.find(missing), std::string::npos);

    const std::string book = dir.write("old.xls", "old workbook");
    CSpreadSheet sheet(book, "bad[name]", false);
    sheet.DeferWrites();
    ASSERT_TRUE(sheet.SetHeaderRow({"A"}, false));
    EXPECT_FALSE(sheet.Save());
    EXPECT_NE(sheet.LastError().find("工作表名称"), std::string::npos) << sheet.LastError();
    EXPECT_EQ(test::TempDir::read(book), "old workbook");
}

// Kept for a later ODBC path: the statements a driver would receive, unescaped.
TEST(SpreadSheetStatements, CreateAndInsertForTheCoordinateSheet) {
    const Cells header{"PT*", "X", "Y", "Z", "PCode"};
    EXPECT_EQ(CreateSheetStatement("Coordinate", header, false),
              "CREATE TABLE [Coordinate] ([PT*] char(255), [X] char(255), [Y] char(255), [Z] "
              "char(255), [PCode] char(255))");
    EXPECT_EQ(InsertRowStatement("Coordinate", 12, header, {"A", "B", "C", "D", "E"}),
              "INSERT INTO [Coordinate$A1:IV12] ([PT*], [X], [Y], [Z], [PCode]) VALUES ('A', "
              "'B', 'C', 'D', 'E')");
    const std::string drivers("SQL Server\0Microsoft Excel Driver (*.xls)\0Other Excel\0\0", 55);
    EXPECT_EQ(ExcelDriverFromList(drivers), "Microsoft Excel Driver (*.xls)");
    EXPECT_EQ(ExcelDriverFromList(std::string("\0", 1)), "");
}

}  // namespace
}  // namespace vm
