// veltramarlin-sim: a simulated total station on a pseudo-terminal pair. It
// prints the device path for the program to use as its port, then either sends
// a file like an instrument sending its data, or records an upload until EOT.
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "common/file_io.h"
#include "common/program_version.h"
#include "tools/sim_instrument.h"

namespace {

const char* const kUsage =
    "usage: veltramarlin-sim send FILE [--baud B | --byte-rate N] [--pause OFFSET:MS]...\n"
    "                             [--start-delay MS] [--hang-up-after N] [--wait SECONDS]\n"
    "       veltramarlin-sim record OUTPUT [--log FILE] [--timeout SECONDS]\n"
    "                             [--xoff-after-lines N] [--xon-after MS] [--wait SECONDS]\n"
    "\n"
    "Creates a pseudo-terminal and prints its device path on the first line; give\n"
    "that path to the program (veltramarlin-cli --device PATH, or Device1=PATH in\n"
    "section ComConfig of ./ConfigFile.ini for port 1). The simulator waits up to\n"
    "--wait seconds (default 120) for the program to open the device.\n"
    "  send    sends FILE at the byte rate of B baud (ten bits a byte; default 2400)\n"
    "          or N bytes a second, pausing MS milliseconds before byte OFFSET.\n"
    "  record  writes what an upload sends to OUTPUT, stopping at EOT; --log\n"
    "          writes each received chunk with its time in milliseconds.\n";

int Usage(const std::string& reason) {
    if (!reason.empty())
        std::cerr << "veltramarlin-sim: " << reason << "\n";
    std::cerr << kUsage;
    return 2;
}

bool NumberArg(const std::vector<std::string>& args, size_t& i, double& value) {
    if (i + 1 >= args.size())
        return false;
    char* end = nullptr;
    value = std::strtod(args[++i].c_str(), &end);
    return end && *end == '\0' && !args[i].empty();
}

bool CreateAndWait(vm::sim::CPtyInstrument& pty, double waitSeconds) {
    std::string error;
    if (!pty.Create(error)) {
        std::cerr << "veltramarlin-sim: " << error << "\n";
        return false;
    }
    std::cout << pty.DevicePath() << std::endl;
    if (!pty.WaitForProgram(static_cast<int>(waitSeconds * 1000))) {
        std::cerr << "veltramarlin-sim: nobody opened " << pty.DevicePath() << "\n";
        return false;
    }
    return true;
}

int Send(const std::vector<std::string>& args) {
    vm::sim::SendPlan plan;
    std::string file;
    double wait = 120, value = 0;
    plan.bytesPerSecond = 240;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--baud" && NumberArg(args, i, value) && value > 0) {
            plan.bytesPerSecond = value / 10;
        } else if (a == "--byte-rate" && NumberArg(args, i, value) && value > 0) {
            plan.bytesPerSecond = value;
        } else if (a == "--start-delay" && NumberArg(args, i, value) && value >= 0) {
            plan.startDelayMs = static_cast<int>(value);
        } else if (a == "--hang-up-after" && NumberArg(args, i, value) && value >= 0) {
            plan.hangUpAfter = static_cast<long long>(value);
        } else if (a == "--wait" && NumberArg(args, i, value) && value > 0) {
            wait = value;
        } else if (a == "--pause" && i + 1 < args.size()) {
            unsigned long long offset = 0;
            int ms = 0;
            if (std::sscanf(args[++i].c_str(), "%llu:%d", &offset, &ms) != 2 || ms < 0) {
                return Usage("--pause takes OFFSET:MS");
            }
            plan.pauses.emplace_back(static_cast<size_t>(offset), ms);
        } else if (!a.empty() && a[0] != '-' && file.empty()) {
            file = a;
        } else {
            return Usage("unexpected '" + a + "'");
        }
    }
    if (file.empty())
        return Usage("send needs a FILE");
    vm::FileError error;
    if (!vm::ReadFileBytes(file, plan.bytes, &error)) {
        std::cerr << "veltramarlin-sim: " << error.message << "\n";
        return 1;
    }
    vm::sim::CPtyInstrument pty;
    if (!CreateAndWait(pty, wait))
        return 1;
    const vm::sim::SendReport report = vm::sim::SendFile(pty, plan);
    std::cerr << "sent " << report.sent << " bytes" << (report.hungUp ? ", then hung up" : "")
              << "\n";
    // Stay until the program has taken the last bytes and closed the device.
    if (!report.hungUp)
        pty.WaitForProgramToClose(30000);
    return 0;
}

int Record(const std::vector<std::string>& args) {
    vm::sim::RecordPlan plan;
    std::string output, log;
    double wait = 120, value = 0;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--log" && i + 1 < args.size()) {
            log = args[++i];
        } else if (a == "--timeout" && NumberArg(args, i, value) && value > 0) {
            plan.timeoutMs = static_cast<int>(value * 1000);
        } else if (a == "--xoff-after-lines" && NumberArg(args, i, value) && value >= 0) {
            plan.xoffAfterLines = static_cast<int>(value);
        } else if (a == "--xon-after" && NumberArg(args, i, value)) {
            plan.xonAfterMs = static_cast<int>(value);
        } else if (a == "--wait" && NumberArg(args, i, value) && value > 0) {
            wait = value;
        } else if (!a.empty() && a[0] != '-' && output.empty()) {
            output = a;
        } else {
            return Usage("unexpected '" + a + "'");
        }
    }
    if (output.empty())
        return Usage("record needs an OUTPUT file");
    vm::sim::CPtyInstrument pty;
    if (!CreateAndWait(pty, wait))
        return 1;
    const vm::sim::Recording rec = vm::sim::RecordUpload(pty, plan);
    vm::FileError error;
    if (!vm::WriteFileAtomic(output, rec.bytes, &error) ||
        (!log.empty() && !vm::WriteFileAtomic(log, vm::sim::FormatRecordingLog(rec), &error))) {
        std::cerr << "veltramarlin-sim: " << error.message << "\n";
        return 1;
    }
    std::cerr << "received " << rec.bytes.size() << " bytes"
              << (rec.sawEot ? ", ending with EOT" : ", no EOT before the time-out") << "\n";
    return rec.sawEot ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (vm::PrintVersionIfAsked(argc, argv, "veltramarlin-sim"))
        return 0;
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty())
        return Usage("");
    if (args[0] == "--help" || args[0] == "-h") {
        std::cout << kUsage;
        return 0;
    }
    if (args[0] == "send")
        return Send(args);
    if (args[0] == "record")
        return Record(args);
    return Usage("unknown mode '" + args[0] + "'");
}
