#include <csignal>
#include <windows.h>

#include "common/temporary_files.h"
#include "common/temporary_files_platform.h"
#include "common/wide_text_win32.h"

namespace vm {
namespace platform {

// The console's control handler runs on a thread of its own, so the usual
// call is allowed.
void RemoveFileFromHandler(const char* path) {
    ::DeleteFileW(win32::WideFromUtf8(path).c_str());
}

}  // namespace platform

namespace {

BOOL WINAPI OnConsoleControl(DWORD event) {
    switch (event) {
        case CTRL_C_EVENT:
        case CTRL_BREAK_EVENT:
        case CTRL_CLOSE_EVENT:
        case CTRL_LOGOFF_EVENT:
        case CTRL_SHUTDOWN_EVENT:
            RemoveTrackedTemporaries();
            break;
        default:
            break;
    }
    return FALSE;  // the default handler then ends the program
}

void OnTerminate(int signal) {
    RemoveTrackedTemporaries();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

}  // namespace

void RemoveTemporariesOnSignals() {
    ::SetConsoleCtrlHandler(OnConsoleControl, TRUE);
    std::signal(SIGTERM, OnTerminate);
}

}  // namespace vm
