// 保存为DXF文件 32813: the text pane, saved as the work file, exported by the
// core with the choices of the DXF dialog's description.
#include "win/main_window.h"

#include "common/pane_text.h"
#include "common/user_paths.h"
#include "dialogs/exports/dxf_dialog.h"
#include "export/dxf_export.h"
#include "win/desktop.h"
#include "win/dialog_host.h"

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

}  // namespace vm::win32
