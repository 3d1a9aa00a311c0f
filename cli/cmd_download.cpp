// download: receives like the Download command (300 ms ticks; ends once data
// has arrived and 600 ms then pass without any) and writes what Save As would
// write after it, or with --raw the bytes exactly as received. Every tick's
// bytes go to the download journal first, so an output that cannot be written
// (or a download cut short) still leaves them on disk: the message says where.
#include <chrono>
#include <thread>

#include "cli/cli_support.h"
#include "cli/commands.h"
#include "cli/serial_options.h"
#include "common/file_io.h"
#include "common/pane_text.h"
#include "serial/comm_tick.h"
#include "serial/download_recording.h"
#include "serial/serial_port.h"

namespace vm::cli {
namespace {

const std::string kUsage = std::string("download ") + kSerialOptionsUsage +
                           " [--raw] [--max-wait SECONDS] [--end-silence MS] OUTPUT";

struct DownloadArgs {
    PortChoice choice;
    bool portGiven = false;
    bool raw = false;
    double maxWait = 0;  // 0: wait as long as it takes
    std::string output;
};

int Parse(const Args& args, DownloadArgs& out) {
    out.choice = StoredPortChoice();
    for (size_t i = 0; i < args.size(); ++i) {
        std::string reason;
        const std::string& a = args[i];
        if (a == "--port" || a == "--device")
            out.portGiven = true;
        if (TakeSerialOption(args, i, out.choice, reason))
            continue;
        if (!reason.empty())
            return UsageError(kUsage, reason);
        if (a == "--raw") {
            out.raw = true;
        } else if (a == "--max-wait" && i + 1 < args.size() &&
                   ParseDouble(args[i + 1], out.maxWait) && out.maxWait > 0) {
            ++i;
        } else if (a == "--end-silence" && i + 1 < args.size()) {
            long long ms = 0;
            if (!ParseInt(args[++i], ms) || ms < kMinEndSilenceMs || ms > kMaxEndSilenceMs)
                return UsageError(kUsage, "--end-silence takes 600 to 10000 milliseconds");
            out.choice.settings.nEndSilenceMs = static_cast<int32_t>(ms);
        } else if (!a.empty() && a[0] != '-' && out.output.empty()) {
            out.output = a;
        } else {
            return UsageError(kUsage, "unexpected '" + a + "'");
        }
    }
    if (!out.portGiven)
        return UsageError(kUsage, "give --port N or --device PATH");
    if (out.output.empty())
        return UsageError(kUsage, "OUTPUT is missing");
    return kExitOk;
}

std::string NothingArrivedMessage(double seconds) {
    return std::to_string(static_cast<long long>(seconds + 0.5)) + " 秒内没有收到数据，串口已关闭";
}

std::string KeptInJournalMessage(const CJournalRecorder& journal) {
    if (journal.Failed())
        return "收到的数据没有保存下来：" + journal.Error();
    return "收到的 " + std::to_string(journal.Bytes()) + " 字节保存在 " + journal.DataPath() +
           "（veltramarlin-cli downloads --restore " + journal.Id() + " 输出文件）";
}

}  // namespace

int CmdDownload(const Args& args) {
    if (WantsHelp(args)) {
        PrintLines({"usage: veltramarlin-cli " + kUsage});
        return kExitOk;
    }
    DownloadArgs opts;
    if (const int status = Parse(args, opts); status != kExitOk)
        return status;

    CSerialPort& port = g_serialPort;
    CCommTicker ticker;
    std::string pane, raw;
    const TransferStart start = StartDownload(port, opts.choice, ticker, pane);
    if (!start.started) {
        PrintLines({start.status, start.message});
        return kExitFailure;
    }
    PrintLines({start.status});
    CJournalRecorder journal;
    BeginDownloadJournal(journal, opts.choice);

    using Clock = std::chrono::steady_clock;
    const auto begin = Clock::now();
    auto next = begin;
    TickResult tick;
    for (;;) {
        next += std::chrono::milliseconds(CCommTicker::kTickMs);
        std::this_thread::sleep_until(next);
        tick = ticker.OnTimer(port, pane);
        raw += tick.received;
        tick.status = JournalDownloadTick(journal, tick, false);
        if (tick.finished)
            break;
        const double waited = std::chrono::duration<double>(Clock::now() - begin).count();
        if (raw.empty() && opts.maxWait > 0 && waited >= opts.maxWait) {
            port.Close();
            journal.End(false, true);
            PrintLines({tick.status, NothingArrivedMessage(opts.maxWait)});
            return kExitFailure;
        }
    }
    PrintLines({tick.status});
    FileError error;
    const bool written = opts.raw ? WriteFileAtomic(opts.output, raw, &error)
                                  : WritePaneToFile(opts.output, pane, &error);
    if (!written) {
        PrintLines({error.message, KeptInJournalMessage(journal)});
        return kExitFailure;
    }
    MarkJournalSeen({journal.Id()});
    PrintLines({"保存成功"});
    // A device that went away is a failure, though what arrived before is kept.
    return tick.portLost ? kExitFailure : kExitOk;
}

}  // namespace vm::cli
