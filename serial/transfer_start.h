#pragma once
// Starting a download or an upload: what the Download and Upload commands do
// before the 300 ms tick takes over. The caller starts its tick when
// `started` is true, and otherwise shows `message` in a message box with the
// stop icon.

#include <string>

#include "serial/com_settings.h"
#include "serial/upload_worker.h"

namespace vm {

class CSerialPort;
class CCommTicker;

struct TransferStart {
    bool started = false;
    std::string status;   // the status line's new text
    std::string message;  // message-box text when the port could not be opened
};

// Where the port is: the device for settings.nPort (PortDevicePath) unless a
// device path is given, as the command line may.
struct PortChoice {
    ComSettings settings;
    std::string devicePath;
};

// Opens the port afresh (closing it first, so new settings apply). Stops a
// running upload worker after its line. On success discards anything already
// queued, empties the pane and starts the ticker's download.
TransferStart StartDownload(CSerialPort& port, const PortChoice& choice, CCommTicker& ticker,
                            std::string& paneText);

// Opens the port afresh for an upload, empties the pane and the transcript and
// starts a worker with hooks. On failure g_nCommMode stays COMM_SEND, as the
// tick is not running and the next command sets it anew.
TransferStart StartUpload(CSerialPort& port, const PortChoice& choice, CUploadWorker& worker,
                          UploadHooks hooks, std::string& paneText);

// The shared open step: Close, then Open with the choice's parameters.
bool OpenPort(CSerialPort& port, const PortChoice& choice);

// After a failed OpenPort: closes the port and gives the status and message
// texts, each followed by the device and the reason. A numbered port is named
// by its number ("ComPort 3", "Com3"), a device given by path by that path.
TransferStart FailedStart(CSerialPort& port, const PortChoice& choice);

}  // namespace vm
