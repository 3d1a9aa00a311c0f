// Command 32811 "打印坐标文件" on the main window: the column order, then the
// shared flow with the print preview.
#include "app/dialog_renderer/qt_dialog_host.h"
#include "app/exports/export_commands.h"
#include "app/exports/main_dlg_export_host.h"
#include "app/main_window/main_dlg_commands.h"
#include "common/user_paths.h"
#include "dialogs/exports/column_order_dialog.h"
#include "dialogs/exports/print_table_command.h"

namespace vm {

void OnPrintTable(CMainDlg& dlg) {
    ColumnOrderDialog order;
    if (QtDialogHost(order, &dlg).Run() != kIdOk)
        return;
    PrintCoordinateTable(dlg, order.m_order);
}

void PrintCoordinateTable(CMainDlg& dlg, const ColumnOrder& order) {
    MainDlgExportHost host(dlg);
    RunPrintTableCommand(host, order, WorkFilePath());
}

}  // namespace vm
