#pragma once
// Writes an Office Open XML workbook (.xlsx) with libxlsxwriter: the same
// sheets, rows, texts, number cells and fitted column widths as the Excel
// 97-2003 workbook of the same table. Cell texts that are not UTF-8 are read
// as GBK. The target is replaced only once the whole workbook is on disk.

#include <string>
#include <vector>

#include "common/file_io.h"
#include "export/xls_workbook.h"

namespace vm {

// False with a message in the UI's language when the sheets do not fit (see
// CheckSheets) or the file cannot be written.
bool WriteXlsxWorkbook(const std::string& path, const std::vector<XlsSheet>& sheets,
                       FileError& error);

}  // namespace vm
