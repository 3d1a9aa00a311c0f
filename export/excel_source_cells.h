#pragma once
// The Excel export's workbook cells, gathered straight from the source's bytes
// in one walk: each piece is cut into its five cells as ranges of the source,
// each text goes once into the shared string table (sized for the whole file
// before the walk), and the rows go onto sheets of 65,536 rows, each sheet
// starting with the header row. The cells are those of ExcelCellsFromPiece,
// each line's text read as UTF-8 when it is valid UTF-8, as GBK otherwise.

#include <string>
#include <string_view>

#include "export/source_encoding.h"
#include "export/xls_book_cells.h"

namespace vm {

struct ExcelSourceCells {
    XlsBookCells book;
    int rows = 0;           // data rows, one per piece
    EncodingCounts counts;  // lines read as UTF-8 and as GBK
    std::string problem;    // why the workbook cannot be written; empty when it can
};

// numbers: X, Y and Z cells that hold a number become number cells.
void GatherExcelCells(std::string_view source, bool numbers, ExcelSourceCells& out);

}  // namespace vm
