// The text pane's file commands: New, Open, Save As and the work file.
#include "app/main_window/main_dlg.h"

#include "app/desktop.h"
#include "app/main_window/main_dlg_commands.h"
#include "app/main_window/pane_guard.h"
#include "app/main_window/recent_downloads_menu.h"
#include "app/main_window/recent_files.h"
#include "dialogs/pane_files.h"
#include "common/file_io.h"
#include "common/pane_text.h"
#include "common/user_paths.h"
#include "serial/download_journal.h"
#include "serial/transfer_texts.h"

#include <new>

namespace vm {
// Text kept on disk gets the usual question; text kept nowhere gets the
// unsaved-pane guard's question instead, which can save it first.
void CMainDlg::OnFileNew() {
    UpdateData(true);
    std::string note;
    if (!m_strText.empty()) {
        const PaneKeptIn kept = PaneKeptKind(*this);
        if (!ConfirmLeavingPane(*this, kDiscardQuestion)) {
            m_strStatus.clear();
            UpdateData(false);
            return;
        }
        if (kept == PaneKeptIn::Journal)
            note = "；" + JournalKeptNote(PaneKeptWhere(*this));
        m_strText.clear();
    }
    StopComm();
    if (CRecentFiles* recent = CRecentFiles::Of(*this))
        recent->NoteNoFile();
    m_strStatus = kNewFileStatus + note;
    UpdateData(false);
}

// The file is read before anything changes, so a file that cannot be read
// leaves the pane, the status line and a running transfer as they were.
void CMainDlg::OnFileOpen() {
    const std::optional<std::string> path =
        desktop().GetOpenFileName(this, PaneFileDialogRequest());
    if (path)
        OpenPaneFile(*path);
}

bool CMainDlg::OpenPaneFile(const std::string& path) {
    std::string bytes;
    std::string message;
    if (!ReadPaneFile(path, bytes, message)) {
        desktop().MessageBox(this, message, std::string(), MsgButtons::Ok, MsgIcon::Stop);
        return false;
    }
    if (!ConfirmDiscardPane(*this))
        return false;
    StopComm();
    m_strText = std::move(bytes);
    NotePaneKept(*this, PaneKeptIn::File, path);
    try {
        UpdateData(false);
    } catch (const std::bad_alloc&) {
        m_strText = m_shownBytes;  // the pane still shows the old text
        desktop().MessageBox(this, kAllocErrorMessage);
        return false;
    }
    if (CRecentFiles* recent = CRecentFiles::Of(*this))
        recent->NoteFile(path);
    return true;
}

void CMainDlg::OnFileSaveAs() {
    UpdateData(true);
    m_strStatus = kSaveAsPrompt;
    UpdateData(false);
    const std::optional<std::string> path =
        desktop().GetSaveFileName(this, PaneFileDialogRequest());
    if (!path) {
        m_strStatus = RestoreNoteOf(*this);  // a restored download's note stays
        UpdateData(false);
        return;
    }
    const bool unfinished = DownloadRunning(*this);
    StopComm();
    FileError error;
    if (!WritePaneToFile(*path, m_strText, &error)) {
        m_strStatus = error.message;
        UpdateData(false);
        desktop().MessageBox(this, error.message, std::string(), MsgButtons::Ok, MsgIcon::Stop);
        return;
    }
    m_strStatus = unfinished ? UnfinishedDownloadSavedStatus(PaneToFileBytes(m_strText).size())
                             : kSavedStatus;
    UpdateData(false);
    NotePaneKept(*this, PaneKeptIn::File, *path);
    if (CRecentFiles* recent = CRecentFiles::Of(*this))
        recent->NoteFile(*path);
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
