#include "export/excel_settings.h"

#include "common/ini_file.h"

namespace vm {

bool LoadExcelNumbers(const std::string& iniPath) {
    return IniGetInt(iniPath, "Parametersetting", "excelnumbers", 0) == 1;
}

bool StoreExcelNumbers(const std::string& iniPath, bool numbers, std::string* error) {
    return IniWriteInt(iniPath, "Parametersetting", "excelnumbers", numbers ? 1 : 0, error);
}

std::string ExcelSavedStatus(const std::string& path, int rows) {
    return "已保存 " + path + "（" + std::to_string(rows) + " 行）";
}

}  // namespace vm
