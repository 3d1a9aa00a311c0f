// The PDF of the printed table in a build without the printing library (the
// Windows build has no Qt): nothing is written and the command fails, saying
// where the PDF can be had.
#include "printing/table_pdf.h"

namespace vm {

bool WriteTablePdf(const std::string& path, const PrintTable& /*table*/, FileError& error) {
    error = FileError{0, "无法保存 PDF 文件 " + path + "：此版本不含打印功能，请用桌面版输出 PDF"};
    return false;
}

}  // namespace vm
