#include "serial/comm_tick.h"

#include <algorithm>

#include "common/pane_text.h"
#include "serial/comm_state.h"
#include "serial/serial_port.h"
#include "serial/transfer_texts.h"

namespace vm {

std::string ReadAllQueued(CSerialPort& port) {
    // Bounded, so a device that never stops sending cannot hold the tick forever.
    constexpr size_t kMaxPerTick = 1 << 20;
    std::string all;
    char buffer[4096];
    while (all.size() < kMaxPerTick) {
        const int n = port.ReadData(buffer, sizeof buffer);
        if (n <= 0)
            break;
        all.append(buffer, static_cast<size_t>(n));
    }
    return all;
}

void CCommTicker::StartDownload(int nPort, int endSilenceMs) {
    m_nPort = nPort;
    m_endTicks = std::max(1, (endSilenceMs + kTickMs - 1) / kTickMs);
    m_silentTicks = 0;
    m_bytesReceived = 0;
}

TickResult CCommTicker::OnTimer(CSerialPort& port, std::string& paneText) {
    const std::string received = ReadAllQueued(port);
    if (GetCommMode() == COMM_RECEIVE)
        return ReceiveTick(port, paneText, received);

    // Upload: what the instrument sends is not text for the pane, but its
    // XON/XOFF tell the worker when to wait.
    NoteFlowControl(received);
    const UploadTexts texts = GetUploadTexts();
    TickResult result;
    result.received = received;
    paneText = texts.log;
    result.paneReplaced = true;
    result.status = texts.status;
    return result;
}

TickResult CCommTicker::StopDownload(CSerialPort& port, std::string& paneText) {
    TickResult result = ReceiveTick(port, paneText, ReadAllQueued(port));
    if (result.finished)
        return result;  // it ended by itself in this very tick
    port.Close();
    result.finished = true;
    result.stopped = true;
    result.status = DownloadStoppedStatus(CountPaneLines(paneText), m_bytesReceived);
    return result;
}

TickResult CCommTicker::ReceiveTick(CSerialPort& port, std::string& paneText,
                                    const std::string& received) {
    SetFlowState(std::string());
    TickResult result;
    result.received = received;
    // The count is that of the text shown since the previous tick.
    const long long lines = CountPaneLines(paneText);
    // A NUL cannot stand in the pane's text; it is left out rather than
    // letting it cut off the bytes that follow it.
    std::string text = received;
    text.erase(std::remove(text.begin(), text.end(), '\0'), text.end());
    paneText += text;
    result.status = paneText.empty() ? NothingReceivedStatus() : ReceivedLinesStatus(lines);

    m_bytesReceived += received.size();
    m_silentTicks = received.empty() ? m_silentTicks + 1 : 0;
    if (port.IsLost()) {
        port.Close();
        result.status = PortLostStatus(m_nPort);
        result.finished = true;
        result.portLost = true;
    } else if (m_bytesReceived != 0 && m_silentTicks >= m_endTicks) {
        port.Close();
        result.finished = true;
        result.status = DownloadEndedStatus(lines, m_bytesReceived);
    }
    return result;
}

}  // namespace vm
