#include "export/xls_writer.h"

#include "common/streamed_file.h"
#include "export/compound_file.h"
#include "export/xls_records.h"

namespace vm {

bool WriteXlsWorkbook(const std::string& path, const std::vector<XlsSheet>& sheets,
                      FileError& error) {
    const std::string problem = CheckSheets(sheets);
    if (!problem.empty()) {
        error = FileError{0, "无法保存工作簿 " + path + "：" + problem};
        return false;
    }
    return WriteXlsBook(path, CollectBookCells(sheets), error);
}

bool WriteXlsBook(const std::string& path, const XlsBookCells& book, FileError& error) {
    const XlsStreamLayout layout = LayOutWorkbookStream(book);
    StreamedFile file;
    if (!file.Open(path, FileMode::Normal, &error))
        return false;
    file.Append(CompoundFileHead(layout.size));
    BiffStream stream(&file);
    WriteWorkbookStream(book, layout, stream);
    file.Append(CompoundFileTail(layout.size));
    return file.Commit(&error);
}

}  // namespace vm
