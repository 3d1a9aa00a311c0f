#pragma once
// The main window as the export commands' host: questions through the
// injectable desktop, the status line, a worker thread and a timer that end
// quietly when the window is gone, and the print preview.

#include <QPointer>

#include "app/main_window/main_dlg.h"
#include "dialogs/exports/export_command_host.h"

namespace vm {

class MainDlgExportHost : public ExportCommandHost {
public:
    explicit MainDlgExportHost(CMainDlg& dlg) : m_dlg(&dlg) {}

    void MessageBox(const std::string& text, const std::string& caption) override;
    std::optional<std::string> AskOpenFile(const FileDialogRequest& request) override;
    std::optional<std::string> AskSaveFile(const FileDialogRequest& request) override;
    void ShowStatus(const std::string& status) override;
    void ViewFile(const std::string& path) override;
    void ViewFileLater(const std::string& path, int delayMs) override;
    void RunInBackground(std::function<void()> work,
                         std::function<void(ExportCommandHost&)> done) override;
    void PrintTable(std::shared_ptr<const vm::PrintTable> table, const std::string& title) override;

private:
    QPointer<CMainDlg> m_dlg;
};

}  // namespace vm
