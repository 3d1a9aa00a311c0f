// upload: sends a coordinate file like the Upload command: the same pieces,
// pauses and final EOT, printing each status text as it is set.
#include "cli/cli_support.h"
#include "cli/commands.h"
#include "cli/serial_options.h"
#include "serial/comm_state.h"
#include "serial/serial_port.h"
#include "serial/transfer_texts.h"
#include "serial/upload_worker.h"

namespace vm::cli {
namespace {

const std::string kUsage = std::string("upload ") + kSerialOptionsUsage + " FILE";

}  // namespace

int CmdUpload(const Args& args) {
    if (WantsHelp(args)) {
        PrintLines({"usage: veltramarlin-cli " + kUsage});
        return kExitOk;
    }
    PortChoice choice = StoredPortChoice();
    bool portGiven = false;
    std::string file;
    for (size_t i = 0; i < args.size(); ++i) {
        std::string reason;
        if (args[i] == "--port" || args[i] == "--device")
            portGiven = true;
        if (TakeSerialOption(args, i, choice, reason))
            continue;
        if (!reason.empty())
            return UsageError(kUsage, reason);
        if (!args[i].empty() && args[i][0] != '-' && file.empty()) {
            file = args[i];
        } else {
            return UsageError(kUsage, "unexpected '" + args[i] + "'");
        }
    }
    if (!portGiven)
        return UsageError(kUsage, "give --port N or --device PATH");
    if (file.empty())
        return UsageError(kUsage, "FILE is missing");

    CSerialPort& port = g_serialPort;
    SetCommMode(COMM_SEND);
    const int nPort = choice.settings.nPort;
    if (!OpenPort(port, choice)) {
        const TransferStart failed = FailedStart(port, choice);
        PrintLines({failed.status, failed.message});
        return kExitFailure;
    }
    PrintLines({UploadOpenedStatus(nPort)});
    port.Purge();

    UploadHooks hooks;
    hooks.chooseFile = [&file](std::string& path) {
        path = file;
        return true;
    };
    hooks.showMessage = [](const std::string& text) { PrintLines({text}); };
    hooks.statusChanged = [](const std::string& status) { PrintLines({status}); };
    CUploadWorker worker(port);
    const UploadOutcome outcome = worker.Run(nPort, hooks);
    port.Close();
    return outcome == UploadOutcome::Sent ? kExitOk : kExitFailure;
}

}  // namespace vm::cli
