#pragma once
// Command 32811 "打印坐标文件" once the column order is known, on either
// desktop: the coordinate file (the instrument's own or another maker's), its
// table in the work file handed to the viewer, then the same rows offered for
// printing as an aligned table with page numbers.

#include <string>

#include "export/column_order.h"

namespace vm {

class ExportCommandHost;

// tablePath: the work file. A file that cannot be read or a work file that
// cannot be written is reported and nothing is opened or printed.
void RunPrintTableCommand(ExportCommandHost& host, const ColumnOrder& order,
                          const std::string& tablePath);

}  // namespace vm
