#include "export/xls_writer.h"

#include "export/compound_file.h"

namespace vm {

bool WriteXlsWorkbook(const std::string& path, const std::vector<XlsSheet>& sheets,
                      FileError& error) {
    const std::string problem = CheckSheets(sheets);
    if (!problem.empty()) {
        error = FileError{0, "无法保存工作簿 " + path + "：" + problem};
        return false;
    }
    return WriteFileAtomic(path, BuildCompoundFile(BuildWorkbookStream(sheets)), &error);
}

}  // namespace vm
