// The main window's commands: the pane's files, the system's tools, About.
#include "win/main_window.h"

#include "common/file_io.h"
#include "common/pane_text.h"
#include "dialogs/about_dialog.h"
#include "common/user_paths.h"
#include "dialogs/com_set_dialog.h"
#include "dialogs/main_menu.h"
#include "serial/download_journal.h"
#include "dialogs/pane_files.h"
#include "dialogs/recent_downloads.h"
#include "dialogs/universal/universal_convert_dialog.h"
#include "dialogs/app_info.h"
#include "win/desktop.h"
#include "win/dialog_host.h"
#include "win/main_menu.h"
#include "win/point_preview_window.h"

#include <new>

namespace vm::win32 {
void MainWindow::RunCommand(int command) {
    switch (command) {
        case 32783:
            return OnFileNew();
        case 32772:
            return OnFileOpen();
        case 32774:
            return OnFileSaveAs();
        case 32775:
            return OnFileExit();
        case 32789:
            return OnNotepad();
        case 32790:
            desktop().StartProgram(m_hwnd, "calc.exe", {});
            return;
        case 32782:
            return OnHelp();
        case 1004:
            return OnDownload();
        case 1005:
            return OnUpload();
        case kStopTransferId:
            return OnStopTransfer();
        case 32802:
            return OnUniversalConvert();
        case 1026:
            return OnDownloadConvert();
        case 32813:
            return OnSaveDxf();
        case 32812:
            return OnSaveExcel();
        case 32811:
            return OnPrintTable();
        case 32803:
            RunDialog(m_hwnd, g_comSetDlg);
            return;
        case 32901:
            PointPreviewWindow::Show(m_hwnd, m_pane.Bytes(), kPanePreviewSource);
            return;
        case 0:
            return;
    }
    ShowStatus("“" + CommandCaption(command) + "”功能尚未完成，敬请期待。");
}

bool MainWindow::AskYesNo(const std::string& question) {
    return desktop().MessageBox(m_hwnd, question, {}, MsgButtons::YesNo, MsgIcon::Question) ==
           MsgResult::Yes;
}

PaneGuardHooks MainWindow::GuardHooks() {
    PaneGuardHooks hooks;
    hooks.ask = [this](const std::string& question, MsgButtons buttons) {
        return desktop().MessageBox(m_hwnd, question, {}, buttons, MsgIcon::Question);
    };
    hooks.chooseSavePath = [this] {
        return desktop().AskSaveFile(m_hwnd, PaneFileDialogRequest());
    };
    hooks.showError = [this](const std::string& message) {
        desktop().MessageBox(m_hwnd, message, {}, MsgButtons::Ok, MsgIcon::Stop);
    };
    hooks.showStatus = [this](const std::string& status) { ShowStatus(status); };
    return hooks;
}

bool MainWindow::ConfirmDiscardPane() {
    return vm::ConfirmDiscardPane(m_kept, m_pane.Bytes(), GuardHooks());
}

bool MainWindow::RestoreDownload(const std::string& id) {
    const JournalRestore restore = ReadDownloadForPane(id);
    if (!restore.ok) {
        desktop().MessageBox(m_hwnd, restore.message, {}, MsgButtons::Ok, MsgIcon::Stop);
        return false;
    }
    if (!ConfirmDiscardPane())
        return false;
    StopComm();
    m_pane.Show(restore.paneText);
    m_kept.Note(m_pane.Bytes(), PaneKeptIn::Journal, restore.dataPath);
    ShowStatus(restore.status);
    return true;
}

void MainWindow::OfferRestore() {
    if (const auto offer = TakeRestoreOffer()) {
        if (AskYesNo(offer->question))
            RestoreDownload(offer->id);
    }
}

// Text kept on disk gets the usual question; text kept nowhere gets the
// unsaved-pane guard's question instead, which can save it first.
void MainWindow::OnFileNew() {
    const std::string text = m_pane.Bytes();
    std::string note;
    if (!text.empty()) {
        const PaneKeptIn kept = m_kept.KindOf(text);
        if (!ConfirmLeavingPane(m_kept, text, GuardHooks(), kDiscardQuestion)) {
            ShowStatus({});
            return;
        }
        if (kept == PaneKeptIn::Journal)
            note = "；" + JournalKeptNote(m_kept.WhereOf(text));
    }
    StopComm();
    m_pane.Show({});
    NoteFile({});
    ShowStatus(kNewFileStatus + note);
}

void MainWindow::OnFileOpen() {
    if (const auto path = desktop().AskOpenFile(m_hwnd, PaneFileDialogRequest()))
        OpenPaneFile(*path);
}

// The file is read before anything changes, so a file that cannot be read
// leaves the pane and the status line as they were.
bool MainWindow::OpenPaneFile(const std::string& path) {
    std::string bytes;
    std::string message;
    if (!ReadPaneFile(path, bytes, message)) {
        desktop().MessageBox(m_hwnd, message, {}, MsgButtons::Ok, MsgIcon::Stop);
        return false;
    }
    if (!ConfirmDiscardPane())
        return false;
    StopComm();
    try {
        m_pane.Show(bytes);
    } catch (const std::bad_alloc&) {
        desktop().MessageBox(m_hwnd, kAllocErrorMessage, {}, MsgButtons::Ok, MsgIcon::Stop);
        return false;
    }
    m_kept.Note(m_pane.Bytes(), PaneKeptIn::File, path);
    NoteFile(path);
    return true;
}

void MainWindow::OnFileSaveAs() {
    ShowStatus(kSaveAsPrompt);
    const auto path = desktop().AskSaveFile(m_hwnd, PaneFileDialogRequest());
    if (!path) {
        ShowStatus({});
        return;
    }
    StopComm();
    const std::string text = m_pane.Bytes();
    FileError error;
    if (!WritePaneToFile(*path, text, &error)) {
        ShowStatus(error.message);
        desktop().MessageBox(m_hwnd, error.message, {}, MsgButtons::Ok, MsgIcon::Stop);
        return;
    }
    m_kept.Note(text, PaneKeptIn::File, *path);
    NoteFile(*path);
    ShowStatus(kSavedStatus);
}

void MainWindow::OnFileExit() {
    if (ConfirmLeavingPane(m_kept, m_pane.Bytes(), GuardHooks(), kExitQuestion))
        DestroyWindow(m_hwnd);
}

// The file dialog has no owner window, as the editor it starts is not ours.
void MainWindow::OnNotepad() {
    if (const auto path = desktop().AskOpenFile(nullptr, NotepadDialogRequest()))
        desktop().StartProgram(m_hwnd, "notepad.exe", "\"" + *path + "\"");
}

// The layouts are kept in the per-user settings, whose folder may not be there yet.
void MainWindow::OnUniversalConvert() {
    MakeFolders(UserConfigDir());
    UniversalConvertDialog dialog(UserIniPath());
    RunDialog(m_hwnd, dialog);
}

void MainWindow::OnHelp() {
    AboutDialog about;
    RunDialog(m_hwnd, about);
}

}  // namespace vm::win32
