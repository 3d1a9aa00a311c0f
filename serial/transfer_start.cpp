#include "serial/transfer_start.h"

#include "serial/comm_state.h"
#include "serial/comm_tick.h"
#include "serial/serial_port.h"
#include "serial/transfer_texts.h"

namespace vm {
bool OpenPort(CSerialPort& port, const PortChoice& choice) {
    port.Close();
    const ComSettings& s = choice.settings;
    const bool rtsCts = s.bXonXoff == kProtocolRtsCts;
    if (choice.devicePath.empty()) {
        return port.Open(s.nPort, s.nBaud, s.byByteSize, s.byParity, s.byStopBits, rtsCts) == 1;
    }
    return port.OpenDevice(choice.devicePath, s.nBaud, s.byByteSize, s.byParity, s.byStopBits,
                           rtsCts) == 1;
}

TransferStart FailedStart(CSerialPort& port, const PortChoice& choice) {
    const PortOpenFailure failure = port.LastFailure();
    port.Close();
    const std::string reason = PortFailureReason(failure);
    TransferStart result;
    if (choice.devicePath.empty()) {
        const std::string detail = failure.device + "：" + reason;
        result.status = PortFailedStatus(choice.settings.nPort) + " " + detail;
        result.message = PortFailedMessage(choice.settings.nPort) + "\n" + detail;
    } else {
        result.status = DeviceFailedStatus(choice.devicePath) + " " + reason;
        result.message = DeviceFailedMessage(choice.devicePath) + "\n" + reason;
    }
    return result;
}

TransferStart StartDownload(CSerialPort& port, const PortChoice& choice, CCommTicker& ticker,
                            std::string& paneText) {
    SetCommMode(COMM_RECEIVE);
    const int nPort = choice.settings.nPort;
    if (!OpenPort(port, choice))
        return FailedStart(port, choice);
    port.Purge();
    paneText.clear();
    ticker.StartDownload(nPort, choice.settings.nEndSilenceMs);
    return {true, PortOpenedStatus(nPort), std::string()};
}

TransferStart StartUpload(CSerialPort& port, const PortChoice& choice, CUploadWorker& worker,
                          UploadHooks hooks, std::string& paneText) {
    worker.StopCurrent();
    port.Close();
    SetCommMode(COMM_SEND);
    const int nPort = choice.settings.nPort;
    if (!OpenPort(port, choice))
        return FailedStart(port, choice);
    port.Purge();
    paneText.clear();
    {
        std::lock_guard<std::mutex> lock(g_commMutex);
        g_strSendLog.clear();
        g_strFlowState.clear();
        g_nSentLines = 0;
        g_nTotalLines = 0;
    }
    worker.Start(nPort, std::move(hooks));
    return {true, UploadOpenedStatus(nPort), std::string()};
}

}  // namespace vm
