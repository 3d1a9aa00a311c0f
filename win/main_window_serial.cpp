// Download 1004 and the 300 ms tick: the window starts the serial core's
// transfer and shows what each tick reports.
#include "win/main_window.h"

#include "serial/comm_tick.h"
#include "win/desktop.h"

namespace vm::win32 {
namespace {

constexpr UINT_PTR kCommTimer = 1;

}  // namespace

void MainWindow::OnDownload() {
    StopComm();
    std::string pane = m_pane.Bytes();
    const TransferStart start = m_transfer.StartDownload(pane);
    ShowStatus(start.status);
    if (!start.started) {
        desktop().MessageBox(m_hwnd, start.message, {}, MsgButtons::Ok, MsgIcon::Stop);
        return;
    }
    m_pane.Show(pane);
    SetTimer(m_hwnd, kCommTimer, CCommTicker::kTickMs, nullptr);
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
