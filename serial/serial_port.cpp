#include "serial/serial_port.h"

#include <cerrno>
#include <chrono>
#include <mutex>
#include <thread>

#include "common/user_paths.h"
#include "serial/port_device.h"
#include "serial/tty_device.h"

namespace vm {

CSerialPort g_serialPort;

using Exclusive = std::unique_lock<std::shared_mutex>;
using Shared = std::shared_lock<std::shared_mutex>;

CSerialPort::~CSerialPort() {
    Close();
}

int CSerialPort::Open(int32_t nPort, int32_t nBaud, uint8_t byByteSize, uint8_t byParity,
                      uint8_t byStopBits, bool hardwareFlow) {
    if (IsOpen())
        return 1;
    return OpenDevice(PortDevicePath(LocalIniPath(), nPort), nBaud, byByteSize, byParity,
                      byStopBits, hardwareFlow);
}

int CSerialPort::Refuse(PortOpenFailure failure) {
    m_lock.Release();
    m_nOpenError = failure.error;
    m_failure = std::move(failure);
    return 0;
}

int CSerialPort::OpenDevice(const std::string& path, int32_t nBaud, uint8_t byByteSize,
                            uint8_t byParity, uint8_t byStopBits, bool hardwareFlow) {
    Exclusive lock(m_mutex);
    if (m_bOpened)
        return 1;
    PortOpenFailure failure;
    failure.device = path;
    // The lock file comes first: opening a port another program is using
    // could already disturb its modem lines.
    PortHolder holder;
    if (!m_lock.Take(path, holder)) {
        failure.kind = PortFailure::InUse;
        failure.error = EBUSY;
        failure.holderPid = holder.pid;
        failure.holderName = holder.name;
        return Refuse(failure);
    }
    int error = 0;
    const int fd = tty::OpenExclusive(path, error);
    if (fd < 0) {
        failure.kind = PortFailureFromError(error);
        failure.error = error;
        if (failure.kind == PortFailure::InUse) {
            holder = FindDeviceHolder(path);
            failure.holderPid = holder.pid;
            failure.holderName = holder.name;
        }
        return Refuse(failure);
    }
    const tty::ConfigureResult configured =
        tty::Configure(fd, nBaud, byByteSize, byParity, byStopBits, hardwareFlow);
    if (configured != tty::ConfigureResult::Done) {
        failure.error = configured == tty::ConfigureResult::Failed ? errno : EINVAL;
        failure.kind = PortFailureFromError(failure.error);
        if (configured == tty::ConfigureResult::SpeedRefused)
            failure.baud = nBaud;
        tty::CloseDevice(fd);
        return Refuse(failure);
    }
    m_hComm = fd;
    m_bOpened = 1;
    m_bLost = false;
    m_nOpenError = 0;
    m_failure = PortOpenFailure();
    return 1;
}

int CSerialPort::Close() {
    Exclusive lock(m_mutex);
    if (m_bOpened && m_hComm >= 0)
        tty::CloseDevice(m_hComm);
    m_hComm = -1;
    m_bOpened = 0;
    m_lock.Release();
    return 1;
}

int CSerialPort::WriteCommByte(uint8_t byte) {
    Shared lock(m_mutex);
    if (!m_bOpened || m_bLost)
        return 1;
    if (tty::WriteByte(m_hComm, byte, kByteWriteWaitMs) == tty::WriteResult::Gone) {
        m_bLost = true;
    }
    return 1;
}

int CSerialPort::SendData(const char* buffer, int length) {
    if (!IsOpen() || length <= 0)
        return 0;
    for (int i = 0; i < length; ++i)
        WriteCommByte(static_cast<uint8_t>(buffer[i]));
    return length;
}

int CSerialPort::ReadData(char* buffer, int maxCount) {
    Shared lock(m_mutex);
    if (!m_bOpened || m_bLost || maxCount <= 0)
        return 0;
    const long queued = tty::QueuedInput(m_hComm);
    if (queued < 0 || (queued == 0 && tty::HasHungUp(m_hComm))) {
        m_bLost = true;
        return 0;
    }
    if (queued == 0)
        return 0;
    const size_t want = static_cast<size_t>(queued < maxCount ? queued : maxCount);
    const long n = tty::ReadQueued(m_hComm, buffer, want);
    if (n < 0) {
        m_bLost = true;
        return 0;
    }
    return static_cast<int>(n);
}

int CSerialPort::QueuedBytes() const {
    Shared lock(m_mutex);
    if (!m_bOpened)
        return 0;
    const long queued = tty::QueuedInput(m_hComm);
    return queued > 0 ? static_cast<int>(queued) : 0;
}

void CSerialPort::Purge() {
    Exclusive lock(m_mutex);
    if (!m_bOpened)
        return;
    tty::DiscardInput(m_hComm);
    tty::DiscardOutput(m_hComm);
}

void CSerialPort::DrainOutput() {
    // Checks the queue in short steps without holding the port, so the main
    // window's reads go on while a slow line drains.
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(kDrainWaitMs);
    for (;;) {
        {
            Shared lock(m_mutex);
            if (!m_bOpened || m_bLost || tty::PendingOutput(m_hComm) <= 0)
                return;
        }
        if (std::chrono::steady_clock::now() >= deadline)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

bool CSerialPort::IsOpen() const {
    Shared lock(m_mutex);
    return m_bOpened != 0;
}

bool CSerialPort::IsLost() const {
    Shared lock(m_mutex);
    return m_bOpened && m_bLost;
}

int CSerialPort::OpenError() const {
    Shared lock(m_mutex);
    return m_nOpenError;
}

PortOpenFailure CSerialPort::LastFailure() const {
    Shared lock(m_mutex);
    return m_failure;
}

}  // namespace vm
