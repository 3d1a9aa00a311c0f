#include "dialogs/desktop_requests.h"

namespace vm {

FileDialogRequest TextDataFileRequest() {
    FileDialogRequest request;
    request.filter = "Text(*.txt)|*.txt|Data(*.dat)|*.dat|All files(*.*)|*.*|";
    request.defaultExt = "*.txt";
    request.confirmOverwrite = true;
    return request;
}

}  // namespace vm
