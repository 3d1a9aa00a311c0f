// Command 32813 "保存为DXF文件": the text pane as a DXF drawing.
#include "app/desktop.h"
#include "app/dialog_renderer/qt_dialog_host.h"
#include "app/exports/export_commands.h"
#include "app/main_window/main_dlg.h"
#include "app/main_window/main_dlg_commands.h"
#include "common/user_paths.h"
#include "dialogs/exports/dxf_dialog.h"
#include "export/dxf_export.h"

namespace vm {

void OnSaveDxf(CMainDlg& dlg) {
    DxfDialog dxf(UserIniPath());
    if (QtDialogHost(dxf, &dlg).Run() != kIdOk)
        return;
    ExportPaneAsDxf(dlg, dxf.m_strDxfPath, dxf.m_nFileType, dxf.m_options);
}

void ExportPaneAsDxf(CMainDlg& dlg, const std::string& path, long long fileType,
                     const DxfOptions& options) {
    if (!dlg.SavePaneToWorkFile())
        return;  // it has told the user why

    const DxfExportResult result = ExportDxf(PaneDxfRequest(path, fileType, options));
    if (!result.status.empty()) {
        dlg.m_strStatus = result.status;
        dlg.UpdateData(false);
    }
    for (const DxfMessage& message : result.messages) {
        desktop().MessageBox(&dlg, message.text, message.title);
    }
}

}  // namespace vm
