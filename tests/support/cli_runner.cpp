#include "tests/support/cli_runner.h"

#include <sys/wait.h>

namespace vm::test {
namespace {

std::string ShellQuote(const std::string& word) {
    std::string quoted = "'";
    for (char c : word)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

}  // namespace

std::string CliPath() {
    return std::string(VM_BINARY_DIR) + "/cli/veltramarlin-cli";
}

CliRun RunCliCommand(const std::vector<std::string>& args, const CliPlace& place) {
    std::string command;
    if (!place.folder.empty())
        command = "cd " + ShellQuote(place.folder) +
                  " && export XDG_DATA_HOME=" + ShellQuote(place.folder + "/data") +
                  " XDG_CONFIG_HOME=" + ShellQuote(place.folder + "/config") + " && ";
    // The limit counts 512-byte blocks; an ignored SIGXFSZ stays ignored in the
    // program, so a write past the limit fails with EFBIG instead of killing it.
    if (place.fileSizeLimit > 0)
        command +=
            "ulimit -f " + std::to_string(place.fileSizeLimit / 512) + " && trap '' XFSZ && ";
    command += place.prefix + " " + ShellQuote(CliPath());
    for (const std::string& a : args)
        command += " " + ShellQuote(a);
    command += " 2>/dev/null";
    CliRun run;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return run;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        run.out.append(buffer, n);
    const int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::string StartSendingInstrument(const std::string& file, FILE*& sim) {
    const std::string command = ShellQuote(std::string(VM_BINARY_DIR) + "/tools/veltramarlin-sim") +
                                " send " + ShellQuote(file) + " --baud 38400 --wait 20 2>/dev/null";
    sim = ::popen(command.c_str(), "r");
    char line[512] = {};
    if (!sim || !std::fgets(line, sizeof line, sim))
        return std::string();
    std::string device = line;
    while (!device.empty() && (device.back() == '\n' || device.back() == '\r'))
        device.pop_back();
    return device;
}

}  // namespace vm::test
