#pragma once
// 打印坐标文件 on Windows: the system's print dialog, then the table's pages
// drawn on the chosen printer as one print job.

#include "win/win32.h"

#include <string>

#include "export/print_table.h"

namespace vm::win32 {

inline constexpr const char* kPrintFailedMessage = "打印失败：";

// Empty when printed or cancelled; otherwise kPrintFailedMessage and why.
std::string PrintTableWithDialog(HWND owner, const PrintTable& table, const std::string& title);

}  // namespace vm::win32
