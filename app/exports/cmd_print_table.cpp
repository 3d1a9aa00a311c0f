// Command 32811 "打印坐标文件": the column order, the coordinate file, its table
// in the work file and the desktop's viewer, then the print preview of the
// same rows laid out as an aligned table with page numbers.
#include <memory>

#include "app/desktop.h"
#include "app/dialog_renderer/qt_dialog_host.h"
#include "app/exports/export_commands.h"
#include "app/main_window/main_dlg.h"
#include "app/main_window/main_dlg_commands.h"
#include "common/user_paths.h"
#include "common/file_io.h"
#include "dialogs/exports/column_order_dialog.h"
#include "export/coordinate_table.h"
#include "export/print_table.h"
#include "printing/table_painter.h"

namespace vm {

void OnPrintTable(CMainDlg& dlg) {
    ColumnOrderDialog order;
    if (QtDialogHost(order, &dlg).Run() != kIdOk)
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

    std::string bytes;
    FileError error;
    if (!ReadFileBytes(request.sourcePath, bytes, &error)) {
        desktop().MessageBox(&dlg, error.message);
        return;
    }
    // The painter keeps its own table: a preview may paint again at any time.
    auto table =
        std::make_shared<const PrintTable>(BuildPrintTable(bytes, order, request.sourcePath));
    const std::string status = EncodingStatus(table->counts);
    if (!status.empty()) {
        dlg.m_strStatus = status;
        dlg.UpdateData(false);
    }
    desktop().PrintPreview(
        &dlg, std::string(kPrintTitle) + " - " + table->sourceName,
        [table](QPagedPaintDevice& device) { return PaintPrintTable(device, *table); });
}

}  // namespace vm
