// Download throughput over a simulated instrument at each listed baud rate, in
// real time with the 300 ms tick: the bytes per second that reach the pane
// against the line's byte rate, and the latency from the instrument's last
// byte to the end of the download.
// usage: bench_serial_download [SECONDS_PER_RATE]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "serial/comm_tick.h"
#include "serial/serial_port.h"
#include "tools/sim_instrument.h"
#include "bench/simulated_link.h"
#include "serial/transfer_start.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Figures {
    size_t bytes = 0;
    bool exact = false;
    double paneRate = 0;  // bytes per second from the first byte sent to the last tick with data
    double endLatencyMs = 0;
};

std::string MakeFile(size_t size) {
    std::string file;
    for (int i = 0; file.size() < size; ++i) {
        file += "PT" + std::to_string(i) + ",\xD7\xF8\xB1\xEA,1234.567,7654.321,12.5\r\n";
    }
    file.resize(size);
    return file;
}

bool Measure(int baud, double seconds, Figures& out) {
    SimulatedLink link;
    std::string pane;
    if (!link.Start(baud, MakeFile(static_cast<size_t>(baud / 10.0 * seconds)), pane))
        return false;
    auto& [pty, plan, port, ticker] = link;

    vm::sim::SendReport report;
    std::thread sender([&] { report = vm::sim::SendFile(pty, plan); });
    Clock::time_point lastData{};
    auto next = Clock::now();
    vm::TickResult tick;
    while (!tick.finished) {
        next += std::chrono::milliseconds(vm::CCommTicker::kTickMs);
        std::this_thread::sleep_until(next);
        tick = ticker.OnTimer(port, pane);
        if (!tick.received.empty())
            lastData = Clock::now();
    }
    const auto end = Clock::now();
    sender.join();
    out.bytes = pane.size();
    out.exact = pane == plan.bytes;
    const double span = std::chrono::duration<double>(lastData - report.firstByte).count();
    out.paneRate = span > 0 ? static_cast<double>(pane.size()) / span : 0;
    out.endLatencyMs = std::chrono::duration<double, std::milli>(end - report.lastByte).count();
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 4.0;
    std::printf("%-8s %10s %12s %12s %8s %14s\n", "baud", "bytes", "line B/s", "pane B/s", "exact",
                "end latency");
    for (int baud : {2400, 4800, 9600, 19200, 38400}) {
        Figures f;
        if (!Measure(baud, seconds, f))
            return 1;
        std::printf("%-8d %10zu %12.0f %12.0f %8s %11.0f ms\n", baud, f.bytes, baud / 10.0,
                    f.paneRate, f.exact ? "yes" : "NO", f.endLatencyMs);
    }
    return 0;
}
