#pragma once
// The main window's 300 ms tick, which drives both transfers. During a
// download it appends everything the port has queued to the pane, shows the
// line count, and ends the download once the pane has stopped growing for two
// ticks; during an upload it shows the worker's transcript and status.
//
// The tick takes every queued byte, not a fixed small amount per tick, so the
// pane keeps up with the line at any baud rate and the device's input queue
// never overflows.

#include <string>

namespace vm {

class CSerialPort;

struct TickResult {
    std::string received;       // the bytes read this tick, exactly as they came
    bool paneReplaced = false;  // upload: the pane now holds the transcript
    std::string status;
    bool finished = false;  // the transfer is over: the port is closed, stop the tick
    bool portLost = false;  // it ended because the device went away
    bool stopped = false;   // the user stopped it (停止)
};

class CCommTicker {
public:
    static constexpr int kTickMs = 300;

    // A new download: the end rule looks at this transfer only. It ends once
    // bytes have arrived and then none for endSilenceMs (rounded up to whole
    // ticks; 600 ms is two ticks).
    void StartDownload(int nPort, int endSilenceMs = 600);
    unsigned long long BytesReceived() const { return m_bytesReceived; }

    // One tick on paneText (the pane's text, changed in place).
    TickResult OnTimer(CSerialPort& port, std::string& paneText);
    // 停止 during a download: takes what the port still holds, as a tick
    // does, then ends the download as its end rule would, marked as stopped.
    TickResult StopDownload(CSerialPort& port, std::string& paneText);

private:
    TickResult ReceiveTick(CSerialPort& port, std::string& paneText, const std::string& received);

    int m_nPort = 0;
    int m_endTicks = 2;     // silent ticks that end a download
    int m_silentTicks = 0;  // ticks since bytes last arrived
    unsigned long long m_bytesReceived = 0;
};

// Reads everything the port has queued.
std::string ReadAllQueued(CSerialPort& port);

}  // namespace vm
