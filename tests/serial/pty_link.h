#pragma once
// A simulated instrument on a pseudo-terminal and the choice that opens our
// port on it, for the tests of the serial link.

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <poll.h>
#include <unistd.h>

#include "serial/comm_state.h"
#include "serial/serial_port.h"
#include "serial/sim_instrument.h"
#include "serial/transfer_start.h"

namespace vm::test {

class PtyLink {
public:
    PtyLink() {
        std::string error;
        created = pty.Create(error);
        EXPECT_TRUE(created) << error;
        choice.settings = {3, 38400, 0, 0, 8, 1};
        choice.devicePath = pty.DevicePath();
        SetCommMode(COMM_RECEIVE);
    }

    // What the instrument sends: written straight into the line. With a port,
    // waits until the port has the bytes queued, so the next tick sees them.
    void Send(const std::string& bytes, const CSerialPort* port = nullptr) const {
        ASSERT_EQ(::write(pty.MasterFd(), bytes.data(), bytes.size()),
                  static_cast<ssize_t>(bytes.size()));
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        do {
            std::this_thread::sleep_for(std::chrono::microseconds(port ? 200 : 20000));
        } while (port && port->QueuedBytes() < static_cast<int>(bytes.size()) &&
                 std::chrono::steady_clock::now() < deadline);
    }

    // What the program sent until EOT, at most timeoutMs.
    std::string ReceiveUntilEot(int timeoutMs = 5000) const {
        std::string got;
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (got.find(kEot) == std::string::npos && std::chrono::steady_clock::now() < deadline) {
            got += Receive(1, 50);
        }
        return got;
    }

    // What the program sent, until count bytes came or timeoutMs passed.
    std::string Receive(size_t count, int timeoutMs = 2000) const {
        std::string got;
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (got.size() < count && std::chrono::steady_clock::now() < deadline) {
            pollfd p{pty.MasterFd(), POLLIN, 0};
            if (::poll(&p, 1, 10) <= 0)
                continue;
            char buffer[4096];
            const ssize_t n = ::read(pty.MasterFd(), buffer, sizeof buffer);
            if (n > 0)
                got.append(buffer, static_cast<size_t>(n));
        }
        return got;
    }

    sim::CPtyInstrument pty;
    PortChoice choice;
    bool created = false;
};

inline std::string GbkSample() {
    // "坐标" and "测量" in GBK, with CR LF, bytes above 0x7F throughout.
    return "PT1,\xD7\xF8\xB1\xEA,100.000\r\nPT2,\xB2\xE2\xC1\xBF,200.000\r\n";
}

}  // namespace vm::test
