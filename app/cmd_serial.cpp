#include "app/main_dlg.h"
#include "app/main_dlg_commands.h"

// Placeholder until this feature is built: the command says so in the status line.

namespace vm {

void OnDownload(CMainDlg& dlg) {
    ShowNotBuiltYet(dlg, "下载");
}

void OnUpload(CMainDlg& dlg) {
    ShowNotBuiltYet(dlg, "上传");
}

void OnTimer(CMainDlg&) {}

void CloseSerialPort(CMainDlg&) {}

void ResetCommState(CMainDlg&) {}

}  // namespace vm
