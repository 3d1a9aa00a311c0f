#pragma once
// An Excel 97-2003 workbook of text cells, built natively: the record stream
// that goes into the compound file's "Workbook" stream, and the rules of how a
// table is laid out on sheets. Needs nothing installed.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "export/xls_book_cells.h"

namespace vm {

using XlsRow = std::vector<std::string>;  // cell texts, as bytes

struct XlsSheet {
    std::string name;                 // bytes, like the cells
    std::vector<const XlsRow*> rows;  // row i goes to sheet row i; not owned
    // Columns whose cells below the first row are written as numbers in the
    // format "0.000" where their text is a number (ReadCellNumber); other
    // cells stay text.
    std::vector<size_t> numberColumns;
};

// What one sheet of the format can hold.
constexpr size_t kXlsMaxRows = 65536;
constexpr size_t kXlsMaxColumns = 256;
constexpr size_t kXlsMaxCellChars = 32767;
constexpr size_t kXlsMaxSheetName = 31;

// Why text that is not ASCII cannot be written: the system lacks the converters.
inline constexpr const char* kXlsNoConverter = "系统缺少 GB18030 字符转换模块，无法写入中文文字。";

// Lays out a table whose first row is its header on as many sheets as it
// needs: the first sheet is called name, the next "name (2)", "name (3)", ...
// and every sheet starts with the header row, so no row is lost past the
// 65,536 rows that one sheet holds.
std::vector<XlsSheet> LayOutOnSheets(const std::string& name, const std::vector<XlsRow>& table,
                                     const std::vector<size_t>& numberColumns = {});

// True when the cell at row r, column c of the sheet is written as a number
// when its text is one (a number column, below the first row).
bool IsNumberColumnCell(const XlsSheet& sheet, size_t r, size_t c);

// A cell's bytes as UTF-8 text: kept when they are UTF-8 already, else read as GBK.
std::string CellTextUtf8(const std::string& bytes);
// The widest value of each column of an .xlsx sheet in character cells, as
// its cells show them (number cells in the format "0.000").
std::vector<size_t> SheetColumnWidths(const XlsSheet& sheet);

// The width of a column that holds values up to this many character cells
// wide, in 1/256 of a character as the format counts (at most 255 characters).
uint16_t FittedColumnWidth(size_t cells);

// Why these sheets cannot be written (too many rows or columns, a cell text
// that is too long, a sheet name that is empty, too long, repeated or holds
// one of : \ / ? * [ ]), in the UI's language; empty when they can.
std::string CheckSheets(const std::vector<XlsSheet>& sheets);

// The cells of sheets that pass CheckSheets, for the workbook writer: every
// non-empty cell a text cell (or a number cell, see numberColumns), an empty
// cell a blank cell in the text format, each column as wide as its longest
// value. The texts are read as UTF-8 when every one of them is valid UTF-8,
// otherwise as GBK.
XlsBookCells CollectBookCells(const std::vector<XlsSheet>& sheets);

// The workbook stream of these sheets' cells (see CollectBookCells), whole in
// memory: the globals (fonts, cell formats, sheet list, shared strings)
// followed by each sheet. Sheets must pass CheckSheets. (WriteXlsWorkbook
// writes the same bytes straight into the file.)
std::string BuildWorkbookStream(const std::vector<XlsSheet>& sheets);

}  // namespace vm
