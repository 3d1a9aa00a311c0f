// The serial device on the Windows communications API: "\\.\COMn" opened
// exclusively for overlapped input and output, the line parameters written
// into the device control block the device reports (everything else in it
// kept), reads that take only what is queued, and single-byte writes that
// wait for completion. The port keeps the handle in the int the other systems
// use for a descriptor: Windows handles fit in 32 bits by design, so 64-bit and
// 32-bit programs can share them.
#include "serial/tty_device.h"

#include <cerrno>
#include <windows.h>

#include "common/wide_text_win32.h"

namespace vm::tty {
namespace {

constexpr DWORD kQueueBytes = 10000;
constexpr DWORD kWriteTimeoutMs = 5000;
constexpr DWORD kReadWaitMs = 2000;

HANDLE ToHandle(int fd) {
    return ::LongToHandle(fd);
}

// One overlapped record with its own event per thread: the main window's
// thread reads while the upload worker writes, each with its own.
OVERLAPPED& ThreadOverlapped() {
    struct Record {
        OVERLAPPED ov{};
        Record() { ov.hEvent = ::CreateEventW(nullptr, TRUE, FALSE, nullptr); }
        ~Record() {
            if (ov.hEvent)
                ::CloseHandle(ov.hEvent);
        }
    };
    thread_local Record record;
    const HANDLE event = record.ov.hEvent;
    record.ov = OVERLAPPED{};
    record.ov.hEvent = event;
    ::ResetEvent(event);
    return record.ov;
}

// Waits up to waitMs for a started operation. When it does not finish in time
// it is cancelled, and what it did transfer before that still counts: the
// record must not stay in use, and received bytes must not be reported that
// never arrived. Returns the bytes transferred, or -1 when the device failed.
long FinishPending(HANDLE h, OVERLAPPED& ov, DWORD waitMs) {
    DWORD done = 0;
    if (::WaitForSingleObject(ov.hEvent, waitMs) != WAIT_OBJECT_0)
        ::CancelIoEx(h, &ov);
    if (::GetOverlappedResult(h, &ov, &done, TRUE))
        return static_cast<long>(done);
    const DWORD error = ::GetLastError();
    return error == ERROR_OPERATION_ABORTED ? static_cast<long>(done) : -1;
}

bool ReadStatus(int fd, COMSTAT& status) {
    DWORD errors = 0;
    return ::ClearCommError(ToHandle(fd), &errors, &status) != 0;
}

// "COM5" as the user may type it becomes "\\.\COM5"; other names stay.
std::wstring DeviceName(const std::string& path) {
    const bool bare = path.size() > 3 && (path[0] == 'C' || path[0] == 'c') &&
                      path.find_first_of("\\/:") == std::string::npos;
    return win32::WideFromUtf8(bare ? "\\\\.\\" + path : path);
}

bool IsClassicRate(int32_t baud) {
    for (int32_t rate : {110, 300, 600, 1200, 2400, 4800, 9600, 14400, 19200, 38400, 57600, 115200,
                         128000, 256000}) {
        if (rate == baud)
            return true;
    }
    return false;
}

}  // namespace

int OpenExclusive(const std::string& path, int& error) {
    const HANDLE h = ::CreateFileW(DeviceName(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                   nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD code = ::GetLastError();
        // A port another program has open is refused with "access denied".
        error = code == ERROR_ACCESS_DENIED || code == ERROR_SHARING_VIOLATION
                    ? EBUSY
                    : win32::ErrnoFromWin32(code);
        return -1;
    }
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (::GetFileType(h) != FILE_TYPE_CHAR || !::GetCommState(h, &dcb)) {
        ::CloseHandle(h);
        error = ENOTTY;
        return -1;
    }
    // Reads return at once with what is queued; a write gives up after 5 s.
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = MAXDWORD;
    timeouts.WriteTotalTimeoutConstant = kWriteTimeoutMs;
    ::SetCommTimeouts(h, &timeouts);
    // The queue sizes are a request the driver may round or ignore.
    ::SetupComm(h, kQueueBytes, kQueueBytes);
    error = 0;
    return ::HandleToLong(h);
}

ConfigureResult Configure(int fd, int32_t nBaud, uint8_t byByteSize, uint8_t byParity,
                          uint8_t byStopBits, bool hardwareFlow) {
    if (nBaud <= 0)
        return ConfigureResult::SpeedRefused;
    if (byByteSize < 5 || byByteSize > 8 || byParity > SPACEPARITY || byStopBits > TWOSTOPBITS)
        return ConfigureResult::FramingRefused;
    const HANDLE h = ToHandle(fd);
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!::GetCommState(h, &dcb))
        return ConfigureResult::Failed;
    // The settings' codes for parity and stop bits are the device block's own.
    dcb.BaudRate = static_cast<DWORD>(nBaud);
    dcb.ByteSize = byByteSize;
    dcb.Parity = byParity;
    dcb.StopBits = byStopBits;
    dcb.fBinary = TRUE;
    dcb.fParity = byParity != NOPARITY;
    // The upload watches the instrument's XON and XOFF itself, so the driver
    // must pass them on rather than act on them, as on every other system.
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    dcb.fOutxCtsFlow = hardwareFlow;
    if (hardwareFlow)
        dcb.fRtsControl = RTS_CONTROL_HANDSHAKE;
    else if (dcb.fRtsControl == RTS_CONTROL_HANDSHAKE)
        dcb.fRtsControl = RTS_CONTROL_ENABLE;
    if (::SetCommState(h, &dcb))
        return ConfigureResult::Done;
    return IsClassicRate(nBaud) ? ConfigureResult::FramingRefused : ConfigureResult::SpeedRefused;
}

void CloseDevice(int fd) {
    if (fd != -1)
        ::CloseHandle(ToHandle(fd));
}

long QueuedInput(int fd) {
    COMSTAT status{};
    return ReadStatus(fd, status) ? static_cast<long>(status.cbInQue) : -1;
}

bool HasHungUp(int fd) {
    COMSTAT status{};
    return !ReadStatus(fd, status);
}

long ReadQueued(int fd, char* buffer, size_t count) {
    const HANDLE h = ToHandle(fd);
    OVERLAPPED& ov = ThreadOverlapped();
    DWORD done = 0;
    if (::ReadFile(h, buffer, static_cast<DWORD>(count), &done, &ov))
        return static_cast<long>(done);
    if (::GetLastError() != ERROR_IO_PENDING)
        return -1;
    return FinishPending(h, ov, kReadWaitMs);
}

WriteResult WriteByte(int fd, uint8_t byte, int timeoutMs) {
    const HANDLE h = ToHandle(fd);
    OVERLAPPED& ov = ThreadOverlapped();
    DWORD done = 0;
    if (::WriteFile(h, &byte, 1, &done, &ov))
        return done == 1 ? WriteResult::Done : WriteResult::TimedOut;
    if (::GetLastError() != ERROR_IO_PENDING)
        return WriteResult::Gone;
    const long n = FinishPending(h, ov, static_cast<DWORD>(timeoutMs));
    if (n < 0)
        return WriteResult::Gone;
    return n == 1 ? WriteResult::Done : WriteResult::TimedOut;
}

long PendingOutput(int fd) {
    COMSTAT status{};
    return ReadStatus(fd, status) ? static_cast<long>(status.cbOutQue) : 0;
}

void DiscardInput(int fd) {
    ::PurgeComm(ToHandle(fd), PURGE_RXCLEAR);
}

void DiscardOutput(int fd) {
    ::PurgeComm(ToHandle(fd), PURGE_TXCLEAR);
}

}  // namespace vm::tty
