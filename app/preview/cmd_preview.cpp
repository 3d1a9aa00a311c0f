// Command 32901 "预览": the points of the text pane in a preview window, and
// the preview button of the universal conversion dialog.
#include "app/control_id.h"
#include "app/desktop.h"
#include "app/main_window/main_dlg.h"
#include "app/main_window/main_dlg_commands.h"
#include "app/preview/convert_preview.h"
#include "app/preview/point_preview_dlg.h"
#include "app/universal/universal_convert_dlg.h"

#include <QPushButton>

namespace vm {
namespace {

constexpr const char* kPaneSource = "文本窗口";

}  // namespace

void OnPointPreview(CMainDlg& dlg) {
    dlg.UpdateData(true);
    OpenPointPreview(&dlg, dlg.m_strText, kPaneSource);
}

// The target file, read in the target layout the dialog shows now.
void PreviewUniversalTarget(CUniversalConvertDlg& dlg) {
    dlg.UpdateData(true);
    if (dlg.m_strTargetPath.empty()) {
        desktop().MessageBox(&dlg, kMissingTargetMessage);
        return;
    }
    const UniversalConversionRun run = dlg.RunFromControls();
    LayoutColumns layout;
    layout.columns = run.layout.target;
    layout.attributeEnabled = run.layout.attributeEnabled;
    layout.separator = run.targetSeparator;
    OpenPointPreview(&dlg, std::string(), std::string())
        ->ShowFile(dlg.m_strTargetPath, PointFileKind::Layout, layout);
}

}  // namespace vm
