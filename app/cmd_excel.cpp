// Command 32812 "保存为EXCEL文件": a coordinate file, the workbook to write, the
// export, and after a pause the workbook opened by the desktop's viewer.
#include "app/cmd_excel.h"

#include <QPointer>
#include <QTimer>

#include "app/desktop.h"
#include "app/main_dlg.h"
#include "app/main_dlg_commands.h"
#include "export/excel_export.h"

namespace vm {
namespace {

int g_openDelayMs = kExcelOpenDelayMs;

void OpenLater(CMainDlg& dlg, const std::string& path) {
    QPointer<CMainDlg> owner(&dlg);
    QTimer::singleShot(g_openDelayMs, &dlg, [owner, path] {
        if (owner && !desktop().OpenWithViewer(owner, path)) {
            desktop().MessageBox(owner, std::string(kNoViewerMessage) + path);
        }
    });
}

}  // namespace

int ExcelOpenDelayMs() {
    return g_openDelayMs;
}
void SetExcelOpenDelayMs(int ms) {
    g_openDelayMs = ms;
}

void OnSaveExcel(CMainDlg& dlg) {
    FileDialogRequest source;
    source.filter = "*.txt|*.txt|*.dat|*.dat|*.*|*.*|";
    source.defaultExt = "txt";
    const std::optional<std::string> sourcePath = desktop().GetOpenFileName(&dlg, source);
    if (!sourcePath)
        return;

    ExcelExportInput input;
    std::string message;
    if (!ReadExcelSource(*sourcePath, input.source, message)) {
        desktop().MessageBox(&dlg, message);
        return;
    }
    FileDialogRequest target;
    target.filter = "*.xls|*.xls|";
    target.defaultExt = "xls";
    target.confirmOverwrite = true;
    const std::optional<std::string> targetPath = desktop().GetSaveFileName(&dlg, target);
    if (!targetPath)
        return;

    input.targetPath = *targetPath;
    const ExcelExportResult result = ExportCoordinatesToExcel(input);
    for (const std::string& text : result.messages)
        desktop().MessageBox(&dlg, text);
    if (result.ok)
        OpenLater(dlg, input.targetPath);
}

}  // namespace vm
