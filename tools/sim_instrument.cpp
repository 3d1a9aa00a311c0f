#include "tools/sim_instrument.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

#include "serial/comm_state.h"

namespace vm::sim {

using Clock = std::chrono::steady_clock;

namespace {

// The master reports a hang-up while no one has the device open.
bool ProgramHasDevice(int master) {
    pollfd p{master, 0, 0};
    ::poll(&p, 1, 0);
    return (p.revents & POLLHUP) == 0;
}

// The terminal attributes read on the master are the device's: the program
// has set up its raw transfer once line editing is off.
bool ProgramHasConfigured(int master) {
    termios attrs{};
    return ::tcgetattr(master, &attrs) == 0 && (attrs.c_lflag & ICANON) == 0;
}

bool WaitUntil(int timeoutMs, bool want, int master) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (ProgramHasDevice(master) != want || (want && !ProgramHasConfigured(master))) {
        if (Clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

void WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n > 0) {
            data += n;
            size -= static_cast<size_t>(n);
        } else if (n < 0 && errno != EINTR && errno != EAGAIN) {
            return;
        } else {
            pollfd p{fd, POLLOUT, 0};
            ::poll(&p, 1, 50);
        }
    }
}

}  // namespace

CPtyInstrument::~CPtyInstrument() {
    HangUp();
}

bool CPtyInstrument::Create(std::string& error) {
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0) {
        error = std::string("cannot create a pseudo-terminal: ") + std::strerror(errno);
        HangUp();
        return false;
    }
    char name[128] = {};
    if (::ptsname_r(m_master, name, sizeof name) != 0) {
        error = std::string("cannot name the pseudo-terminal: ") + std::strerror(errno);
        HangUp();
        return false;
    }
    m_devicePath = name;
    return true;
}

bool CPtyInstrument::WaitForProgram(int timeoutMs) const {
    return WaitUntil(timeoutMs, true, m_master);
}

bool CPtyInstrument::WaitForProgramToClose(int timeoutMs) const {
    return WaitUntil(timeoutMs, false, m_master);
}

void CPtyInstrument::HangUp() {
    if (m_master >= 0)
        ::close(m_master);
    m_master = -1;
}

SendReport SendFile(CPtyInstrument& pty, const SendPlan& plan, const std::atomic<bool>* cancel) {
    SendReport report;
    if (plan.startDelayMs > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(plan.startDelayMs));
    const double rate = plan.bytesPerSecond > 0 ? plan.bytesPerSecond : 1e9;
    auto start = Clock::now();
    size_t base = 0;  // bytes sent before the current even stretch began
    size_t pause = 0;
    const size_t total = plan.bytes.size();
    while (report.sent < total) {
        if (cancel && *cancel)
            break;
        if (plan.hangUpAfter >= 0 && report.sent >= static_cast<size_t>(plan.hangUpAfter)) {
            pty.HangUp();
            report.hungUp = true;
            return report;
        }
        if (pause < plan.pauses.size() && plan.pauses[pause].first <= report.sent) {
            std::this_thread::sleep_for(std::chrono::milliseconds(plan.pauses[pause++].second));
            start = Clock::now();
            base = report.sent;
            continue;
        }
        // Bytes due by now at the even rate, sent in one write.
        const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
        size_t due = base + static_cast<size_t>(elapsed * rate) + 1;
        if (pause < plan.pauses.size())
            due = std::min(due, plan.pauses[pause].first);
        if (plan.hangUpAfter >= 0)
            due = std::min(due, static_cast<size_t>(plan.hangUpAfter));
        due = std::min(due, total);
        if (due > report.sent) {
            WriteAll(pty.MasterFd(), plan.bytes.data() + report.sent, due - report.sent);
            if (report.sent == 0)
                report.firstByte = Clock::now();
            report.sent = due;
            report.lastByte = Clock::now();
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }
    return report;
}

namespace {

long long CountLineEnds(const std::string& bytes) {
    long long n = 0;
    for (char c : bytes)
        n += c == '\n';
    return n;
}

}  // namespace

Recording RecordUpload(CPtyInstrument& pty, const RecordPlan& plan) {
    Recording rec;
    const auto deadline = Clock::now() + std::chrono::milliseconds(plan.timeoutMs);
    Clock::time_point first{}, xonAt{};
    bool xoffSent = false, xonSent = false;
    char buffer[4096];
    while (!rec.sawEot && Clock::now() < deadline) {
        if (xoffSent && !xonSent && Clock::now() >= xonAt) {
            const char xon = kXon;
            WriteAll(pty.MasterFd(), &xon, 1);
            xonSent = true;
        }
        pollfd p{pty.MasterFd(), POLLIN, 0};
        if (::poll(&p, 1, 5) <= 0 || !(p.revents & POLLIN))
            continue;
        const ssize_t n = ::read(pty.MasterFd(), buffer, sizeof buffer);
        if (n <= 0)
            continue;
        const auto now = Clock::now();
        if (rec.chunks.empty())
            first = now;
        const std::string bytes(buffer, static_cast<size_t>(n));
        rec.chunks.push_back(
            {std::chrono::duration<double, std::milli>(now - first).count(), bytes});
        rec.bytes += bytes;
        rec.sawEot = bytes.find(kEot) != std::string::npos;
        if (!xoffSent && plan.xoffAfterLines >= 0 &&
            CountLineEnds(rec.bytes) >= plan.xoffAfterLines) {
            const char xoff = kXoff;
            WriteAll(pty.MasterFd(), &xoff, 1);
            xoffSent = true;
            xonAt = now + std::chrono::milliseconds(plan.xonAfterMs);
            if (plan.xonAfterMs < 0)
                xonSent = true;  // never resumes
        }
    }
    return rec;
}

std::string FormatRecordingLog(const Recording& recording) {
    std::string log;
    for (const RecordedChunk& chunk : recording.chunks) {
        char stamp[32];
        std::snprintf(stamp, sizeof stamp, "%.1f\t", chunk.ms);
        log += stamp;
        for (unsigned char c : chunk.bytes) {
            if (c == '\r') {
                log += "<CR>";
            } else if (c == '\n') {
                log += "<LF>";
            } else if (c == 0x04) {
                log += "<EOT>";
            } else if (c < 0x20 || c == 0x7f) {
                char hex[8];
                std::snprintf(hex, sizeof hex, "<0x%02X>", c);
                log += hex;
            } else {
                log += static_cast<char>(c);
            }
        }
        log += "\n";
    }
    return log;
}

}  // namespace vm::sim
