#include "serial/tty_device.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include "serial/line_params.h"
#include "serial/tty_speed_linux.h"

namespace vm::tty {

int OpenExclusive(const std::string& path, int& error) {
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = errno;
        return -1;
    }
    // A lock shows other well-behaved programs that the port is taken; the
    // exclusive mode makes the driver refuse any further open while we hold it.
    if (!::isatty(fd) || ::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::ioctl(fd, TIOCEXCL) != 0) {
        error = ::isatty(fd) ? errno : ENOTTY;
        ::close(fd);
        return -1;
    }
    error = 0;
    return fd;
}

namespace {

// A driver that can only come near a rate reports the rate it runs at; more
// than 3 % away, the instrument would read garbage.
bool CloseEnough(int32_t wanted, int32_t reported) {
    if (reported <= 0)
        return true;  // the driver does not say
    const int64_t diff = int64_t(wanted) - reported;
    return (diff < 0 ? -diff : diff) * 100 <= int64_t(wanted) * 3;
}

}  // namespace

ConfigureResult Configure(int fd, int32_t nBaud, uint8_t byByteSize, uint8_t byParity,
                          uint8_t byStopBits, bool hardwareFlow) {
    termios attrs{};
    if (::tcgetattr(fd, &attrs) != 0)
        return ConfigureResult::Failed;
    MakeRawTransfer(attrs);
    SetHardwareFlow(attrs, hardwareFlow);
    if (!ApplyFraming(attrs, byByteSize, byParity, byStopBits))
        return ConfigureResult::FramingRefused;
    if (nBaud <= 0)
        return ConfigureResult::SpeedRefused;
    // Rates with a terminal constant go the usual way; the others are set
    // exactly once the rest of the attributes are in place.
    speed_t speed{};
    const bool listed = BaudToSpeed(nBaud, speed);
    if (listed) {
        cfsetispeed(&attrs, speed);
        cfsetospeed(&attrs, speed);
    }
    if (::tcsetattr(fd, TCSANOW, &attrs) != 0)
        return errno == EINVAL ? ConfigureResult::SpeedRefused : ConfigureResult::Failed;
    if (!listed && !SetAnySpeed(fd, nBaud))
        return ConfigureResult::SpeedRefused;
    return CloseEnough(nBaud, ReportedSpeed(fd)) ? ConfigureResult::Done
                                                 : ConfigureResult::SpeedRefused;
}

void CloseDevice(int fd) {
    if (fd < 0)
        return;
    ::ioctl(fd, TIOCNXCL);
    ::close(fd);
}

long QueuedInput(int fd) {
    int queued = 0;
    if (::ioctl(fd, FIONREAD, &queued) != 0)
        return -1;
    return queued;
}

bool HasHungUp(int fd) {
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, 0) < 0)
        return errno != EINTR;
    return (p.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}

long ReadQueued(int fd, char* buffer, size_t count) {
    for (;;) {
        const ssize_t n = ::read(fd, buffer, count);
        if (n > 0)
            return n;
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return 0;
        // End of file or an I/O error on a terminal means the device went away.
        return -1;
    }
}

WriteResult WriteByte(int fd, uint8_t byte, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        const ssize_t n = ::write(fd, &byte, 1);
        if (n == 1)
            return WriteResult::Done;
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK)
            return WriteResult::Gone;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return WriteResult::TimedOut;
        pollfd p{fd, POLLOUT, 0};
        if (::poll(&p, 1, static_cast<int>(left.count())) < 0 && errno != EINTR) {
            return WriteResult::Gone;
        }
        if (p.revents & (POLLHUP | POLLERR | POLLNVAL))
            return WriteResult::Gone;
    }
}

long PendingOutput(int fd) {
    int pending = 0;
    if (::ioctl(fd, TIOCOUTQ, &pending) != 0)
        return 0;
    return pending;
}

void DiscardInput(int fd) {
    ::tcflush(fd, TCIFLUSH);
}

void DiscardOutput(int fd) {
    ::tcflush(fd, TCOFLUSH);
}

}  // namespace vm::tty
