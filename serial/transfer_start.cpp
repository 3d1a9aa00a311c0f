#include "serial/transfer_start.h"

#include "serial/comm_state.h"
#include "serial/comm_tick.h"
#include "serial/serial_port.h"
#include "serial/transfer_texts.h"

namespace vm {
namespace {

TransferStart Failed(CSerialPort& port, int nPort) {
    port.Close();
    TransferStart result;
    result.status = PortFailedStatus(nPort);
    result.message = PortFailedMessage(nPort);
    return result;
}

}  // namespace

bool OpenPort(CSerialPort& port, const PortChoice& choice) {
    port.Close();
    const ComSettings& s = choice.settings;
    if (choice.devicePath.empty()) {
        return port.Open(s.nPort, s.nBaud, s.byByteSize, s.byParity, s.byStopBits) == 1;
    }
    return port.OpenDevice(choice.devicePath, s.nBaud, s.byByteSize, s.byParity, s.byStopBits) == 1;
}

TransferStart StartDownload(CSerialPort& port, const PortChoice& choice, CCommTicker& ticker,
                            std::string& paneText) {
    SetCommMode(COMM_RECEIVE);
    const int nPort = choice.settings.nPort;
    if (!OpenPort(port, choice))
        return Failed(port, nPort);
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
        return Failed(port, nPort);
    port.Purge();
    paneText.clear();
    {
        std::lock_guard<std::mutex> lock(g_commMutex);
        g_strSendLog.clear();
        g_strFlowState.clear();
    }
    worker.Start(nPort, std::move(hooks));
    return {true, PortOpenedStatus(nPort), std::string()};
}

}  // namespace vm
