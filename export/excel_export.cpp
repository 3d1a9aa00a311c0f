#include "export/excel_export.h"

#include "common/file_io.h"
#include "common/line_reader.h"
#include "common/text.h"
#include "export/excel_source_cells.h"
#include "export/source_encoding.h"
#include "export/spreadsheet.h"
#include "export/xls_writer.h"

namespace vm {
namespace {

std::string SaveFailureMessage(const CSpreadSheet& sheet, const std::string& path) {
    const FileError& error = sheet.LastFileError();
    if (!error.message.empty())
        return error.message;
    return "无法保存文件 " + path + "：" + sheet.LastError();
}

// An .xls workbook is written from cells gathered straight from the source,
// without a table of rows in between; the file is the same.
ExcelExportResult ExportToXls(const ExcelExportInput& input) {
    ExcelExportResult result;
    ExcelSourceCells cells;
    GatherExcelCells(input.source, input.numbers, cells);
    result.rows = cells.rows;
    FileError error;
    if (!cells.problem.empty()) {
        result.messages.push_back("无法保存工作簿 " + input.targetPath + "：" + cells.problem);
        return result;
    }
    if (!WriteXlsBook(input.targetPath, cells.book, error)) {
        result.messages.push_back(error.message);
        return result;
    }
    result.ok = true;
    result.status = EncodingStatus(cells.counts);
    return result;
}

}  // namespace

std::vector<std::string> ExcelHeaderRow() {
    return {"PT*", "X", "Y", "Z", "PCode"};
}

ColumnFields ExcelCellsFromPiece(const std::string& piece) {
    const std::string line = CleanPiece(piece);
    const long long c1 = FindChar(line, ',', 0);
    const long long c2 = FindChar(line, ',', c1 + 1);
    const long long c3 = FindChar(line, ',', c2 + 1);
    const long long c4 = FindChar(line, ',', c3 + 1);
    // Without a fourth comma the rest after the third is Z and the code is empty.
    return CutColumnFields(line, c4 != -1);
}

bool ReadExcelSource(const std::string& path, std::string& bytes, std::string& message) {
    FileError error;
    if (ReadFileBytes(path, bytes, &error))
        return true;
    message = error.message;
    return false;
}

ExcelExportResult ExportCoordinatesToExcel(const ExcelExportInput& input) {
    if (!HoldsAnyData(input.source)) {
        ExcelExportResult result;
        result.messages.push_back(NoRecordsMessage("Excel 文件", input.targetPath));
        return result;
    }
    if (CSpreadSheet::IsWorkbookPath(input.targetPath))
        return ExportToXls(input);
    ExcelExportResult result;
    const std::string& target = input.targetPath;
    const bool workbook = CSpreadSheet::IsWorkbookPath(target) || CSpreadSheet::IsXlsxPath(target);
    // The rows start from nothing: an existing text file is replaced whole, and
    // stays as it was when the new one cannot be saved.
    CSpreadSheet sheet(target, kExcelSheetName, true, CSpreadSheet::Start::Empty);
    sheet.DeferWrites();
    sheet.SetHeaderRow(ExcelHeaderRow(), false);
    if (input.numbers)
        sheet.SetNumberColumns({1, 2, 3});
    EncodingCounts counts;
    LineReader reader(input.source);
    std::string piece;
    while (reader.Next(piece)) {
        ColumnFields cells = ExcelCellsFromPiece(piece);
        const LineCoding coding = ClassifyLine(piece);
        counts.Add(coding);
        if (workbook) {
            for (std::string& cell : cells)
                cell = LineToUtf8(cell, coding);
        }
        sheet.PutRow(std::vector<std::string>(cells.begin(), cells.end()), 0, false);
        ++result.rows;
    }
    if (!sheet.Save()) {
        result.messages.push_back(SaveFailureMessage(sheet, target));
        return result;
    }
    result.ok = true;
    if (workbook)
        result.status = EncodingStatus(counts);
    return result;
}

}  // namespace vm
