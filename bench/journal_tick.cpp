// The download journal's cost per tick: what one 300 ms tick adds when it
// appends the bytes it read and flushes them to the disk (fdatasync). At
// 115200 baud a tick carries about 3456 bytes; a 2 MB download is ~607 ticks.
// The ticks run back to back, so the figure is the journal's own time.
// usage: bench_journal_tick [FOLDER] [BAUD] [MEGABYTES]
//   FOLDER: where the journal goes (default ./journal-bench, removed after);
//   put it on the disk that holds the per-user data folder.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "serial/download_journal.h"

int main(int argc, char** argv) {
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
    for (size_t sent = 0; sent < total; sent += tick.size()) {
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
    std::printf("journal at %d baud: %zu ticks of %zu bytes (%.1f MB) into %s\n", baud, ms.size(),
                tick.size(), double(journal.Bytes()) / (1024 * 1024), folder.c_str());
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
