// The .xls export gathers its cells straight from the source's pieces; the
// workbook must be byte for byte the one the general table writer makes from
// the same lines (cut by ExcelCellsFromPiece, each line read as UTF-8 or GBK).
#include <gtest/gtest.h>

#include "common/line_reader.h"
#include "export/excel_export.h"
#include "export/source_encoding.h"
#include "export/xls_writer.h"
#include "tests/support/temp_dir.h"

namespace vm {
namespace {

// The reference workbook's bytes; rows gets the number of its data rows.
std::string ReferenceWorkbook(const std::string& source, bool numbers, const std::string& path,
                              int& rows) {
    std::vector<XlsRow> table{ExcelHeaderRow()};
    LineReader reader(source);
    for (std::string piece; reader.Next(piece);) {
        const LineCoding coding = ClassifyLine(piece);
        XlsRow row;
        for (const std::string& cell : ExcelCellsFromPiece(piece))
            row.push_back(LineToUtf8(cell, coding));
        table.push_back(row);
    }
    const std::vector<size_t> columns =
        numbers ? std::vector<size_t>{1, 2, 3} : std::vector<size_t>{};
    rows = int(table.size()) - 1;
    FileError error;
    EXPECT_TRUE(WriteXlsWorkbook(path, LayOutOnSheets(kExcelSheetName, table, columns), error));
    return test::TempDir::read(path);
}

std::string Lines(size_t count, const std::string& line) {
    std::string out;
    for (size_t i = 0; i < count; ++i)
        out += "P" + std::to_string(i) + line;
    return out;
}

TEST(ExcelXlsExport, SameBytesAsTheTableWriter) {
    const std::string longUtf8 = "L1," + std::string(40, 'x') + "," + [] {
        std::string s;
        for (int i = 0; i < 30; ++i)
            s += "\xE4\xB8\xAD";  // a UTF-8 character cut by the 99-byte pieces
        return s;
    }() + ",1,2\r\n";
    const std::string sources[] = {
        "P1,1,2,3,K\r\n7,100,200,30\r\na,b,c,,e\n,,,,\r\nno comma\r\n,a\r\n a , b ,c,d,e,f "
        "\r\n\r\n   \r\nlast",
        "P1,1\r2,3,4\nx,1,2,3\r\r\ny,\r,\n,1,2,3\n",  // CR and LF inside pieces
        longUtf8 + std::string(150, 'q') + "\n",
        "\xB5\xE3\x31,1.5,2.5,3.5,\xCA\xF7\r\n\xE7\x82\xB9\x32,1,2,3,\xE6\xA0\x91\r\n"
        "bad\xFF,\x80,1,2,\xD6\r\n\xF0\x9F\x98\x80,1,2,3,4\n",  // GBK, UTF-8, neither, emoji
        "N, +3.5 ,1e5,-0,x\nN,inf,nan,0x10,x\nN,.5,-.5e-3,1\xA3\xAC"
        "5,x\nN,1e400,-1e-400,12a,\n",
        Lines(65536, ",2535789.123,506432.456,45.1,TREE\r\n"),  // a second sheet of one row
    };
    test::TempDir dir;
    for (const std::string& source : sources) {
        for (bool numbers : {false, true}) {
            const ExcelExportResult result =
                ExportCoordinatesToExcel({source, dir.file("fast.xls"), numbers});
            ASSERT_TRUE(result.ok) << source.substr(0, 40);
            int rows = 0;
            EXPECT_TRUE(ReferenceWorkbook(source, numbers, dir.file("ref.xls"), rows) ==
                        test::TempDir::read(dir.file("fast.xls")))
                << source.substr(0, 40) << (numbers ? " --numbers" : "");
            EXPECT_EQ(result.rows, rows) << "a long line counts a row per piece";
        }
    }
}

}  // namespace
}  // namespace vm
