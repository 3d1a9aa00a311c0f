#pragma once
// An Office Open XML workbook (.xlsx) built without any library: the minimal
// SpreadsheetML parts in a .zip container. The same sheets, cells, formats
// ("@" for text and blank cells, "0.000" for number cells) and fitted column
// widths as the workbook the Linux build writes with libxlsxwriter; cell
// texts that are not UTF-8 are read as GBK, each on its own.

#include <string>
#include <vector>

#include "export/xls_workbook.h"

namespace vm {

// The workbook's bytes for sheets that pass CheckSheets; false with the
// reason in the UI's language when it would outgrow the container.
bool BuildXlsxPackage(const std::vector<XlsSheet>& sheets, std::string& bytes,
                      std::string& problem);

// A cell text as XML character data: markup characters escaped, and the
// control characters XML cannot hold written the workbook's way (_x0001_).
void AppendXlsxText(std::string& out, std::string_view utf8);

// The width the file stores for a column meant to show this many characters:
// Excel keeps the cell padding of the default font in it (10 -> 10.7109375).
double XlsxStoredWidth(double characters);

}  // namespace vm
