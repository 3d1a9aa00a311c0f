// Command 32812 "保存为EXCEL文件" on the main window.
#include "app/exports/main_dlg_export_host.h"
#include "app/main_window/main_dlg_commands.h"
#include "common/user_paths.h"
#include "dialogs/exports/excel_command.h"

namespace vm {

void OnSaveExcel(CMainDlg& dlg) {
    MainDlgExportHost host(dlg);
    RunExcelCommand(host, UserIniPath());
}

}  // namespace vm
