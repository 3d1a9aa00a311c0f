// The .xlsx writer of a build without libxlsxwriter (the Windows build): the
// workbook is built in memory by the project's own writer and put in place
// like every other target.
#include "export/xlsx_writer.h"

#include "export/xlsx_package.h"

namespace vm {

bool WriteXlsxWorkbook(const std::string& path, const std::vector<XlsSheet>& sheets,
                       FileError& error) {
    std::string problem = CheckSheets(sheets);
    std::string bytes;
    if (problem.empty())
        BuildXlsxPackage(sheets, bytes, problem);
    if (!problem.empty()) {
        error = FileError{0, "无法保存工作簿 " + path + "：" + problem};
        return false;
    }
    return WriteFileAtomic(path, bytes, &error);
}

}  // namespace vm
