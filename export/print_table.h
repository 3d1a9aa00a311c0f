#pragma once
// The coordinate table as it is printed: the rows of the column-order rule
// (PT#, X, Y, Z and with a code column PCode) in UTF-8, each line of the source
// read on its own, with every column as wide as its longest value and the
// numbers aligned on the right; a heading with the source file's name; and
// the pages it takes, each with its number. The painting itself is Qt's; the
// layout is decided here.

#include <cstddef>
#include <string>
#include <vector>

#include "export/column_order.h"
#include "export/source_encoding.h"

namespace vm {

inline constexpr const char* kPrintTitle = "坐标表";
inline constexpr size_t kPrintColumnGap = 3;  // character cells between two columns

struct PrintTable {
    std::string sourceName;  // the source file's name, UTF-8
    std::vector<std::string> headings;
    std::vector<std::vector<std::string>> rows;  // UTF-8 fields
    std::vector<size_t> widths;                  // per column, in character cells
    std::vector<bool> alignRight;                // X, Y and Z
    EncodingCounts counts;
};

PrintTable BuildPrintTable(const std::string& sourceBytes, const ColumnOrder& order,
                           const std::string& sourcePath);

// The table's width in character cells, gaps included.
size_t PrintTableWidth(const PrintTable& table);

// Where each column starts, in character cells from the left edge.
std::vector<size_t> PrintColumnStarts(const PrintTable& table);

struct PrintPage {
    size_t firstRow = 0;
    size_t rowCount = 0;
};

// The pages for rows of which each page holds rowsPerPage (at least one). A
// table without rows still prints one page with its heading.
std::vector<PrintPage> PaginatePrintTable(size_t rows, size_t rowsPerPage);

// How many rows fit on a page of this height when each line takes lineHeight
// and fixedLines lines go to the heading and the page number.
size_t PrintRowsPerPage(double pageHeight, double lineHeight, size_t fixedLines);

// "源文件：NAME"
std::string PrintSourceLine(const PrintTable& table);
// "第 N 页，共 M 页"
std::string PrintPageFooter(size_t page, size_t pages);

}  // namespace vm
