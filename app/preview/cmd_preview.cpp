// Command 32901 "预览": the points of the text pane in a preview window.
#include "app/main_window/main_dlg.h"
#include "app/main_window/main_dlg_commands.h"
#include "app/preview/point_preview_dlg.h"

namespace vm {

void OnPointPreview(CMainDlg& dlg) {
    dlg.UpdateData(true);
    OpenPointPreview(&dlg, dlg.m_strText, kPanePreviewSource);
}

}  // namespace vm
