#include "win/serial_transfer.h"

#include "dialogs/com_set_dialog.h"
#include "serial/comm_state.h"
#include "serial/download_recording.h"

namespace vm::win32 {

TransferStart SerialTransfer::StartDownload(std::string& pane) {
    Stop();
    PortChoice choice;
    choice.settings = g_comSetDlg.m_settings;
    TransferStart start = vm::StartDownload(g_serialPort, choice, m_ticker, pane);
    if (!start.started)
        return start;
    m_rate.Start(std::int64_t(GetTickCount64()));
    BeginDownloadJournal(m_journal, choice);
    if (m_journal.Failed())
        start.status += "；" + JournalFailedNote(m_journal.Error());
    return start;
}

TransferStart SerialTransfer::StartUpload(HWND window, const std::string& file, std::string& pane) {
    Stop();
    PortChoice choice;
    choice.settings = g_comSetDlg.m_settings;
    const WPARAM transfer = ++m_transfer;
    UploadHooks hooks;
    hooks.chooseFile = [file](std::string& chosen) {
        chosen = file;
        return true;
    };
    hooks.showMessage = [window](const std::string& text) {
        auto* posted = new std::string(text);
        if (!PostMessageW(window, kUploadMessage, 0, reinterpret_cast<LPARAM>(posted)))
            delete posted;
    };
    hooks.finished = [window, transfer] { PostMessageW(window, kUploadFinished, transfer, 0); };
    return vm::StartUpload(g_serialPort, choice, m_worker, std::move(hooks), pane);
}

TickResult SerialTransfer::Tick(std::string& pane) {
    const bool download = GetCommMode() == COMM_RECEIVE;
    TickResult tick = m_ticker.OnTimer(g_serialPort, pane);
    tick.status = StatusWithRate(m_rate, tick, download, std::int64_t(GetTickCount64()));
    if (download)
        tick.status = JournalDownloadTick(m_journal, tick, true);
    return tick;
}

TickResult SerialTransfer::StopByUser(std::string& pane) {
    if (GetCommMode() == COMM_SEND) {
        m_worker.RequestStop();
        SetSendStatus(kUploadStoppingStatus);
        TickResult tick;
        tick.status = kUploadStoppingStatus;
        return tick;
    }
    TickResult tick = m_ticker.StopDownload(g_serialPort, pane);
    tick.status = JournalDownloadTick(m_journal, tick, true);
    return tick;
}

void SerialTransfer::Stop() {
    m_worker.StopCurrent();
    g_serialPort.Close();
    if (m_journal.IsRecording())
        m_journal.End(false, true);
}

}  // namespace vm::win32
