// The .xlsx writer of a build without libxlsxwriter (the Windows build): the
// workbook cannot be made here, so the export says so and writes nothing. The
// Excel 97-2003 workbook (.xls) is written by every build.
#include "export/xlsx_writer.h"

namespace vm {

bool WriteXlsxWorkbook(const std::string& path, const std::vector<XlsSheet>& /*sheets*/,
                       FileError& error) {
    error = FileError{0, "无法保存工作簿 " + path +
                             "：此版本不能写 .xlsx 工作簿，请改存为 .xls（Excel 97-2003 工作簿）"};
    return false;
}

}  // namespace vm
