#pragma once
// Writes an Excel 97-2003 workbook file (.xls) of text cells, whole: the file
// is replaced only once every byte is on disk, so a failed write leaves the old
// file (or none) behind, never half a workbook. The workbook stream goes
// straight into its container's sectors as it is written, never held whole.

#include <string>
#include <vector>

#include "common/file_io.h"
#include "export/xls_book_cells.h"
#include "export/xls_workbook.h"

namespace vm {

// False with a message in the UI's language when the sheets do not fit the
// format (see CheckSheets) or the file cannot be written.
bool WriteXlsWorkbook(const std::string& path, const std::vector<XlsSheet>& sheets,
                      FileError& error);

// Writes cells already gathered (and checked) as the workbook at path.
bool WriteXlsBook(const std::string& path, const XlsBookCells& book, FileError& error);

}  // namespace vm
