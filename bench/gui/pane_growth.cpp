// The main window's pane during a long download: processor time per 300 ms
// tick as the pane grows to 2 MB at 115200 baud (3456 bytes a tick), with the
// window shown and its events processed, beside what rebuilding the whole pane
// at each tick costs at the same sizes.
// Then a live download over the simulated instrument into a pane that already
// holds as much, as at the end of such a download: the window's processor
// time against the wall time, at 115200 baud or, where the port cannot be set
// to that rate, at 38400.
// usage: bench_pane_growth [MEGABYTES] [LIVE_SECONDS]
#include <QApplication>
#include <QPlainTextEdit>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include <chrono>
#include <thread>

#include "app/main_window/main_dlg.h"
#include "app/main_window/pane_codec.h"
#include "serial/comm_tick.h"
#include "serial/serial_port.h"
#include "tools/sim_instrument.h"
#include "bench/simulated_link.h"
#include "serial/transfer_start.h"

namespace {

constexpr size_t kTickBytes = 115200 / 10 * 3 / 10;  // bytes a 300 ms tick brings

double CpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

std::string Download(size_t size) {
    std::string text;
    for (int i = 0; text.size() < size; ++i) {
        text += "PT" + std::to_string(i) + ",\xB5\xE3\xBA\xC5," + std::to_string(3512345 + i) +
                ".678,512345.123,41.250\r\n";
    }
    text.resize(size);
    return text;
}

// What a tick cost before: the whole text decoded and laid out again.
double RebuildCost(const std::string& bytes) {
    QPlainTextEdit edit;
    edit.show();
    const double start = CpuSeconds();
    edit.setPlainText(vm::DecodePaneBytes(bytes, vm::DetectPaneEncoding(bytes)));
    QApplication::processEvents();
    return CpuSeconds() - start;
}

// A download of seconds at baud into a pane that holds prefill first; prints
// the window's share of a core while the bytes arrive. False when the port
// cannot be opened at that rate.
bool LiveDownload(vm::CMainDlg& window, const std::string& prefill, int baud, double seconds) {
    SimulatedLink link;
    if (!link.Start(baud, Download(static_cast<size_t>(baud / 10.0 * seconds)), window.m_strText))
        return false;
    auto& [pty, plan, port, ticker] = link;
    window.m_strText = prefill;  // as if the download had already brought it
    window.UpdateData(false);
    QApplication::processEvents();
    std::thread sender([&] { vm::sim::SendFile(pty, plan); });
    const auto wallStart = std::chrono::steady_clock::now();
    const double cpuStart = CpuSeconds();
    auto next = wallStart;
    for (vm::TickResult tick; !tick.finished;) {
        next += std::chrono::milliseconds(vm::CCommTicker::kTickMs);
        std::this_thread::sleep_until(next);
        tick = ticker.OnTimer(port, window.m_strText);
        window.m_strStatus = tick.status;
        window.UpdateData(false);
        QApplication::processEvents();
    }
    const double cpu = CpuSeconds() - cpuStart;
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
    sender.join();
    const bool exact = window.m_strText == prefill + plan.bytes;
    std::printf(
        "live download at %d baud into a %.2f MB pane: %.1f s, window %.1f%% of a core, "
        "pane %s\n",
        baud, prefill.size() / 1e6, wall, cpu / wall * 100, exact ? "exact" : "NOT EXACT");
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    const double megabytes = argc > 1 ? std::atof(argv[1]) : 2.0;
    const std::string all = Download(static_cast<size_t>(megabytes * 1e6));
    vm::CMainDlg window;
    window.show();
    std::printf("%10s %14s %10s %16s %10s\n", "pane MB", "tick ms (cpu)", "% of core",
                "rebuild ms (cpu)", "% of core");
    const size_t ticks = all.size() / kTickBytes;
    double spent = 0;
    size_t counted = 0;
    for (size_t tick = 1; tick <= ticks; ++tick) {
        const double start = CpuSeconds();
        window.m_strText.append(all, (tick - 1) * kTickBytes, kTickBytes);
        window.UpdateData(false);
        QApplication::processEvents();
        spent += CpuSeconds() - start;
        ++counted;
        if (tick % (ticks / 8) == 0 || tick == ticks) {
            const double perTick = spent / static_cast<double>(counted);
            const double rebuild = RebuildCost(window.m_strText);
            std::printf("%10.2f %14.2f %9.1f%% %16.1f %9.1f%%\n", window.m_strText.size() / 1e6,
                        perTick * 1e3, perTick / 0.3 * 100, rebuild * 1e3, rebuild / 0.3 * 100);
            std::fflush(stdout);
            spent = 0;
            counted = 0;
        }
    }
    const double live = argc > 2 ? std::atof(argv[2]) : 10.0;
    if (live > 0 && !LiveDownload(window, all, 115200, live) &&
        !LiveDownload(window, all, 38400, live)) {
        std::printf("live download: the simulated port could not be opened\n");
    }
    return 0;
}
