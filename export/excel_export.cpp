#include "export/excel_export.h"

#include <cerrno>
#include <unistd.h>

#include "common/file_io.h"
#include "common/line_reader.h"
#include "common/text.h"
#include "export/spreadsheet.h"

namespace vm {
namespace {

// Deletes an existing target so that the writer starts from nothing.
bool RemoveOldTarget(const std::string& path, std::string& message) {
    if (!FileExists(path) || ::unlink(path.c_str()) == 0)
        return true;
    message = WriteFailureMessage(path, errno);
    return false;
}

std::string SaveFailureMessage(const CSpreadSheet& sheet, const std::string& path) {
    const FileError& error = sheet.LastFileError();
    if (!error.message.empty())
        return error.message;
    return "无法保存文件 " + path + "：" + sheet.LastError();
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
    ExcelExportResult result;
    const std::string& target = input.targetPath;
    const bool workbook = CSpreadSheet::IsWorkbookPath(target);
    std::string message;
    if (!workbook && !RemoveOldTarget(target, message)) {
        result.messages.push_back(message);
        return result;
    }
    CSpreadSheet sheet(target, kExcelSheetName, true);
    sheet.DeferWrites();
    sheet.SetHeaderRow(ExcelHeaderRow(), false);
    LineReader reader(input.source);
    std::string piece;
    while (reader.Next(piece)) {
        const ColumnFields cells = ExcelCellsFromPiece(piece);
        sheet.PutRow(std::vector<std::string>(cells.begin(), cells.end()), 0, false);
        ++result.rows;
    }
    if (!sheet.Save()) {
        result.messages.push_back(SaveFailureMessage(sheet, target));
        return result;
    }
    result.ok = true;
    return result;
}

}  // namespace vm
