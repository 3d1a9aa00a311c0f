// Command 32812 "保存为EXCEL文件": a coordinate file, the workbook to write, the
// export (off the window's thread), and after a pause the workbook opened by
// the desktop's viewer.
#include "app/exports/cmd_excel.h"

#include <QPointer>
#include <QThread>
#include <QTimer>

#include <memory>

#include "app/desktop.h"
#include "app/main_window/main_dlg.h"
#include "app/main_window/main_dlg_commands.h"
#include "common/user_paths.h"
#include "export/excel_export.h"
#include "export/excel_settings.h"

namespace vm {
namespace {

int g_openDelayMs = kExcelOpenDelayMs;

// What was saved, then what the export noted about the source's text, then
// note (a setting that could not be stored).
std::string ExportedStatus(const ExcelExportResult& result, const std::string& path,
                           const std::string& note) {
    std::string status = result.ok ? ExcelSavedStatus(path, result.rows) : std::string();
    for (const std::string* part : {&result.status, &note}) {
        if (!part->empty())
            status += (status.empty() ? "" : " ") + *part;
    }
    return status;
}

void OpenLater(CMainDlg& dlg, const std::string& path) {
    QPointer<CMainDlg> owner(&dlg);
    QTimer::singleShot(g_openDelayMs, &dlg, [owner, path] {
        if (owner)
            ViewFile(owner, path);
    });
}

// Writes the workbook off the window's thread, so that a long coordinate file
// does not freeze the window, and reports back on the window's thread. A window
// closed meanwhile gets no report; the file is still written whole or not at all.
void ExportInBackground(CMainDlg& dlg, const ExcelExportInput& input, const std::string& note) {
    auto result = std::make_shared<ExcelExportResult>();
    QThread* worker =
        QThread::create([input, result] { *result = ExportCoordinatesToExcel(input); });
    QObject::connect(worker, &QThread::finished, worker, &QObject::deleteLater);
    QPointer<CMainDlg> owner(&dlg);
    const std::string path = input.targetPath;
    QObject::connect(worker, &QThread::finished, &dlg, [owner, result, path, note] {
        if (!owner)
            return;
        for (const std::string& text : result->messages)
            desktop().MessageBox(owner, text);
        if (result->ok || !result->status.empty()) {
            owner->m_strStatus = ExportedStatus(*result, path, note);
            owner->UpdateData(false);
        }
        if (result->ok)
            OpenLater(*owner, path);
    });
    worker->start();
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
    target.filter = "*.xls|*.xls|*.xlsx|*.xlsx|";
    target.defaultExt = "xls";
    target.confirmOverwrite = true;
    target.optionCaption = kExcelNumbersOption;
    input.numbers = LoadExcelNumbers(UserIniPath());
    target.optionChecked = &input.numbers;
    const std::optional<std::string> targetPath = desktop().GetSaveFileName(&dlg, target);
    if (!targetPath)
        return;

    std::string error;
    if (!StoreExcelNumbers(UserIniPath(), input.numbers, &error))
        error = "（“坐标存为数值”未能记住：" + error + "）";
    input.targetPath = *targetPath;
    ExportInBackground(dlg, input, error);
}

}  // namespace vm
