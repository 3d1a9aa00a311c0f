#pragma once
// What the Excel export remembers in the per-user ConfigFile.ini:
// "Parametersetting"/"excelnumbers", "1" when X, Y and Z were last written as
// number cells ("坐标存为数值"), "0" or missing otherwise.

#include <string>

namespace vm {

bool LoadExcelNumbers(const std::string& iniPath);
// False with a message when the file cannot be written.
bool StoreExcelNumbers(const std::string& iniPath, bool numbers, std::string* error = nullptr);

// "已保存 PATH（N 行）": the status line after a workbook was written.
std::string ExcelSavedStatus(const std::string& path, int rows);

}  // namespace vm
