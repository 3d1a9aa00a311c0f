#pragma once
// A simulated total station on a pseudo-terminal pair, for trying the link
// without an instrument and for the tests. The simulator holds the master side;
// the program opens the device path (the slave side) like any serial port.
// The simulator waits until the program has opened the device before it sends,
// since bytes written earlier would meet the program's discard of stale input.

#include <atomic>
#include <chrono>
#include <string>
#include <utility>
#include <vector>

namespace vm::sim {

class CPtyInstrument {
public:
    CPtyInstrument() = default;
    ~CPtyInstrument();
    CPtyInstrument(const CPtyInstrument&) = delete;
    CPtyInstrument& operator=(const CPtyInstrument&) = delete;

    // Creates the pair; false with a message on failure.
    bool Create(std::string& error);
    const std::string& DevicePath() const { return m_devicePath; }

    // Waits until the program has the device open; false on time-out.
    bool WaitForProgram(int timeoutMs) const;
    // Waits until the program has closed the device again; false on time-out.
    bool WaitForProgramToClose(int timeoutMs) const;
    // Pulls the plug: the program's device reports a hang-up.
    void HangUp();

    int MasterFd() const { return m_master; }

private:
    int m_master = -1;
    std::string m_devicePath;
};

struct SendPlan {
    std::string bytes;
    double bytesPerSecond = 240;  // 2400 baud with ten bits a character
    // Silences: (byte offset, milliseconds) waits before sending that byte.
    std::vector<std::pair<size_t, int>> pauses;
    long long hangUpAfter = -1;  // hang up once this many bytes are sent (-1: never)
    int startDelayMs = 300;      // after the program opened the device
};

struct SendReport {
    size_t sent = 0;
    bool hungUp = false;
    std::chrono::steady_clock::time_point firstByte;
    std::chrono::steady_clock::time_point lastByte;
};

// Sends the plan's bytes evenly at its byte rate. Stops early when cancel is set.
SendReport SendFile(CPtyInstrument& pty, const SendPlan& plan,
                    const std::atomic<bool>* cancel = nullptr);

struct RecordPlan {
    int timeoutMs = 60000;  // give up when no EOT comes in this time
    // Flow control: send XOFF after this many received line ends (-1: never),
    // and XON this many milliseconds later.
    int xoffAfterLines = -1;
    int xonAfterMs = 1000;
};

struct RecordedChunk {
    double ms = 0;  // since the first received byte
    std::string bytes;
};

struct Recording {
    std::string bytes;
    std::vector<RecordedChunk> chunks;
    bool sawEot = false;
};

// Records what the program sends until EOT (or the time-out).
Recording RecordUpload(CPtyInstrument& pty, const RecordPlan& plan);

// One line per chunk: milliseconds, a tab, the bytes with control characters
// written as <CR>, <LF>, <EOT> or <0xNN>.
std::string FormatRecordingLog(const Recording& recording);

}  // namespace vm::sim
