// Download 1004, Upload 1005 and the 300 ms tick: the window gathers the
// settings, calls the serial core and shows what it reports.
#include "app/desktop.h"
#include "dialogs/com_set_dialog.h"
#include "app/main_window/main_dlg.h"
#include "app/main_window/main_dlg_commands.h"
#include "app/main_window/pane_guard.h"
#include "app/main_window/recent_files.h"
#include "app/main_window/transfer_progress.h"
#include "app/serial/serial_link.h"
#include "serial/comm_state.h"
#include "serial/download_recording.h"
#include "serial/serial_port.h"
#include "serial/transfer_start.h"
#include "serial/transfer_texts.h"

namespace vm {
namespace {

PortChoice SettingsChoice() {
    PortChoice choice;
    choice.settings = g_comSetDlg.m_settings;
    return choice;
}

// Shows the start's status over the pane as it was; the pane's new text (empty
// when the port opened) appears with the first tick.
void ShowStart(CMainDlg& dlg, const TransferStart& start, const std::string& pane) {
    dlg.m_strStatus = start.status;
    dlg.UpdateData(false);
    dlg.m_strText = pane;
    if (start.started) {
        dlg.StartCommTimer();
    } else {
        desktop().MessageBox(&dlg, start.message, std::string(), MsgButtons::Ok, MsgIcon::Stop);
    }
}

// A download that a command stops ends its journal entry as interrupted;
// the user has what arrived in the pane.
void EndDownloadJournal(CMainDlg& dlg) {
    CJournalRecorder& journal = WindowJournal(dlg);
    if (journal.IsRecording())
        journal.End(false, true);
}

}  // namespace

void OnDownload(CMainDlg& dlg) {
    if (!ConfirmDiscardPane(dlg))
        return;
    CSerialLink& link = CSerialLink::Of(dlg);
    dlg.StopCommTimer();
    EndDownloadJournal(dlg);
    link.NewTransfer();
    std::string pane = dlg.m_strText;
    const PortChoice choice = SettingsChoice();
    TransferStart start = StartDownload(g_serialPort, choice, link.Ticker(), pane);
    if (start.started) {
        CJournalRecorder& journal = WindowJournal(dlg);
        BeginDownloadJournal(journal, choice);
        if (journal.Failed())
            start.status += "；" + JournalFailedNote(journal.Error());
    }
    ShowStart(dlg, start, pane);
    if (start.started) {
        CTransferProgress::Of(dlg).DownloadStarted();
        if (CRecentFiles* recent = CRecentFiles::Of(dlg))
            recent->NoteNoFile();
    }
}

// The file is chosen before anything changes, so a cancelled choice leaves the
// pane and a running download as they were.
void OnUpload(CMainDlg& dlg) {
    if (!ConfirmDiscardPane(dlg))
        return;
    const std::optional<std::string> file =
        desktop().GetOpenFileName(nullptr, TextDataFileRequest());
    if (!file) {
        dlg.m_strStatus = kUploadCancelledStatus;
        dlg.UpdateData(false);
        return;
    }
    CSerialLink& link = CSerialLink::Of(dlg);
    dlg.StopCommTimer();
    EndDownloadJournal(dlg);
    const unsigned id = link.NewTransfer();
    UploadHooks hooks = link.HooksFor(id);
    hooks.chooseFile = [path = *file](std::string& chosen) {
        chosen = path;
        return true;
    };
    std::string pane = dlg.m_strText;
    const TransferStart start =
        StartUpload(g_serialPort, SettingsChoice(), link.Worker(), std::move(hooks), pane);
    ShowStart(dlg, start, pane);
    if (start.started)
        NotePaneKept(dlg, PaneKeptIn::File, *file);  // the transcript is the file's lines
}

void OnTimer(CMainDlg& dlg) {
    const bool download = GetCommMode() == COMM_RECEIVE;
    const CPaneFollow follow(dlg.m_editText);
    TickResult tick = CSerialLink::Of(dlg).Ticker().OnTimer(g_serialPort, dlg.m_strText);
    CTransferProgress& progress = CTransferProgress::Of(dlg);
    tick.status = progress.StatusAfterTick(tick);
    CJournalRecorder& journal = WindowJournal(dlg);
    if (download)
        tick.status = JournalDownloadTick(journal, tick, true);
    dlg.m_strStatus = tick.status;
    dlg.UpdateData(false);
    follow.Restore();
    // The pane is what the journal holds, or what the uploaded file holds.
    if (download && journal.HoldsAll())
        NotePaneKept(dlg, PaneKeptIn::Journal, journal.DataPath());
    else if (!download)
        NotePaneKeptAsBefore(dlg);
    if (tick.finished)
        dlg.StopCommTimer();
    progress.ShowUploadProgress();
}

void CloseSerialPort(CMainDlg& dlg) {
    g_serialPort.Close();
    EndDownloadJournal(dlg);
}

void ResetCommState(CMainDlg& dlg) {
    CSerialLink::Of(dlg);
    SetCommMode(COMM_RECEIVE);
    SetFlowState(std::string());
}

}  // namespace vm
