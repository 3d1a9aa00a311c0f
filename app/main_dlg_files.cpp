// The text pane's file commands: New, Open, Save As and the work file.
#include "app/main_dlg.h"

#include "app/desktop.h"
#include "app/pane_files.h"
#include "common/file_io.h"
#include "common/pane_text.h"
#include "common/user_paths.h"

#include <new>

namespace vm {
namespace {

// Reads a file for the pane; on failure fills message and returns false.
bool ReadPaneFile(const std::string& path, std::string& bytes, std::string& message) {
    std::uint64_t size = 0;
    if (IsRegularFile(path, &size) && size > kMaxPaneFileBytes) {
        message = FileTooLargeMessage(path, size);
        return false;
    }
    FileError error;
    try {
        if (ReadFileBytes(path, bytes, &error))
            return true;
        message = error.message;
    } catch (const std::bad_alloc&) {
        bytes.clear();
        message = kAllocErrorMessage;
    }
    return false;
}

}  // namespace

void CMainDlg::OnFileNew() {
    UpdateData(true);
    if (!m_strText.empty()) {
        if (desktop().MessageBox(this, kDiscardQuestion, std::string(), MsgButtons::YesNo,
                                 MsgIcon::Question) != MsgResult::Yes) {
            m_strStatus.clear();
            UpdateData(false);
            return;
        }
        m_strText.clear();
    }
    StopComm();
    m_strStatus = kNewFileStatus;
    UpdateData(false);
}

// The file is read before anything changes, so a file that cannot be read
// leaves the pane, the status line and a running transfer as they were.
void CMainDlg::OnFileOpen() {
    const std::optional<std::string> path =
        desktop().GetOpenFileName(this, PaneFileDialogRequest());
    if (!path)
        return;
    std::string bytes;
    std::string message;
    if (!ReadPaneFile(*path, bytes, message)) {
        desktop().MessageBox(this, message, std::string(), MsgButtons::Ok, MsgIcon::Stop);
        return;
    }
    StopComm();
    m_strText = std::move(bytes);
    try {
        UpdateData(false);
    } catch (const std::bad_alloc&) {
        m_strText = m_shownBytes;  // the pane still shows the old text
        desktop().MessageBox(this, kAllocErrorMessage);
    }
}

void CMainDlg::OnFileSaveAs() {
    UpdateData(true);
    m_strStatus = kSaveAsPrompt;
    UpdateData(false);
    const std::optional<std::string> path =
        desktop().GetSaveFileName(this, PaneFileDialogRequest());
    if (!path) {
        m_strStatus.clear();
        UpdateData(false);
        return;
    }
    StopComm();
    FileError error;
    if (!WritePaneToFile(*path, m_strText, &error)) {
        m_strStatus = error.message;
        UpdateData(false);
        desktop().MessageBox(this, error.message, std::string(), MsgButtons::Ok, MsgIcon::Stop);
        return;
    }
    m_strStatus = kSavedStatus;
    UpdateData(false);
}

bool CMainDlg::SavePaneToWorkFile() {
    StopComm();
    UpdateData(true);
    FileError error;
    if (WritePaneToFile(WorkFilePath(), m_strText, &error, FileMode::OwnerOnly))
        return true;
    desktop().MessageBox(this, error.message, std::string(), MsgButtons::Ok, MsgIcon::Stop);
    return false;
}

}  // namespace vm
