// Download 1004, Upload 1005 and the 300 ms tick: the window starts the
// serial core's transfer and shows what each tick and the upload worker report.
#include "win/main_window.h"

#include "serial/comm_state.h"
#include "serial/comm_tick.h"
#include "serial/transfer_texts.h"
#include "win/desktop.h"

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
    SetTimer(m_hwnd, kCommTimer, CCommTicker::kTickMs, nullptr);
}

void MainWindow::OnDownload() {
    StopComm();
    std::string pane = m_pane.Bytes();
    const TransferStart start = m_transfer.StartDownload(pane);
    ShowStart(start, pane);
}

// The file is chosen before anything changes, so a cancelled choice leaves
// the pane and a running download as they were.
void MainWindow::OnUpload() {
    const auto file = desktop().AskOpenFile(nullptr, TextDataFileRequest());
    if (!file) {
        ShowStatus(kUploadCancelledStatus);
        return;
    }
    StopComm();
    std::string pane = m_pane.Bytes();
    const TransferStart start = m_transfer.StartUpload(m_hwnd, *file, pane);
    ShowStart(start, pane);
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
    KillTimer(m_hwnd, kCommTimer);
    const UploadTexts texts = GetUploadTexts();
    m_pane.Show(texts.log);
    ShowStatus(texts.status);
}

// The pane follows what arrives: shown anew when bytes came, left alone when
// none did (so the user's place in it stays).
void MainWindow::OnTimer(HWND, UINT id) {
    if (id != kCommTimer)
        return;
    std::string pane = m_pane.Bytes();
    const TickResult tick = m_transfer.Tick(pane);
    if (!tick.received.empty() || tick.paneReplaced) {
        m_pane.Show(pane);
        SendMessageW(m_pane.Window(), EM_SETSEL, WPARAM(-1), LPARAM(-1));
        SendMessageW(m_pane.Window(), EM_SCROLLCARET, 0, 0);
    }
    ShowStatus(tick.status);
    if (tick.finished)
        KillTimer(m_hwnd, kCommTimer);
}

void MainWindow::StopComm() {
    KillTimer(m_hwnd, kCommTimer);
    m_transfer.Stop();
}

}  // namespace vm::win32
