#pragma once
// The main window as the export commands' host on Windows: questions through
// desktop(), the status line (control 1010), a worker thread whose end is
// posted back to the window's thread, a timer for the delayed viewer, and the
// print dialog.

#include "win/win32.h"

#include "dialogs/exports/export_command_host.h"

namespace vm::win32 {

class Win32ExportHost : public ExportCommandHost {
public:
    // window: the main window; statusId: its status line.
    Win32ExportHost(HWND window, int statusId) : m_hwnd(window), m_statusId(statusId) {}

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
    HWND m_hwnd;
    int m_statusId;
};

// Waits for every export still being written (the program is closing): a
// workbook is written whole or not at all.
void FinishExportJobs();

}  // namespace vm::win32
