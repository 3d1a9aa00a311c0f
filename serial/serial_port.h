#pragma once
// The one serial link to the instrument. Reads never wait for data: they take
// what the device has queued. Writes go out one byte at a time, each waiting
// up to one second for room in the device. The main window's thread opens,
// closes and reads while the upload worker writes, so reads and writes share
// the port and opening and closing wait for them: a write that finds the port
// closed is refused, never sent to a descriptor that has been reused.

#include <atomic>
#include <cstdint>
#include <shared_mutex>
#include <string>

#include "serial/port_failure.h"
#include "serial/port_lock.h"

namespace vm {

class CSerialPort {
public:
    static constexpr int kByteWriteWaitMs = 1000;
    static constexpr int kDrainWaitMs = 5000;

    CSerialPort() = default;
    ~CSerialPort();
    CSerialPort(const CSerialPort&) = delete;
    CSerialPort& operator=(const CSerialPort&) = delete;

    // Port n is the device that PortDevicePath names for it in ./ConfigFile.ini.
    // 1 when opened (or already open: nothing is reconfigured), 0 on failure
    // with nothing left open and LastFailure telling why. While open, the port
    // holds the machine's lock file for the device.
    int Open(int32_t nPort, int32_t nBaud, uint8_t byByteSize, uint8_t byParity, uint8_t byStopBits,
             bool hardwareFlow = false);
    int OpenDevice(const std::string& path, int32_t nBaud, uint8_t byByteSize, uint8_t byParity,
                   uint8_t byStopBits, bool hardwareFlow = false);
    int Close();  // always 1

    int WriteCommByte(uint8_t byte);  // always 1; a failed or timed-out write is silent
    // length when the port is open and length > 0, else 0.
    int SendData(const char* buffer, int length);
    // Bytes read (at most maxCount), 0 when nothing was queued or the port is closed.
    int ReadData(char* buffer, int maxCount);

    // Bytes received and waiting to be read; 0 when closed.
    int QueuedBytes() const;

    // Discards received input, then anything still waiting to be sent.
    void Purge();
    // Waits (up to kDrainWaitMs) until what was handed to the device has gone out.
    void DrainOutput();

    bool IsOpen() const;
    // True once the open device has hung up or failed (unplugged, far end gone).
    bool IsLost() const;
    // errno of the last failed open, 0 after a successful one.
    int OpenError() const;
    // Why the last open failed (kind None after a successful one).
    PortOpenFailure LastFailure() const;

private:
    mutable std::shared_mutex m_mutex;  // shared: read, write; exclusive: open, close
    int m_hComm = -1;
    int m_bOpened = 0;
    std::atomic<bool> m_bLost{false};
    int m_nOpenError = 0;
    PortOpenFailure m_failure;
    CPortLock m_lock;

    int Refuse(PortOpenFailure failure);
};

extern CSerialPort g_serialPort;

}  // namespace vm
