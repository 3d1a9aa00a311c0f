#pragma once
// Command 32812 "保存为EXCEL文件" (the handler OnSaveExcel is declared with the
// other main-window commands). The workbook is written off the window's
// thread and then handed to the desktop's viewer once a pause has passed; the
// pause runs on a timer, so the window keeps responding throughout.

namespace vm {

inline constexpr int kExcelOpenDelayMs = 4000;

// The check box of the target dialog: X, Y and Z as number cells.
inline constexpr const char* kExcelNumbersOption = "坐标存为数值 (0.000)";

// The pause before the written file is opened (tests shorten it).
int ExcelOpenDelayMs();
void SetExcelOpenDelayMs(int ms);

}  // namespace vm
