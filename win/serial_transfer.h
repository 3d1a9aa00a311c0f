#pragma once
// The main window's serial transfers: a download or an upload started with
// the stored serial settings and driven by the window's 300 ms tick; a
// download is kept in the download journal as it arrives, an upload runs on
// the core's worker thread, which reports to the window by posted messages. The work is the serial
// core's; this only holds its state for the window.

#include <string>

#include "win/win32.h"

#include "serial/comm_tick.h"
#include "serial/download_journal.h"
#include "serial/serial_port.h"
#include "serial/transfer_rate.h"
#include "serial/transfer_start.h"
#include "serial/upload_worker.h"

namespace vm::win32 {

class SerialTransfer {
public:
    // Opens the port of the serial settings (g_comSetDlg) and starts a download
    // into pane; the caller starts its tick when it started.
    TransferStart StartDownload(std::string& pane);
    // Starts sending file; the worker posts kUploadMessage (lParam: a new
    // std::string the window deletes) for each message box and
    // kUploadFinished (wParam: the transfer) when it has closed the port.
    TransferStart StartUpload(HWND window, const std::string& file, std::string& pane);
    // Whether wParam of kUploadFinished is the upload running now.
    bool IsCurrent(WPARAM transfer) const { return transfer == m_transfer; }
    // One tick of the running transfer on the pane's bytes.
    TickResult Tick(std::string& pane);
    // 停止: a download takes what the port still holds and ends as stopped
    // (the tick it returns is its last); an upload ends after the line it is
    // sending, without EOT, and the worker reports its end as usual.
    TickResult StopByUser(std::string& pane);
    // Closes the port; a download stopped so ends its journal entry as
    // interrupted (the user has what arrived in the pane).
    void Stop();
    // The running or last download's journal entry.
    const CJournalRecorder& Journal() const { return m_journal; }

    static constexpr UINT kUploadMessage = WM_APP + 10;
    static constexpr UINT kUploadFinished = WM_APP + 11;

private:
    CCommTicker m_ticker;
    CJournalRecorder m_journal;
    CTransferRate m_rate;
    CUploadWorker m_worker{g_serialPort};
    WPARAM m_transfer = 0;
};

}  // namespace vm::win32
