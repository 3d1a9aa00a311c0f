#include "win/serial_transfer.h"

#include "common/user_paths.h"
#include "serial/comm_state.h"
#include "serial/download_recording.h"
#include "serial/serial_port.h"

namespace vm::win32 {

TransferStart SerialTransfer::StartDownload(std::string& pane) {
    Stop();
    PortChoice choice;
    choice.settings = LoadComSettings(LocalIniPath());
    TransferStart start = vm::StartDownload(g_serialPort, choice, m_ticker, pane);
    if (!start.started)
        return start;
    BeginDownloadJournal(m_journal, choice);
    if (m_journal.Failed())
        start.status += "；" + JournalFailedNote(m_journal.Error());
    return start;
}

TickResult SerialTransfer::Tick(std::string& pane) {
    const bool download = GetCommMode() == COMM_RECEIVE;
    TickResult tick = m_ticker.OnTimer(g_serialPort, pane);
    if (download)
        tick.status = JournalDownloadTick(m_journal, tick, true);
    return tick;
}

void SerialTransfer::Stop() {
    g_serialPort.Close();
    if (m_journal.IsRecording())
        m_journal.End(false, true);
}

}  // namespace vm::win32
