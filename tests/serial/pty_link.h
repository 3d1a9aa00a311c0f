#pragma once
// A simulated instrument on a pseudo-terminal and the choice that opens our
// port on it, with the download and upload set-ups the serial tests share.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <mutex>
#include <string>
#include <thread>
#include <vector>
#include <poll.h>
#include <unistd.h>

#include "serial/comm_state.h"
#include "serial/comm_tick.h"
#include "serial/serial_port.h"
#include "tools/sim_instrument.h"
#include "serial/transfer_start.h"
#include "tests/support/temp_dir.h"

namespace vm::test {

class PtyLink {
public:
    PtyLink() {
        std::string error;
        EXPECT_TRUE(pty.Create(error)) << error;
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

    // What the program sent, until count bytes (or EOT, when untilEot) came or
    // timeoutMs passed.
    std::string Receive(size_t count, int timeoutMs = 2000, bool untilEot = false) const {
        std::string got;
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (got.size() < count && !(untilEot && got.find(kEot) != std::string::npos) &&
               std::chrono::steady_clock::now() < deadline) {
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
};

inline std::string GbkSample() {
    // "坐标" and "测量" in GBK, with CR LF, bytes above 0x7F throughout.
    return "PT1,\xD7\xF8\xB1\xEA,100.000\r\nPT2,\xB2\xE2\xC1\xBF,200.000\r\n";
}

// A download started on a fresh link, driven tick by tick.
struct Download {
    PtyLink link;
    CSerialPort port;
    CCommTicker ticker;
    std::string pane = "text from before";
    TransferStart start;

    explicit Download(int32_t baud = 38400) {
        link.choice.settings.nBaud = baud;
        start = StartDownload(port, link.choice, ticker, pane);
    }
    TickResult Tick() { return ticker.OnTimer(port, pane); }
    void Send(const std::string& bytes) { link.Send(bytes, &port); }

    // Ticks every tickMs until the download ends by its own rule (or maxTicks
    // pass), adding what each tick read to received.
    TickResult TickToEnd(std::string& received, int tickMs = 50, int maxTicks = 400) {
        TickResult tick;
        for (int i = 0; i < maxTicks && !tick.finished; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(tickMs));
            tick = Tick();
            received += tick.received;
        }
        return tick;
    }
};

// Short pauses, so the tests that do not time the pieces run quickly.
inline UploadPacing FastPacing() {
    UploadPacing p;
    p.pieceGapMs = p.lineGapMs = p.endDelayMs = 20;
    p.cancelDelayMs = 50;
    p.flowStepMs = 50;
    p.flowSteps = 6;
    return p;
}

// An upload worker on its own link, with hooks that answer the file question
// and record the messages and the end.
struct Upload {
    PtyLink link;
    TempDir dir;
    CSerialPort port;
    CUploadWorker worker;
    std::string pane = "old pane";
    std::atomic<int> finished{0};
    std::mutex mutex;
    std::vector<std::string> messages;

    explicit Upload(UploadPacing pacing = FastPacing()) : worker(port, pacing) {}

    TransferStart Start(const std::string& path, bool choose = true) {
        UploadHooks h;
        h.chooseFile = [path, choose](std::string& chosen) {
            chosen = path;
            return choose;
        };
        h.showMessage = [this](const std::string& text) {
            std::lock_guard<std::mutex> lock(mutex);
            messages.push_back(text);
        };
        h.finished = [this] { ++finished; };
        return StartUpload(port, link.choice, worker, std::move(h), pane);
    }
    // What the instrument records from now until EOT.
    std::future<sim::Recording> Record(sim::RecordPlan plan = {}) {
        plan.timeoutMs = 10000;
        return std::async(std::launch::async,
                          [this, plan] { return sim::RecordUpload(link.pty, plan); });
    }
};

}  // namespace vm::test
