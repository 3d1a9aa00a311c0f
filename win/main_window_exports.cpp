// 下载数据转换 1026 and 保存为DXF文件 32813: the text pane, saved as the work
// file, converted or exported by the core through the dialogs' descriptions;
// 保存为EXCEL文件 32812 and 打印坐标文件 32811 through the flows both desktops share.
#include "win/main_window.h"

#include "common/pane_text.h"
#include "common/user_paths.h"
#include "dialogs/download_convert_dialog.h"
#include "dialogs/exports/column_order_dialog.h"
#include "dialogs/exports/dxf_dialog.h"
#include "dialogs/exports/excel_command.h"
#include "dialogs/exports/print_table_command.h"
#include "export/dxf_export.h"
#include "win/desktop.h"
#include "win/dialog_host.h"
#include "win/export_command_host.h"

namespace vm::win32 {

bool MainWindow::SavePaneToWorkFile() {
    StopComm();
    MakeFolders(UserDataDir());
    FileError error;
    if (WritePaneToFile(WorkFilePath(), m_pane.Bytes(), &error, FileMode::OwnerOnly))
        return true;
    desktop().MessageBox(m_hwnd, error.message, {}, MsgButtons::Ok, MsgIcon::Stop);
    return false;
}

// An empty pane opens the dialog on files the user chooses; downloaded data
// opens it on the work file once the user confirms its kind.
void MainWindow::OnDownloadConvert() {
    CDownloadConvertDlg convert;
    if (m_pane.Bytes().empty()) {
        RunDialog(m_hwnd, convert);
        return;
    }
    if (!SavePaneToWorkFile())
        return;
    const std::optional<PaneConversionQuestion> asked = AskBeforeConvertingPane(m_pane.Bytes());
    if (!asked || !AskYesNo(asked->question))
        return;
    convert.m_nMode = std::int16_t(asked->mode);
    RunDialog(m_hwnd, convert);
}

void MainWindow::OnSaveDxf() {
    MakeFolders(UserConfigDir());
    DxfDialog dxf(UserIniPath());
    if (RunDialog(m_hwnd, dxf) != kIdOk || !SavePaneToWorkFile())
        return;
    const DxfExportResult result =
        ExportDxf(PaneDxfRequest(dxf.m_strDxfPath, dxf.m_nFileType, dxf.m_options));
    if (!result.status.empty())
        ShowStatus(result.status);
    for (const DxfMessage& message : result.messages)
        desktop().MessageBox(m_hwnd, message.text, message.title, MsgButtons::Ok, MsgIcon::None);
}

void MainWindow::OnSaveExcel() {
    MakeFolders(UserConfigDir());
    Win32ExportHost host(m_hwnd, kStatusId);
    RunExcelCommand(host, UserIniPath());
}

void MainWindow::OnPrintTable() {
    ColumnOrderDialog order;
    if (RunDialog(m_hwnd, order) != kIdOk)
        return;
    MakeFolders(UserDataDir());
    Win32ExportHost host(m_hwnd, kStatusId);
    RunPrintTableCommand(host, order.m_order, WorkFilePath());
}

}  // namespace vm::win32
