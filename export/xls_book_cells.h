#pragma once
// A workbook's cells as its writer needs them: each cell one 32-bit code (the
// index of its text in the shared string table, a blank, or a number), the
// numbers beside, and per column the width of its widest value. The sheets'
// texts are gathered into one table first because the table precedes the
// sheets in the stream, as the widths precede each sheet's rows.

#include <cstdint>
#include <string>
#include <vector>

#include "export/xls_shared_strings.h"

namespace vm {

inline constexpr uint32_t kXlsBlankCell = UINT32_MAX;       // an empty cell
inline constexpr uint32_t kXlsNumberCell = UINT32_MAX - 1;  // the sheet's next number

struct XlsSheetCells {
    std::u16string name;
    std::vector<uint32_t> rowEnds;  // row r's cells end where row r + 1's begin
    std::vector<uint32_t> cells;    // shared string indexes, kXlsBlankCell or kXlsNumberCell
    std::vector<double> numbers;    // the number cells' values, in order
    std::vector<size_t> widths;     // per column, the widest value in character cells

    void EndRow() { rowEnds.push_back(static_cast<uint32_t>(cells.size())); }
    void Widen(size_t column, size_t width) {
        if (widths.size() <= column)
            widths.resize(column + 1, 0);
        if (widths[column] < width)
            widths[column] = width;
    }
};

struct XlsBookCells {
    std::vector<XlsSheetCells> sheets;
    XlsSharedStrings strings;
    bool numberFormat = false;  // the workbook defines the format "0.000"
};

}  // namespace vm
