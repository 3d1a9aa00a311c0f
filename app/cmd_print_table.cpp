// Command 32811 "打印坐标文件": the column order, the coordinate file, its table
// in the work file, and the desktop's viewer to print it from.
#include "app/column_order_dlg.h"
#include "app/desktop.h"
#include "app/main_dlg.h"
#include "app/main_dlg_commands.h"
#include "common/user_paths.h"
#include "export/coordinate_table.h"

namespace vm {

void OnPrintTable(CMainDlg& dlg) {
    CColumnOrderDlg order(&dlg);
    if (order.DoModal() != CColumnOrderDlg::kIdOk)
        return;
    PrintCoordinateTable(dlg, order.m_order);
}

void PrintCoordinateTable(CMainDlg& dlg, const ColumnOrder& order) {
    FileDialogRequest source;
    source.filter = "*.txt|*.txt|*.dat|*.dat|*.*|*.*|";
    source.defaultExt = "txt";
    const std::optional<std::string> path = desktop().GetOpenFileName(&dlg, source);
    if (!path)
        return;

    CoordinateTableRequest request;
    request.sourcePath = *path;
    request.tablePath = WorkFilePath();
    request.order = order;
    request.mode = FileMode::OwnerOnly;
    const CoordinateTableResult result = WriteCoordinateTable(request);
    for (const std::string& message : result.messages)
        desktop().MessageBox(&dlg, message);
    if (!result.written)
        return;
    ViewFile(&dlg, request.tablePath);
}

}  // namespace vm
