#pragma once
// Command 32812 "保存为EXCEL文件" on either desktop: a coordinate file (the
// instrument's own or another maker's), the workbook to write with the
// "坐标存为数值" box remembered in the per-user settings, the export off the
// window's thread, and after a pause the workbook handed to the viewer.

#include <string>

namespace vm {

class ExportCommandHost;

inline constexpr int kExcelOpenDelayMs = 4000;

// The check box of the target dialog: X, Y and Z as number cells.
inline constexpr const char* kExcelNumbersOption = "坐标存为数值 (0.000)";

// The pause before the written file is opened (tests shorten it).
int ExcelOpenDelayMs();
void SetExcelOpenDelayMs(int ms);

// iniPath: where the number box is remembered. A file that cannot be read,
// another maker's file without a record, or a failed export is reported and
// nothing is opened.
void RunExcelCommand(ExportCommandHost& host, const std::string& iniPath);

}  // namespace vm
