// The download journal's cost per tick: what one 300 ms tick adds when it
// appends the bytes it read and flushes them to the disk (fdatasync). At
// 115200 baud a tick carries about 3456 bytes; a 2 MB download is ~607 ticks.
// By default the ticks run back to back, so the figure is the journal's own
// time; with --live a simulated instrument sends the file over a
// pseudo-terminal at the baud rate and the real 300 ms ticks read it (a 2 MB
// download at 115200 baud takes about three minutes), timing the journal's
// part of each tick and checking the journal against what was sent.
// usage: bench_journal_tick [--live] [FOLDER] [BAUD] [MEGABYTES]
//   FOLDER: where the journal goes (default ./journal-bench, removed after);
//   put it on the disk that holds the per-user data folder.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "common/file_io.h"
#include "serial/download_journal.h"
#include "serial/download_recording.h"
#include "serial/serial_port.h"
#include "tools/sim_instrument.h"
#include "bench/simulated_link.h"

namespace {

// A real download over the simulated instrument; the time of each tick's
// journal step goes to ms. False when the link could not be set up.
bool LiveTicks(vm::CJournalRecorder& journal, const std::string& file, int baud,
               std::vector<double>& ms, bool& exact) {
    SimulatedLink link;
    std::string pane;
    if (!link.Start(baud, file, pane))
        return false;
    auto& [pty, plan, port, ticker] = link;
    std::thread sender([&] { vm::sim::SendFile(pty, plan); });
    auto next = std::chrono::steady_clock::now();
    vm::TickResult tick;
    std::string received;
    while (!tick.finished) {
        next += std::chrono::milliseconds(vm::CCommTicker::kTickMs);
        std::this_thread::sleep_until(next);
        tick = ticker.OnTimer(port, pane);
        received += tick.received;
        const auto start = std::chrono::steady_clock::now();
        vm::JournalDownloadTick(journal, tick, true);
        if (!tick.received.empty())
            ms.push_back(
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                    .count());
    }
    sender.join();
    std::string kept;
    exact = received == file && vm::ReadFileBytes(journal.DataPath(), kept) && kept == file;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const bool live = argc > 1 && std::string(argv[1]) == "--live";
    if (live) {
        --argc;
        ++argv;
    }
    const std::string folder = argc > 1 ? argv[1] : "journal-bench";
    const int baud = argc > 2 ? std::atoi(argv[2]) : 115200;
    const double megabytes = argc > 3 ? std::atof(argv[3]) : 2.0;
    const size_t total = static_cast<size_t>(megabytes * 1024 * 1024);
    const size_t perTick = static_cast<size_t>(baud / 10.0 * 0.3);

    std::string line = "PT1,\xD7\xF8\xB1\xEA,1234.567,7654.321,12.500\r\n";
    std::string tick;
    while (tick.size() < perTick)
        tick += line;
    tick.resize(perTick);

    vm::CJournalRecorder journal(folder);
    if (!journal.Begin("/dev/ttyUSB0", std::to_string(baud) + ",8,N,1")) {
        std::fprintf(stderr, "%s\n", journal.Error().c_str());
        return 1;
    }
    std::vector<double> ms;
    if (live) {
        std::string file;
        while (file.size() < total)
            file += line;
        file.resize(total);
        bool exact = false;
        if (!LiveTicks(journal, file, baud, ms, exact) || ms.empty()) {
            std::fprintf(stderr, "the simulated link could not be set up\n");
            return 1;
        }
        std::printf("live download: journal %s what was sent\n",
                    exact ? "holds exactly" : "DOES NOT MATCH");
    }
    for (size_t sent = 0; !live && sent < total; sent += tick.size()) {
        const auto start = std::chrono::steady_clock::now();
        if (!journal.Append(tick)) {
            std::fprintf(stderr, "%s\n", journal.Error().c_str());
            return 1;
        }
        ms.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    journal.End(true, true);
    const std::string data = journal.DataPath();
    std::sort(ms.begin(), ms.end());
    double sum = 0;
    for (double m : ms)
        sum += m;
    const auto at = [&](double q) { return ms[std::min(ms.size() - 1, size_t(q * ms.size()))]; };
    std::printf("journal at %d baud: %zu ticks of about %zu bytes (%.1f MB) into %s\n", baud,
                ms.size(), tick.size(), double(journal.Bytes()) / (1024 * 1024), folder.c_str());
    std::printf(
        "per tick: mean %.2f ms, median %.2f ms, p99 %.2f ms, max %.2f ms "
        "(%.2f%% of a 300 ms tick on average)\n",
        sum / double(ms.size()), at(0.5), at(0.99), ms.back(),
        sum / double(ms.size()) / 300.0 * 100.0);
    // Leave nothing behind when the default folder was used.
    if (argc <= 1) {
        std::remove(data.c_str());
        std::remove((folder + "/" + journal.Id() + ".info").c_str());
        std::remove(folder.c_str());
    }
    return 0;
}
