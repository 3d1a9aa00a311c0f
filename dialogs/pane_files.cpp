#include "dialogs/pane_files.h"

#include <new>
#include <string>

#include "common/file_io.h"

namespace vm {

FileDialogRequest PaneFileDialogRequest() {
    FileDialogRequest request;
    request.filter = "*.txt|*.txt|*.dat|*.dat|*.*|*.*|";
    request.defaultExt = "txt";
    return request;
}

FileDialogRequest NotepadDialogRequest() {
    FileDialogRequest request;
    request.filter =
        "Text(*.txt)|*.txt|for CT2100(*.ps)|*.ps|Data(*.dat)|*.dat|All files(*.*)|*.*|";
    request.defaultExt = "*.txt";
    return request;
}

std::string FileTooLargeMessage(const std::string& path, std::uint64_t size) {
    const std::uint64_t mb = (size + (1 << 20) - 1) >> 20;
    return "文件太大，无法在文本窗口中打开：" + path + "（" + std::to_string(mb) + " MB，最多 " +
           std::to_string(kMaxPaneFileBytes >> 20) + " MB）";
}

bool ReadPaneFile(const std::string& path, std::string& bytes, std::string& message) {
    std::uint64_t size = 0;
    if (IsRegularFile(path, &size) && size > kMaxPaneFileBytes) {
        message = FileTooLargeMessage(path, size);
        return false;
    }
    FileError error;
    try {
        if (ReadFileBytes(path, bytes, &error))
            return true;
        message = error.message;
    } catch (const std::bad_alloc&) {
        bytes.clear();
        message = kAllocErrorMessage;
    }
    return false;
}

}  // namespace vm
