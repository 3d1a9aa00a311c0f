#include "dialogs/exports/excel_command.h"

#include <memory>

#include "dialogs/exports/export_command_host.h"
#include "export/excel_export.h"
#include "export/excel_settings.h"
#include "instrument/other_makers_export.h"

namespace vm {
namespace {

int g_openDelayMs = kExcelOpenDelayMs;

// What was read of another maker's file, what was saved, what the export
// noted about the source's text, then a setting that could not be stored.
std::string ExportedStatus(const ExcelExportResult& result, const std::string& path,
                           const std::string& report, const std::string& note) {
    std::string status;
    const std::string saved = result.ok ? ExcelSavedStatus(path, result.rows) : std::string();
    for (const std::string* part : {&report, &saved, &result.status, &note}) {
        if (!part->empty())
            status += (status.empty() ? "" : " ") + *part;
    }
    return status;
}

FileDialogRequest SourceRequest() {
    FileDialogRequest source;
    source.filter = "*.txt|*.txt|*.dat|*.dat|*.*|*.*|";
    source.defaultExt = "txt";
    return source;
}

// The source's bytes, another maker's file already read into its points;
// false (the user told why) when there is nothing to export.
bool ReadSource(ExportCommandHost& host, const std::string& path, std::string& bytes,
                std::string& report) {
    std::string message;
    if (!ReadExcelSource(path, bytes, message)) {
        host.MessageBox(message);
        return false;
    }
    ExportSourceText other =
        OtherMakersExportText(bytes, SourceFormat::Auto, ExportReading::Points);
    if (other.failed) {
        host.MessageBox(other.report);
        return false;
    }
    if (other.converted) {
        bytes.swap(other.text);
        report = other.report;
    }
    return true;
}

struct PendingExport {
    ExcelExportInput input;
    ExcelExportResult result;
    std::string report;
    std::string note;
};

void ExportInBackground(ExportCommandHost& host, std::shared_ptr<PendingExport> pending) {
    host.RunInBackground([pending] { pending->result = ExportCoordinatesToExcel(pending->input); },
                         [pending](ExportCommandHost& window) {
                             const ExcelExportResult& result = pending->result;
                             for (const std::string& text : result.messages)
                                 window.MessageBox(text);
                             if (result.ok || !result.status.empty())
                                 window.ShowStatus(ExportedStatus(result, pending->input.targetPath,
                                                                  pending->report, pending->note));
                             if (result.ok)
                                 window.ViewFileLater(pending->input.targetPath, g_openDelayMs);
                         });
}

}  // namespace

int ExcelOpenDelayMs() {
    return g_openDelayMs;
}
void SetExcelOpenDelayMs(int ms) {
    g_openDelayMs = ms;
}

void RunExcelCommand(ExportCommandHost& host, const std::string& iniPath) {
    const std::optional<std::string> sourcePath = host.AskOpenFile(SourceRequest());
    if (!sourcePath)
        return;
    auto pending = std::make_shared<PendingExport>();
    if (!ReadSource(host, *sourcePath, pending->input.source, pending->report))
        return;

    FileDialogRequest target;
    target.filter = "*.xls|*.xls|*.xlsx|*.xlsx|";
    target.defaultExt = "xls";
    target.confirmOverwrite = true;
    target.optionCaption = kExcelNumbersOption;
    pending->input.numbers = LoadExcelNumbers(iniPath);
    target.optionChecked = &pending->input.numbers;
    const std::optional<std::string> targetPath = host.AskSaveFile(target);
    if (!targetPath)
        return;

    std::string error;
    if (!StoreExcelNumbers(iniPath, pending->input.numbers, &error))
        pending->note = "（“坐标存为数值”未能记住：" + error + "）";
    pending->input.targetPath = *targetPath;
    ExportInBackground(host, pending);
}

}  // namespace vm
