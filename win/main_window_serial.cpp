// Download 1004, Upload 1005 and the 300 ms tick: the window starts the
// serial core's transfer and shows what each tick and the upload worker report.
#include "win/main_window.h"

#include "serial/comm_state.h"
#include "serial/comm_tick.h"
#include "serial/transfer_texts.h"
#include "dialogs/main_menu.h"
#include "win/desktop.h"
#include "win/main_menu.h"

#include <commctrl.h>

#include <algorithm>
#include <climits>
#include <memory>

namespace vm::win32 {
namespace {

constexpr UINT_PTR kCommTimer = 1;

}  // namespace

// Shows the start's status; the pane's new text (empty when the port
// opened) and the tick follow when it started.
void MainWindow::ShowStart(const TransferStart& start, const std::string& pane) {
    ShowStatus(start.status);
    if (!start.started) {
        desktop().MessageBox(m_hwnd, start.message, {}, MsgButtons::Ok, MsgIcon::Stop);
        return;
    }
    m_pane.Show(pane);
    StartTick();
}

void MainWindow::OnDownload() {
    if (!ConfirmDiscardPane())
        return;
    StopComm();
    std::string pane = m_pane.Bytes();
    const TransferStart start = m_transfer.StartDownload(pane);
    ShowStart(start, pane);
    if (start.started)
        NoteFile({});
}

// The file is chosen before anything changes, so a cancelled choice leaves
// the pane and a running download as they were.
void MainWindow::OnUpload() {
    if (!ConfirmDiscardPane())
        return;
    const auto file = desktop().AskOpenFile(nullptr, TextDataFileRequest());
    if (!file) {
        ShowStatus(kUploadCancelledStatus);
        return;
    }
    StopComm();
    std::string pane = m_pane.Bytes();
    const TransferStart start = m_transfer.StartUpload(m_hwnd, *file, pane);
    ShowStart(start, pane);
    if (start.started)
        m_kept.Note(m_pane.Bytes(), PaneKeptIn::File, *file);  // the transcript is the file's lines
}

void MainWindow::OnUploadMessage(std::string* text) {
    const std::unique_ptr<std::string> owned(text);
    desktop().MessageBox(m_hwnd, *owned, {}, MsgButtons::Ok, MsgIcon::None);
}

// The worker has closed the port: the tick stops and the pane shows the
// whole transcript, unless a newer transfer has taken the window over since.
void MainWindow::OnUploadFinished(WPARAM transfer) {
    if (!m_transfer.IsCurrent(transfer) || GetCommMode() != COMM_SEND)
        return;
    EndTick();
    const UploadTexts texts = GetUploadTexts();
    m_pane.Show(texts.log);
    m_kept.NoteAsBefore(m_pane.Bytes());
    ShowStatus(texts.status);
}

void MainWindow::OnTimer(HWND, UINT id) {
    if (id == TextPane::kLoadTimer)
        m_pane.LoadNextStep();
    if (id != kCommTimer)
        return;
    const bool download = GetCommMode() == COMM_RECEIVE;
    std::string pane = m_pane.Bytes();
    ShowTick(m_transfer.Tick(pane), pane, download);
}

void MainWindow::OnStopTransfer() {
    if (!m_ticking)
        return;
    const bool download = GetCommMode() == COMM_RECEIVE;
    std::string pane = m_pane.Bytes();
    ShowTick(m_transfer.StopByUser(pane), pane, download);
}

// The pane follows what arrives: shown anew when bytes came, left alone when
// none did (so the user's place in it stays).
void MainWindow::ShowTick(const TickResult& tick, const std::string& pane, bool download) {
    if (!tick.received.empty() || tick.paneReplaced) {
        m_pane.Show(pane);
        const int end = GetWindowTextLengthW(m_pane.Window());
        SendMessageW(m_pane.Window(), EM_SETSEL, WPARAM(end), LPARAM(end));
        SendMessageW(m_pane.Window(), EM_SCROLLCARET, 0, 0);
    }
    ShowStatus(tick.status);
    // The pane is what the journal holds, or what the uploaded file holds.
    if (download && m_transfer.Journal().HoldsAll())
        m_kept.Note(m_pane.Bytes(), PaneKeptIn::Journal, m_transfer.Journal().DataPath());
    else if (!download)
        m_kept.NoteAsBefore(m_pane.Bytes());
    if (tick.finished)
        EndTick();
    ShowUploadProgress();
}

void MainWindow::StartTick() {
    m_ticking = SetTimer(m_hwnd, kCommTimer, CCommTicker::kTickMs, nullptr) != 0;
    EnableStopTransfer(m_hwnd, m_toolBar, m_ticking);
}

void MainWindow::EndTick() {
    KillTimer(m_hwnd, kCommTimer);
    m_ticking = false;
    EnableStopTransfer(m_hwnd, m_toolBar, false);
    ShowUploadProgress();
}

void MainWindow::ShowUploadProgress() {
    const UploadTexts texts = GetUploadTexts();
    const bool visible = m_ticking && GetCommMode() == COMM_SEND && texts.totalLines > 0;
    if (visible) {
        SendMessageW(m_uploadBar, PBM_SETRANGE32, 0,
                     LPARAM(std::min<long long>(texts.totalLines, INT_MAX)));
        SendMessageW(m_uploadBar, PBM_SETPOS, WPARAM(std::min<long long>(texts.sentLines, INT_MAX)),
                     0);
    }
    if (bool(IsWindowVisible(m_uploadBar)) == visible)
        return;
    ShowWindow(m_uploadBar, visible ? SW_SHOW : SW_HIDE);
    RECT client{};
    GetClientRect(m_hwnd, &client);
    OnSize(m_hwnd, SIZE_RESTORED, client.right, client.bottom);
}

void MainWindow::StopComm() {
    EndTick();
    m_transfer.Stop();
}

}  // namespace vm::win32
