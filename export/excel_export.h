#pragma once
// The Excel export: a comma-separated coordinate file becomes a workbook with
// the sheet "Coordinate", a header row "PT*", "X", "Y", "Z", "PCode" and one
// row per line of the file, every value a text cell exactly as it stands.
//
// The columns go by position: the first four comma-separated fields of a line
// go under PT*, X, Y and Z, and everything after the fourth comma under PCode.
// A line with fewer than four commas keeps the rest after its third comma in
// Z and has an empty PCode. No line is skipped (a line without a comma lands
// whole in Z). A target whose name does not end in ".xls" is written as the
// spreadsheet writer's delimited text file, its quoted cells separated by the
// word Coordinate; a name ending in ".xlsx" gives an Office Open XML workbook.
//
// In a workbook every column is as wide as its longest value, each line's text
// is read on its own (UTF-8 when it is valid UTF-8, GBK otherwise), and as an
// option X, Y and Z become number cells shown with three decimals. The
// delimited text file keeps the source's bytes.

#include <string>
#include <vector>

#include "export/column_order.h"

namespace vm {

inline constexpr const char* kExcelSheetName = "Coordinate";

// The header row of the sheet.
std::vector<std::string> ExcelHeaderRow();

// The five cells of one piece read from the source (line ends and outer
// spaces are removed first).
ColumnFields ExcelCellsFromPiece(const std::string& piece);

struct ExcelExportInput {
    std::string source;      // the source file's bytes
    std::string targetPath;  // the workbook (or text file) to write
    bool numbers = false;    // X, Y, Z as number cells in the format "0.000" (workbooks)
};

struct ExcelExportResult {
    bool ok = false;
    int rows = 0;                       // data rows written
    std::vector<std::string> messages;  // for the user, in the UI's language; none on success
    std::string status;                 // for the status line: lines read as UTF-8 and GBK
};

// Reads the source file; false with a message when it cannot be read.
bool ReadExcelSource(const std::string& path, std::string& bytes, std::string& message);

// Writes the target anew. An existing text-file target is moved aside first
// (the writer would otherwise extend it) and put back if the save fails; an
// existing workbook is replaced only once the new one is complete. Either way
// a failed export leaves the earlier target as it was.
ExcelExportResult ExportCoordinatesToExcel(const ExcelExportInput& input);

}  // namespace vm
