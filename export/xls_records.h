#pragma once
// Writes the workbook stream of an Excel 97-2003 workbook from its cells: the
// globals (fonts, cell formats, sheet list, shared strings) followed by each
// sheet. The globals point forward at each sheet, and each sheet's index at its
// row blocks, so the stream is laid out first by a pass that only counts; the
// second pass writes every record once, in order, wherever the stream goes.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "export/biff_stream.h"
#include "export/xls_book_cells.h"

namespace vm {

struct XlsStreamLayout {
    size_t size = 0;                             // the stream's length in bytes
    std::vector<uint32_t> sheets;                // where each sheet begins
    std::vector<std::vector<uint32_t>> dbCells;  // per sheet, where each row block's index is
};

XlsStreamLayout LayOutWorkbookStream(const XlsBookCells& book);

// Writes the stream laid out by LayOutWorkbookStream for the same cells.
void WriteWorkbookStream(const XlsBookCells& book, const XlsStreamLayout& layout, BiffStream& out);

}  // namespace vm
