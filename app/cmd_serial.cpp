// Download 1004, Upload 1005 and the 300 ms tick: the window gathers the
// settings, calls the serial core and shows what it reports.
#include "app/desktop.h"
#include "app/com_set_dlg.h"
#include "app/main_dlg.h"
#include "app/main_dlg_commands.h"
#include "app/main_window/recent_files.h"
#include "app/main_window/transfer_progress.h"
#include "app/serial_link.h"
#include "serial/comm_state.h"
#include "serial/serial_port.h"
#include "serial/transfer_start.h"

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

}  // namespace

void OnDownload(CMainDlg& dlg) {
    CSerialLink& link = CSerialLink::Of(dlg);
    dlg.StopCommTimer();
    link.NewTransfer();
    std::string pane = dlg.m_strText;
    const TransferStart start = StartDownload(g_serialPort, SettingsChoice(), link.Ticker(), pane);
    ShowStart(dlg, start, pane);
    if (start.started) {
        CTransferProgress::Of(dlg).DownloadStarted();
        if (CRecentFiles* recent = CRecentFiles::Of(dlg))
            recent->NoteNoFile();
    }
}

void OnUpload(CMainDlg& dlg) {
    CSerialLink& link = CSerialLink::Of(dlg);
    dlg.StopCommTimer();
    const unsigned id = link.NewTransfer();
    std::string pane = dlg.m_strText;
    const TransferStart start =
        StartUpload(g_serialPort, SettingsChoice(), link.Worker(), link.HooksFor(id), pane);
    ShowStart(dlg, start, pane);
}

void OnTimer(CMainDlg& dlg) {
    const CPaneFollow follow(dlg.m_editText);
    const TickResult tick = CSerialLink::Of(dlg).Ticker().OnTimer(g_serialPort, dlg.m_strText);
    CTransferProgress& progress = CTransferProgress::Of(dlg);
    dlg.m_strStatus = progress.StatusAfterTick(tick);
    dlg.UpdateData(false);
    follow.Restore();
    if (tick.finished)
        dlg.StopCommTimer();
    progress.ShowUploadProgress();
}

void CloseSerialPort(CMainDlg&) {
    g_serialPort.Close();
}

void ResetCommState(CMainDlg& dlg) {
    CSerialLink::Of(dlg);
    SetCommMode(COMM_RECEIVE);
    SetFlowState(std::string());
}

}  // namespace vm
